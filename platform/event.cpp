#include "platform/event.h"

#include <cstring>

namespace platform {

OSStatus Event::SetParameter(uint32_t name, uint32_t type, size_t size, const void* data) {
  if (size > 0 && data == nullptr) return paramErr;
  const auto* first = static_cast<const unsigned char*>(data);
  std::vector<unsigned char> bytes(first, first + size);
  for (auto& parameter : parameters_) {
    if (parameter.name == name) {
      parameter.type = type;
      parameter.bytes = std::move(bytes);
      return noErr;
    }
  }
  parameters_.push_back(Parameter{name, type, std::move(bytes)});
  return noErr;
}

OSStatus Event::GetParameter(uint32_t name, uint32_t type, size_t size, void* out) const {
  for (const auto& parameter : parameters_) {
    if (parameter.name != name) continue;
    if (parameter.type != type) return eventParameterNotFoundErr;
    if (parameter.bytes.size() != size || out == nullptr) return paramErr;
    if (size > 0) std::memcpy(out, parameter.bytes.data(), size);
    return noErr;
  }
  return eventParameterNotFoundErr;
}

std::unique_ptr<Event> CreateEvent(uint32_t eventClass, uint32_t kind) {
  return std::make_unique<Event>(eventClass, kind);
}

}  // namespace platform
