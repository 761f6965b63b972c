#include "platform/event_loop.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/event_constants.h"
#include "platform/hi_command.h"

namespace platform {
namespace {

struct Seen {
  std::vector<std::string> calls;
  OSStatus answer = eventNotHandledErr;
};

template <int kTag>
OSStatus Recorder(EventHandlerCallRef, EventRef event, void* data) {
  auto* seen = static_cast<Seen*>(data);
  seen->calls.push_back(std::to_string(kTag) + ":" + std::to_string(event->kind()));
  return seen->answer;
}

const EventTypeSpec kTestTypes[] = {{FourCC("test"), 1}, {FourCC("test"), 2}};

TEST(EventLoop, UnhandledEventsTravelFromWindowToApplication) {
  Seen window, application;
  EventHandlerRef appRef = nullptr, windowRef = nullptr;
  ASSERT_EQ(InstallEventHandler(GetApplicationEventTarget(), Recorder<1>, 2, kTestTypes,
                                &application, &appRef),
            noErr);
  EventTargetRef target = CreateEventTarget(nullptr);
  ASSERT_EQ(InstallEventHandler(target, Recorder<2>, 1, kTestTypes, &window, &windowRef), noErr);

  Event first(FourCC("test"), 1);
  EXPECT_EQ(SendEventToEventTarget(&first, target), eventNotHandledErr);
  EXPECT_EQ(window.calls, std::vector<std::string>{"2:1"});
  EXPECT_EQ(application.calls, std::vector<std::string>{"1:1"});

  window.answer = noErr;  // the window takes it now: the application never sees it
  EXPECT_EQ(SendEventToEventTarget(&first, target), noErr);
  EXPECT_EQ(application.calls.size(), 1u);

  Event second(FourCC("test"), 2);  // the window handler did not ask for kind 2
  application.answer = 7;
  EXPECT_EQ(SendEventToEventTarget(&second, target), 7);
  EXPECT_EQ(window.calls.size(), 2u);

  EXPECT_EQ(RemoveEventHandler(windowRef), noErr);
  EXPECT_EQ(RemoveEventHandler(windowRef), paramErr);
  DisposeEventTarget(target);
  EXPECT_EQ(RemoveEventHandler(appRef), noErr);
}

TEST(EventLoop, NewestHandlerOnATargetComesFirst) {
  Seen older, newer;
  EventHandlerRef a = nullptr, b = nullptr;
  InstallEventHandler(GetApplicationEventTarget(), Recorder<1>, 1, kTestTypes, &older, &a);
  InstallEventHandler(GetApplicationEventTarget(), Recorder<2>, 1, kTestTypes, &newer, &b);
  newer.answer = noErr;
  Event event(FourCC("test"), 1);
  EXPECT_EQ(SendEventToEventTarget(&event, GetApplicationEventTarget()), noErr);
  EXPECT_TRUE(older.calls.empty());
  EXPECT_EQ(newer.calls.size(), 1u);
  RemoveEventHandler(a);
  RemoveEventHandler(b);
}

TEST(EventLoop, EveryStandardQuitEndsTheLoop) {
  auto quitEvent = [] { return CreateEvent(kEventClassApplication, kEventAppQuit); };
  auto quitCommand = [] {
    auto event = CreateEvent(kEventClassCommand, kEventCommandProcess);
    HICommand command{};
    command.commandID = kHICommandQuit;
    event->SetParameter(kEventParamDirectObject, typeHICommand, sizeof command, &command);
    return event;
  };
  auto quitMessage = [] {
    auto event = CreateEvent(kEventClassAppleEvent, kEventAppleEvent);
    uint32_t cls = kCoreEventClass, id = kAEQuitApplication;
    event->SetParameter(kEventParamAEEventClass, typeType, 4, &cls);
    event->SetParameter(kEventParamAEEventID, typeType, 4, &id);
    return event;
  };
  for (auto make : {+quitEvent, +quitCommand, +quitMessage}) {
    std::thread poster([&] {
      PostEventToQueue(GetMainEventQueue(), make(), kEventPriorityStandard);
    });
    RunApplicationEventLoop();  // returns only once the quit was handled
    poster.join();
  }
}

TEST(EventLoop, AHandlerThatTakesTheQuitKeepsTheLoopRunning) {
  ClearQuitRequest();
  Seen taker;
  taker.answer = noErr;
  const EventTypeSpec quit[] = {{kEventClassApplication, kEventAppQuit}};
  EventHandlerRef ref = nullptr;
  InstallEventHandler(GetApplicationEventTarget(), Recorder<1>, 1, quit, &taker, &ref);
  PostEventToQueue(GetMainEventQueue(), CreateEvent(kEventClassApplication, kEventAppQuit), 1);
  ProcessPendingEvents(1000);
  EXPECT_FALSE(QuitRequested());
  EXPECT_EQ(taker.calls.size(), 1u);
  RemoveEventHandler(ref);
}

TEST(EventLoop, ParametersAreTyped) {
  Event event(kEventClassApplication, kEventAppTerminated);
  uint32_t value = 42, out = 0;
  EXPECT_EQ(event.GetParameter(kEventParamProcessID, typeType, 4, &out), eventParameterNotFoundErr);
  event.SetParameter(kEventParamAEEventID, typeType, 4, &value);
  EXPECT_EQ(event.GetParameter(kEventParamAEEventID, typeProcessSerialNumber, 4, &out),
            eventParameterNotFoundErr);
  EXPECT_EQ(event.GetParameter(kEventParamAEEventID, typeType, 2, &out), paramErr);
  EXPECT_EQ(event.GetParameter(kEventParamAEEventID, typeType, 4, &out), noErr);
  EXPECT_EQ(out, 42u);
}

}  // namespace
}  // namespace platform
