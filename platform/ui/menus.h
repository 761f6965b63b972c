// Menu items found by their command, enabled and given keys. Before a menu opens, each of its
// items with a command gets a command-status update through the handler chain of the command
// target (the front window's target, then the application's).
#pragma once

#include <cstdint>

#include "platform/hi_command.h"
#include "platform/status.h"

namespace platform {

constexpr OSStatus errMenuItemNotFound = -5620;

// Enables every item carrying `commandID` in `menu`, or in the whole menu bar for nullptr.
void EnableMenuCommand(MenuRef menu, uint32_t commandID);
// The `index`th (from 1) item carrying `commandID` in `menu` or in the menu bar.
OSStatus GetIndMenuItemWithCommandID(MenuRef menu, uint32_t commandID, uint32_t index,
                                     MenuRef* outMenu, MenuItemIndex* outIndex);
// Gives the item the shortcut Ctrl+`key` (the desktop's Command key); `virtualKey` must be false.
OSStatus SetMenuItemCommandKey(MenuRef menu, MenuItemIndex item, bool virtualKey, uint16_t key);
void EnableMenuItem(MenuRef menu, MenuItemIndex item);
void DisableMenuItem(MenuRef menu, MenuItemIndex item);
bool IsMenuItemEnabled(MenuRef menu, MenuItemIndex item);
// Sends the command-status updates of `menu`'s items, as before it opens.
void UpdateMenuItems(MenuRef menu);

}  // namespace platform
