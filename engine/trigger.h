// A counted request flag shared between threads.
#pragma once

#include <cstdint>

#include "engine/posix_thread.h"

namespace brek {

// Any thread may call any operation. The count grows only by Raise and shrinks only by Consume.
class Trigger {
 public:
  Trigger() = default;
  ~Trigger() {
    raised_.Destroy();
    lock_.Destroy();
  }
  Trigger(const Trigger&) = delete;
  Trigger& operator=(const Trigger&) = delete;

  void Raise();
  // Whether a request is pending; the count is unchanged.
  bool IsRaised();
  // Takes one pending request: true if there was one.
  bool Consume();

 private:
  Mutex lock_;
  uint32_t count_ = 0;
  Condition raised_;  // signalled by every Raise
};

}  // namespace brek
