// The controls of a window, by number under the signature 'BREK'.
#pragma once

#include "platform/ui/controls.h"

namespace brek {

// The control ('BREK', number) of `window`; nullptr when there is none.
platform::ControlRef GetControl(platform::WindowRef window, int number);
// Sets the value, cut to 16 bits.
void ControlSetValue(platform::ControlRef control, int value);
bool ControlGetBool(platform::ControlRef control);
// Sets a static text from UTF-8.
void ControlSetText(platform::ControlRef control, const char* utf8);

}  // namespace brek
