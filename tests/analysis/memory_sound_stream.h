// A sound stream over samples in memory, counting its reads.
#pragma once

#include <algorithm>
#include <functional>
#include <vector>

#include "audio/simple_sound_stream.h"

namespace harkwell_test {

class MemorySoundStream : public brek::SimpleSoundStream {
 public:
  MemorySoundStream(std::vector<float> samples, double sampleRate) : samples_(std::move(samples)) {
    rate = sampleRate;
    moreData = samples_.empty() ? 0 : 1;
  }
  int read(int frames, float* out) override {
    ++reads;
    if (frames <= 0) return -1;
    for (int i = 0; i < frames; ++i) {
      size_t at = size_t(position) + size_t(i);
      out[i] = at < samples_.size() ? samples_[at] : 0.0f;
    }
    position += frames;
    if (position >= length()) moreData = 0;
    return 0;
  }
  int length() override { return int(samples_.size()); }

  int reads = 0;

 private:
  std::vector<float> samples_;
};

}  // namespace harkwell_test
