// Harkwell: the preferences program of the engine.
#include <QApplication>
#include <QIcon>

#include "gui/app.h"
#include "gui/engine_control.h"
#include "platform/bundle.h"
#include "platform/ui/qt_event_loop.h"

int main(int argc, char** argv) {
  // The absolute path of the running executable, not argv[0], which may be relative or a name
  // found on PATH: the Resources folder is found from it.
  brek::zomelo::SetExecutablePath(platform::MainBundle().executablePath.c_str());
  QApplication qt(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Harkwell"));
  QApplication::setDesktopFileName(QStringLiteral("Harkwell"));
  QApplication::setWindowIcon(
      QIcon(QString::fromStdString(platform::MainBundle().resourcesPath + "/harkwell.svg")));
  platform::ui::InstallQtEventLoop();
  int result = 0;
  {
    brek::zomelo::App app;
    result = app.Run();
  }
  return result;
}
