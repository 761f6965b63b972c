#include "platform/ui/folder_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QPointer>
#include <set>

namespace platform {

struct FolderDialog {
  QPointer<QFileDialog> widget;
  FolderChosenProc chosen;
  void* userData;
};

namespace {

std::set<FolderDialogRef>& LiveDialogs() {
  static auto* live = new std::set<FolderDialogRef>;
  return *live;
}

void End(FolderDialogRef dialog) {
  if (LiveDialogs().erase(dialog) == 0) return;
  if (dialog->widget) dialog->widget->deleteLater();
  delete dialog;
}

}  // namespace

OSStatus RunChooseFolderDialog(const FolderDialogOptions& options, FolderChosenProc chosen,
                               void* userData, FolderDialogRef* out) {
  if (chosen == nullptr) return paramErr;
  const bool sheet = options.modality == kWindowModalityWindowModal && options.parent != nullptr;
  auto* parent = sheet ? static_cast<QWidget*>(options.parent->native) : nullptr;
  auto* widget = new QFileDialog(parent, QObject::tr("Choose a Folder"));
  widget->setFileMode(QFileDialog::Directory);
  widget->setOption(QFileDialog::ShowDirsOnly, true);
  // Qt's own dialog on every desktop, so it behaves the same as a sheet everywhere.
  widget->setOption(QFileDialog::DontUseNativeDialog, true);
  widget->setAcceptMode(QFileDialog::AcceptOpen);
  widget->setLabelText(QFileDialog::Accept, QObject::tr("Choose"));
  if (options.location != nullptr && options.location[0] != '\0') {
    const QString location = QString::fromUtf8(options.location);
    if (QDir(location).exists()) widget->setDirectory(location);
  }
  auto* dialog = new FolderDialog{widget, chosen, userData};
  LiveDialogs().insert(dialog);
  QObject::connect(widget, &QFileDialog::finished, widget, [dialog](int result) {
    if (LiveDialogs().count(dialog) == 0) return;
    if (result == QDialog::Accepted && dialog->widget) {
      QStringList folders = dialog->widget->selectedFiles();
      for (const QString& folder : folders) {
        const QByteArray path = QDir::cleanPath(folder).toUtf8();
        if (dialog->chosen(path.constData(), dialog->userData) != 0) break;
        if (LiveDialogs().count(dialog) == 0) return;  // the callback cancelled it
      }
    }
    End(dialog);
  });
  if (sheet) {
    widget->setWindowModality(Qt::WindowModal);
    widget->open();
  } else {
    widget->show();
  }
  if (out != nullptr) *out = dialog;
  return noErr;
}

void CancelFolderDialog(FolderDialogRef dialog) {
  if (LiveDialogs().count(dialog) == 0) return;
  dialog->chosen = nullptr;
  if (dialog->widget) dialog->widget->disconnect();
  End(dialog);
}

void* FolderDialogWidget(FolderDialogRef dialog) {
  return LiveDialogs().count(dialog) != 0 ? dialog->widget.data() : nullptr;
}

}  // namespace platform
