#include "engine/track_job.h"

#include <cerrno>

#include "analysis/event_detection.h"
#include "analysis/hws_record.h"
#include "audio/simple_sound_file.h"
#include "engine/activity_log.h"
#include "engine/harkwell.h"
#include "engine/server_messages.h"
#include "engine/temp_file.h"
#include "engine/trigger.h"
#include "engine/user_activity.h"
#include "library/track_metadata.h"

namespace brek::zomelo {

int pauseOrStop(Trigger* stop) {
  for (;;) {
    if (stop->IsRaised()) return -1;
    if (!PauseWhileUserActive()) return 0;
  }
}

namespace {

int WriteEntry(void* writer, int count, const unsigned char* indices, const double* distances,
               int startFrame) {
  return writeEventEntry(static_cast<RecordWriter*>(writer), count, indices, distances,
                         startFrame);
}

int PauseOrStop(void* stop) { return pauseOrStop(static_cast<Trigger*>(stop)); }

}  // namespace

int analyzeTrack(Harkwell& engine, const char* path, const uint8_t* trackId,
                 const sockaddr_in* server, Trigger* stop) {
  TempFile record("harkwell-hws");  // removed on every way out
  if (record.file() == nullptr) return -1;
  TrackMetadata tags;
  if (ReadTrackMetadata(path, tags) != 0) return -1;
  CleanTrackMetadata(tags);
  if (!tags.title[0] || !tags.artist[0] || !tags.album[0] || !tags.genre[0]) return 0;

  brek::SimpleSoundFile_QT stream(path);
  if (stream.moreData == 0) return 0;
  const double seconds = double(stream.length()) / stream.rate;
  if (seconds <= 60.0 || seconds >= 600.0) return 0;

  if (WriteRecordHead(record.file(), trackId, tags, seconds) != 0) return EIO;
  RecordWriter writer{record.file(), 0};
  AnalysisOptions options{0, PauseOrStop, stop};
  if (analyzeStream(stream, &writer, WriteEntry, &options) != 0) return 0;
  if (stop->IsRaised()) return -1;
  if (WriteRecordEnd(record.file()) != 0 || fflush(record.file()) != 0) return EIO;
  const long length = ftell(record.file());
  if (length < 0) return errno;
  if (uint32_t(length) > kMaxRecordSize) return 0;  // too large to send

  if (int result = UploadRecord(*server, record.file(), uint32_t(length), *stop)) return result;
  LogAnalyzed(engine.logFile(), tags.artist, tags.title);
  return 0;
}

}  // namespace brek::zomelo
