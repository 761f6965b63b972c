// A choose-folder dialog whose chosen folders go to `ItemChosen`.
#pragma once

#include "gui/native_window.h"
#include "platform/ui/folder_dialog.h"

namespace brek {

class FileDialog {
 public:
  FileDialog();
  virtual ~FileDialog();  // closes a dialog that still runs
  FileDialog(const FileDialog&) = delete;
  FileDialog& operator=(const FileDialog&) = delete;

  // kWindowModalityWindowModal makes the dialog a sheet on `parent`; 0.
  int SetModality(int modality, const NativeWindow& parent);
  // The folder the dialog opens in (cut to 1023 bytes); 0.
  int SetDefaultLocation(const char* path);
  // Opens the dialog; with a sheet it returns before the user chose.
  void ChooseFolder();

 protected:
  // The POSIX path of one chosen folder; non-zero stops the delivery of further ones.
  virtual int ItemChosen(const char* path) = 0;

 private:
  static int Chosen(const char* path, void* self);

  platform::FolderDialogOptions options_;
  platform::FolderDialogRef running_ = nullptr;
  char defaultLocation_[1024] = "";
};

}  // namespace brek
