#include "platform/ui/qt_support.h"

#include <QVariant>
#include <QWidget>

#include "platform/event_constants.h"

namespace platform::ui {

uint32_t FourCCProperty(const QObject* object, const char* name) {
  if (object == nullptr) return 0;
  const QByteArray text = object->property(name).toString().toLatin1();
  if (text.size() != 4) return 0;
  uint32_t code = 0;
  for (char c : text) code = (code << 8) | static_cast<unsigned char>(c);
  return code;
}

OSStatus SendCommandEvent(uint32_t kind, const HICommand& command, EventTargetRef target) {
  Event event(kEventClassCommand, kind);
  event.SetParameter(kEventParamDirectObject, typeHICommand, sizeof command, &command);
  return SendEventToEventTarget(&event, target);
}

WindowRef WindowOfWidget(const QObject* object) {
  const auto* widget = qobject_cast<const QWidget*>(object);
  if (widget == nullptr) return nullptr;
  const QVariant record = widget->window()->property("platformWindow");
  return record.isValid() ? reinterpret_cast<WindowRef>(record.value<quintptr>()) : nullptr;
}

}  // namespace platform::ui
