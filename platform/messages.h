// One-way messages between programs of one user, addressed by the receiver's four-character
// signature. A received message arrives on the main queue as an ('eppc', kEventAppleEvent)
// event with kEventParamAEEventClass and kEventParamAEEventID (typeType).
#pragma once

#include <cstdint>

#include "platform/status.h"

namespace platform {

// Sends (eventClass, eventID) to the running program that has `signature`. 0 once delivered
// to its socket; procNotFound at once when no program of that signature runs; otherwise an
// errno value.
OSStatus SendMessage(uint32_t signature, uint32_t eventClass, uint32_t eventID);

// Starts receiving messages for `signature` on the event loop. A socket left by a program that
// no longer runs is replaced; one held by a running program is left to it (EADDRINUSE).
int StartReceivingMessages(uint32_t signature);
void StopReceivingMessages();

}  // namespace platform
