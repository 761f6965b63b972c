// The preferences program's tests run with a QApplication on the offscreen platform and the
// program's own event loop installed.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/ui/qt_event_loop.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);  // never a real display
  testing::InitGoogleTest(&argc, argv);
  QApplication qt(argc, argv);
  platform::ui::InstallQtEventLoop();
  return RUN_ALL_TESTS();
}
