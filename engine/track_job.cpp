#include "engine/track_job.h"

#include <cerrno>

#include "analysis/hws_record.h"
#include "analysis/track_record.h"
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

int PauseOrStop(void* stop) { return pauseOrStop(static_cast<Trigger*>(stop)); }

}  // namespace

int analyzeTrack(Harkwell& engine, const char* path, const uint8_t* trackId,
                 const sockaddr_in* server, Trigger* stop) {
  TempFile record("harkwell-hws");  // removed on every way out
  if (record.file() == nullptr) return -1;
  TrackMetadata tags;
  switch (WriteTrackRecord(path, trackId, record.file(), PauseOrStop, stop, tags)) {
    case TrackRecordResult::kWritten: break;
    case TrackRecordResult::kTagsUnreadable: return -1;
    case TrackRecordResult::kWriteFailed: return EIO;
    default: return 0;  // skipped; a stop seen during the analysis is the run's to notice
  }
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
