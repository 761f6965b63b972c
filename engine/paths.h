// The per-user folders the engine works in, below the home directory.
#pragma once

namespace brek::zomelo {

constexpr int kPathSize = 1024;

// Each fills `path` with a folder below the home directory ($HOME, else the password database's).
// 0, or ENAMETOOLONG when the path would not fit (then `path` is empty, never cut), or ENOENT
// when there is no home directory.
int GetMusicFolder(char (&path)[kPathSize]);   // "<home>/Music"
int GetCachesFolder(char (&path)[kPathSize]);  // "<home>/Library/Caches"
int GetLogsFolder(char (&path)[kPathSize]);    // "<home>/Library/Logs"

// Appends `name` to `path`; ENAMETOOLONG (and `path` unchanged) when it would not fit.
int AppendToPath(char (&path)[kPathSize], const char* name);

}  // namespace brek::zomelo
