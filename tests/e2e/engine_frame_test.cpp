// The engine's frame as a process: how it starts, takes messages and signals, and ends.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>
#include <string>

#include "platform/four_cc.h"
#include "platform/messages.h"
#include "platform/processes.h"
#include "tests/support/child_process.h"
#include "tests/support/temp_home.h"

namespace {

using harkwell_test::ChildProcess;
using harkwell_test::ReadFileText;
using harkwell_test::WaitFor;

constexpr uint32_t kFrameSignature = FourCC("HWfT");

std::string BundleProgram(const std::string& name) {
  // The engine's bundle sits in the preferences program's Resources folder.
  const std::string folder = name == "Harkwell Engine" ? "/Harkwell.app/Contents/Resources/" : "/";
  return std::string(getenv("HARKWELL_BUNDLES")) + folder + name + ".app/Contents/MacOS/" + name;
}

// A child registered under `signature` that ends when `Release` is called.
class RegisteredProgram {
 public:
  explicit RegisteredProgram(uint32_t signature) {
    int toChild[2], ready[2];
    if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(ready, O_CLOEXEC) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(toChild[1]);
      close(ready[0]);
      platform::RegisterProcess(signature);
      char c = 1;
      if (write(ready[1], &c, 1) != 1) _exit(2);
      while (read(toChild[0], &c, 1) > 0) {
      }
      platform::UnregisterProcess();
      _exit(0);
    }
    close(toChild[0]);
    close(ready[1]);
    char c;
    if (read(ready[0], &c, 1) != 1) pid_ = -1;
    close(ready[0]);
    release_ = toChild[1];
  }
  ~RegisteredProgram() { Release(); }
  void Release() {
    if (release_ < 0) return;
    close(release_);
    release_ = -1;
    waitpid(pid_, nullptr, 0);
  }

 private:
  pid_t pid_ = -1;
  int release_ = -1;
};

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    report_ = home_.root() + "/report";
    setenv("HARKWELL_FRAME_REPORT", report_.c_str(), 1);
    // The real engine's run: a lookup host that refuses at once, so it stops without waiting
    // on a name server.
    setenv("HARKWELL_LOOKUP_HOST", "127.0.0.1:1", 1);
  }

  // Starts the frame test program and waits until it can take messages.
  std::unique_ptr<ChildProcess> StartFrame(double workSeconds = 60,
                                           std::vector<std::string> arguments = {}) {
    setenv("HARKWELL_FRAME_WORK_SECONDS", std::to_string(workSeconds).c_str(), 1);
    auto program = std::make_unique<ChildProcess>(BundleProgram("Frame Test"), arguments,
                                                  home_.root() + "/output");
    EXPECT_TRUE(program->started());
    // A work that ends at once may end the program before it is seen registered.
    EXPECT_TRUE(WaitFor(10, [&] {
      return Reported("started") && (Registered() || workSeconds == 0);
    }));
    return program;
  }

  bool Registered() {
    platform::ProcessSerialNumber psn{0, platform::kNoProcess};
    while (platform::GetNextProcess(&psn) == 0) {
      platform::ProcessInfoRec info{};
      if (platform::GetProcessInformation(&psn, &info) == 0 &&
          info.processSignature == kFrameSignature) {
        return true;
      }
    }
    return false;
  }

  bool Reported(const std::string& line) {
    return ReadFileText(report_).find(line + "\n") != std::string::npos;
  }

  harkwell_test::TempHome home_;
  std::string report_;
};

TEST_F(FrameTest, TheEngineExitsZeroWhenItsWorkEndsWhateverItsArguments) {
  for (std::vector<std::string> arguments :
       {std::vector<std::string>{}, std::vector<std::string>{"-x", "--help", "/no/such"}}) {
    ChildProcess engine(BundleProgram("Harkwell Engine"), arguments, home_.root() + "/output");
    ASSERT_TRUE(engine.started());
    EXPECT_EQ(engine.Wait(30), 0) << ReadFileText(home_.root() + "/output");
  }
}

TEST_F(FrameTest, ItExitsZeroWhenItsWorkEnds) {
  auto program = StartFrame(0.5, {"ignored", "arguments"});
  EXPECT_EQ(program->Wait(30), 0);
  EXPECT_TRUE(Reported("finished"));
}

TEST_F(FrameTest, StopSignalsEndTheWorkAndThenTheProgram) {
  for (int signal : {SIGTERM, SIGINT}) {
    std::remove(report_.c_str());
    auto program = StartFrame();
    program->Signal(signal);
    EXPECT_EQ(program->Wait(30), 0) << "signal " << signal;
    EXPECT_TRUE(Reported("stopped")) << "signal " << signal;
  }
}

TEST_F(FrameTest, ASignalAfterTheWorkEndedStillEndsTheProgram) {
  // The work ends at once; the program then quits by itself or by the signal, never hangs.
  auto program = StartFrame(0);
  program->Signal(SIGTERM);
  EXPECT_EQ(program->Wait(30), 0);
}

TEST_F(FrameTest, TheQuitMessageEndsIt) {
  auto program = StartFrame();
  EXPECT_EQ(platform::SendMessage(kFrameSignature, FourCC("aevt"), FourCC("quit")), 0);
  EXPECT_EQ(program->Wait(30), 0);
  EXPECT_TRUE(Reported("stopped"));
  // Gone: a message now fails at once.
  EXPECT_NE(platform::SendMessage(kFrameSignature, FourCC("aevt"), FourCC("quit")), 0);
}

TEST_F(FrameTest, RescanMessagesArePendingRequestsAndOtherBrekMessagesAreNot) {
  auto program = StartFrame();
  EXPECT_EQ(platform::SendMessage(kFrameSignature, FourCC("BREK"), FourCC("XXXX")), 0);
  EXPECT_EQ(platform::SendMessage(kFrameSignature, FourCC("BREK"), FourCC("HUP ")), 0);
  EXPECT_EQ(platform::SendMessage(kFrameSignature, FourCC("BREK"), FourCC("HUP ")), 0);
  auto rescans = [&] {
    int total = 0;
    std::string text = ReadFileText(report_);
    for (size_t at = text.find("rescans "); at != std::string::npos;
         at = text.find("rescans ", at + 1)) {
      total += atoi(text.c_str() + at + 8);
    }
    return total;
  };
  EXPECT_TRUE(WaitFor(10, [&] { return rescans() == 2; })) << ReadFileText(report_);
  usleep(700000);
  EXPECT_EQ(rescans(), 2);
  EXPECT_EQ(program->Wait(0), -1);  // still running
  program->Signal(SIGTERM);
  EXPECT_EQ(program->Wait(30), 0);
}

TEST_F(FrameTest, TheFinderEndingQuitsItAndAnotherProgramEndingDoesNot) {
  RegisteredProgram finder(FourCC("MACS"));
  RegisteredProgram other(FourCC("othr"));
  auto program = StartFrame();
  other.Release();
  usleep(500000);
  EXPECT_EQ(program->Wait(0), -1) << ReadFileText(report_);
  finder.Release();
  EXPECT_EQ(program->Wait(30), 0);
  EXPECT_TRUE(Reported("stopped"));
}

}  // namespace
