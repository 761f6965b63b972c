#include "engine/trigger.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace brek {
namespace {

TEST(Trigger, ConsumeTakesOneRequestAtATime) {
  Trigger trigger;
  EXPECT_FALSE(trigger.IsRaised());
  EXPECT_FALSE(trigger.Consume());
  trigger.Raise();
  trigger.Raise();
  EXPECT_TRUE(trigger.Consume());
  EXPECT_TRUE(trigger.Consume());
  EXPECT_FALSE(trigger.Consume());
}

TEST(Trigger, IsRaisedLeavesTheCountAlone) {
  Trigger trigger;
  trigger.Raise();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(trigger.IsRaised());
  EXPECT_TRUE(trigger.Consume());
  EXPECT_FALSE(trigger.IsRaised());
}

TEST(Trigger, CountsRaisesFromManyThreads) {
  Trigger trigger;
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 1000; ++i) trigger.Raise();
    });
  }
  for (auto& thread : threads) thread.join();
  int consumed = 0;
  while (trigger.Consume()) ++consumed;
  EXPECT_EQ(consumed, 4000);
}

}  // namespace
}  // namespace brek
