// The user's home directory.
#pragma once

#include <cstddef>

namespace platform {

// Fills `buffer` with $HOME, or with the home directory of the password database when HOME is
// unset or empty. Returns 0, ENAMETOOLONG when it does not fit, or ENOENT when there is none.
int HomeDirectory(char* buffer, size_t size);

}  // namespace platform
