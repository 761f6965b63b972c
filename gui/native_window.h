// A window made from an interface file by name, shown and hidden; disposed with the wrapper.
#pragma once

#include "platform/ui/nib.h"

namespace brek {

class NativeWindow {
 public:
  NativeWindow() = default;
  ~NativeWindow();  // disposes the window
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  // -1 when this wrapper holds a window already (it keeps the first), else the platform status.
  platform::OSStatus CreateFromNib(platform::IBNibRef nib, const char* name);
  // -1 without a window, else 0.
  int Dispose();
  void Show(bool shown);

  platform::WindowRef window() const { return window_; }

 private:
  platform::WindowRef window_ = nullptr;
};

}  // namespace brek
