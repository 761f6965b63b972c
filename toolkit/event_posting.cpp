#include "toolkit/event_posting.h"

#include "platform/event_constants.h"
#include "platform/event_loop.h"
#include "platform/hi_command.h"

namespace brek {

using platform::OSStatus;

OSStatus PostEvent(uint32_t eventClass, uint32_t kind) {
  auto event = platform::CreateEvent(eventClass, kind);
  return platform::PostEventToQueue(platform::GetMainEventQueue(), std::move(event),
                                    platform::kEventPriorityStandard);
}

OSStatus PostCommand(uint32_t commandID) {
  auto event = platform::CreateEvent(platform::kEventClassCommand, platform::kEventCommandProcess);
  platform::HICommand command{};
  command.commandID = commandID;
  if (OSStatus status = event->SetParameter(platform::kEventParamDirectObject,
                                            platform::typeHICommand, sizeof command, &command)) {
    return status;
  }
  return platform::PostEventToQueue(platform::GetMainEventQueue(), std::move(event),
                                    platform::kEventPriorityStandard);
}

}  // namespace brek
