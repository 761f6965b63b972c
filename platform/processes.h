// Running programs: each program with a signature registers itself in the runtime directory;
// others enumerate them and learn when one ends.
#pragma once

#include <sys/types.h>

#include <cstdint>

#include "platform/status.h"

namespace platform {

// Identifies a running program; {0, kNoProcess} stands for none.
struct ProcessSerialNumber {
  uint32_t highLongOfPSN;
  uint32_t lowLongOfPSN;  // the process ID
};
constexpr uint32_t kNoProcess = 0;

struct ProcessInfoRec {
  uint32_t processInfoLength;
  uint32_t processSignature;
  pid_t processID;
};

// The registered program after `psn` in ascending process-ID order ({0, kNoProcess} gives the
// first); procNotFound, and {0, kNoProcess}, after the last. Entries of programs that have ended are removed.
OSStatus GetNextProcess(ProcessSerialNumber* psn);
OSStatus GetProcessInformation(const ProcessSerialNumber* psn, ProcessInfoRec* info);

// Registers the running program under `signature`; 0 or an errno value.
int RegisterProcess(uint32_t signature);
void UnregisterProcess();

// Watches every registered program from now on and posts ('appl', kEventAppTerminated) with
// kEventParamProcessID when one ends. Main thread; the event loop calls it.
void StartWatchingProcesses();
void StopWatchingProcesses();

}  // namespace platform
