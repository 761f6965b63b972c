#include "analysis/track_record.h"

#include "analysis/hws_record.h"
#include "audio/simple_sound_file.h"

namespace brek::zomelo {

namespace {

int WriteEntry(void* writer, int count, const unsigned char* indices, const double* distances,
               int startFrame) {
  return writeEventEntry(static_cast<RecordWriter*>(writer), count, indices, distances,
                         startFrame);
}

}  // namespace

TrackRecordResult WriteTrackRecord(const char* path, const uint8_t* trackId, FILE* file,
                                   int (*abortCallback)(void*), void* abortContext,
                                   TrackMetadata& tags) {
  if (ReadTrackMetadata(path, tags) != 0) return TrackRecordResult::kTagsUnreadable;
  CleanTrackMetadata(tags);
  if (!tags.title[0] || !tags.artist[0] || !tags.album[0] || !tags.genre[0]) {
    return TrackRecordResult::kTagsIncomplete;
  }
  brek::SimpleSoundFile_QT stream(path);
  if (stream.moreData == 0) return TrackRecordResult::kNoAudio;
  const double seconds = double(stream.length()) / stream.rate;
  if (seconds <= 60.0 || seconds >= 600.0) return TrackRecordResult::kBadDuration;
  if (WriteRecordHead(file, trackId, tags, seconds) != 0) return TrackRecordResult::kWriteFailed;
  RecordWriter writer{file, 0};
  AnalysisOptions options{0, abortCallback, abortContext};
  if (analyzeStream(stream, &writer, WriteEntry, &options) != 0) {
    return TrackRecordResult::kAnalysisEnded;
  }
  return TrackRecordResult::kWritten;
}

}  // namespace brek::zomelo
