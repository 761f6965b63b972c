// A window's controls, found by their ID: the "controlSignature" and "controlID" properties
// that the interface file gives them.
#pragma once

#include <cstdint>
#include <string>

#include "platform/status.h"
#include "platform/window.h"

namespace platform {

struct ControlID {
  uint32_t signature;
  int32_t id;
};
struct ControlObject;  // the toolkit's widget
using ControlRef = ControlObject*;

constexpr OSStatus errUnknownControl = -30584;

OSStatus GetControlByID(WindowRef window, const ControlID* id, ControlRef* control);
// A check box's state (0 or 1), or a slider's or progress bar's value.
void SetControlValue(ControlRef control, int16_t value);
int16_t GetControlValue(ControlRef control);
// The text a static text, button or text field shows, as UTF-8.
OSStatus SetControlText(ControlRef control, const char* utf8);
std::string GetControlText(ControlRef control);
// Clicks the control as the user would (tests).
void ClickControl(ControlRef control);

}  // namespace platform
