// Where the pointer is and whether a key is held, for the user-activity gate.
#pragma once

#include <cstdint>

namespace platform {

struct PointerAndKeys {
  int16_t h, v;  // pointer position on the screen
  bool keyDown;  // any key but Caps Lock is down
};

// From the X display in $DISPLAY when one is reachable; without one the user counts as idle
// (pointer at 0,0, no key down). The display connection is opened once and kept.
PointerAndKeys ReadPointerAndKeys();

}  // namespace platform
