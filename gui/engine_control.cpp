#include "gui/engine_control.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/event_constants.h"
#include "toolkit/apple_events.h"
#include "toolkit/script.h"

namespace brek::zomelo {

namespace {

constexpr size_t kScriptSize = 1024;
constexpr size_t kPathSize = 1024;
// Every string value may double when escaped.
constexpr size_t kEscapedSize = 2 * kPathSize + 1;
constexpr uint32_t kEngineSignature = platform::FourCC("#BRk");

constexpr const char* kLoginItemQuery =
    "tell application \"System Events\"\n"
    "   return \"%s\" is in (name of every login item)\n"
    "end tell\n";

constexpr const char* kLoginItemRemoval =
    "tell application \"System Events\"\n"
    "   if \"%s\" is in (name of every login item) then\n"
    "\t\tdelete (every login item whose name is \"%s\")\n"
    "   end if\n"
    "end tell\n";

constexpr const char* kLoginItemCreation =
    "tell application \"System Events\"\n"
    "   if \"%.*s\" is not in (name of every login item) then\n"
    "\t\tmake login item at end with properties {hidden:%s, path:\"%s\"}\n"
    "   end if\n"
    "end tell\n";

constexpr const char* kLogViewing =
    "tell application \"Console\"\n"
    "\tactivate\n"
    "\topen \"%s\"\n"
    "end tell\n";

std::string gExecutablePath;

// Formats a script text into `buffer`; longer text is cut at the buffer's end (a cut script
// always lacks its closing "end tell" and so never compiles).
__attribute__((format(printf, 3, 4))) void FormatScript(char* buffer, size_t size,
                                                        const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  vsnprintf(buffer, size, format, arguments);
  va_end(arguments);
}

// Compiles and runs `text`, showing its result into `display` when given; the script is
// disposed on every path. The first non-zero status.
int RunScriptText(const char* text, char* display = nullptr, size_t displaySize = 0) {
  Script script;
  int status = script.Compile(text);
  if (status == 0) {
    status = display != nullptr ? script.ExecuteAndDisplay(display, displaySize)
                                : script.Execute();
  }
  script.Dispose();
  return status;
}

}  // namespace

void SetExecutablePath(const char* path) { gExecutablePath = path != nullptr ? path : ""; }
const char* ExecutablePath() { return gExecutablePath.c_str(); }

char* EscapeScriptString(const char* text, char* buffer, size_t size) {
  if (size == 0) return buffer;
  size_t out = 0;
  for (const char* p = text; *p; ++p) {
    const bool escaped = *p == '\\' || *p == '"';
    if (out + (escaped ? 2 : 1) > size - 1) break;
    if (escaped) buffer[out++] = '\\';
    buffer[out++] = *p;
  }
  buffer[out] = '\0';
  return buffer;
}

int ResourcesDirectory(char* buffer, size_t size) {
  const std::string& path = gExecutablePath;
  int slashes = 0;
  for (size_t i = path.size(); i-- > 0;) {
    if (path[i] != '/' || ++slashes < 2) continue;
    snprintf(buffer, size, "%.*s/Resources", static_cast<int>(i), path.c_str());
    return 0;
  }
  return -1;
}

bool IsLoginItem(const char* name) {
  char escaped[kEscapedSize];
  char script[kScriptSize];
  FormatScript(script, sizeof script, kLoginItemQuery, EscapeScriptString(name, escaped, sizeof escaped));
  char answer[10];
  return RunScriptText(script, answer, sizeof answer) == 0 && strcmp(answer, "true") == 0;
}

int AddLoginItem(const char* path, bool hidden) {
  const char* slash = strrchr(path, '/');
  if (slash == nullptr) return -1;
  const char* name = slash + 1;
  const char* dot = strrchr(name, '.');
  if (dot == nullptr) return -1;
  const std::string bareName(name, dot);
  char escapedName[kEscapedSize];
  char escapedPath[kEscapedSize];
  EscapeScriptString(bareName.c_str(), escapedName, sizeof escapedName);
  char script[kScriptSize];
  FormatScript(script, sizeof script, kLoginItemCreation, static_cast<int>(strlen(escapedName)),
           escapedName, hidden ? "true" : "false",
           EscapeScriptString(path, escapedPath, sizeof escapedPath));
  return RunScriptText(script);
}

int RemoveLoginItem(const char* name) {
  char escaped[kEscapedSize];
  EscapeScriptString(name, escaped, sizeof escaped);
  char script[kScriptSize];
  FormatScript(script, sizeof script, kLoginItemRemoval, escaped, escaped);
  return RunScriptText(script);
}

void LaunchEngine() {
  char path[kPathSize];
  // Without a Resources folder there is no engine to start.
  if (ResourcesDirectory(path, sizeof path) != 0) return;
  const size_t used = strlen(path);
  if (used + strlen(kEngineBundleName) >= sizeof path) return;  // would be cut
  memcpy(path + used, kEngineBundleName, strlen(kEngineBundleName) + 1);
  AddLoginItem(path, false);
  OpenPath(path);
}

void SetEngineEnabled(bool on) {
  if (on) {
    LaunchEngine();
    return;
  }
  RemoveLoginItem(kEngineName);
  SendAppleEvent(kEngineSignature, platform::kCoreEventClass, platform::kAEQuitApplication);
}

void ViewLogFile(const char* logPath) {
  char escaped[kEscapedSize];
  char script[kScriptSize];
  FormatScript(script, sizeof script, kLogViewing, EscapeScriptString(logPath, escaped, sizeof escaped));
  for (char* p = script; *p; ++p) {
    if (*p == '/') *p = ':';
  }
  RunScriptText(script);
}

}  // namespace brek::zomelo
