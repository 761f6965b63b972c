// Switching the engine on and off: a login item "Harkwell Engine" that starts the engine bundle
// inside this program's Resources folder at every login, starting it now, and telling a
// running engine to quit. Also opening the engine's log in the viewer. Main thread only;
// results other than those below are dropped, as nothing here reports to the user.
#pragma once

#include <cstddef>

namespace brek::zomelo {

inline constexpr const char* kEngineName = "Harkwell Engine";
inline constexpr const char* kEngineBundleName = "/Harkwell Engine.app";

// The absolute path of the running executable, kept for the life of the process.
void SetExecutablePath(const char* path);
const char* ExecutablePath();

// "<bundle>/Contents/Resources" from ".../Contents/MacOS/<exe>"; -1 when the executable path
// has fewer than two "/" (the buffer is then not written).
int ResourcesDirectory(char* buffer, size_t size);

bool IsLoginItem(const char* name);
// Adds a login item for `path` named after its last component without extension, unless one
// of that name exists; -1 when no name can be derived, else the script's status.
int AddLoginItem(const char* path, bool hidden);
// Removes every login item named `name`.
int RemoveLoginItem(const char* name);
// Ensures the engine's login item and starts the engine.
void LaunchEngine();
// On: LaunchEngine. Off: removes the login items and tells the engine to quit.
void SetEngineEnabled(bool on);
// Opens `logPath` in the log viewer.
void ViewLogFile(const char* logPath);

// `text` with '\' and '"' escaped for a script's string literal, cut to fit `size` (never in
// the middle of an escape); returns `buffer`.
char* EscapeScriptString(const char* text, char* buffer, size_t size);

}  // namespace brek::zomelo
