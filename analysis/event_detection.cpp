#include "analysis/event_detection.h"

#include <cstring>
#include <memory>
#include <vector>

#include "analysis/codebooks.h"
#include "analysis/frame_features.h"
#include "analysis/spectrum_transform.h"

namespace brek::zomelo {

namespace {

constexpr int kRingRows = 64;
constexpr int kBlockStride = 32;      // frames between the starts of an event's blocks
constexpr int kBlockFrames = 8;       // frames averaged into one block
constexpr int kEventFrames = 104;     // an event completes while this frame after it is read
constexpr int kMaxPendingEvents = 128;  // an event opens at most every other frame

struct PendingEvent {
  float blocks[kBlocksPerEvent * kBandCount];
  int startFrame;
};

// Pending events, oldest first, in a fixed ring.
class PendingEvents {
 public:
  bool Add(int startFrame) {
    if (count_ == kMaxPendingEvents) return false;
    PendingEvent& event = events_[(first_ + count_) % kMaxPendingEvents];
    std::memset(event.blocks, 0, sizeof event.blocks);
    event.startFrame = startFrame;
    ++count_;
    return true;
  }
  int size() const { return count_; }
  PendingEvent& at(int i) { return events_[(first_ + i) % kMaxPendingEvents]; }
  void RemoveOldest() {
    first_ = (first_ + 1) % kMaxPendingEvents;
    --count_;
  }

 private:
  PendingEvent events_[kMaxPendingEvents];
  int first_ = 0, count_ = 0;
};

struct QuantiseContext {
  void* context;
  EventCallback callback;
  int count;
  unsigned char* indices;
  double* distances;
};

int Quantise(void* argument, const float* blocks, int startFrame) {
  auto* q = static_cast<QuantiseContext*>(argument);
  quantizeBlocks(blocks, q->count, q->indices, q->distances);
  return q->callback(q->context, q->count, q->indices, q->distances, startFrame);
}

}  // namespace

bool OnsetDetector::Update(double riseCount, double rate) {
  if (riseCount > peak) peak = riseCount;
  peak = peak - peak / (rate * 0.5 / 1024.0);
  if (riseCount < 0.4 * peak) {
    armed = true;
    return false;
  }
  if (armed && riseCount > peak) {
    armed = false;
    return true;
  }
  return false;
}

int detectEvents(brek::SimpleSoundStream& stream, void* context, BlocksCallback blocks,
                 int (*abortCallback)(void*), void* abortContext) {
  SpectrumTransform transform(kFrameSize);
  const double rate = stream.rate;
  if (rate != kAnalysisRate) return -1;

  const int e = int(5000.0 * (1.0 / (rate / 2048.0)));
  const int binCount = BinCount(rate);
  const int candidates = e / 4;
  const float* weights = TheAnalysisConstants().head;  // weights[1..4]

  struct State {
    float frame[kFrameSize] = {};
    float spectrum[2 * kFrameSize];
    double bands[kBandCount];
    float ring[kRingRows][kBandCount] = {};
    float runningSum[kBandCount] = {};
    PendingEvents pending;
  };
  auto state = std::make_unique<State>();
  std::vector<float> mag(static_cast<size_t>(binCount));
  std::vector<float> hpsPrevious(static_cast<size_t>(candidates), 0.0f);
  int ringIndex = 0;
  OnsetDetector onset;
  double floor = 0.0;

  for (int frameIndex = 0; stream.moreData == 1; ++frameIndex) {
    if (abortCallback != nullptr) {
      if (int result = abortCallback(abortContext)) return result;
    }
    if (stream.read(kHopSize, state->frame + kHopSize) != 0) return 0;
    transform.transform(state->frame, state->spectrum);
    ComputeFrameFeatures(state->spectrum, binCount, mag.data(), &floor, state->bands);
    const double* v = state->bands;

    for (int k = 0; k < kBandCount; ++k) {
      state->runningSum[k] = float(state->runningSum[k] + (v[k] - state->ring[ringIndex][k]));
      state->ring[ringIndex][k] = float(v[k]);
    }
    ringIndex = (ringIndex + 1) % kRingRows;

    // Harmonic-product onset detector over the raw magnitudes.
    double rises = 0.0;
    for (int k = 0; k < candidates; ++k) {
      double product = 1.0;
      for (int l = 1; l <= 4; ++l) {
        float sum = 0.0f;
        for (int i = 0; i < l; ++i) sum += mag[size_t(k * l + i)];
        product *= double(sum * weights[l]);
      }
      if (product > 10 * hpsPrevious[size_t(k)]) rises += 1.0;
      hpsPrevious[size_t(k)] = float(product);
    }
    if (onset.Update(rises, rate)) state->pending.Add(frameIndex);

    while (state->pending.size() > 0) {
      PendingEvent& oldest = state->pending.at(0);
      if (frameIndex - oldest.startFrame < kEventFrames) break;
      // Complete: centre each block, then report.
      for (int b = 0; b < kBlocksPerEvent; ++b) {
        float* block = oldest.blocks + b * kBandCount;
        double sum = 0.0;
        for (int k = 0; k < kBandCount; ++k) sum += block[k];
        const double mean = sum * (1.0 / 64.0);
        for (int k = 0; k < kBandCount; ++k) block[k] = float(block[k] - mean);
      }
      int result = blocks(context, oldest.blocks, oldest.startFrame);
      state->pending.RemoveOldest();
      if (result != 0) return result;
    }
    for (int i = 0; i < state->pending.size(); ++i) {
      PendingEvent& event = state->pending.at(i);
      const int d = frameIndex - event.startFrame;
      const int s = d / kBlockFrames, b = s / 4, r = s % 4;
      if (r != 0) continue;  // between blocks
      float* block = event.blocks + b * kBandCount;
      for (int k = 0; k < kBandCount; ++k) {
        const float mean = state->runningSum[k] * -0.015625f;
        block[k] = float(block[k] + 0.125 * (v[k] + mean));
      }
    }
    std::memmove(state->frame, state->frame + kHopSize, sizeof(float) * kHopSize);
  }
  return 0;
}

int analyzeStream(brek::SimpleSoundStream& stream, void* context, EventCallback callback,
                  const AnalysisOptions* options) {
  const int count = (options != nullptr && options->count != 0) ? options->count : 1;
  std::vector<unsigned char> indices(size_t(kBlocksPerEvent * count));
  std::vector<double> distances(size_t(kBlocksPerEvent * count));
  QuantiseContext quantise{context, callback, count, indices.data(), distances.data()};
  return detectEvents(stream, &quantise, Quantise,
                      options != nullptr ? options->abortCallback : nullptr,
                      options != nullptr ? options->abortContext : nullptr);
}

}  // namespace brek::zomelo
