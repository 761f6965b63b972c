// A pull stream of mono float samples from a decoded track.
#pragma once

namespace brek {

class SimpleSoundStream {
 public:
  virtual ~SimpleSoundStream() = default;

  // Delivers `frames` mono samples into `out`: 0, -1 for a count below 1, or the decoder's
  // nonzero status. Past the end, and after a short decode, the missing samples are zeros.
  virtual int read(int frames, float* out) = 0;
  // Length of the track in sample frames at `rate`; 0 when unknown.
  virtual int length() { return 0; }

  double rate = 0.0;  // Hz; 0 until a source sets it
  int moreData = 0;   // 1 while samples remain
  int position = 0;   // sample frames requested so far
};

}  // namespace brek
