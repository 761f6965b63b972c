// A base that turns a window's close request into hiding it, and tells the derived class.
#pragma once

#include "platform/event_loop.h"
#include "platform/window.h"
#include "toolkit/handler_installation.h"

namespace brek {

class CarbonHideOnClose {
 public:
  CarbonHideOnClose();
  virtual ~CarbonHideOnClose();  // removes the handler first
  CarbonHideOnClose(const CarbonHideOnClose&) = delete;
  CarbonHideOnClose& operator=(const CarbonHideOnClose&) = delete;

  // Installs on the window's target for ('wind', close); 0 and nothing done when installed.
  platform::OSStatus InstallOnWindow(platform::WindowRef window);
  platform::OSStatus Remove();

 protected:
  // Called after the window was hidden in place of closing.
  virtual void WindowHidden();

 private:
  static platform::OSStatus Dispatch(platform::EventHandlerCallRef call, platform::EventRef event,
                                     void* self);

  HandlerInstallation installation_;
  platform::EventHandlerUPP callback_;
};

}  // namespace brek
