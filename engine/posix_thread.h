// Wrappers over POSIX threads that remember whether their object was made, and release it at
// most once.
#pragma once

#include <pthread.h>

namespace brek {

class Mutex {
 public:
  Mutex() { initialised_ = pthread_mutex_init(&mutex_, nullptr) == 0; }
  ~Mutex() { Destroy(); }
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  // Destroys the mutex if it was made; 0 when there was nothing to destroy.
  int Destroy() {
    if (!initialised_) return 0;
    initialised_ = false;
    return pthread_mutex_destroy(&mutex_);
  }
  void Lock() { pthread_mutex_lock(&mutex_); }
  void Unlock() { pthread_mutex_unlock(&mutex_); }
  bool initialised() const { return initialised_; }
  pthread_mutex_t* native() { return &mutex_; }

 private:
  pthread_mutex_t mutex_;
  bool initialised_;
};

class Condition {
 public:
  Condition() { initialised_ = pthread_cond_init(&condition_, nullptr) == 0; }
  ~Condition() { Destroy(); }
  Condition(const Condition&) = delete;
  Condition& operator=(const Condition&) = delete;

  int Destroy() {
    if (!initialised_) return 0;
    initialised_ = false;
    return pthread_cond_destroy(&condition_);
  }
  void Signal() { pthread_cond_signal(&condition_); }
  // `mutex` must be locked by the caller.
  void Wait(Mutex& mutex) { pthread_cond_wait(&condition_, mutex.native()); }
  bool initialised() const { return initialised_; }

 private:
  pthread_cond_t condition_;
  bool initialised_;
};

class Thread {
 public:
  Thread() = default;
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Starts `procedure(argument)` with default attributes; pthread_create's result.
  int Create(void* (*procedure)(void*), void* argument) {
    int result = pthread_create(&thread_, nullptr, procedure, argument);
    created_ = result == 0;
    return result;
  }
  void Detach() {
    if (!created_) return;
    created_ = false;
    pthread_detach(thread_);
  }
  bool created() const { return created_; }

 private:
  pthread_t thread_{};
  bool created_ = false;
};

// Holds a mutex locked for a scope.
class MutexLock {
 public:
  explicit MutexLock(Mutex& mutex) : mutex_(mutex) { mutex_.Lock(); }
  ~MutexLock() { mutex_.Unlock(); }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

 private:
  Mutex& mutex_;
};

}  // namespace brek
