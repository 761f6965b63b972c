// Detached worker threads, each with its own stop trigger, that can all be told to stop and
// awaited.
#pragma once

#include <cstdint>
#include <set>

#include "engine/posix_thread.h"
#include "engine/trigger.h"

namespace brek {

class ThreadGroup {
 public:
  using Procedure = void (*)(void* argument, Trigger& stop);

  ThreadGroup() = default;
  // Stops and awaits every worker before anything is freed.
  ~ThreadGroup();
  ThreadGroup(const ThreadGroup&) = delete;
  ThreadGroup& operator=(const ThreadGroup&) = delete;

  // Starts `procedure(argument, stop)` on a new detached thread: 0, or -1 when the thread could
  // not be made.
  int Start(Procedure procedure, void* argument);
  // Raises the stop trigger of every worker inside its procedure.
  void RaiseAll();
  // Returns when no worker runs.
  void WaitAll();

 private:
  struct StartRecord;
  static void* WorkerEntry(void* record);

  // Lock order: this lock, then a trigger's. Invariant: a trigger is in the set exactly while
  // its worker is inside its procedure; the trigger lives on that worker's stack.
  Mutex lock_;
  std::set<Trigger*> triggers_;
  int32_t running_ = 0;
  Condition idle_;
};

}  // namespace brek
