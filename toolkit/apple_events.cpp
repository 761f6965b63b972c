#include "toolkit/apple_events.h"

#include "platform/launch.h"
#include "platform/messages.h"

namespace brek {

platform::OSStatus SendAppleEvent(uint32_t signature, uint32_t eventClass, uint32_t eventID) {
  return platform::SendMessage(signature, eventClass, eventID);
}

platform::OSStatus OpenPath(const char* path) { return platform::OpenPath(path); }

}  // namespace brek
