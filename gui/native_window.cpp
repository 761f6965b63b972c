#include "gui/native_window.h"

namespace brek {

NativeWindow::~NativeWindow() { Dispose(); }

platform::OSStatus NativeWindow::CreateFromNib(platform::IBNibRef nib, const char* name) {
  if (window_ != nullptr) return -1;
  return platform::CreateWindowFromNib(nib, name, &window_);
}

int NativeWindow::Dispose() {
  if (window_ == nullptr) return -1;
  platform::DisposeWindow(window_);
  window_ = nullptr;
  return 0;
}

void NativeWindow::Show(bool shown) {
  if (shown) platform::ShowWindow(window_);
  else platform::HideWindow(window_);
}

}  // namespace brek
