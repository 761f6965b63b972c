// A base that turns the command events of an event target (menu choices, control commands,
// menu-item status requests) into virtual calls.
#pragma once

#include "platform/event_loop.h"
#include "platform/hi_command.h"
#include "platform/window.h"
#include "toolkit/handler_installation.h"

namespace brek {

class CarbonCommandHandler {
 public:
  CarbonCommandHandler();
  virtual ~CarbonCommandHandler();  // removes the handler first
  CarbonCommandHandler(const CarbonCommandHandler&) = delete;
  CarbonCommandHandler& operator=(const CarbonCommandHandler&) = delete;

  // Installs on `target` for ('cmds', process) and ('cmds', update status); 0 and nothing
  // done when installed already.
  platform::OSStatus Install(platform::EventTargetRef target);
  platform::OSStatus InstallOnApplication();
  platform::OSStatus InstallOnWindow(platform::WindowRef window);
  // 0 when not installed; the reference is kept when the removal fails, to try again.
  platform::OSStatus Remove();

 protected:
  // eventNotHandledErr passes the command on to the next target. The defaults take every
  // command as handled.
  virtual platform::OSStatus ProcessCommand(const platform::HICommand& command);
  virtual platform::OSStatus UpdateCommandStatus(const platform::HICommand& command);

 private:
  static platform::OSStatus Dispatch(platform::EventHandlerCallRef call, platform::EventRef event,
                                     void* self);

  HandlerInstallation installation_;
  platform::EventHandlerUPP callback_;
};

}  // namespace brek
