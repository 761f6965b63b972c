#include "toolkit/command_handler.h"

#include "platform/event_constants.h"

namespace brek {

using namespace platform;

CarbonCommandHandler::CarbonCommandHandler() : callback_(NewEventHandlerUPP(Dispatch)) {}

CarbonCommandHandler::~CarbonCommandHandler() {
  Remove();
  DisposeEventHandlerUPP(callback_);
}

OSStatus CarbonCommandHandler::Install(EventTargetRef target) {
  static const EventTypeSpec kTypes[] = {{kEventClassCommand, kEventCommandProcess},
                                         {kEventClassCommand, kEventCommandUpdateStatus}};
  return installation_.Install(target, callback_, 2, kTypes, this);
}

OSStatus CarbonCommandHandler::InstallOnApplication() {
  return Install(GetApplicationEventTarget());
}

OSStatus CarbonCommandHandler::InstallOnWindow(WindowRef window) {
  return Install(GetWindowEventTarget(window));
}

OSStatus CarbonCommandHandler::Remove() { return installation_.Remove(); }

OSStatus CarbonCommandHandler::ProcessCommand(const HICommand&) { return noErr; }
OSStatus CarbonCommandHandler::UpdateCommandStatus(const HICommand&) { return noErr; }

OSStatus CarbonCommandHandler::Dispatch(EventHandlerCallRef, EventRef event, void* self) {
  if (event->eventClass() != kEventClassCommand) return eventNotHandledErr;
  const uint32_t kind = event->kind();
  if (kind != kEventCommandProcess && kind != kEventCommandUpdateStatus) {
    return eventNotHandledErr;
  }
  HICommand command{};
  if (OSStatus status =
          event->GetParameter(kEventParamDirectObject, typeHICommand, sizeof command, &command)) {
    return status;
  }
  auto* handler = static_cast<CarbonCommandHandler*>(self);
  return kind == kEventCommandProcess ? handler->ProcessCommand(command)
                                      : handler->UpdateCommandStatus(command);
}

}  // namespace brek
