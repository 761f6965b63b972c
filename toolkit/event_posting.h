// Posting to the program's own main event queue, from any thread.
#pragma once

#include <cstdint>

#include "platform/status.h"

namespace brek {

// Posts a parameterless event of `eventClass` and `kind`; the status of the first failing step.
platform::OSStatus PostEvent(uint32_t eventClass, uint32_t kind);

// Posts the command `commandID` as ('cmds', kEventCommandProcess) with a direct object HICommand
// that carries no menu.
platform::OSStatus PostCommand(uint32_t commandID);

}  // namespace brek
