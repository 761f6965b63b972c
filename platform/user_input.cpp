#include "platform/user_input.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <cstdlib>

namespace platform {

namespace {

struct Display_ {
  Display* display = nullptr;
  int capsLock = -1;  // its keycode, ignored because it stays down while engaged
  bool tried = false;
};

Display_& TheDisplay() {
  static Display_ state;
  if (!state.tried) {
    state.tried = true;
    const char* name = getenv("DISPLAY");
    if (name != nullptr && *name != '\0') state.display = XOpenDisplay(nullptr);
    if (state.display != nullptr) state.capsLock = XKeysymToKeycode(state.display, XK_Caps_Lock);
  }
  return state;
}

}  // namespace

PointerAndKeys ReadPointerAndKeys() {
  PointerAndKeys result{0, 0, false};
  Display_& state = TheDisplay();
  if (state.display == nullptr) return result;
  Window root = DefaultRootWindow(state.display), rootReturn, child;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned mask = 0;
  if (XQueryPointer(state.display, root, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask)) {
    result.h = int16_t(rootX);
    result.v = int16_t(rootY);
  }
  char keys[32] = {};
  XQueryKeymap(state.display, keys);
  if (state.capsLock > 0 && state.capsLock < 256) {
    keys[state.capsLock / 8] = char(keys[state.capsLock / 8] & ~(1 << (state.capsLock % 8)));
  }
  for (char byte : keys) result.keyDown = result.keyDown || byte != 0;
  return result;
}

}  // namespace platform
