#include "gui/controls.h"

#include "platform/four_cc.h"

namespace brek {

platform::ControlRef GetControl(platform::WindowRef window, int number) {
  const platform::ControlID id{platform::FourCC("BREK"), number};
  platform::ControlRef control = nullptr;
  platform::GetControlByID(window, &id, &control);
  return control;
}

void ControlSetValue(platform::ControlRef control, int value) {
  if (control != nullptr) platform::SetControlValue(control, static_cast<int16_t>(value));
}

bool ControlGetBool(platform::ControlRef control) {
  return control != nullptr && platform::GetControlValue(control) != 0;
}

void ControlSetText(platform::ControlRef control, const char* utf8) {
  if (control != nullptr) platform::SetControlText(control, utf8);
}

}  // namespace brek
