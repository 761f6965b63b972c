#include "engine/thread_group.h"

namespace brek {

struct ThreadGroup::StartRecord {
  ThreadGroup* group;
  Procedure procedure;
  void* argument;
};

ThreadGroup::~ThreadGroup() {
  RaiseAll();
  WaitAll();
  idle_.Destroy();
  triggers_.clear();
  lock_.Destroy();
}

int ThreadGroup::Start(Procedure procedure, void* argument) {
  auto* record = new StartRecord{this, procedure, argument};
  Thread thread;
  if (thread.Create(WorkerEntry, record) != 0) {
    delete record;
    return -1;
  }
  thread.Detach();
  // Counted after the thread exists, so a worker that ends at once may take running to -1 for a
  // moment; WaitAll only waits while it is above 0.
  MutexLock hold(lock_);
  ++running_;
  return 0;
}

void* ThreadGroup::WorkerEntry(void* argument) {
  auto* record = static_cast<StartRecord*>(argument);
  ThreadGroup* group = record->group;
  {
    Trigger stop;
    group->lock_.Lock();
    group->triggers_.insert(&stop);
    group->lock_.Unlock();

    record->procedure(record->argument, stop);

    group->lock_.Lock();
    group->triggers_.erase(&stop);
    --group->running_;
    bool idle = group->running_ <= 0;
    delete record;
    if (idle) group->idle_.Signal();
    // The group may be destroyed once its lock is released and running is 0: nothing of it is
    // touched after this.
    group->lock_.Unlock();
  }
  return nullptr;
}

void ThreadGroup::RaiseAll() {
  MutexLock hold(lock_);
  for (Trigger* trigger : triggers_) trigger->Raise();
}

void ThreadGroup::WaitAll() {
  MutexLock hold(lock_);
  while (running_ > 0) idle_.Wait(lock_);
}

}  // namespace brek
