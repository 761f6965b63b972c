#include "platform/ui/nib.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QUiLoader>
#include <QWidget>
#include <cerrno>
#include <string>

#include "platform/bundle.h"
#include "platform/event_constants.h"
#include "platform/ui/menus.h"
#include "platform/ui/qt_support.h"

namespace platform {

struct NibFile {
  QString folder;
};

namespace {

QPointer<QMenuBar> gMenuBar;

QWidget* Load(IBNibRef nib, const char* name, OSStatus* status) {
  QFile file(nib->folder + "/" + QString::fromUtf8(name) + ".ui");
  if (!file.open(QIODevice::ReadOnly)) {
    *status = ENOENT;
    return nullptr;
  }
  QUiLoader loader;
  loader.setWorkingDirectory(QDir(nib->folder));
  QWidget* widget = loader.load(&file, nullptr);
  *status = widget != nullptr ? noErr : EINVAL;
  return widget;
}

// Close requests and activation of a platform window become its events and focus.
class WindowEvents : public QObject {
 public:
  WindowEvents(WindowRef window, QObject* parent) : QObject(parent), window_(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Close: {
        Event close(kEventClassWindow, kEventWindowClose);
        WindowRef window = window_;
        close.SetParameter(kEventParamDirectObject, typeWindowRef, sizeof window, &window);
        if (SendEventToEventTarget(&close, window_->target) != eventNotHandledErr) {
          event->ignore();  // a handler took the close; the window stays as it left it
          return true;
        }
        return false;  // the standard close: the window hides
      }
      case QEvent::WindowActivate:
        SetUserFocusTarget(window_->target);
        break;
      case QEvent::WindowDeactivate:
      case QEvent::Hide:
        if (GetUserFocusTarget() == window_->target) SetUserFocusTarget(nullptr);
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  WindowRef window_;
};

QWidget* WidgetOf(WindowRef window) { return static_cast<QWidget*>(window->native); }

void SetVisible(WindowRecord* window, bool shown) {
  if (window != nullptr && window->native != nullptr) WidgetOf(window)->setVisible(shown);
}

// Controls that carry a command send it to their window when clicked.
void ConnectControls(QWidget* root, WindowRef window) {
  for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
    const uint32_t command = ui::CommandOf(button);
    if (command == 0) continue;
    QObject::connect(button, &QAbstractButton::clicked, button, [window, command] {
      const HICommand record{0, command, {nullptr, 0}};
      ui::SendCommandEvent(kEventCommandProcess, record, window->target);
    });
  }
}

void ConnectMenu(QMenu* menu) {
  QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { UpdateMenuItems(menu); });
  for (QAction* action : menu->actions()) {
    const uint32_t command = ui::CommandOf(action);
    if (command == 0) continue;
    QObject::connect(action, &QAction::triggered, action, [menu, action, command] {
      const auto index = static_cast<MenuItemIndex>(menu->actions().indexOf(action) + 1);
      const HICommand record{0, command, {menu, index}};
      ui::SendCommandEvent(kEventCommandProcess, record, GetUserFocusTarget());
    });
  }
}

}  // namespace

namespace ui {

QMenuBar* ApplicationMenuBar() { return gMenuBar.data(); }

void AttachMenuBar(WindowRef window) {
  if (gMenuBar == nullptr || window == nullptr || gMenuBar->parentWidget() != nullptr) return;
  QWidget* widget = WidgetOf(window);
  if (QLayout* layout = widget->layout()) {
    layout->setMenuBar(gMenuBar);
  } else {
    gMenuBar->setParent(widget);
  }
}

}  // namespace ui

OSStatus CreateNibReferenceAt(const char* folder, IBNibRef* nib) {
  if (folder == nullptr || nib == nullptr) return paramErr;
  if (!QDir(QString::fromUtf8(folder)).exists()) return ENOENT;
  *nib = new NibFile{QString::fromUtf8(folder)};
  return noErr;
}

OSStatus CreateNibReference(const char* name, IBNibRef* nib) {
  if (name == nullptr || nib == nullptr) return paramErr;
  *nib = nullptr;
  const std::string folder = MainBundle().resourcesPath + "/" + name + ".nib";
  return CreateNibReferenceAt(folder.c_str(), nib);
}

void DisposeNibReference(IBNibRef nib) { delete nib; }

OSStatus CreateWindowFromNib(IBNibRef nib, const char* name, WindowRef* window) {
  if (nib == nullptr || name == nullptr || window == nullptr) return paramErr;
  OSStatus status = noErr;
  QWidget* widget = Load(nib, name, &status);
  if (widget == nullptr) return status;
  auto* record = new WindowRecord{CreateEventTarget(GetApplicationEventTarget()), widget,
                                  SetVisible};
  widget->setProperty("platformWindow", QVariant::fromValue(reinterpret_cast<quintptr>(record)));
  widget->installEventFilter(new WindowEvents(record, widget));
  ConnectControls(widget, record);
  ui::AttachMenuBar(record);
  *window = record;
  return noErr;
}

void DisposeWindow(WindowRef window) {
  if (window == nullptr) return;
  if (GetUserFocusTarget() == window->target) SetUserFocusTarget(nullptr);
  DisposeEventTarget(window->target);
  auto* widget = WidgetOf(window);
  if (gMenuBar != nullptr && gMenuBar->window() == widget) gMenuBar->setParent(nullptr);
  for (QObject* filter : widget->children()) {
    if (auto* events = dynamic_cast<WindowEvents*>(filter)) widget->removeEventFilter(events);
  }
  delete widget;
  delete window;
}

void SelectWindow(WindowRef window) {
  if (window == nullptr) return;
  QWidget* widget = WidgetOf(window);
  widget->show();
  widget->raise();
  widget->activateWindow();
  SetUserFocusTarget(window->target);
}

bool IsWindowVisible(WindowRef window) {
  return window != nullptr && WidgetOf(window)->isVisible();
}

OSStatus SetMenuBarFromNib(IBNibRef nib, const char* name) {
  if (nib == nullptr || name == nullptr) return paramErr;
  OSStatus status = noErr;
  QWidget* widget = Load(nib, name, &status);
  if (widget == nullptr) return status;
  auto* bar = qobject_cast<QMenuBar*>(widget);
  if (bar == nullptr) {
    delete widget;
    return EINVAL;
  }
  delete gMenuBar.data();
  gMenuBar = bar;
  for (QMenu* menu : bar->findChildren<QMenu*>()) ConnectMenu(menu);
  // Windows made before the menu bar show it too.
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (WindowRef window = ui::WindowOfWidget(top)) ui::AttachMenuBar(window);
  }
  return noErr;
}

}  // namespace platform
