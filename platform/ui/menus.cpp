#include "platform/ui/menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "platform/event_constants.h"
#include "platform/ui/qt_support.h"

namespace platform {

namespace {

QMenu* MenuOf(MenuRef menu) { return static_cast<QMenu*>(menu); }

QAction* ItemOf(MenuRef menu, MenuItemIndex item) {
  if (menu == nullptr || item == 0) return nullptr;
  const QList<QAction*> actions = MenuOf(menu)->actions();
  return item <= actions.size() ? actions[item - 1] : nullptr;
}

// The menus to search: `menu`, or every menu of the menu bar.
QList<QMenu*> MenusToSearch(MenuRef menu) {
  if (menu != nullptr) return {MenuOf(menu)};
  QMenuBar* bar = ui::ApplicationMenuBar();
  return bar != nullptr ? bar->findChildren<QMenu*>() : QList<QMenu*>{};
}

}  // namespace

void EnableMenuCommand(MenuRef menu, uint32_t commandID) {
  for (QMenu* m : MenusToSearch(menu)) {
    for (QAction* action : m->actions()) {
      if (ui::CommandOf(action) == commandID) action->setEnabled(true);
    }
  }
}

OSStatus GetIndMenuItemWithCommandID(MenuRef menu, uint32_t commandID, uint32_t index,
                                     MenuRef* outMenu, MenuItemIndex* outIndex) {
  uint32_t seen = 0;
  for (QMenu* m : MenusToSearch(menu)) {
    const QList<QAction*> actions = m->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
      if (ui::CommandOf(actions[i]) != commandID || ++seen != index) continue;
      if (outMenu) *outMenu = m;
      if (outIndex) *outIndex = static_cast<MenuItemIndex>(i + 1);
      return noErr;
    }
  }
  return errMenuItemNotFound;
}

OSStatus SetMenuItemCommandKey(MenuRef menu, MenuItemIndex item, bool virtualKey, uint16_t key) {
  QAction* action = ItemOf(menu, item);
  if (action == nullptr) return errMenuItemNotFound;
  if (virtualKey || key == 0) return paramErr;
  action->setShortcut(QKeySequence(QStringLiteral("Ctrl+") + QChar(key)));
  return noErr;
}

void EnableMenuItem(MenuRef menu, MenuItemIndex item) {
  if (QAction* action = ItemOf(menu, item)) action->setEnabled(true);
}

void DisableMenuItem(MenuRef menu, MenuItemIndex item) {
  if (QAction* action = ItemOf(menu, item)) action->setEnabled(false);
}

bool IsMenuItemEnabled(MenuRef menu, MenuItemIndex item) {
  QAction* action = ItemOf(menu, item);
  return action != nullptr && action->isEnabled();
}

void UpdateMenuItems(MenuRef menu) {
  if (menu == nullptr) return;
  const QList<QAction*> actions = MenuOf(menu)->actions();
  for (qsizetype i = 0; i < actions.size(); ++i) {
    const uint32_t command = ui::CommandOf(actions[i]);
    if (command == 0) continue;
    const HICommand record{0, command, {menu, static_cast<MenuItemIndex>(i + 1)}};
    ui::SendCommandEvent(kEventCommandUpdateStatus, record, GetUserFocusTarget());
  }
}

}  // namespace platform
