#include "toolkit/preferences.h"

#include <cstring>

#include "platform/preferences_file.h"

namespace brek {

Preferences::Preferences() : Preferences(nullptr) {}

Preferences::Preferences(const char* identifier)
    : domain_(identifier ? identifier : platform::CurrentApplicationDomain()) {}

Preferences::~Preferences() {
  try {
    Synchronize();
  } catch (...) {
    // Nothing to report to: the owner is going away.
  }
}

void Preferences::Synchronize() {
  if (!platform::AppSynchronize(domain_)) throw -1L;
}

void Preferences::SetString(const char* key, const char* value) {
  platform::SetAppValue(key, platform::PreferenceValue(std::string(value ? value : "")), domain_);
}

void Preferences::GetString(const char* key, char* buffer, size_t size) {
  auto value = platform::CopyAppValue(key, domain_);
  const std::string* text = value ? std::get_if<std::string>(&*value) : nullptr;
  if (text == nullptr || buffer == nullptr || text->size() + 1 > size) throw -1L;
  std::memcpy(buffer, text->c_str(), text->size() + 1);
}

}  // namespace brek
