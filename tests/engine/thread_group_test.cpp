#include "engine/thread_group.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace brek {
namespace {

struct Worker {
  std::atomic<bool> started{false};
  std::atomic<bool> sawStop{false};
  std::atomic<bool> finished{false};
};

// Runs until its stop trigger is raised.
void UntilStopped(void* argument, Trigger& stop) {
  auto* worker = static_cast<Worker*>(argument);
  worker->started = true;
  while (!stop.IsRaised()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  worker->sawStop = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a stop takes a moment
  worker->finished = true;
}

void AtOnce(void* argument, Trigger&) { static_cast<Worker*>(argument)->finished = true; }

TEST(ThreadGroup, RaiseAllAndWaitAllOnAnEmptyGroupReturn) {
  ThreadGroup group;
  group.RaiseAll();
  group.WaitAll();
}

TEST(ThreadGroup, WaitAllAfterTheWorkerFinishedReturnsAtOnce) {
  ThreadGroup group;
  Worker worker;
  ASSERT_EQ(group.Start(AtOnce, &worker), 0);
  group.WaitAll();
  EXPECT_TRUE(worker.finished);
  group.WaitAll();
}

TEST(ThreadGroup, RaiseAllStopsEveryWorker) {
  ThreadGroup group;
  Worker a, b;
  ASSERT_EQ(group.Start(UntilStopped, &a), 0);
  ASSERT_EQ(group.Start(UntilStopped, &b), 0);
  while (!a.started || !b.started) std::this_thread::yield();
  group.RaiseAll();
  group.WaitAll();
  EXPECT_TRUE(a.finished && b.finished);
}

TEST(ThreadGroup, DestructionStopsAndAwaitsTheWorker) {
  Worker worker;
  {
    ThreadGroup group;
    ASSERT_EQ(group.Start(UntilStopped, &worker), 0);
    while (!worker.started) std::this_thread::yield();
  }
  EXPECT_TRUE(worker.sawStop);
  EXPECT_TRUE(worker.finished);
}

TEST(ThreadGroup, EachWorkerHasItsOwnTrigger) {
  struct Seen {
    std::atomic<Trigger*> trigger{nullptr};
    std::atomic<bool> release{false};
  } first, second;
  auto record = [](void* argument, Trigger& stop) {
    auto* seen = static_cast<Seen*>(argument);
    seen->trigger = &stop;
    while (!seen->release && !stop.IsRaised()) std::this_thread::yield();
  };
  ThreadGroup group;
  group.Start(record, &first);
  group.Start(record, &second);
  while (!first.trigger || !second.trigger) std::this_thread::yield();
  EXPECT_NE(first.trigger.load(), second.trigger.load());
  first.release = second.release = true;
  group.WaitAll();
}

}  // namespace
}  // namespace brek
