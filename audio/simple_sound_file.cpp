#include "audio/simple_sound_file.h"

#include <sys/stat.h>

#include <cmath>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

namespace brek {

SimpleSoundFile_QT::SimpleSoundFile_QT(const char* path) {
  if (Open(path)) {
    moreData = 1;
  } else {
    close();
  }
}

SimpleSoundFile_QT::~SimpleSoundFile_QT() { close(); }

bool SimpleSoundFile_QT::Open(const char* path) {
  struct stat info;
  if (path == nullptr || stat(path, &info) != 0 || S_ISDIR(info.st_mode)) return false;
  if (avformat_open_input(&format_, path, nullptr, nullptr) != 0) return false;
  if (avformat_find_stream_info(format_, nullptr) < 0) return false;
  for (unsigned i = 0; i < format_->nb_streams; ++i) {
    if (format_->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
      streamIndex_ = int(i);
      break;
    }
  }
  if (streamIndex_ < 0) return false;
  AVStream* stream = format_->streams[streamIndex_];
  const AVCodec* decoder = avcodec_find_decoder(stream->codecpar->codec_id);
  if (decoder == nullptr) return false;
  codec_ = avcodec_alloc_context3(decoder);
  if (codec_ == nullptr || avcodec_parameters_to_context(codec_, stream->codecpar) < 0) {
    return false;
  }
  codec_->thread_count = 1;
  if (avcodec_open2(codec_, decoder, nullptr) < 0) return false;
  channels_ = codec_->ch_layout.nb_channels;
  const int sampleRate = codec_->sample_rate;
  if (channels_ <= 0 || sampleRate <= 0) return false;

  // The length in sample frames, taken once: the stream's duration, else the container's.
  double seconds = 0.0;
  if (stream->duration > 0) {
    seconds = double(stream->duration) * av_q2d(stream->time_base);
  } else if (format_->duration > 0) {
    seconds = double(format_->duration) / AV_TIME_BASE;
  }
  const double frames = std::floor(seconds * sampleRate + 0.5);
  if (!(frames >= 1.0) || frames > 2147483647.0) return false;
  mediaLength_ = int(frames);

  AVChannelLayout layout;
  if (av_channel_layout_copy(&layout, &codec_->ch_layout) < 0) return false;
  if (layout.order == AV_CHANNEL_ORDER_UNSPEC) av_channel_layout_default(&layout, channels_);
  int made = swr_alloc_set_opts2(&resampler_, &layout, AV_SAMPLE_FMT_S16, sampleRate, &layout,
                                 codec_->sample_fmt, sampleRate, 0, nullptr);
  av_channel_layout_uninit(&layout);
  if (made < 0 || swr_init(resampler_) < 0) return false;
  packet_ = av_packet_alloc();
  frame_ = av_frame_alloc();
  if (packet_ == nullptr || frame_ == nullptr) return false;
  rate = double(sampleRate);
  return true;
}

void SimpleSoundFile_QT::close() {
  av_frame_free(&frame_);
  av_packet_free(&packet_);
  swr_free(&resampler_);
  avcodec_free_context(&codec_);
  avformat_close_input(&format_);
  streamIndex_ = -1;
  mediaLength_ = 0;
  moreData = 0;
}

int SimpleSoundFile_QT::Fill(size_t samples) {
  while (pcm_.size() - pcmStart_ < samples && !endOfData_) {
    int received = avcodec_receive_frame(codec_, frame_);
    if (received == 0) {
      const size_t used = pcm_.size();
      const int capacity = swr_get_out_samples(resampler_, frame_->nb_samples);
      if (capacity < 0) return capacity;
      pcm_.resize(used + size_t(capacity) * size_t(channels_));
      uint8_t* target[1] = {reinterpret_cast<uint8_t*>(pcm_.data() + used)};
      int converted = swr_convert(resampler_, target, capacity,
                                  const_cast<const uint8_t**>(frame_->extended_data),
                                  frame_->nb_samples);
      av_frame_unref(frame_);
      if (converted < 0) return converted;
      pcm_.resize(used + size_t(converted) * size_t(channels_));
      continue;
    }
    if (received == AVERROR_EOF) {
      endOfData_ = true;
      break;
    }
    if (received != AVERROR(EAGAIN)) return received;
    // The decoder wants input: the next packet of our stream, or the flush at the end.
    int status = av_read_frame(format_, packet_);
    if (status < 0) {
      avcodec_send_packet(codec_, nullptr);  // end of the file (or an unreadable rest)
      continue;
    }
    if (packet_->stream_index == streamIndex_) {
      status = avcodec_send_packet(codec_, packet_);
      // A damaged packet is passed over; its samples come out as the zeros of a short decode.
      if (status < 0 && status != AVERROR_INVALIDDATA && status != AVERROR(EAGAIN)) {
        av_packet_unref(packet_);
        return status;
      }
    }
    av_packet_unref(packet_);
  }
  return 0;
}

int SimpleSoundFile_QT::read(int frames, float* out) {
  if (frames <= 0) return -1;
  if (moreData == 0) {
    std::memset(out, 0, sizeof(float) * size_t(frames));
    position += frames;
    return 0;
  }
  // Keep the buffer from growing: drop what was delivered before decoding more.
  if (pcmStart_ > 0) {
    pcm_.erase(pcm_.begin(), pcm_.begin() + std::ptrdiff_t(pcmStart_));
    pcmStart_ = 0;
  }
  if (int status = Fill(size_t(frames) * size_t(channels_))) return status;
  const size_t available = (pcm_.size() - pcmStart_) / size_t(channels_);
  const size_t decoded = available < size_t(frames) ? available : size_t(frames);
  const int16_t* sample = pcm_.data() + pcmStart_;
  for (size_t i = 0; i < decoded; ++i) {
    int sum = 0;
    for (int c = 0; c < channels_; ++c) sum += *sample++;
    out[i] = float(double(sum / channels_) / 32767.0);
  }
  pcmStart_ += decoded * size_t(channels_);
  for (size_t i = decoded; i < size_t(frames); ++i) out[i] = 0.0f;
  position += frames;
  if (position >= mediaLength_) moreData = 0;
  return 0;
}

}  // namespace brek
