// The script language of the scripting component: exactly the statements the preferences
// program sends, with the string-literal rules of the desktop's script language.
//
//   tell application "System Events" ... end tell
//       return "<name>" is [not] in (name of every login item)
//       if "<name>" is [not] in (name of every login item) then ... end if
//       delete (every login item whose name is "<name>")
//       make [new] login item at end with properties {hidden:<bool>, path:"<path>"[, name:"<n>"]}
//   tell application "Console" ... end tell
//       activate
//       open "<file>"          the file as a colon-separated path (":home:x:f.log")
//
// Words are case-insensitive; "--" starts a comment. Strings are in double quotes with the
// escapes \" \\ \n \r \t; any other backslash, an unknown statement or application, or a
// statement outside the application it belongs to is a syntax error.
#pragma once

#include <memory>
#include <string>

#include "platform/status.h"

namespace platform {

struct ScriptProgram;  // a parsed script

// What a script returned.
struct ScriptValue {
  enum class Kind { kNothing, kBoolean } kind = Kind::kNothing;
  bool boolean = false;
};

// Parses `text`; nullptr with `*status` errOSASyntaxError when it is not a script of the language.
std::shared_ptr<const ScriptProgram> ParseScript(const char* text, size_t length, OSStatus* status);

// Runs `program`: 0 with its result, or the status of the first failing statement.
OSStatus RunScript(const ScriptProgram& program, ScriptValue* result);

// The text form of a value: "true", "false", or "" for nothing.
std::string DisplayScriptValue(const ScriptValue& value);

// ":a:b:c" (a colon path as scripts write file paths) as the POSIX path "/a/b/c".
std::string ColonPathToPosix(const std::string& colonPath);

}  // namespace platform
