#include "platform/runtime_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace platform {

int RuntimeDirectory(char* buffer, size_t size) {
  const char* base = getenv("XDG_RUNTIME_DIR");
  int n = (base && *base) ? snprintf(buffer, size, "%s/harkwell", base)
                          : snprintf(buffer, size, "/tmp/harkwell-%u", unsigned(getuid()));
  if (n < 0 || size_t(n) >= size) return ENAMETOOLONG;
  if (mkdir(buffer, 0700) != 0 && errno != EEXIST) return errno;
  struct stat info;
  if (lstat(buffer, &info) != 0) return errno;
  // Refuse a directory someone else made or opened up (a shared /tmp is the usual risk).
  if (!S_ISDIR(info.st_mode) || info.st_uid != getuid() || (info.st_mode & 0077) != 0) {
    return EACCES;
  }
  return 0;
}

}  // namespace platform
