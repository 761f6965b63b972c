#include "toolkit/command_handler.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/event_constants.h"
#include "toolkit/hide_on_close.h"

namespace brek {
namespace {

using namespace platform;

class Recorder : public CarbonCommandHandler {
 public:
  explicit Recorder(uint32_t owned) : owned_(owned) {}
  std::vector<uint32_t> processed;

 protected:
  OSStatus ProcessCommand(const HICommand& command) override {
    if (command.commandID != owned_) return eventNotHandledErr;
    processed.push_back(command.commandID);
    return noErr;
  }

 private:
  uint32_t owned_;
};

OSStatus Send(uint32_t kind, uint32_t command, EventTargetRef target) {
  Event event(kEventClassCommand, kind);
  const HICommand record{0, command, {nullptr, 0}};
  event.SetParameter(kEventParamDirectObject, typeHICommand, sizeof record, &record);
  return SendEventToEventTarget(&event, target);
}

TEST(CommandHandler, AWindowsUnownedCommandsGoOnToTheApplication) {
  WindowRecord window{CreateEventTarget(GetApplicationEventTarget())};
  Recorder application(FourCC("appc")), windowHandler(FourCC("winc"));
  ASSERT_EQ(application.InstallOnApplication(), noErr);
  ASSERT_EQ(windowHandler.InstallOnWindow(&window), noErr);
  ASSERT_EQ(windowHandler.InstallOnWindow(&window), noErr);  // twice: still one installation
  EXPECT_EQ(Send(kEventCommandProcess, FourCC("winc"), window.target), noErr);
  EXPECT_EQ(Send(kEventCommandProcess, FourCC("appc"), window.target), noErr);
  EXPECT_EQ(Send(kEventCommandProcess, FourCC("none"), window.target), eventNotHandledErr);
  EXPECT_EQ(windowHandler.processed, std::vector<uint32_t>{FourCC("winc")});
  EXPECT_EQ(application.processed, std::vector<uint32_t>{FourCC("appc")});
  // Overriding only ProcessCommand takes every status update as handled.
  EXPECT_EQ(Send(kEventCommandUpdateStatus, FourCC("none"), window.target), noErr);
  EXPECT_EQ(windowHandler.Remove(), noErr);
  EXPECT_EQ(windowHandler.Remove(), noErr);
  EXPECT_EQ(Send(kEventCommandProcess, FourCC("winc"), window.target), eventNotHandledErr);
  DisposeEventTarget(window.target);
}

TEST(CommandHandler, ACommandWithoutItsRecordIsRefused) {
  Recorder application(FourCC("appc"));
  application.InstallOnApplication();
  Event bare(kEventClassCommand, kEventCommandProcess);
  EXPECT_EQ(SendEventToEventTarget(&bare, GetApplicationEventTarget()),
            eventParameterNotFoundErr);
}

class Hider : public CarbonHideOnClose {
 public:
  int hidden = 0;

 protected:
  void WindowHidden() override { ++hidden; }
};

TEST(HideOnClose, ACloseRequestHidesTheWindowAndIsConsumed) {
  static bool visible;
  visible = true;
  WindowRecord window{CreateEventTarget(GetApplicationEventTarget()), nullptr,
                      [](WindowRecord*, bool shown) { visible = shown; }};
  Hider hider;
  ASSERT_EQ(hider.InstallOnWindow(&window), noErr);
  Event close(kEventClassWindow, kEventWindowClose);
  WindowRef ref = &window;
  close.SetParameter(kEventParamDirectObject, typeWindowRef, sizeof ref, &ref);
  EXPECT_EQ(SendEventToEventTarget(&close, window.target), noErr);
  EXPECT_FALSE(visible);
  EXPECT_EQ(hider.hidden, 1);
  ShowWindow(&window);
  EXPECT_TRUE(visible);
  hider.Remove();
  EXPECT_EQ(SendEventToEventTarget(&close, window.target), eventNotHandledErr);
  EXPECT_EQ(hider.hidden, 1);
  DisposeEventTarget(window.target);
}

}  // namespace
}  // namespace brek
