#include "platform/home_dir.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace platform {

int HomeDirectory(char* buffer, size_t size) {
  const char* home = getenv("HOME");
  std::vector<char> scratch;
  if (home == nullptr || *home == '\0') {
    long suggested = sysconf(_SC_GETPW_R_SIZE_MAX);
    scratch.resize(suggested > 0 ? size_t(suggested) : 16384);
    passwd entry;
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, scratch.data(), scratch.size(), &found) != 0 || !found ||
        !found->pw_dir || !*found->pw_dir) {
      return ENOENT;
    }
    home = found->pw_dir;
  }
  size_t length = strlen(home);
  if (length >= size) return ENAMETOOLONG;
  memcpy(buffer, home, length + 1);
  return 0;
}

}  // namespace platform
