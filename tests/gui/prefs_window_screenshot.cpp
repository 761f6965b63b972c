// Renders the preferences program's window in a real X server (run under xvfb-run), saves a
// screenshot of the screen to the PNG named by argv[1], and checks that the window shows the
// engine switch, the log path and the search folder.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gui/app.h"
#include "gui/engine_control.h"
#include "platform/bundle.h"
#include "platform/ui/qt_event_loop.h"
#include "toolkit/event_posting.h"
#include "platform/event_constants.h"

namespace {

int gFailures = 0;

void Check(bool ok, const std::string& what) {
  if (!ok) {
    fprintf(stderr, "FAILED: %s\n", what.c_str());
    ++gFailures;
  }
}

// True when the screenshot shows more than one colour inside `widget`'s area: something is
// drawn there, not just the window's background.
bool DrawnOnScreen(const QImage& screen, const QWidget* widget) {
  const QRect area(widget->mapToGlobal(QPoint(0, 0)), widget->size());
  const QRect inside = area.intersected(screen.rect());
  if (inside.isEmpty()) return false;
  const QRgb first = screen.pixel(inside.topLeft());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (screen.pixel(x, y) != first) return true;
    }
  }
  return false;
}

void Inspect(const char* pngPath) {
  QWidget* window = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->objectName() == "PrefsDialog") window = top;
  }
  Check(window != nullptr && window->isVisible(), "the preferences window is shown");
  if (window == nullptr) return;
  const QImage screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
  QDir().mkpath(QFileInfo(QString::fromLocal8Bit(pngPath)).absolutePath());
  Check(screen.save(pngPath), std::string("the screenshot is saved to ") + pngPath);

  const std::string home = getenv("HOME");
  auto* engineSwitch = window->findChild<QCheckBox*>("engineSwitch");
  auto* logPath = window->findChild<QLabel*>("logPath");
  auto* searchFolder = window->findChild<QLabel*>("searchFolder");
  Check(engineSwitch && engineSwitch->isVisible() && DrawnOnScreen(screen, engineSwitch),
        "the engine switch is drawn");
  Check(logPath && logPath->text().toStdString() == home + "/Library/Logs/Harkwell.log" &&
            DrawnOnScreen(screen, logPath),
        "the log path is drawn");
  Check(searchFolder && searchFolder->text().toStdString() == home + "/Music" &&
            DrawnOnScreen(screen, searchFolder),
        "the search folder is drawn");
  Check(window->windowTitle() == "Harkwell Preferences", "the window has its title");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  // A throwaway home and runtime folder: nothing of the user's is read or registered.
  char root[] = "/tmp/harkwell-screenshot-XXXXXX";
  if (mkdtemp(root) == nullptr) return 2;
  const std::string home = std::string(root) + "/home", runtime = std::string(root) + "/run";
  mkdir(home.c_str(), 0700);
  mkdir(runtime.c_str(), 0700);
  setenv("HOME", home.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  unsetenv("XDG_CONFIG_HOME");
  brek::zomelo::SetExecutablePath(platform::MainBundle().executablePath.c_str());
  QApplication qt(argc, argv);
  platform::ui::InstallQtEventLoop();
  const char* png = argv[1];
  {
    brek::zomelo::App app;
    // Time for the window manager-less X server to map and paint the window.
    QTimer::singleShot(1500, [png] {
      Inspect(png);
      brek::PostCommand(platform::kHICommandQuit);
    });
    app.Run();
  }
  QDir(QString::fromLocal8Bit(root)).removeRecursively();
  if (gFailures == 0) printf("the preferences window shows its switch, log path and folder\n");
  return gFailures == 0 ? 0 : 1;
}
