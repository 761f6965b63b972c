// The fingerprint of one track: onset events found in 64 log bands of overlapping 2048-sample
// frames, each reported as four codeword numbers with the frame at which it opened.
#pragma once

#include "audio/simple_sound_stream.h"

namespace brek::zomelo {

constexpr int kHopSize = 1024;
constexpr int kFrameSize = 2048;
constexpr double kAnalysisRate = 44100.0;

struct AnalysisOptions {
  int count;                       // nearest codewords wanted per block; 0 means 1
  int (*abortCallback)(void*);     // called once per frame before reading; nonzero ends it
  void* abortContext;
};

// indices and distances hold 4 x count entries, block by block, nearest first. A nonzero
// result ends the analysis with that result.
using EventCallback = int (*)(void* context, int count, const unsigned char* indices,
                              const double* distances, int startFrame);

// Reads `stream` in hops of 1024 until moreData is 0 or a read fails (result 0). -1 without
// reading when the rate is not exactly 44100 Hz; otherwise the first nonzero result of a
// callback. Callbacks come in opening order.
int analyzeStream(brek::SimpleSoundStream& stream, void* context, EventCallback callback,
                  const AnalysisOptions* options);

// The same analysis up to the quantisation: `blocks` receives each completed event's four
// centred blocks (4 x 64 floats, block-major). Used by analyzeStream and codebook training.
using BlocksCallback = int (*)(void* context, const float* blocks, int startFrame);
int detectEvents(brek::SimpleSoundStream& stream, void* context, BlocksCallback blocks,
                 int (*abortCallback)(void*), void* abortContext);

// The onset decision of one frame from its rise count; `peak` decays by 1 / (rate / 2048) of
// itself per frame.
struct OnsetDetector {
  double peak = 0.0;
  bool armed = false;
  // True when an event opens at this frame.
  bool Update(double riseCount, double rate);
};

}  // namespace brek::zomelo
