#include "gui/prefs_window.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gui/controls.h"
#include "gui/engine_control.h"
#include "platform/event_constants.h"
#include "platform/ui/menus.h"
#include "toolkit/apple_events.h"
#include "toolkit/event_posting.h"

namespace brek::zomelo {

namespace {

constexpr uint32_t kEngineSwitchCommand = platform::FourCC("ENQB");
constexpr uint32_t kChooseFolderCommand = platform::FourCC("SPTH");
constexpr uint32_t kViewLogCommand = platform::FourCC("VWLG");
constexpr uint32_t kCloseCommand = platform::FourCC("clos");
constexpr uint32_t kEngineSignature = platform::FourCC("#BRk");
constexpr uint32_t kRescanClass = platform::FourCC("BREK");
constexpr uint32_t kRescanID = platform::FourCC("HUP ");

const char* Home() {
  const char* home = getenv("HOME");
  return home != nullptr ? home : "";
}

}  // namespace

PrefsWindow::PrefsWindow(platform::IBNibRef nib, const char* windowName)
    : preferences_(kEngineIdentifier) {
  nib_ = nib;
  windowName_ = windowName;
  prepared_ = 0;
}

// The store goes first (it synchronises once more), then the bases in reverse order.
PrefsWindow::~PrefsWindow() = default;

void PrefsWindow::Prepare() {
  if (prepared_) return;
  CreateFromNib(nib_, windowName_);
  CarbonHideOnClose::InstallOnWindow(window());
  CarbonCommandHandler::InstallOnWindow(window());

  ControlSetValue(GetControl(window(), kEngineSwitchControl), IsLoginItem(kEngineName) ? 1 : 0);

  snprintf(logPath_, sizeof logPath_, "%s/Library/Logs", Home());
  const size_t used = strlen(logPath_);
  snprintf(logPath_ + used, sizeof logPath_ - used, "/Harkwell.log");
  ControlSetText(GetControl(window(), kLogPathControl), logPath_);

  try {
    preferences_.GetString(kSearchPathKey, searchFolder_, sizeof searchFolder_);
  } catch (...) {
    snprintf(searchFolder_, sizeof searchFolder_, "%s/Music", Home());
  }
  ControlSetText(GetControl(window(), kSearchFolderControl), searchFolder_);
  prepared_ = 1;
}

void PrefsWindow::Show() {
  Prepare();
  NativeWindow::Show(true);
}

platform::OSStatus PrefsWindow::ProcessCommand(const platform::HICommand& command) {
  switch (command.commandID) {
    case kEngineSwitchCommand:
      SetEngineEnabled(ControlGetBool(GetControl(window(), kEngineSwitchControl)));
      return platform::noErr;
    case kChooseFolderCommand:
      ChooseSearchFolder();
      return platform::noErr;
    case kViewLogCommand:
      ViewLog();
      return platform::noErr;
    default:
      return platform::eventNotHandledErr;
  }
}

platform::OSStatus PrefsWindow::UpdateCommandStatus(const platform::HICommand& command) {
  if (command.commandID != kCloseCommand) return platform::eventNotHandledErr;
  platform::EnableMenuItem(command.menu.menuRef, command.menu.menuItemIndex);
  return platform::noErr;
}

void PrefsWindow::WindowHidden() { PostCommand(platform::kHICommandQuit); }

void PrefsWindow::ChooseSearchFolder() {
  SetModality(platform::kWindowModalityWindowModal, *this);
  SetDefaultLocation(searchFolder_);
  ChooseFolder();
}

void PrefsWindow::ViewLog() { ViewLogFile(logPath_); }

int PrefsWindow::ItemChosen(const char* path) {
  if (strcmp(path, searchFolder_) == 0) return 0;
  // A folder whose path does not fit is neither shown cut nor stored where the engine could
  // not read it back.
  if (strlen(path) >= sizeof searchFolder_) return 0;
  snprintf(searchFolder_, sizeof searchFolder_, "%s", path);
  ControlSetText(GetControl(window(), kSearchFolderControl), searchFolder_);
  try {
    preferences_.SetString(kSearchPathKey, path);
    preferences_.Synchronize();
    if (ControlGetBool(GetControl(window(), kEngineSwitchControl)) &&
        SendAppleEvent(kEngineSignature, kRescanClass, kRescanID) != 0) {
      LaunchEngine();
    }
  } catch (...) {
  }
  return 0;
}

}  // namespace brek::zomelo
