// harkwell-inspect: what the engine sees in a file, from the command line.
#include <cstdio>
#include <cstring>

#include "tools/inspect_tags.h"

namespace {

int Usage() {
  fputs(
      "usage: harkwell-inspect tags FILE...\n"
      "  tags   the tags of each file as the engine reads them, one JSON object per line\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const char* command = argv[1];
  if (strcmp(command, "tags") == 0) {
    if (argc < 3) return Usage();
    return harkwell_inspect::InspectTags(argc - 2, argv + 2);
  }
  fprintf(stderr, "harkwell-inspect: unknown command '%s'\n", command);
  return Usage();
}
