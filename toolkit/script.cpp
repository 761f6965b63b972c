#include "toolkit/script.h"

#include <cstring>
#include <string>

namespace brek {

namespace {

platform::ComponentInstance gComponent = nullptr;

}  // namespace

platform::OSStatus OpenScriptingComponent() {
  if (gComponent == nullptr) {
    gComponent = platform::OpenDefaultComponent(platform::kOSAComponentType,
                                                platform::kAppleScriptSubtype);
  }
  return gComponent != nullptr ? platform::noErr : -1;
}

platform::OSStatus Script::Compile(const char* text, size_t length) {
  if (id_ != platform::kOSANullScript) return -1;
  if (platform::OSStatus status = OpenScriptingComponent()) return status;
  return platform::OSACompile(gComponent, text, length, platform::kOSAModeNull, &id_);
}

platform::OSStatus Script::Compile(const char* text) {
  return Compile(text, text != nullptr ? strlen(text) : 0);
}

platform::OSStatus Script::Execute() {
  if (gComponent == nullptr || id_ == platform::kOSANullScript) return -1;
  platform::OSAID result = platform::kOSANullScript;
  platform::OSStatus status = platform::OSAExecute(gComponent, id_, platform::kOSANullScript,
                                                   platform::kOSAModeNull, &result);
  platform::OSADispose(gComponent, result);
  return status;
}

platform::OSStatus Script::ExecuteAndDisplay(char* buffer, size_t size) {
  if (gComponent == nullptr || id_ == platform::kOSANullScript) return -1;
  platform::OSAID result = platform::kOSANullScript;
  platform::OSStatus status = platform::OSAExecute(gComponent, id_, platform::kOSANullScript,
                                                   platform::kOSAModeNull, &result);
  if (status != platform::noErr) return status;
  std::string text;
  status = platform::OSADisplay(gComponent, result, platform::kOSAModeNull, &text);
  platform::OSADispose(gComponent, result);
  if (status != platform::noErr) return status;
  if (buffer == nullptr || size == 0 || text.size() > size - 1) return -1;
  memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return platform::noErr;
}

platform::OSStatus Script::Dispose() {
  if (gComponent == nullptr) return -1;
  if (id_ != platform::kOSANullScript) platform::OSADispose(gComponent, id_);
  id_ = platform::kOSANullScript;
  return platform::noErr;
}

}  // namespace brek
