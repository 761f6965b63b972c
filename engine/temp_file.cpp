#include "engine/temp_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace brek {

int TempFile::Create(const char* prefix) {
  Remove();
  const char* name = prefix ? prefix : "tmp";
  constexpr char kFolder[] = "/tmp";
  for (int attempt = 0; attempt < 100; ++attempt) {
    int n = snprintf(path_, sizeof path_, "%s/%s-%lu-%02d.tmp", kFolder, name,
                     static_cast<unsigned long>(time(nullptr)), attempt);
    if (n < 0 || size_t(n) >= sizeof path_) {
      path_[0] = '\0';
      return ENAMETOOLONG;
    }
    // O_EXCL also refuses a link planted under the name, so nobody else's file is ever opened.
    int fd = open(path_, O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
      file_ = fdopen(fd, "w+b");
      if (file_ == nullptr) {
        int err = errno;
        close(fd);
        unlink(path_);
        path_[0] = '\0';
        return err;
      }
      return 0;
    }
    if (errno != EEXIST) {
      int err = errno;
      path_[0] = '\0';
      return err;
    }
  }
  path_[0] = '\0';
  return EEXIST;
}

void TempFile::Close() {
  if (file_ == nullptr) return;
  fclose(file_);
  file_ = nullptr;
}

int TempFile::Remove() {
  if (path_[0] == '\0') return 0;
  Close();
  unlink(path_);
  path_[0] = '\0';
  return 0;
}

}  // namespace brek
