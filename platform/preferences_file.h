// Per-user named values in domains named by application identifier, shared between programs.
//
// Each domain is one JSON object in $HOME/Library/Preferences/<domain>.json. Writes stay in this
// process until AppSynchronize, which merges them into the file under a lock and replaces the
// file atomically, and then takes in what other programs wrote. A file that does not parse is
// moved aside to "<name>.corrupt-<time>" and the domain starts empty. Thread-safe.
#pragma once

#include <optional>
#include <string>
#include <variant>

namespace platform {

// A stored value: text, a number, a truth value, or a value of a type the programs do not use.
struct OtherPreferenceType {
  bool operator==(const OtherPreferenceType&) const = default;
};
using PreferenceValue = std::variant<std::string, double, bool, OtherPreferenceType>;

// The value of `key` in `domain` as this process last saw or wrote it; the file is read on
// first use of a domain.
std::optional<PreferenceValue> CopyAppValue(const std::string& key, const std::string& domain);

// Sets (or, with no value, removes) `key` in this process; AppSynchronize publishes it.
void SetAppValue(const std::string& key, const std::optional<PreferenceValue>& value,
                 const std::string& domain);

// Publishes this process's writes to `domain` and reads the others'. false when the file could
// not be read, locked or written.
bool AppSynchronize(const std::string& domain);

// The domain of the running program: its bundle identifier, else its executable's name.
std::string CurrentApplicationDomain();

}  // namespace platform
