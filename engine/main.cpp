// Harkwell Engine: one analysis run of the user's music folder, then quit.
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include "audio/decoder_library.h"
#include "engine/harkwell.h"

namespace {

// The engine never competes with the user's own work: lower CPU priority and the idle I/O
// class, on top of pausing while the user is active.
void LowerPriority() {
  errno = 0;
  int current = getpriority(PRIO_PROCESS, 0);
  if (errno == 0) setpriority(PRIO_PROCESS, 0, current + 10);
  constexpr int kIoprioWhoProcess = 1, kIoprioClassIdle = 3, kIoprioClassShift = 13;
  syscall(SYS_ioprio_set, kIoprioWhoProcess, 0, kIoprioClassIdle << kIoprioClassShift);
}

}  // namespace

int main(int argc, char** argv) {
  LowerPriority();
  int status = 0;
  {
    brek::zomelo::Harkwell engine;
    brek::EnterDecoderLibrary();
    struct DecoderScope {
      ~DecoderScope() { brek::ExitDecoderLibrary(); }
    } decoder;
    status = engine.Run(argc, argv);
  }
  return status;
}
