#include "analysis/event_detection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "tests/analysis/memory_sound_stream.h"

namespace brek::zomelo {
namespace {

using harkwell_test::MemorySoundStream;

struct Seen {
  explicit Seen(MemorySoundStream* s) : stream(s) {}
  MemorySoundStream* stream;
  std::vector<int> starts;
  std::vector<int> framesWhenReported;  // the frame being processed at each callback
  int refuseAt = -1;
};

int Record(void* context, int count, const unsigned char*, const double*, int startFrame) {
  auto* seen = static_cast<Seen*>(context);
  EXPECT_EQ(count, 1);
  seen->starts.push_back(startFrame);
  seen->framesWhenReported.push_back(seen->stream->position / kHopSize - 1);
  if (int(seen->starts.size()) == seen->refuseAt) return 7;
  return 0;
}

// Noise with bursts: quiet passages arm the detector, loud onsets open events.
std::vector<float> Bursts(int seconds) {
  std::mt19937 random(5);
  std::normal_distribution<float> noise(0.0f, 1.0f);
  std::vector<float> samples(size_t(44100 * seconds));
  for (size_t i = 0; i < samples.size(); ++i) {
    const bool loud = (i / 22050) % 2 == 1 && (i % 22050) < 4000;
    samples[i] = noise(random) * (loud ? 0.5f : 0.001f);
  }
  return samples;
}

TEST(OnsetDetector, RiseCountsTenZeroZeroTwelve) {
  OnsetDetector onset;
  EXPECT_FALSE(onset.Update(10, 44100));
  EXPECT_NEAR(onset.peak, 9.5356, 0.0001);
  EXPECT_FALSE(onset.armed);
  EXPECT_FALSE(onset.Update(0, 44100));
  EXPECT_TRUE(onset.armed);
  EXPECT_FALSE(onset.Update(0, 44100));
  EXPECT_TRUE(onset.Update(12, 44100));
  EXPECT_NEAR(onset.peak, 11.4427, 0.0001);
  EXPECT_FALSE(onset.armed);
}

TEST(EventDetection, OnlyA44100HzStreamIsReadAtAll) {
  for (double rate : {48000.0, 22050.0}) {
    MemorySoundStream stream(std::vector<float>(100000, 0.1f), rate);
    Seen seen(&stream);
    EXPECT_EQ(analyzeStream(stream, &seen, Record, nullptr), -1);
    EXPECT_EQ(stream.reads, 0);
    EXPECT_TRUE(seen.starts.empty());
  }
}

TEST(EventDetection, SixtyOneSecondsAreReadIn2628Frames) {
  MemorySoundStream stream(std::vector<float>(44100 * 61, 0.0f), 44100.0);
  Seen seen(&stream);
  EXPECT_EQ(analyzeStream(stream, &seen, Record, nullptr), 0);
  EXPECT_EQ(stream.reads, 2628);
  EXPECT_TRUE(seen.starts.empty());  // digital silence never arms the detector
}

TEST(EventDetection, EventsAreReportedWhileTheir104thFollowingFrameIsProcessed) {
  MemorySoundStream stream(Bursts(20), 44100.0);
  Seen seen(&stream);
  EXPECT_EQ(analyzeStream(stream, &seen, Record, nullptr), 0);
  ASSERT_GE(seen.starts.size(), 5u);
  for (size_t i = 0; i < seen.starts.size(); ++i) {
    EXPECT_EQ(seen.framesWhenReported[i], seen.starts[i] + 104) << i;
    if (i > 0) {
      EXPECT_GT(seen.starts[i], seen.starts[i - 1]);
    }
  }
  EXPECT_GT(seen.starts[0], 0);
}

TEST(EventDetection, CallbackAndAbortResultsEndTheAnalysis) {
  MemorySoundStream refused(Bursts(20), 44100.0);
  Seen seen(&refused);
  seen.refuseAt = 2;
  EXPECT_EQ(analyzeStream(refused, &seen, Record, nullptr), 7);
  EXPECT_EQ(seen.starts.size(), 2u);

  MemorySoundStream aborted(Bursts(20), 44100.0);
  Seen none(&aborted);
  int calls = 0;
  AnalysisOptions options{0, [](void* c) { return ++*static_cast<int*>(c) == 100 ? -1 : 0; },
                          &calls};
  EXPECT_EQ(analyzeStream(aborted, &none, Record, &options), -1);
  EXPECT_EQ(aborted.reads, 99);
}

TEST(EventDetection, TheSameSamplesInAnyReadPatternGiveTheSameEvents) {
  // The analysis reads 1024 at a time; a stream that decodes short chunks must not matter.
  std::vector<float> samples = Bursts(10);
  MemorySoundStream a(samples, 44100.0), b(samples, 44100.0);
  Seen first{&a}, second{&b};
  analyzeStream(a, &first, Record, nullptr);
  analyzeStream(b, &second, Record, nullptr);
  EXPECT_EQ(first.starts, second.starts);
}

}  // namespace
}  // namespace brek::zomelo
