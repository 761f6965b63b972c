#include "gui/prefs_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <sys/stat.h>

#include "gui/controls.h"
#include "gui/engine_control.h"
#include "platform/event_constants.h"
#include "tests/gui/gui_fixture.h"

namespace brek::zomelo {
namespace {

using harkwell_test::FileExists;
using harkwell_test::ReadFileText;
using platform::FourCC;

class PrefsWindowTest : public harkwell_test::GuiFixture {
 protected:
  PrefsWindowTest() {
    platform::CreateNibReference("main", &nib_);
    prefsFile_ = home_.home() + "/Library/Preferences/" + kEngineIdentifier + ".json";
  }
  ~PrefsWindowTest() override {
    window_.reset();
    platform::DisposeNibReference(nib_);
  }

  void Open() {
    window_ = std::make_unique<PrefsWindow>(nib_, "PrefsDialog");
    window_->Show();
    ASSERT_NE(TopLevel("PrefsDialog"), nullptr);
  }
  platform::WindowRef Window() { return WindowNamed("PrefsDialog"); }
  platform::ControlRef Control(int number) { return GetControl(Window(), number); }
  std::string Text(int number) { return platform::GetControlText(Control(number)); }
  bool SwitchOn() { return ControlGetBool(Control(kEngineSwitchControl)); }
  void Click(const char* name) {
    auto* button = TopLevel("PrefsDialog")->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
    Pump(0.05);
  }
  QFileDialog* OpenDialog() {
    Click("chooseFolderButton");
    return TopLevel("PrefsDialog")->findChild<QFileDialog*>();
  }
  // Chooses `folder` in the sheet as the user would.
  void Choose(const std::string& folder) {
    QFileDialog* dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr);
    dialog->setDirectory(QString::fromStdString(folder));
    static_cast<QDialog*>(dialog)->accept();  // as the Choose button does
    Pump(0.2);
  }
  std::string Folder(const char* name) {
    const std::string path = home_.root() + "/" + name;
    mkdir(path.c_str(), 0700);
    return path;
  }

  platform::IBNibRef nib_ = nullptr;
  std::unique_ptr<PrefsWindow> window_;
  std::string prefsFile_;
};

TEST_F(PrefsWindowTest, ShowsTheSwitchTheLogPathAndTheHomeMusicFolderByDefault) {
  Open();
  EXPECT_FALSE(SwitchOn());
  EXPECT_EQ(Text(kLogPathControl), home_.home() + "/Library/Logs/Harkwell.log");
  EXPECT_EQ(Text(kSearchFolderControl), home_.home() + "/Music");
  EXPECT_FALSE(FileExists(prefsFile_));  // nothing written back
}

TEST_F(PrefsWindowTest, ShowsTheStoredFolderAndTheLoginItem) {
  StoreSearchPath("/srv/music/Ünïcode");
  AddLoginItemFile("Harkwell Engine", engineBundle_);
  Open();
  EXPECT_TRUE(SwitchOn());
  EXPECT_EQ(Text(kSearchFolderControl), "/srv/music/Ünïcode");
}

TEST_F(PrefsWindowTest, SwitchingOnAddsOneLoginItemAndStartsTheEngine) {
  Open();
  Click("engineSwitch");
  ASSERT_TRUE(Pump(10, [&] { return EngineStarts() == 1; }));
  auto items = LoginItems();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "Harkwell Engine");
  EXPECT_EQ(items[0].path, engineBundle_);
  EXPECT_EQ(items[0].executable, engineBundle_ + "/Contents/MacOS/Harkwell Engine");
  SetEngineEnabled(true);  // on again
  ASSERT_TRUE(Pump(10, [&] { return EngineStarts() == 2; }));
  EXPECT_EQ(LoginItems().size(), 1u);
}

TEST_F(PrefsWindowTest, SwitchingOffRemovesEveryItemOfTheNameAndTellsTheEngineToQuit) {
  AddLoginItemFile("Harkwell Engine", engineBundle_);
  AddLoginItemFile("Harkwell Engine", "/elsewhere/Harkwell Engine.app");
  AddLoginItemFile("Something Else", "/usr/bin/something");
  StartRunningEngine();
  Open();
  ASSERT_TRUE(SwitchOn());
  Click("engineSwitch");
  ASSERT_TRUE(Pump(5, [&] { return !messages().empty(); }));
  const std::pair<uint32_t, uint32_t> quit{FourCC("aevt"), FourCC("quit")};
  EXPECT_EQ(messages(), (std::vector<std::pair<uint32_t, uint32_t>>{quit}));
  auto items = LoginItems();
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, "Something Else");
  EXPECT_EQ(EngineStarts(), 0);
}

TEST_F(PrefsWindowTest, ChoosingTheShownFolderDoesNothing) {
  mkdir((home_.home() + "/Music").c_str(), 0700);
  AddLoginItemFile("Harkwell Engine", engineBundle_);
  StartRunningEngine();
  Open();
  Choose(home_.home() + "/Music");
  EXPECT_FALSE(FileExists(prefsFile_));
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(EngineStarts(), 0);
}

TEST_F(PrefsWindowTest, ANewFolderIsStoredShownAndSentToTheRunningEngine) {
  const std::string folder = Folder("Tunes \"quoted\"");
  AddLoginItemFile("Harkwell Engine", engineBundle_);
  StartRunningEngine();
  Open();
  Choose(folder);
  EXPECT_EQ(Text(kSearchFolderControl), folder);
  EXPECT_NE(ReadFileText(prefsFile_).find("Tunes \\\"quoted\\\""), std::string::npos)
      << ReadFileText(prefsFile_);
  ASSERT_TRUE(Pump(5, [&] { return !messages().empty(); }));
  Pump(0.2);
  const std::pair<uint32_t, uint32_t> rescan{FourCC("BREK"), FourCC("HUP ")};
  EXPECT_EQ(messages(), (std::vector<std::pair<uint32_t, uint32_t>>{rescan}));
  EXPECT_EQ(EngineStarts(), 0);
}

TEST_F(PrefsWindowTest, ANewFolderStartsTheEngineWhenItIsOnButNotRunning) {
  const std::string folder = Folder("Tunes");
  AddLoginItemFile("Harkwell Engine", engineBundle_);
  Open();
  Choose(folder);
  ASSERT_TRUE(Pump(10, [&] { return EngineStarts() == 1; }));
  EXPECT_EQ(LoginItems().size(), 1u);
}

TEST_F(PrefsWindowTest, ANewFolderWithTheSwitchOffIsOnlyStored) {
  const std::string folder = Folder("Tunes");
  StartRunningEngine();
  Open();
  Choose(folder);
  EXPECT_NE(ReadFileText(prefsFile_).find(folder), std::string::npos);
  Pump(0.3);
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(EngineStarts(), 0);
  EXPECT_TRUE(LoginItems().empty());
}

TEST_F(PrefsWindowTest, TheSheetOpensInTheShownFolderAndACancelChangesNothing) {
  const std::string folder = Folder("Tunes");
  platform::MakeLoginItem("Harkwell Engine", engineBundle_, false);
  Open();
  Choose(folder);
  QFileDialog* dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->directory().absolutePath().toStdString(), folder);
  EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);
  const std::string stored = ReadFileText(prefsFile_);
  dialog->reject();
  Pump(0.2);
  EXPECT_EQ(Text(kSearchFolderControl), folder);
  EXPECT_EQ(ReadFileText(prefsFile_), stored);
}

TEST_F(PrefsWindowTest, ViewLogOpensTheLogFile) {
  Open();
  Click("viewLogButton");
  ASSERT_TRUE(Pump(10, [&] { return !Opened().empty(); }));
  EXPECT_EQ(Opened(), home_.home() + "/Library/Logs/Harkwell.log\n");
}

TEST_F(PrefsWindowTest, ClosingHidesTheWindowAndAsksToQuit) {
  Open();
  platform::ClearQuitRequest();
  TopLevel("PrefsDialog")->close();
  EXPECT_FALSE(platform::IsWindowVisible(Window()));
  ASSERT_NE(Window(), nullptr);  // hidden, not disposed
  Pump(0.1);
  EXPECT_TRUE(platform::QuitRequested());
  platform::ClearQuitRequest();
  window_->Show();
  EXPECT_TRUE(platform::IsWindowVisible(Window()));
}

}  // namespace
}  // namespace brek::zomelo
