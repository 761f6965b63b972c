// The windowed spectrum of one analysis frame.
#pragma once

#include <fftw3.h>

namespace brek::zomelo {

// A Hann-windowed, unscaled forward FFT of n samples (a power of two). transform() writes the
// full spectrum as 2n interleaved floats: element 2k the real and 2k+1 the imaginary part of
// bin k, for k = 0 .. n-1. The plan is made once per process and size; the object allocates
// nothing per frame.
class SpectrumTransform {
 public:
  explicit SpectrumTransform(int n);
  ~SpectrumTransform();
  SpectrumTransform(const SpectrumTransform&) = delete;
  SpectrumTransform& operator=(const SpectrumTransform&) = delete;

  void transform(const float* frame, float* spectrum);

  int size() const { return size_; }
  int log2Size() const { return log2Size_; }
  const float* window() const { return window_; }  // null until the first transform

 private:
  int size_;
  float* window_ = nullptr;
  fftwf_plan setup_;
  fftwf_complex* input_;   // the windowed frame as complex values
  fftwf_complex* output_;  // the spectrum, interleaved
  int log2Size_;
};

}  // namespace brek::zomelo
