#include "platform/application.h"

#include "platform/bundle.h"
#include "platform/messages.h"
#include "platform/processes.h"

namespace platform {

void RegisterApplication() {
  // Watching first and registering last: whoever sees this program registered can rely on
  // its messages being received and on other programs' ends being noticed.
  StartWatchingProcesses();
  const uint32_t signature = MainBundle().signature;
  if (signature != 0) {
    StartReceivingMessages(signature);
    RegisterProcess(signature);
  }
}

void UnregisterApplication() {
  StopReceivingMessages();
  StopWatchingProcesses();
  UnregisterProcess();
}

}  // namespace platform
