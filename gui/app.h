// The preferences program's application object: its interface file, its menu bar and the
// application-level commands.
#pragma once

#include "gui/prefs_window.h"
#include "platform/ui/nib.h"
#include "toolkit/command_handler.h"

namespace brek::zomelo {

// The product's web page.
const char* WebPageAddress();

class App : private CarbonCommandHandler {
 public:
  App();  // opens the nib "main"
  ~App() override;

  // Sets up the menu bar and the command handler, shows the preferences window and runs the
  // event loop until the program quits; 0.
  int Run();

 private:
  platform::OSStatus ProcessCommand(const platform::HICommand& command) override;
  platform::OSStatus UpdateCommandStatus(const platform::HICommand& command) override;

  // Opened before the window is built from it, disposed after the window is gone.
  struct NibReference {
    NibReference();
    ~NibReference();
    platform::IBNibRef nib = nullptr;
  } nib_;
  PrefsWindow prefsWindow_;
};

}  // namespace brek::zomelo
