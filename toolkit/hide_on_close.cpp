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
  if (handler_ != nullptr) return noErr;
  static const EventTypeSpec kTypes[] = {{kEventClassWindow, kEventWindowClose}};
  return InstallEventHandler(GetWindowEventTarget(window), callback_, 1, kTypes, this, &handler_);
}

OSStatus CarbonHideOnClose::Remove() {
  if (handler_ == nullptr) return noErr;
  OSStatus status = RemoveEventHandler(handler_);
  if (status == noErr) handler_ = nullptr;
  return status;
}

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
