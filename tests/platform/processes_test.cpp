#include "platform/processes.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "platform/event_constants.h"
#include "platform/event_loop.h"
#include "tests/support/temp_home.h"

namespace platform {
namespace {

// A child that registers under `signature` and lives until the returned pipe is closed.
pid_t StartRegisteredChild(uint32_t signature, int* release) {
  int toChild[2], ready[2];
  if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(ready, O_CLOEXEC) != 0) return -1;
  pid_t pid = fork();
  if (pid == 0) {
    close(toChild[1]);
    close(ready[0]);
    RegisterProcess(signature);
    char c = 1;
    if (write(ready[1], &c, 1) != 1) _exit(2);
    while (read(toChild[0], &c, 1) > 0) {
    }
    UnregisterProcess();
    _exit(0);
  }
  close(toChild[0]);
  close(ready[1]);
  char c;
  if (read(ready[0], &c, 1) != 1) return -1;
  close(ready[0]);
  *release = toChild[1];
  return pid;
}

std::vector<std::pair<pid_t, uint32_t>> Registered() {
  std::vector<std::pair<pid_t, uint32_t>> found;
  ProcessSerialNumber psn{0, kNoProcess};
  while (GetNextProcess(&psn) == noErr) {
    ProcessInfoRec info{};
    if (GetProcessInformation(&psn, &info) == noErr) {
      found.emplace_back(info.processID, info.processSignature);
    }
  }
  EXPECT_EQ(psn.lowLongOfPSN, kNoProcess);
  return found;
}

TEST(Processes, RegisteredProgramsAreEnumeratedWithTheirSignatures) {
  harkwell_test::TempHome home;
  EXPECT_TRUE(Registered().empty());
  ASSERT_EQ(RegisterProcess(FourCC("self")), 0);
  int release = -1;
  pid_t child = StartRegisteredChild(FourCC("MACS"), &release);
  ASSERT_GT(child, 0);
  auto found = Registered();
  EXPECT_EQ(found.size(), 2u);
  EXPECT_NE(std::find(found.begin(), found.end(), std::make_pair(getpid(), FourCC("self"))),
            found.end());
  EXPECT_NE(std::find(found.begin(), found.end(), std::make_pair(child, FourCC("MACS"))),
            found.end());
  close(release);
  waitpid(child, nullptr, 0);
  UnregisterProcess();
  EXPECT_TRUE(Registered().empty());
}

TEST(Processes, AKilledProgramsEntryIsDropped) {
  harkwell_test::TempHome home;
  int release = -1;
  pid_t child = StartRegisteredChild(FourCC("kill"), &release);
  ASSERT_GT(child, 0);
  kill(child, SIGKILL);  // leaves its entry behind
  waitpid(child, nullptr, 0);
  EXPECT_TRUE(Registered().empty());
  close(release);
}

OSStatus RecordEnd(EventHandlerCallRef, EventRef event, void* data) {
  ProcessSerialNumber psn{};
  if (event->GetParameter(kEventParamProcessID, typeProcessSerialNumber, sizeof psn, &psn) == noErr) {
    static_cast<std::vector<uint32_t>*>(data)->push_back(psn.lowLongOfPSN);
  }
  return noErr;
}

TEST(Processes, AnEndingProgramPostsAppTerminatedWithItsSerialNumber) {
  harkwell_test::TempHome home;
  std::vector<uint32_t> ended;
  const EventTypeSpec types[] = {{kEventClassApplication, kEventAppTerminated}};
  EventHandlerRef ref = nullptr;
  InstallEventHandler(GetApplicationEventTarget(), RecordEnd, 1, types, &ended, &ref);
  int earlyRelease = -1, lateRelease = -1;
  pid_t early = StartRegisteredChild(FourCC("erly"), &earlyRelease);
  StartWatchingProcesses();
  pid_t late = StartRegisteredChild(FourCC("late"), &lateRelease);  // seen through the registry
  ProcessPendingEvents(200);
  close(earlyRelease);
  close(lateRelease);
  waitpid(early, nullptr, 0);
  waitpid(late, nullptr, 0);
  for (int i = 0; i < 50 && ended.size() < 2; ++i) ProcessPendingEvents(100);
  std::sort(ended.begin(), ended.end());
  std::vector<uint32_t> expected{uint32_t(early), uint32_t(late)};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ended, expected);
  StopWatchingProcesses();
  RemoveEventHandler(ref);
}

}  // namespace
}  // namespace platform
