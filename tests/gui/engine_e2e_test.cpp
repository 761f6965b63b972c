// The preferences window against the real engine bundle and the reference server: switching
// on starts the engine, a new folder makes it scan again, switching off ends it.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QAbstractButton>
#include <signal.h>
#include <sys/stat.h>

#include <cstdlib>
#include <sstream>

#include "gui/engine_control.h"
#include "gui/prefs_window.h"
#include "platform/four_cc.h"
#include "platform/processes.h"
#include "tests/gui/gui_fixture.h"
#include "tests/support/child_process.h"

namespace brek::zomelo {
namespace {

using harkwell_test::ReadFileText;

// Outside the 127.0.0.2-251 range the engine's process tests use.
constexpr const char* kAddress = "127.0.0.254";

pid_t RunningEnginePid() {
  platform::ProcessSerialNumber psn{0, platform::kNoProcess};
  while (platform::GetNextProcess(&psn) == platform::noErr) {
    platform::ProcessInfoRec info{};
    info.processInfoLength = sizeof info;
    if (platform::GetProcessInformation(&psn, &info) == platform::noErr &&
        info.processSignature == platform::FourCC("#BRk")) {
      return info.processID;
    }
  }
  return 0;
}

class RealEngine : public harkwell_test::GuiFixture {
 protected:
  RealEngine() {
    const std::string lookup = std::string(kAddress) + ":8080";
    server_ = std::make_unique<harkwell_test::ChildProcess>(
        HARKWELL_SERVER,
        std::vector<std::string>{"--lookup", lookup, "--listen", kAddress, "--db",
                                 home_.root() + "/server.db"},
        home_.root() + "/server.log");
    harkwell_test::WaitFor(10, [&] {
      return ReadFileText(home_.root() + "/server.log").find("ready") != std::string::npos;
    });
    setenv("HARKWELL_LOOKUP_HOST", lookup.c_str(), 1);
    SetExecutablePath((std::string(getenv("HARKWELL_BUNDLES")) +
                       "/Harkwell.app/Contents/MacOS/Harkwell")
                          .c_str());
    platform::CreateNibReference("main", &nib_);
  }
  ~RealEngine() override {
    window_.reset();
    platform::DisposeNibReference(nib_);
    if (pid_t engine = RunningEnginePid()) kill(engine, SIGKILL);  // never left behind
    unsetenv("HARKWELL_LOOKUP_HOST");
  }

  std::string Log() const { return ReadFileText(home_.home() + "/Library/Logs/Harkwell.log"); }
  int LogLines(const std::string& text) const {
    std::istringstream lines(Log());
    int count = 0;
    for (std::string line; std::getline(lines, line);) count += line.find(text) != std::string::npos;
    return count;
  }
  void Click(const char* name) {
    TopLevel("PrefsDialog")->findChild<QAbstractButton*>(name)->click();
    Pump(0.05);
  }

  std::unique_ptr<harkwell_test::ChildProcess> server_;
  platform::IBNibRef nib_ = nullptr;
  std::unique_ptr<PrefsWindow> window_;
};

TEST_F(RealEngine, SwitchOnChooseAFolderSwitchOff) {
  window_ = std::make_unique<PrefsWindow>(nib_, "PrefsDialog");
  window_->Show();

  Click("engineSwitch");
  // The engine waits ten quiet seconds before it walks, so it is still running for the rest.
  ASSERT_TRUE(Pump(20, [&] { return LogLines("looking for files at " + home_.home() + "/Music"); }))
      << Log();
  ASSERT_NE(RunningEnginePid(), 0);
  EXPECT_EQ(LoginItems().size(), 1u);

  const std::string folder = home_.root() + "/Chosen";
  mkdir(folder.c_str(), 0700);
  Click("chooseFolderButton");
  auto* dialog = TopLevel("PrefsDialog")->findChild<QFileDialog*>();
  ASSERT_NE(dialog, nullptr);
  dialog->setDirectory(QString::fromStdString(folder));
  static_cast<QDialog*>(dialog)->accept();
  ASSERT_TRUE(Pump(10, [&] { return LogLines("looking for files at " + folder) == 1; })) << Log();

  Click("engineSwitch");
  // The engine leaves the process list when its loop ends, then its run logs the stop.
  ASSERT_TRUE(Pump(10, [&] { return RunningEnginePid() == 0 && LogLines("Harkwell stopped"); }))
      << Log();
  EXPECT_EQ(LogLines("Harkwell done"), 0) << Log();
  EXPECT_TRUE(LoginItems().empty());
}

}  // namespace
}  // namespace brek::zomelo
