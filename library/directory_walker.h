// Depth-first walk of a folder tree, handing back the full path of every non-directory entry.
#pragma once

#include <dirent.h>

namespace brek::zomelo {

constexpr int kMaxWalkLevels = 16;

// Pre-order and unsorted: a subdirectory is walked as soon as its entry is read. Symbolic links
// are followed; "." and ".." are skipped; directories more than 15 levels below the root are
// not entered; an entry whose full path would not fit `path` is passed over. Nothing is
// allocated per entry. One thread only.
class DirectoryWalker {
 public:
  DirectoryWalker() = default;
  ~DirectoryWalker() { Close(); }
  DirectoryWalker(const DirectoryWalker&) = delete;
  DirectoryWalker& operator=(const DirectoryWalker&) = delete;

  // Closes whatever is open and sets the root; nothing is opened yet.
  void Start(const char* root);
  // The full path of the next file, or null when the walk is over. Valid until the next Next,
  // Start or Close.
  const char* Next();
  // Closes every open level, deepest first.
  void Close();

  // When set, an entry whose bare name it answers false for is passed over.
  bool (*filter)(const char* name) = nullptr;

 private:
  // Opens `path` as level depth + 1; false when the limit is reached or it cannot be opened.
  bool Descend();

  // Invariant: levels 0..depth are open, and path up to namePos[depth] is the deepest level's
  // directory path followed by '/'.
  char path[1024] = "";
  char* namePos[kMaxWalkLevels] = {};
  int depth = -1;
  DIR* dirs[kMaxWalkLevels] = {};
  bool rootUsable_ = false;  // set by Start, taken by the first Next
};

// True when the part of `path` from its last '.' is ".mp3", ".aiff", ".aif" or ".m4a", in any
// case.
bool IsAudioFileName(const char* path);

}  // namespace brek::zomelo
