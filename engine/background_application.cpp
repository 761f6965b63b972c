#include "engine/background_application.h"

#include <signal.h>

#include <cstring>
#include <mutex>

#include "engine/posix_thread.h"
#include "platform/event_constants.h"
#include "platform/four_cc.h"
#include "toolkit/event_posting.h"

namespace brek {

using namespace platform;

namespace {

constexpr uint32_t kFinderSignature = FourCC("MACS");
constexpr uint32_t kRescanClass = FourCC("BREK");
constexpr uint32_t kRescanID = FourCC("HUP ");

// The program the signal thread stops. The signal thread is detached and may wake after the
// program object is gone (a signal during exit), so it reaches the object only through this
// pointer, which the destructor clears under the lock.
std::mutex gSignalTargetLock;
BackGroundApplication* gSignalTarget = nullptr;

sigset_t StopSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  return set;
}

}  // namespace

BackGroundApplication::BackGroundApplication() : handlerProc_(NewEventHandlerUPP(HandleEvent)) {}

BackGroundApplication::~BackGroundApplication() {
  {
    std::lock_guard<std::mutex> hold(gSignalTargetLock);
    if (gSignalTarget == this) gSignalTarget = nullptr;
  }
  DisposeEventHandlerUPP(handlerProc_);
}

int BackGroundApplication::Run(int, char**) {
  // Every thread made from here on inherits the mask, so the two signals reach the program
  // only through the signal thread's sigwait.
  sigset_t signals = StopSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  finder_ = ProcessSerialNumber{0, kNoProcess};
  for (;;) {
    if (GetNextProcess(&finder_) != noErr) break;
    ProcessInfoRec info{};
    info.processInfoLength = sizeof info;
    if (GetProcessInformation(&finder_, &info) != noErr) break;
    if (info.processSignature == kFinderSignature) break;
  }

  const EventTypeSpec types[] = {{kEventClassApplication, kEventAppTerminated},
                                 {kEventClassAppleEvent, kEventAppleEvent}};
  InstallEventHandler(GetApplicationEventTarget(), handlerProc_, 2, types, this, nullptr);

  workers_.Start(WorkerMain, this);

  {
    std::lock_guard<std::mutex> hold(gSignalTargetLock);
    gSignalTarget = this;
  }
  Thread signalThread;
  if (signalThread.Create(WaitForSignals, this) == 0) signalThread.Detach();

  RunApplicationEventLoop();

  workers_.RaiseAll();
  workers_.WaitAll();
  return 0;
}

void BackGroundApplication::WorkerMain(void* application, Trigger& stop) {
  static_cast<BackGroundApplication*>(application)->Work(stop);
  PostEvent(kEventClassApplication, kEventAppQuit);
}

void* BackGroundApplication::WaitForSignals(void*) {
  sigset_t signals = StopSignals();
  int received = 0;
  sigwait(&signals, &received);
  {
    std::lock_guard<std::mutex> hold(gSignalTargetLock);
    if (gSignalTarget != nullptr) gSignalTarget->workers_.RaiseAll();
  }
  // Also quit the loop directly: with no worker running (it could not be made, or it has
  // already ended) nothing else would end the program.
  PostEvent(kEventClassApplication, kEventAppQuit);
  return nullptr;
}

OSStatus BackGroundApplication::HandleEvent(EventHandlerCallRef, EventRef event,
                                            void* application) {
  auto* self = static_cast<BackGroundApplication*>(application);
  if (event->eventClass() == kEventClassApplication && event->kind() == kEventAppTerminated) {
    ProcessSerialNumber ended{};
    if (OSStatus status =
            event->GetParameter(kEventParamProcessID, typeProcessSerialNumber, sizeof ended, &ended)) {
      return status;
    }
    if (std::memcmp(&ended, &self->finder_, sizeof ended) == 0) {
      PostEvent(kEventClassApplication, kEventAppQuit);
    }
    return noErr;
  }
  if (event->eventClass() == kEventClassAppleEvent && event->kind() == kEventAppleEvent) {
    uint32_t aeClass = 0, aeID = 0;
    if (OSStatus status = event->GetParameter(kEventParamAEEventClass, typeType, 4, &aeClass)) {
      return status;
    }
    if (OSStatus status = event->GetParameter(kEventParamAEEventID, typeType, 4, &aeID)) {
      return status;
    }
    if (aeClass == kRescanClass && aeID == kRescanID) {
      self->rescanRequest_.Raise();
      return noErr;
    }
    return eventNotHandledErr;  // the quit message goes on to the standard handling
  }
  return eventNotHandledErr;
}

}  // namespace brek
