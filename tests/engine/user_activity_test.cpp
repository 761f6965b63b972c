#include "engine/user_activity.h"

#include <gtest/gtest.h>

#include <vector>

namespace brek::zomelo {
namespace {

UserInput gInput;
int gSleeps = 0;

class GateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gInput = UserInput{0, 0, false};
    gSleeps = 0;
    SetUserActivitySourcesForTesting([] { return gInput; }, [] { ++gSleeps; });
  }
  void TearDown() override { SetUserActivitySourcesForTesting(nullptr, nullptr); }
  // How many calls sleep before one returns false.
  int PausesUntilIdle() {
    int pauses = 0;
    while (PauseWhileUserActive()) ++pauses;
    return pauses;
  }
};

TEST_F(GateTest, TheFirstTenCallsSleepThenIdleCallsReturnAtOnce) {
  EXPECT_EQ(PausesUntilIdle(), 10);
  EXPECT_EQ(gSleeps, 10);
  EXPECT_FALSE(PauseWhileUserActive());
  EXPECT_EQ(gSleeps, 10);
}

TEST_F(GateTest, AMouseMoveStartsTheTenAgain) {
  PausesUntilIdle();
  gInput.h = 5;
  EXPECT_EQ(PausesUntilIdle(), 10);
  gInput.v = -3;  // either coordinate counts
  EXPECT_EQ(PausesUntilIdle(), 10);
}

TEST_F(GateTest, AHeldKeyKeepsItPausedUntilReleased) {
  PausesUntilIdle();
  gInput.keyDown = true;
  for (int i = 0; i < 25; ++i) EXPECT_TRUE(PauseWhileUserActive());
  gInput.keyDown = false;
  EXPECT_EQ(PausesUntilIdle(), 9);  // the nine after the last call that saw the key
}

}  // namespace
}  // namespace brek::zomelo
