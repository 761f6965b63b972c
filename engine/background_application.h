// The frame of a faceless background program: the main thread runs the event loop, one worker
// thread does the program's work, and a signal thread turns SIGINT and SIGTERM into stop
// requests. The program ends when its work ends, on a signal, when the Finder ends, or on the
// quit message.
#pragma once

#include "engine/thread_group.h"
#include "engine/trigger.h"
#include "platform/event_loop.h"
#include "platform/processes.h"

namespace brek {

class BackGroundApplication {
 public:
  BackGroundApplication();
  virtual ~BackGroundApplication();
  BackGroundApplication(const BackGroundApplication&) = delete;
  BackGroundApplication& operator=(const BackGroundApplication&) = delete;

  // The program's work, once, on the worker thread; it tests `stop` between its steps.
  virtual int Work(Trigger& stop) = 0;

  // Runs the program on the calling (main) thread until it ends; always 0. The arguments are
  // not used.
  int Run(int argc, char** argv);

 protected:
  Trigger rescanRequest_;  // raised by the 'BREK'/'HUP ' message, consumed by Work

 private:
  static void WorkerMain(void* application, Trigger& stop);
  static void* WaitForSignals(void* application);
  static platform::OSStatus HandleEvent(platform::EventHandlerCallRef call,
                                        platform::EventRef event, void* application);

  ThreadGroup workers_;
  platform::EventHandlerUPP handlerProc_;
  platform::ProcessSerialNumber finder_{0, platform::kNoProcess};
};

}  // namespace brek
