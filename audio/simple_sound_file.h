// The sound stream of an audio file (MP3, AIFF, MPEG-4 audio), decoded with FFmpeg.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/simple_sound_stream.h"

struct AVFormatContext;
struct AVCodecContext;
struct SwrContext;
struct AVPacket;
struct AVFrame;

namespace brek {

// Opens the file's first audio stream and decodes it to signed 16-bit PCM at its own rate and
// channel count, mixed down to one channel: the integer average of a frame's channels
// (truncated toward zero) divided by 32767.0. Any failure to open leaves moreData 0 and
// length() 0. One thread at a time.
class SimpleSoundFile_QT : public SimpleSoundStream {
 public:
  explicit SimpleSoundFile_QT(const char* path);
  ~SimpleSoundFile_QT() override;
  SimpleSoundFile_QT(const SimpleSoundFile_QT&) = delete;
  SimpleSoundFile_QT& operator=(const SimpleSoundFile_QT&) = delete;

  int read(int frames, float* out) override;
  int length() override { return mediaLength_; }
  // Releases the decoder; safe to call twice.
  void close();

 private:
  bool Open(const char* path);
  // Decodes until `samples` interleaved samples are buffered or the data ends: 0 or a status.
  int Fill(size_t samples);

  AVFormatContext* format_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  SwrContext* resampler_ = nullptr;
  AVPacket* packet_ = nullptr;
  AVFrame* frame_ = nullptr;
  int streamIndex_ = -1;
  int channels_ = 0;
  int mediaLength_ = 0;
  bool endOfData_ = false;
  std::vector<int16_t> pcm_;  // decoded interleaved samples not yet delivered, from pcmStart_
  size_t pcmStart_ = 0;
};

}  // namespace brek
