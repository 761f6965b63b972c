#include "gui/app.h"

#include "gui/open_url.h"
#include "platform/event_constants.h"
#include "platform/ui/menus.h"

namespace brek::zomelo {

namespace {

using platform::FourCC;

constexpr uint32_t kPreferencesCommand = FourCC("pref");
constexpr uint32_t kWebPageCommand = FourCC("ZWWW");
constexpr uint32_t kCloseCommand = FourCC("clos");
constexpr uint32_t kEditCommands[] = {FourCC("undo"), FourCC("redo"), FourCC("cut "),
                                      FourCC("copy"), FourCC("past"), FourCC("clea"),
                                      FourCC("sall")};
constexpr uint32_t kUntouched[] = {kPreferencesCommand, kWebPageCommand, FourCC("abou")};

bool OneOf(uint32_t command, const uint32_t* list, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (list[i] == command) return true;
  }
  return false;
}

}  // namespace

const char* WebPageAddress() { return "http://" HARKWELL_WEB_HOST "/zomelo/"; }

App::NibReference::NibReference() { platform::CreateNibReference("main", &nib); }
App::NibReference::~NibReference() {
  platform::DisposeNibReference(nib);
  nib = nullptr;
}

App::App() : nib_(), prefsWindow_(nib_.nib, "PrefsDialog") {}

App::~App() = default;

int App::Run() {
  if (platform::SetMenuBarFromNib(nib_.nib, "MenuBar") == platform::noErr) {
    platform::EnableMenuCommand(nullptr, kPreferencesCommand);
    platform::MenuRef menu = nullptr;
    platform::MenuItemIndex item = 0;
    if (platform::GetIndMenuItemWithCommandID(nullptr, kPreferencesCommand, 1, &menu, &item) ==
        platform::noErr) {
      platform::SetMenuItemCommandKey(menu, item, false, ',');
    }
  }
  InstallOnApplication();
  prefsWindow_.Show();
  platform::RunApplicationEventLoop();
  return 0;
}

platform::OSStatus App::ProcessCommand(const platform::HICommand& command) {
  switch (command.commandID) {
    case kPreferencesCommand:
      prefsWindow_.Show();
      return platform::noErr;
    case kWebPageCommand:
      OpenURL(WebPageAddress());
      return platform::noErr;
    default:
      return platform::eventNotHandledErr;
  }
}

platform::OSStatus App::UpdateCommandStatus(const platform::HICommand& command) {
  const uint32_t id = command.commandID;
  if (OneOf(id, kUntouched, std::size(kUntouched))) return platform::noErr;
  if (id == kCloseCommand || OneOf(id, kEditCommands, std::size(kEditCommands))) {
    platform::DisableMenuItem(command.menu.menuRef, command.menu.menuItemIndex);
  } else {
    platform::EnableMenuItem(command.menu.menuRef, command.menu.menuItemIndex);
  }
  return platform::noErr;
}

}  // namespace brek::zomelo
