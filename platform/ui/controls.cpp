#include "platform/ui/controls.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVariant>
#include <QWidget>

#include "platform/ui/qt_support.h"

namespace platform {

namespace {

QWidget* WidgetOf(ControlRef control) { return reinterpret_cast<QWidget*>(control); }

}  // namespace

OSStatus GetControlByID(WindowRef window, const ControlID* id, ControlRef* control) {
  if (control != nullptr) *control = nullptr;
  if (window == nullptr || window->native == nullptr || id == nullptr || control == nullptr) {
    return paramErr;
  }
  auto* root = static_cast<QWidget*>(window->native);
  for (QWidget* widget : root->findChildren<QWidget*>()) {
    const QVariant number = widget->property("controlID");
    if (number.isValid() && number.toInt() == id->id && ui::FourCCProperty(widget, "controlSignature") == id->signature) {
      *control = reinterpret_cast<ControlRef>(widget);
      return noErr;
    }
  }
  return errUnknownControl;
}

void SetControlValue(ControlRef control, int16_t value) {
  QWidget* widget = WidgetOf(control);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setChecked(value != 0);
  else if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) slider->setValue(value);
  else if (auto* bar = qobject_cast<QProgressBar*>(widget)) bar->setValue(value);
}

int16_t GetControlValue(ControlRef control) {
  QWidget* widget = WidgetOf(control);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->isChecked() ? 1 : 0;
  if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
    return static_cast<int16_t>(slider->value());
  }
  if (auto* bar = qobject_cast<QProgressBar*>(widget)) return static_cast<int16_t>(bar->value());
  return 0;
}

OSStatus SetControlText(ControlRef control, const char* utf8) {
  QWidget* widget = WidgetOf(control);
  if (widget == nullptr || utf8 == nullptr) return paramErr;
  const QString text = QString::fromUtf8(utf8);
  if (auto* label = qobject_cast<QLabel*>(widget)) label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text);
  else if (auto* field = qobject_cast<QLineEdit*>(widget)) field->setText(text);
  else return errUnknownControl;
  return noErr;
}

std::string GetControlText(ControlRef control) {
  QWidget* widget = WidgetOf(control);
  QString text;
  if (auto* label = qobject_cast<QLabel*>(widget)) text = label->text();
  else if (auto* button = qobject_cast<QAbstractButton*>(widget)) text = button->text();
  else if (auto* field = qobject_cast<QLineEdit*>(widget)) text = field->text();
  return text.toStdString();
}

void ClickControl(ControlRef control) {
  if (auto* button = qobject_cast<QAbstractButton*>(WidgetOf(control))) button->click();
}

}  // namespace platform
