#include "gui/file_dialog.h"

#include <cstdio>

namespace brek {

FileDialog::FileDialog() {
  options_.modality = platform::kWindowModalityNone;
  options_.allowMultiple = false;
}

FileDialog::~FileDialog() { platform::CancelFolderDialog(running_); }

int FileDialog::SetModality(int modality, const NativeWindow& parent) {
  options_.modality = modality;
  options_.parent = modality == platform::kWindowModalityWindowModal ? parent.window() : nullptr;
  return 0;
}

int FileDialog::SetDefaultLocation(const char* path) {
  snprintf(defaultLocation_, sizeof defaultLocation_, "%s", path != nullptr ? path : "");
  return 0;
}

void FileDialog::ChooseFolder() {
  platform::CancelFolderDialog(running_);  // one dialog at a time
  options_.location = defaultLocation_;
  running_ = nullptr;
  platform::RunChooseFolderDialog(options_, Chosen, this, &running_);
}

int FileDialog::Chosen(const char* path, void* self) {
  return static_cast<FileDialog*>(self)->ItemChosen(path);
}

}  // namespace brek
