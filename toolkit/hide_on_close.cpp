#include "toolkit/hide_on_close.h"

#include "platform/event_constants.h"
#include "platform/window.h"

namespace brek {

using namespace platform;

CarbonHideOnClose::CarbonHideOnClose() : callback_(NewEventHandlerUPP(Dispatch)) {}

CarbonHideOnClose::~CarbonHideOnClose() {
  Remove();
  DisposeEventHandlerUPP(callback_);
}

OSStatus CarbonHideOnClose::InstallOnWindow(WindowRef window) {
  static const EventTypeSpec kTypes[] = {{kEventClassWindow, kEventWindowClose}};
  return installation_.Install(GetWindowEventTarget(window), callback_, 1, kTypes, this);
}

OSStatus CarbonHideOnClose::Remove() { return installation_.Remove(); }

void CarbonHideOnClose::WindowHidden() {}

OSStatus CarbonHideOnClose::Dispatch(EventHandlerCallRef, EventRef event, void* self) {
  if (event->eventClass() != kEventClassWindow || event->kind() != kEventWindowClose) {
    return eventNotHandledErr;
  }
  WindowRef window = nullptr;
  if (OSStatus status =
          event->GetParameter(kEventParamDirectObject, typeWindowRef, sizeof window, &window)) {
    return status;
  }
  HideWindow(window);
  static_cast<CarbonHideOnClose*>(self)->WindowHidden();
  return noErr;  // consumed: the window is not disposed
}

}  // namespace brek
