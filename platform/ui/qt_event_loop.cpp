#include "platform/ui/qt_event_loop.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "platform/bundle.h"
#include "platform/event_constants.h"
#include "platform/ui/qt_support.h"

namespace platform::ui {

namespace {

constexpr uint32_t kHICommandAbout = FourCC("abou");
constexpr uint32_t kHICommandClose = FourCC("clos");

struct Notifiers {
  std::unique_ptr<QSocketNotifier> queue;
  std::vector<std::unique_ptr<QSocketNotifier>> sources;
  bool rebuildPending = false;
};

Notifiers& TheNotifiers() {
  static Notifiers* notifiers = new Notifiers;  // used until the process ends
  return *notifiers;
}

void HandleReady() {
  ProcessPendingEvents(0);
  if (QuitRequested()) QCoreApplication::quit();
}

std::unique_ptr<QSocketNotifier> Watch(int fd) {
  auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QObject::connect(notifier.get(), &QSocketNotifier::activated, [] { HandleReady(); });
  return notifier;
}

void RebuildNotifiers() {
  Notifiers& n = TheNotifiers();
  n.rebuildPending = false;
  if (!n.queue) n.queue = Watch(MainQueueDescriptor());
  // The old notifiers may be the ones whose signal is being delivered: they go later.
  for (auto& old : n.sources) old.release()->deleteLater();
  n.sources.clear();
  for (int fd : LoopSourceDescriptors()) n.sources.push_back(Watch(fd));
}

void SourcesChanged() {
  Notifiers& n = TheNotifiers();
  if (n.rebuildPending) return;
  n.rebuildPending = true;
  QTimer::singleShot(0, [] { RebuildNotifiers(); });
}

void Run() {
  RebuildNotifiers();
  HandleReady();  // anything posted before the loop started
  if (!QuitRequested()) QApplication::exec();
}

void Quit() { QCoreApplication::quit(); }

QWidget* FocusWidget() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    WindowRef window = WindowOfWidget(widget);
    if (window != nullptr && window->target == GetUserFocusTarget()) return widget;
  }
  return nullptr;
}

void ShowAbout() {
  const BundleInfo& bundle = MainBundle();
  const QString name = QString::fromStdString(bundle.name.empty() ? "this program" : bundle.name);
  QMessageBox::about(FocusWidget(), QObject::tr("About %1").arg(name),
                     QStringLiteral("<b>%1</b><br>%2")
                         .arg(name.toHtmlEscaped(),
                              QObject::tr("Version %1")
                                  .arg(QString::fromStdString(bundle.version))
                                  .toHtmlEscaped()));
}

// The desktop's handling of the commands every program has.
OSStatus StandardHandling(EventRef event) {
  if (event->eventClass() != kEventClassCommand || event->kind() != kEventCommandProcess) {
    return eventNotHandledErr;
  }
  HICommand command{};
  if (event->GetParameter(kEventParamDirectObject, typeHICommand, sizeof command, &command)) {
    return eventNotHandledErr;
  }
  if (command.commandID == kHICommandAbout) {
    ShowAbout();
    return noErr;
  }
  if (command.commandID == kHICommandClose) {
    if (QWidget* widget = FocusWidget()) widget->close();
    return noErr;
  }
  return eventNotHandledErr;
}

const LoopDriver kQtDriver{Run, Quit, SourcesChanged};

}  // namespace

void InstallQtEventLoop() {
  SetLoopDriver(&kQtDriver);
  SetStandardHandler(StandardHandling);
}

}  // namespace platform::ui
