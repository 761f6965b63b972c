// Reaching other programs: one-way messages by creator signature, and opening by path.
#pragma once

#include <cstdint>

#include "platform/status.h"

namespace brek {

// Sends the message (eventClass, eventID) to the running program whose signature is
// `signature`, asking no reply. Non-zero when none runs or it cannot be reached.
platform::OSStatus SendAppleEvent(uint32_t signature, uint32_t eventClass, uint32_t eventID);

// Opens a POSIX path as the desktop does: starts an application bundle, opens a document.
platform::OSStatus OpenPath(const char* path);

}  // namespace brek
