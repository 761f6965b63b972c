// A menu or control command: its ID and, when it came from a menu, the item it came from.
#pragma once

#include <cstdint>

namespace platform {

using MenuRef = void*;
using MenuItemIndex = uint16_t;

struct HICommand {
  uint32_t attributes;
  uint32_t commandID;
  struct {
    MenuRef menuRef;
    MenuItemIndex menuItemIndex;
  } menu;
};

}  // namespace platform
