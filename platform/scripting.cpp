#include "platform/scripting.h"

#include <map>
#include <memory>
#include <variant>

#include "platform/script_language.h"

namespace platform {

struct ScriptingComponent {
  std::map<OSAID, std::variant<std::shared_ptr<const ScriptProgram>, ScriptValue>> ids;
  OSAID lastId = kOSANullScript;

  OSAID Add(std::variant<std::shared_ptr<const ScriptProgram>, ScriptValue> entry) {
    ids.emplace(++lastId, std::move(entry));
    return lastId;
  }
};

ComponentInstance OpenDefaultComponent(uint32_t type, uint32_t subtype) {
  if (type != kOSAComponentType || subtype != kAppleScriptSubtype) return nullptr;
  static ScriptingComponent* component = new ScriptingComponent;  // lives as long as the process
  return component;
}

OSStatus OSACompile(ComponentInstance component, const char* text, size_t length, int32_t,
                    OSAID* script) {
  if (component == nullptr || script == nullptr) return paramErr;
  OSStatus status = noErr;
  auto program = ParseScript(text, length, &status);
  if (program == nullptr) return status;
  *script = component->Add(std::move(program));
  return noErr;
}

OSStatus OSAExecute(ComponentInstance component, OSAID script, OSAID, int32_t, OSAID* result) {
  if (component == nullptr || result == nullptr) return paramErr;
  auto it = component->ids.find(script);
  if (it == component->ids.end()) return errOSAInvalidID;
  const auto* program = std::get_if<std::shared_ptr<const ScriptProgram>>(&it->second);
  if (program == nullptr) return errOSAInvalidID;
  ScriptValue value;
  if (OSStatus status = RunScript(**program, &value)) return status;
  *result = value.kind == ScriptValue::Kind::kNothing ? kOSANullScript : component->Add(value);
  return noErr;
}

OSStatus OSADisplay(ComponentInstance component, OSAID value, int32_t, std::string* text) {
  if (component == nullptr || text == nullptr) return paramErr;
  if (value == kOSANullScript) {
    text->clear();
    return noErr;
  }
  auto it = component->ids.find(value);
  if (it == component->ids.end()) return errOSAInvalidID;
  const auto* shown = std::get_if<ScriptValue>(&it->second);
  if (shown == nullptr) return errOSAInvalidID;  // a script has no value to show
  *text = DisplayScriptValue(*shown);
  return noErr;
}

OSStatus OSADispose(ComponentInstance component, OSAID id) {
  if (component == nullptr) return paramErr;
  if (id != kOSANullScript) component->ids.erase(id);
  return noErr;
}

}  // namespace platform
