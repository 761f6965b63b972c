// The running program's presence on the desktop: registered under its bundle's signature,
// reachable by messages, told of other programs ending. The event loop calls these.
#pragma once

namespace platform {

// Once per program run of the loop; does nothing for a program without a signature beyond
// watching processes.
void RegisterApplication();
void UnregisterApplication();

}  // namespace platform
