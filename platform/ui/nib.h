// Interface files: a nib "<name>.nib" in the program's Resources folder is a folder of Qt
// Designer files, one per window or menu bar, each named after its top-level object
// ("main.nib/PrefsDialog.ui", "main.nib/MenuBar.ui"), loaded when asked for by name.
#pragma once

#include "platform/status.h"
#include "platform/window.h"

namespace platform {

struct NibFile;
using IBNibRef = NibFile*;

// Opens the nib `name` in the running program's Resources folder; ENOENT when it is missing.
OSStatus CreateNibReference(const char* name, IBNibRef* nib);
// Opens the nib folder `folder` (tests).
OSStatus CreateNibReferenceAt(const char* folder, IBNibRef* nib);
void DisposeNibReference(IBNibRef nib);

// Builds the window `name`, hidden, with its own event target. The window's controls that
// carry a command send it when clicked; its close request goes to its handlers.
OSStatus CreateWindowFromNib(IBNibRef nib, const char* name, WindowRef* window);
void DisposeWindow(WindowRef window);
// Shows the window in front and makes it the target of commands.
void SelectWindow(WindowRef window);
bool IsWindowVisible(WindowRef window);

// Loads the menu bar `name` as the program's menu bar, shown at the top of its windows.
OSStatus SetMenuBarFromNib(IBNibRef nib, const char* name);

}  // namespace platform
