#include "engine/paths.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/home_dir.h"

namespace brek::zomelo {

namespace {

int HomeFolder(char (&path)[kPathSize], const char* below) {
  char home[kPathSize];
  path[0] = '\0';
  if (int err = platform::HomeDirectory(home, sizeof home)) return err;
  int n = snprintf(path, kPathSize, "%s%s", home, below);
  if (n < 0 || n >= kPathSize) {
    path[0] = '\0';
    return ENAMETOOLONG;
  }
  return 0;
}

}  // namespace

int GetMusicFolder(char (&path)[kPathSize]) { return HomeFolder(path, "/Music"); }
int GetCachesFolder(char (&path)[kPathSize]) { return HomeFolder(path, "/Library/Caches"); }
int GetLogsFolder(char (&path)[kPathSize]) { return HomeFolder(path, "/Library/Logs"); }

int AppendToPath(char (&path)[kPathSize], const char* name) {
  size_t used = strnlen(path, kPathSize);
  size_t extra = strlen(name);
  if (used + extra >= size_t(kPathSize)) return ENAMETOOLONG;
  memcpy(path + used, name, extra + 1);
  return 0;
}

}  // namespace brek::zomelo
