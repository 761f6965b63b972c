// The scripting component: compiles script texts (platform/script_language.h) into IDs, runs
// them and shows their results as text. Main thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/four_cc.h"
#include "platform/status.h"

namespace platform {

struct ScriptingComponent;
using ComponentInstance = ScriptingComponent*;
using OSAID = uint32_t;

constexpr OSAID kOSANullScript = 0;
constexpr uint32_t kOSAComponentType = FourCC("osa ");
constexpr uint32_t kAppleScriptSubtype = FourCC("ascr");
constexpr int32_t kOSAModeNull = 0;

// The component of `type` and `subtype`; nullptr when there is none.
ComponentInstance OpenDefaultComponent(uint32_t type, uint32_t subtype);

// Compiles `length` bytes of `text` into a new script ID.
OSStatus OSACompile(ComponentInstance component, const char* text, size_t length, int32_t mode,
                    OSAID* script);
// Runs `script`; its result gets a new ID (kOSANullScript when it returned nothing).
OSStatus OSAExecute(ComponentInstance component, OSAID script, OSAID context, int32_t mode,
                    OSAID* result);
// The text form of the value `value`.
OSStatus OSADisplay(ComponentInstance component, OSAID value, int32_t mode, std::string* text);
// Forgets a script or value ID.
OSStatus OSADispose(ComponentInstance component, OSAID id);

}  // namespace platform
