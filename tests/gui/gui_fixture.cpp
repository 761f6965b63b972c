#include "tests/gui/gui_fixture.h"

#include <sys/stat.h>

#include <QApplication>
#include <chrono>
#include <cstdlib>
#include <sstream>

#include "gui/engine_control.h"
#include "platform/event_constants.h"
#include "platform/messages.h"
#include "platform/ui/qt_support.h"
#include "toolkit/preferences.h"

namespace harkwell_test {

namespace {

constexpr uint32_t kEngineSignature = platform::FourCC("#BRk");

void MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0700);
  }
  mkdir(path.c_str(), 0700);
}

}  // namespace

GuiFixture::GuiFixture() {
  unsetenv("XDG_CONFIG_HOME");
  unsetenv("DISPLAY");
  guiBundle_ = home_.root() + "/Apps/Harkwell.app";
  engineBundle_ = guiBundle_ + "/Contents/Resources/Harkwell Engine.app";
  MakeFolders(engineBundle_ + "/Contents/MacOS");
  WriteFileText(engineBundle_ + "/Contents/Info.plist",
                "<plist><dict><key>CFBundleSignature</key><string>#BRk</string>"
                "<key>CFBundleExecutable</key><string>Harkwell Engine</string></dict></plist>\n");
  const std::string engine = engineBundle_ + "/Contents/MacOS/Harkwell Engine";
  WriteFileText(engine, "#!/bin/sh\necho started >> '" + home_.root() + "/engine-starts'\n");
  chmod(engine.c_str(), 0700);
  const std::string opener = home_.root() + "/opener";
  WriteFileText(opener, "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" + home_.root() + "/opened'\n");
  chmod(opener.c_str(), 0700);
  setenv("HARKWELL_OPENER", opener.c_str(), 1);
  brek::zomelo::SetExecutablePath((guiBundle_ + "/Contents/MacOS/Harkwell").c_str());
  platform::SetUserFocusTarget(nullptr);
}

GuiFixture::~GuiFixture() {
  if (handler_ != nullptr) {
    platform::RemoveEventHandler(handler_);
    platform::StopReceivingMessages();
  }
  unsetenv("HARKWELL_OPENER");
}

bool GuiFixture::Pump(double seconds, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  for (;;) {
    QApplication::processEvents();
    platform::ProcessPendingEvents(0);
    if (done && done()) return true;
    if (std::chrono::steady_clock::now() >= end) return !done;
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  }
}

void GuiFixture::StartRunningEngine() {
  ASSERT_EQ(platform::StartReceivingMessages(kEngineSignature), 0);
  static const platform::EventTypeSpec kTypes[] = {
      {platform::kEventClassAppleEvent, platform::kEventAppleEvent}};
  platform::InstallEventHandler(platform::GetApplicationEventTarget(), RecordMessage, 1, kTypes,
                                this, &handler_);
}

platform::OSStatus GuiFixture::RecordMessage(platform::EventHandlerCallRef,
                                             platform::EventRef event, void* self) {
  uint32_t eventClass = 0, eventID = 0;
  event->GetParameter(platform::kEventParamAEEventClass, platform::typeType, 4, &eventClass);
  event->GetParameter(platform::kEventParamAEEventID, platform::typeType, 4, &eventID);
  static_cast<GuiFixture*>(self)->messages_.emplace_back(eventClass, eventID);
  return platform::noErr;  // taken, so a quit message does not end anything here
}

std::vector<platform::LoginItem> GuiFixture::LoginItems() const {
  std::vector<platform::LoginItem> items;
  EXPECT_EQ(platform::ReadLoginItems(&items), 0);
  return items;
}

void GuiFixture::AddLoginItemFile(const std::string& name, const std::string& path) const {
  ASSERT_EQ(platform::MakeLoginItem(name, path, false), 0);
}

void GuiFixture::StoreSearchPath(const char* path) const {
  brek::Preferences preferences("com.ashgrove.zomelo.harkwell.engine");
  preferences.SetString(brek::kSearchPathKey, path);
  preferences.Synchronize();
}

int GuiFixture::EngineStarts() const {
  std::istringstream lines(ReadFileText(home_.root() + "/engine-starts"));
  int count = 0;
  for (std::string line; std::getline(lines, line);) ++count;
  return count;
}

std::string GuiFixture::Opened() const { return ReadFileText(home_.root() + "/opened"); }

QWidget* GuiFixture::TopLevel(const char* objectName) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == objectName && platform::ui::WindowOfWidget(widget)) return widget;
  }
  return nullptr;
}

platform::WindowRef GuiFixture::WindowNamed(const char* objectName) {
  return platform::ui::WindowOfWidget(TopLevel(objectName));
}

}  // namespace harkwell_test
