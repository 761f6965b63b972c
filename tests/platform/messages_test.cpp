#include "platform/messages.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/event_constants.h"
#include "platform/event_loop.h"
#include "tests/support/temp_home.h"

namespace platform {
namespace {

constexpr uint32_t kSignature = FourCC("tEsT");

struct Received {
  uint32_t cls = 0, id = 0;
  int count = 0;
};

OSStatus Receive(EventHandlerCallRef, EventRef event, void* data) {
  auto* received = static_cast<Received*>(data);
  event->GetParameter(kEventParamAEEventClass, typeType, 4, &received->cls);
  event->GetParameter(kEventParamAEEventID, typeType, 4, &received->id);
  ++received->count;
  return noErr;
}

TEST(Messages, SendingToASignatureNobodyHasFailsAtOnce) {
  harkwell_test::TempHome home;
  EXPECT_EQ(SendMessage(FourCC("none"), FourCC("BREK"), FourCC("HUP ")), procNotFound);
}

TEST(Messages, AMessageArrivesAsAnAppleEvent) {
  harkwell_test::TempHome home;
  ASSERT_EQ(StartReceivingMessages(kSignature), 0);
  Received received;
  const EventTypeSpec types[] = {{kEventClassAppleEvent, kEventAppleEvent}};
  EventHandlerRef ref = nullptr;
  InstallEventHandler(GetApplicationEventTarget(), Receive, 1, types, &received, &ref);
  EXPECT_EQ(SendMessage(kSignature, FourCC("BREK"), FourCC("HUP ")), noErr);
  EXPECT_EQ(SendMessage(kSignature, FourCC("aevt"), FourCC("odoc")), noErr);
  for (int i = 0; i < 50 && received.count < 2; ++i) ProcessPendingEvents(100);
  EXPECT_EQ(received.count, 2);
  EXPECT_EQ(received.cls, FourCC("aevt"));
  EXPECT_EQ(received.id, FourCC("odoc"));
  RemoveEventHandler(ref);
  StopReceivingMessages();
  EXPECT_EQ(SendMessage(kSignature, FourCC("BREK"), FourCC("HUP ")), procNotFound);
}

TEST(Messages, AStaleSocketIsReplacedAndALiveOneIsLeftAlone) {
  harkwell_test::TempHome home;
  // A socket bound and closed without unlinking, as a killed program leaves it.
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  char* path = address.sun_path;
  snprintf(path, sizeof address.sun_path, "%s/harkwell/%08x.sock", home.runtime().c_str(),
           kSignature);
  mkdir((home.runtime() + "/harkwell").c_str(), 0700);
  int stale = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(stale);
  EXPECT_EQ(SendMessage(kSignature, 1, 2), procNotFound);
  ASSERT_EQ(StartReceivingMessages(kSignature), 0);
  EXPECT_EQ(SendMessage(kSignature, 1, 2), noErr);
  StopReceivingMessages();

  int live = socket(AF_UNIX, SOCK_STREAM, 0);
  unlink(path);
  ASSERT_EQ(bind(live, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(listen(live, 4), 0);
  EXPECT_EQ(StartReceivingMessages(kSignature), EADDRINUSE);
  close(live);
}

}  // namespace
}  // namespace platform
