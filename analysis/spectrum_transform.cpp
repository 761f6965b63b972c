#include "analysis/spectrum_transform.h"

#include <cmath>
#include <cstring>
#include <map>
#include <mutex>

namespace brek::zomelo {

namespace {

// FFTW's planner is not thread-safe and a measured plan costs tens of milliseconds, so plans
// are made once per size and shared; each object executes it on its own aligned buffers.
fftwf_plan SharedPlan(int n) {
  static std::mutex lock;
  static std::map<int, fftwf_plan> plans;
  std::lock_guard<std::mutex> guard(lock);
  auto it = plans.find(n);
  if (it != plans.end()) return it->second;
  fftwf_complex* in = fftwf_alloc_complex(size_t(n));
  fftwf_complex* out = fftwf_alloc_complex(size_t(n));
  fftwf_plan plan = fftwf_plan_dft_1d(n, in, out, FFTW_FORWARD, FFTW_MEASURE);
  fftwf_free(in);
  fftwf_free(out);
  plans[n] = plan;
  return plan;
}

}  // namespace

SpectrumTransform::SpectrumTransform(int n) : size_(n) {
  int k = 0;
  while (k < 32 && (1LL << k) < n) ++k;
  log2Size_ = k;
  setup_ = SharedPlan(1 << log2Size_);
  input_ = fftwf_alloc_complex(size_t(n));
  output_ = fftwf_alloc_complex(size_t(n));
}

SpectrumTransform::~SpectrumTransform() {
  fftwf_free(input_);
  fftwf_free(output_);
  delete[] window_;
}

void SpectrumTransform::transform(const float* frame, float* spectrum) {
  if (window_ == nullptr) {
    // The periodic Hann window: denominator n, so w[n/2] is 1 and w[i] = w[n - i].
    window_ = new float[size_t(size_)];
    for (int i = 0; i < size_; ++i) {
      window_[i] = float(0.5 + (-0.5) * std::cos(double(i) * 2.0 * M_PI / double(size_)));
    }
  }
  for (int i = 0; i < size_; ++i) {
    input_[i][0] = frame[i] * window_[i];
    input_[i][1] = 0.0f;
  }
  fftwf_execute_dft(setup_, input_, output_);
  std::memcpy(spectrum, output_, sizeof(float) * 2 * size_t(size_));
}

}  // namespace brek::zomelo
