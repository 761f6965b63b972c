#include "library/directory_walker.h"

#include <sys/stat.h>

#include <cctype>
#include <cstring>
#include <initializer_list>

namespace brek::zomelo {

void DirectoryWalker::Start(const char* root) {
  Close();
  size_t length = strnlen(root, sizeof path);
  if (length >= sizeof path) length = 0;  // a root that does not fit walks nothing
  memcpy(path, root, length);
  path[length] = '\0';
  rootUsable_ = length > 0;
}

void DirectoryWalker::Close() {
  while (depth >= 0) {
    closedir(dirs[depth]);
    dirs[depth] = nullptr;
    --depth;
  }
}

bool DirectoryWalker::Descend() {
  if (depth + 1 >= kMaxWalkLevels) return false;
  size_t length = strlen(path);
  if (length + 2 > sizeof path) return false;  // no room for the '/' and one more byte
  DIR* dir = opendir(path);
  if (dir == nullptr) return false;
  ++depth;
  dirs[depth] = dir;
  path[length] = '/';
  path[length + 1] = '\0';
  namePos[depth] = path + length + 1;
  return true;
}

const char* DirectoryWalker::Next() {
  if (depth == -1) {
    if (!rootUsable_) return nullptr;
    rootUsable_ = false;  // a finished walk needs a new Start
    if (!Descend()) return nullptr;
  }
  while (depth >= 0) {
    dirent* entry = readdir(dirs[depth]);
    if (entry == nullptr) {
      closedir(dirs[depth]);
      dirs[depth] = nullptr;
      --depth;
      continue;
    }
    const char* name = entry->d_name;
    if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) continue;
    if (filter != nullptr && !filter(name)) continue;
    char* at = namePos[depth];
    size_t room = sizeof path - size_t(at - path);
    size_t length = strlen(name);
    if (length >= room) continue;  // the full path would not fit
    memcpy(at, name, length + 1);

    bool directory = false;
    if (entry->d_type == DT_LNK) {
      struct stat info;
      if (stat(path, &info) != 0) continue;  // dangling link
      directory = S_ISDIR(info.st_mode);
    } else {
      directory = entry->d_type == DT_DIR;
    }
    if (!directory) return path;
    Descend();  // a directory that cannot be entered is passed over
  }
  return nullptr;
}

bool IsAudioFileName(const char* path) {
  const char* dot = strrchr(path, '.');
  if (dot == nullptr) return false;
  for (const char* suffix : {".mp3", ".aiff", ".aif", ".m4a"}) {
    size_t i = 0;
    while (suffix[i] != '\0' && toupper(static_cast<unsigned char>(dot[i])) ==
                                    toupper(static_cast<unsigned char>(suffix[i]))) {
      ++i;
    }
    if (suffix[i] == '\0' && dot[i] == '\0') return true;
  }
  return false;
}

}  // namespace brek::zomelo
