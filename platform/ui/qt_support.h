// What the ui module's files share: command events, and the properties that interface files
// give their widgets and actions ("command" = "pref", "controlSignature" = "BREK",
// "controlID" = 1).
#pragma once

#include <QObject>

#include "platform/event_loop.h"
#include "platform/hi_command.h"
#include "platform/window.h"

class QMenuBar;

namespace platform::ui {

// The four-character code in `object`'s property `name`; 0 when it has none.
uint32_t FourCCProperty(const QObject* object, const char* name);
// Its "command" property.
inline uint32_t CommandOf(const QObject* object) { return FourCCProperty(object, "command"); }

// Sends the command event of `kind` (kEventCommandProcess or kEventCommandUpdateStatus) through
// `target`'s handler chain; the handler's result.
OSStatus SendCommandEvent(uint32_t kind, const HICommand& command, EventTargetRef target);

// The window whose widget is `widget`'s top level; nullptr when it is not a platform window.
WindowRef WindowOfWidget(const QObject* widget);

// The loaded menu bar, or nullptr; the nib module keeps it, windows show it.
QMenuBar* ApplicationMenuBar();
void AttachMenuBar(WindowRef window);

}  // namespace platform::ui
