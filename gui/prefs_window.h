// The preferences window: the engine switch, the log path and the search folder; choosing a
// new folder stores "SearchPath" and tells the engine; closing the window quits the program.
#pragma once

#include "gui/file_dialog.h"
#include "gui/native_window.h"
#include "platform/ui/nib.h"
#include "toolkit/command_handler.h"
#include "toolkit/hide_on_close.h"
#include "toolkit/preferences.h"

namespace brek::zomelo {

inline constexpr const char* kEngineIdentifier = "com.ashgrove.zomelo.harkwell.engine";

// Control numbers under 'BREK' and the commands of the window.
inline constexpr int kEngineSwitchControl = 1;
inline constexpr int kLogPathControl = 2;
inline constexpr int kSearchFolderControl = 3;

class PrefsWindow : private NativeWindow,
                    private CarbonCommandHandler,
                    private CarbonHideOnClose,
                    private FileDialog {
 public:
  // Reads nothing and shows nothing yet; `nib` stays the caller's.
  PrefsWindow(platform::IBNibRef nib, const char* windowName);
  ~PrefsWindow() override;

  // Builds the window and fills its controls, the first time only.
  void Prepare();
  void Show();

 private:
  platform::OSStatus ProcessCommand(const platform::HICommand& command) override;
  platform::OSStatus UpdateCommandStatus(const platform::HICommand& command) override;
  void WindowHidden() override;
  int ItemChosen(const char* path) override;

  void ChooseSearchFolder();
  void ViewLog();

  platform::IBNibRef nib_;
  const char* windowName_;
  int prepared_ = 0;
  char logPath_[1024] = "";
  char searchFolder_[1024] = "";
  Preferences preferences_;
};

}  // namespace brek::zomelo
