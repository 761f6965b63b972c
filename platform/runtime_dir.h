// The private per-user runtime directory where programs register and receive messages.
#pragma once

#include <cstddef>

namespace platform {

// Fills `buffer` with "$XDG_RUNTIME_DIR/harkwell", or "/tmp/harkwell-<uid>" without it, creating
// the directory with mode 0700 when missing. Returns 0, or an errno value when the path does not
// fit, cannot be made, or is not a directory of this user with no access for others.
int RuntimeDirectory(char* buffer, size_t size);

}  // namespace platform
