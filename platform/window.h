// A window as the event services see it: an event target of its own (whose unhandled events
// go on to the application target) and the toolkit's widget behind it. The GUI's ui module
// makes and disposes windows; code without the toolkit can still show and hide them.
#pragma once

#include "platform/event_loop.h"

namespace platform {

struct WindowRecord {
  EventTargetRef target = nullptr;
  void* native = nullptr;                                  // the toolkit's widget
  void (*setVisible)(WindowRecord*, bool shown) = nullptr;  // set by the ui module
};
using WindowRef = WindowRecord*;

inline EventTargetRef GetWindowEventTarget(WindowRef window) {
  return window != nullptr ? window->target : nullptr;
}

inline void ShowWindow(WindowRef window) {
  if (window != nullptr && window->setVisible != nullptr) window->setVisible(window, true);
}

inline void HideWindow(WindowRef window) {
  if (window != nullptr && window->setVisible != nullptr) window->setVisible(window, false);
}

}  // namespace platform
