// The analysis per 1024-sample hop (window, FFT, magnitudes, bands, onset detector, running
// sums, event blocks and quantisation) on a 60-second synthetic stream in memory, without any
// decoding: the reported time per item is the time per hop.
//
//   build/release/bench/analysis_benchmark
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "analysis/event_detection.h"

namespace {

class MemoryStream : public brek::SimpleSoundStream {
 public:
  explicit MemoryStream(const std::vector<float>& samples) : samples_(samples) {
    rate = 44100.0;
    moreData = 1;
  }
  int read(int frames, float* out) override {
    for (int i = 0; i < frames; ++i) {
      size_t at = size_t(position) + size_t(i);
      out[i] = at < samples_.size() ? samples_[at] : 0.0f;
    }
    position += frames;
    if (position >= int(samples_.size())) moreData = 0;
    return 0;
  }
  int length() override { return int(samples_.size()); }

 private:
  const std::vector<float>& samples_;
};

// Noise with a beat: quiet passages and loud onsets, so events open and complete as in music.
const std::vector<float>& Music() {
  static const std::vector<float> samples = [] {
    std::mt19937 random(3);
    std::normal_distribution<float> noise(0.0f, 1.0f);
    std::vector<float> s(44100 * 60);
    for (size_t i = 0; i < s.size(); ++i) s[i] = noise(random) * ((i % 11025) < 2000 ? 0.4f : 0.02f);
    return s;
  }();
  return samples;
}

int Count(void* events, int, const unsigned char*, const double*, int) {
  ++*static_cast<int*>(events);
  return 0;
}

void AnalysisPerHop(benchmark::State& state) {
  int64_t hops = 0;
  int events = 0;
  for (auto _ : state) {
    MemoryStream stream(Music());
    brek::zomelo::analyzeStream(stream, &events, Count, nullptr);
    hops += (stream.length() + 1023) / 1024;
  }
  state.SetItemsProcessed(hops);
  state.counters["events"] = double(events) / double(state.iterations());
}

BENCHMARK(AnalysisPerHop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
