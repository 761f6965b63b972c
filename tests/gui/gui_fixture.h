// A throwaway desktop for the preferences program's tests: a home with its autostart folder, a
// GUI bundle whose Resources hold a stand-in engine that notes each start, a stand-in "running
// engine" that records the messages sent to it, and a recorder in place of the desktop opener.
#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <string>
#include <utility>
#include <vector>

#include "platform/event_loop.h"
#include "platform/login_items.h"
#include "platform/window.h"
#include "tests/support/temp_home.h"

namespace harkwell_test {

class GuiFixture : public ::testing::Test {
 protected:
  GuiFixture();
  ~GuiFixture() override;

  // Handles Qt's and the platform's pending events for `seconds`, or until `done` holds.
  static bool Pump(double seconds, const std::function<bool()>& done = nullptr);

  // Makes this process answer messages to the engine's signature, as a running engine would.
  void StartRunningEngine();
  const std::vector<std::pair<uint32_t, uint32_t>>& messages() const { return messages_; }

  std::vector<platform::LoginItem> LoginItems() const;
  void AddLoginItemFile(const std::string& name, const std::string& path) const;
  // Stores "SearchPath" in the engine's preferences, as another program would.
  void StoreSearchPath(const char* path) const;
  // How often the stand-in engine bundle was started.
  int EngineStarts() const;
  // What the opener was handed, one line per call.
  std::string Opened() const;

  // The visible top-level window named `objectName`, and its platform record.
  static QWidget* TopLevel(const char* objectName);
  static platform::WindowRef WindowNamed(const char* objectName);

  TempHome home_;
  std::string guiBundle_, engineBundle_;

 private:
  static platform::OSStatus RecordMessage(platform::EventHandlerCallRef, platform::EventRef event,
                                          void* self);
  platform::EventHandlerRef handler_ = nullptr;
  std::vector<std::pair<uint32_t, uint32_t>> messages_;
};

}  // namespace harkwell_test
