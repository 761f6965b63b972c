// Login items: programs the desktop starts at every login, kept as freedesktop autostart
// entries, one ".desktop" file per item in $XDG_CONFIG_HOME/autostart (else
// $HOME/.config/autostart).
#pragma once

#include <string>
#include <vector>

namespace platform {

struct LoginItem {
  std::string name;        // Name=
  std::string path;        // the bundle or program the item starts, as it was given
  std::string executable;  // the program Exec= starts (its first word, unquoted)
  bool hidden = false;     // started without showing windows
  std::string file;        // the entry's file
};

// The autostart folder; empty when no home directory is known.
std::string AutostartFolder();

// Every enabled entry of the autostart folder (entries marked Hidden=true are switched off and
// left out). 0, also for a missing folder, or an errno value.
int ReadLoginItems(std::vector<LoginItem>* items);

// Writes a new entry named `name` that starts `path`: a bundle's executable for a bundle, else
// `path` itself. 0 or an errno value; nothing is left half written.
int MakeLoginItem(const std::string& name, const std::string& path, bool hidden);

// Removes every entry named `name`. 0 or the errno of the first removal that failed.
int DeleteLoginItems(const std::string& name);

// Desktop-entry value escaping (\s \n \t \r \\) and Exec= argument quoting, exposed for tests.
std::string EscapeDesktopValue(const std::string& text);
std::string UnescapeDesktopValue(const std::string& text);
std::string QuoteExecArgument(const std::string& argument);
std::vector<std::string> SplitExecLine(const std::string& exec);

}  // namespace platform
