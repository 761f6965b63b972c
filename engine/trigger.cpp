#include "engine/trigger.h"

namespace brek {

void Trigger::Raise() {
  MutexLock hold(lock_);
  ++count_;
  raised_.Signal();
}

bool Trigger::IsRaised() {
  MutexLock hold(lock_);
  return count_ != 0;
}

bool Trigger::Consume() {
  MutexLock hold(lock_);
  if (count_ == 0) return false;
  --count_;
  return true;
}

}  // namespace brek
