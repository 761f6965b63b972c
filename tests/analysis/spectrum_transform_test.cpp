#include "analysis/spectrum_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analysis/frame_features.h"

namespace brek::zomelo {
namespace {

struct Features {
  std::vector<float> mag = std::vector<float>(232);
  double floor = 0;
  double bands[kBandCount];
};

Features Analyse(const std::vector<float>& frame) {
  SpectrumTransform transform(2048);
  std::vector<float> spectrum(4096);
  transform.transform(frame.data(), spectrum.data());
  Features f;
  ComputeFrameFeatures(spectrum.data(), 232, f.mag.data(), &f.floor, f.bands);
  return f;
}

TEST(SpectrumTransform, TheWindowIsPeriodicHann) {
  SpectrumTransform transform(2048);
  EXPECT_EQ(transform.window(), nullptr);
  std::vector<float> frame(2048, 0.0f), spectrum(4096);
  transform.transform(frame.data(), spectrum.data());
  const float* w = transform.window();
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w[0], 0.0f);
  EXPECT_EQ(w[512], 0.5f);
  EXPECT_EQ(w[1024], 1.0f);
  for (int i = 1; i < 2048; ++i) ASSERT_EQ(w[i], w[2048 - i]) << i;
  EXPECT_EQ(transform.log2Size(), 11);
}

TEST(SpectrumTransform, AZeroFrameGivesTheFloorInEveryBand) {
  Features f = Analyse(std::vector<float>(2048, 0.0f));
  EXPECT_EQ(f.floor, 0.01);
  for (int k = 0; k < kBandCount; ++k) EXPECT_FLOAT_EQ(float(f.bands[k]), -4.6051702f) << k;
  for (float m : f.mag) EXPECT_EQ(m, 0.0f);
}

TEST(SpectrumTransform, ASineAtBin100) {
  std::vector<float> frame(2048);
  for (int t = 0; t < 2048; ++t) frame[t] = float(std::sin(2.0 * M_PI * 100.0 * t / 2048.0));
  Features f = Analyse(frame);
  EXPECT_NEAR(f.mag[100], 512.0f, 0.01);
  EXPECT_NEAR(f.mag[99], 256.0f, 0.01);
  EXPECT_NEAR(f.mag[101], 256.0f, 0.01);
  for (int j = 0; j < 232; ++j) {
    if (j < 99 || j > 101) {
      EXPECT_LT(f.mag[j], 0.01f) << j;
    }
  }
  EXPECT_NEAR(f.floor, 8.234, 0.0005);
  // The full spectrum: the mirrored bin 1948 holds the same magnitude.
  SpectrumTransform transform(2048);
  std::vector<float> spectrum(4096);
  transform.transform(frame.data(), spectrum.data());
  EXPECT_NEAR(std::hypot(spectrum[2 * 1948], spectrum[2 * 1948 + 1]), 512.0, 0.01);
}

TEST(FrameFeatures, BinCount) {
  EXPECT_EQ(BinCount(44100.0), 232);
  EXPECT_EQ(BinCount(96000.0), 152);
}

}  // namespace
}  // namespace brek::zomelo
