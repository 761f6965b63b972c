// Typed access to one preferences domain, shared by the engine and the preferences program.
#pragma once

#include <cstddef>
#include <string>

namespace brek {

// The preference keys, the complete list.
inline constexpr const char* kSearchPathKey = "SearchPath";  // POSIX path of the music folder

// Every failure throws a long with the value -1. One thread at a time per store.
class Preferences {
 public:
  // The running program's own domain.
  Preferences();
  // The domain `identifier`; null gives the running program's own domain.
  explicit Preferences(const char* identifier);
  // Synchronizes once more; a failure then is dropped.
  ~Preferences();
  Preferences(const Preferences&) = delete;
  Preferences& operator=(const Preferences&) = delete;

  // Publishes this program's writes and sees the other program's.
  void Synchronize();
  // Stores `value` under `key` in this program until the next Synchronize.
  void SetString(const char* key, const char* value);
  // Copies the string under `key`, NUL-terminated, into `buffer`. Throws when it is missing, is
  // not a string, or does not fit with its NUL; the buffer is then undefined.
  void GetString(const char* key, char* buffer, size_t size);

 private:
  std::string domain_;
};

}  // namespace brek
