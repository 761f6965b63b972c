#include "toolkit/event_posting.h"

#include <gtest/gtest.h>

#include <thread>

#include "platform/event_constants.h"
#include "platform/event_loop.h"
#include "platform/hi_command.h"

namespace brek {
namespace {

using namespace platform;

TEST(EventPosting, QuitCommandEndsTheLoop) {
  ASSERT_EQ(PostCommand(kHICommandQuit), noErr);
  RunApplicationEventLoop();
}

TEST(EventPosting, QuitEventFromAnotherThreadEndsTheLoopOnTheMainThread) {
  std::thread worker([] { PostEvent(kEventClassApplication, kEventAppQuit); });
  RunApplicationEventLoop();
  worker.join();
}

OSStatus TakeCommand(EventHandlerCallRef, EventRef event, void* data) {
  HICommand command{};
  OSStatus status =
      event->GetParameter(kEventParamDirectObject, typeHICommand, sizeof command, &command);
  if (status == noErr) *static_cast<HICommand*>(data) = command;
  return status;
}

TEST(EventPosting, ACommandCarriesItsIdAndNoMenu) {
  HICommand seen{};
  seen.menu.menuItemIndex = 9;
  const EventTypeSpec types[] = {{kEventClassCommand, kEventCommandProcess}};
  EventHandlerRef ref = nullptr;
  InstallEventHandler(GetApplicationEventTarget(), TakeCommand, 1, types, &seen, &ref);
  ASSERT_EQ(PostCommand(FourCC("pref")), noErr);
  ProcessPendingEvents(1000);
  EXPECT_EQ(seen.commandID, FourCC("pref"));
  EXPECT_EQ(seen.menu.menuRef, nullptr);
  EXPECT_EQ(seen.menu.menuItemIndex, 0);
  RemoveEventHandler(ref);
}

}  // namespace
}  // namespace brek
