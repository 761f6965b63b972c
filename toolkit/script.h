// Running script texts through the process's scripting component (platform/scripting.h).
// Main thread only.
#pragma once

#include <cstddef>

#include "platform/scripting.h"

namespace brek {

// Opens the process-wide scripting component unless it is open; 0, or -1 when there is none.
platform::OSStatus OpenScriptingComponent();

// One compiled script. The owner disposes it on every path.
class Script {
 public:
  // -1 when this script was compiled already (the first stays), else the compile status.
  platform::OSStatus Compile(const char* text, size_t length);
  platform::OSStatus Compile(const char* text);
  // Runs the script, dropping its result. -1 without component or compiled script.
  platform::OSStatus Execute();
  // Runs the script and copies the text of its result, with a NUL, into `buffer`; -1 when that
  // text does not fit (the buffer is then not written) or nothing is compiled.
  platform::OSStatus ExecuteAndDisplay(char* buffer, size_t size);
  // Forgets the compiled script; -1 before any component was opened, else 0.
  platform::OSStatus Dispose();

  platform::OSAID id() const { return id_; }

 private:
  platform::OSAID id_ = platform::kOSANullScript;
};

}  // namespace brek
