// One event handler installed on one target at most, removed at most once: what the event
// handler bases share.
#pragma once

#include <cstddef>

#include "platform/event_loop.h"

namespace brek {

class HandlerInstallation {
 public:
  HandlerInstallation() = default;
  ~HandlerInstallation() { Remove(); }
  HandlerInstallation(const HandlerInstallation&) = delete;
  HandlerInstallation& operator=(const HandlerInstallation&) = delete;

  // 0 and nothing done when installed already.
  platform::OSStatus Install(platform::EventTargetRef target, platform::EventHandlerUPP callback,
                             size_t typeCount, const platform::EventTypeSpec* types,
                             void* userData) {
    if (handler_ != nullptr) return platform::noErr;
    return platform::InstallEventHandler(target, callback, typeCount, types, userData, &handler_);
  }

  // 0 when not installed; the reference is kept when the removal fails, to try again.
  platform::OSStatus Remove() {
    if (handler_ == nullptr) return platform::noErr;
    platform::OSStatus status = platform::RemoveEventHandler(handler_);
    if (status == platform::noErr) handler_ = nullptr;
    return status;
  }

 private:
  platform::EventHandlerRef handler_ = nullptr;
};

}  // namespace brek
