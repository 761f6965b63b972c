#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/harkwell.h"
#include "engine/paths.h"
#include "engine/server_messages.h"

namespace brek::zomelo {

namespace {

// Makes `folder` and its parents (mode 0700 for new ones).
void MakeFolders(const char* folder) {
  char path[kPathSize];
  snprintf(path, sizeof path, "%s", folder);
  for (char* p = path + 1; *p; ++p) {
    if (*p != '/') continue;
    *p = '\0';
    mkdir(path, 0700);
    *p = '/';
  }
  mkdir(path, 0700);
}

}  // namespace

int Harkwell::OpenCache() {
  char path[kPathSize];
  if (int err = GetCachesFolder(path)) return err;
  MakeFolders(path);
  if (int err = AppendToPath(path, kCacheFileName)) return err;
  cacheFile_ = fopen(path, "a+b");
  if (cacheFile_ == nullptr) return errno;
  struct flock lock;
  memset(&lock, 0, sizeof lock);
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 0;
  if (fcntl(fileno(cacheFile_), F_SETLK, &lock) != 0) return errno;  // held: fail at once
  rewind(cacheFile_);
  uint8_t record[8];
  uint64_t whole = 0;
  while (fread(record, 1, sizeof record, cacheFile_) == sizeof record) {
    sentIds_.insert(GetU64BE(record));
    ++whole;
  }
  if (!feof(cacheFile_)) return errno ? errno : EIO;
  // A torn last record (an engine killed mid-write) is cut off, so that records appended now
  // are not read out of step by later loads.
  struct stat info;
  if (fstat(fileno(cacheFile_), &info) != 0) return errno;
  if (uint64_t(info.st_size) != whole * 8 && ftruncate(fileno(cacheFile_), off_t(whole * 8)) != 0) {
    return errno;
  }
  if (fseek(cacheFile_, 0, SEEK_END) != 0) return errno;
  return 0;
}

bool Harkwell::IsCached(const uint8_t* trackId) const {
  return sentIds_.count(GetU64BE(trackId)) != 0;
}

int Harkwell::AddToCache(const uint8_t* trackId) {
  sentIds_.insert(GetU64BE(trackId));
  if (cacheFile_ == nullptr) return EBADF;
  return fwrite(trackId, 1, 8, cacheFile_) == 8 ? 0 : (errno ? errno : EIO);
}

int Harkwell::FlushCache() {
  if (cacheFile_ == nullptr) return EBADF;
  return fflush(cacheFile_) == 0 ? 0 : errno;
}

}  // namespace brek::zomelo
