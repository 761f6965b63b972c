// A temporary file with a unique name under /tmp, removed when the object goes.
#pragma once

#include <cstdio>

namespace brek {

class TempFile {
 public:
  // Creates the file at once; the owner tests file() to learn whether that worked.
  explicit TempFile(const char* prefix = nullptr) { Create(prefix); }
  ~TempFile() { Remove(); }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;

  // Removes whatever the object held, then creates "/tmp/<prefix>-<seconds>-<nn>.tmp" with the
  // first free attempt number nn from 00 to 99, mode 0600, opened "w+b". 0, or an errno value
  // (EEXIST when all 100 names are taken); on failure the object is empty.
  int Create(const char* prefix = nullptr);
  // Closes the stream; the file stays on disk.
  void Close();
  // Closes and deletes the file, and empties the object. Returns 0.
  int Remove();

  const char* path() const { return path_; }
  FILE* file() const { return file_; }

 private:
  char path_[1024] = "";
  FILE* file_ = nullptr;
};

}  // namespace brek
