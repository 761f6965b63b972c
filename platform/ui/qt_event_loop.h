// The GUI's event loop is Qt's: queued posts, the message socket and the process watch are
// handled inside it, and events no handler took get the desktop's standard handling (About,
// Close). Call once, after the QApplication exists and before RunApplicationEventLoop.
#pragma once

namespace platform::ui {

void InstallQtEventLoop();

}  // namespace platform::ui
