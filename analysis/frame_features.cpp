#include "analysis/frame_features.h"

#include <algorithm>
#include <cmath>

namespace brek::zomelo {

int BinCount(double rate) {
  const int e = int(5000.0 * (1.0 / (rate / 2048.0)));
  return std::max(e, 152);
}

void ComputeFrameFeatures(const float* spectrum, int binCount, float* mag, double* floor,
                          double* bands) {
  double sum = 0.0;
  for (int j = 0; j < binCount; ++j) {
    const float re = spectrum[2 * j], im = spectrum[2 * j + 1];
    const float imSquared = im * im;                 // rounded to float
    const float power = std::fma(re, re, imSquared);  // fused single-precision multiply-add
    mag[j] = std::sqrt(power);
    sum += power;
  }
  *floor = std::max(0.2 * std::sqrt(sum / binCount), 0.01);
  for (int k = 0; k < kBandCount; ++k) {
    const double a = std::max(double(mag[kFirstBandBin + 2 * k]), *floor);
    const double b = std::max(double(mag[kFirstBandBin + 1 + 2 * k]), *floor);
    bands[k] = 0.5 * std::log(a * b);
  }
}

}  // namespace brek::zomelo
