// A choose-folder dialog: modeless, or as a sheet on a parent window (window-modal, returning
// at once); each chosen folder's POSIX path goes to a callback until it returns non-zero.
#pragma once

#include <cstddef>

#include "platform/status.h"
#include "platform/window.h"

namespace platform {

constexpr int kWindowModalityNone = 0;
constexpr int kWindowModalityWindowModal = 3;

struct FolderDialogOptions {
  int modality = kWindowModalityNone;
  WindowRef parent = nullptr;   // used with kWindowModalityWindowModal only
  bool allowMultiple = false;
  const char* location = "";    // folder to open in; empty or missing: the desktop's choice
};

// Returns non-zero to stop the delivery of further folders.
using FolderChosenProc = int (*)(const char* path, void* userData);

struct FolderDialog;
using FolderDialogRef = FolderDialog*;

// Opens the dialog; it disposes itself when it ends. `userData` must outlive it or be released
// with CancelFolderDialog first.
OSStatus RunChooseFolderDialog(const FolderDialogOptions& options, FolderChosenProc chosen,
                               void* userData, FolderDialogRef* dialog);
// Closes the dialog without choosing, when it still runs; its callback is not called again.
void CancelFolderDialog(FolderDialogRef dialog);

// The open dialog's own widget (tests drive it); nullptr when it has ended.
void* FolderDialogWidget(FolderDialogRef dialog);

}  // namespace platform
