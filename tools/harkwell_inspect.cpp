// harkwell-inspect: what the engine sees in a file, from the command line.
#include <cstdio>
#include <cstring>

#include "audio/decoder_library.h"
#include "tools/inspect_fingerprint.h"
#include "tools/inspect_identity.h"
#include "tools/inspect_tags.h"

namespace {

int Usage() {
  fputs(
      "usage: harkwell-inspect COMMAND [FILE...]\n"
      "  tags FILE...   the tags of each file as the engine reads them, one JSON object per line\n"
      "  fingerprint FILE... | fingerprint FILE --record OUT\n"
      "                 the fingerprint events of each file, one JSON object per line;\n"
      "                 with --record, the HWS record the engine would upload, into OUT\n"
      "  id FILE...     the track identity of each file, one JSON object per line\n"
      "  normalise      each line of standard input in the normalised form\n"
      "  trackid        for each line artist<TAB>title<TAB>album<TAB>genre of standard input,\n"
      "                 the track ID in hex or rejected:<list>\n",
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
  if (strcmp(command, "id") == 0) {
    if (argc < 3) return Usage();
    return harkwell_inspect::InspectIds(argc - 2, argv + 2);
  }
  if (strcmp(command, "fingerprint") == 0) {
    if (argc < 3) return Usage();
    brek::EnterDecoderLibrary();
    if (argc == 5 && strcmp(argv[3], "--record") == 0) {
      return harkwell_inspect::WriteRecordFile(argv[2], argv[4]);
    }
    return harkwell_inspect::InspectFingerprints(argc - 2, argv + 2);
  }
  if (strcmp(command, "normalise") == 0) return harkwell_inspect::NormaliseLines();
  if (strcmp(command, "trackid") == 0) return harkwell_inspect::TrackIdLines();
  fprintf(stderr, "harkwell-inspect: unknown command '%s'\n", command);
  return Usage();
}
