// The HWS record of one track file, exactly as the engine uploads it.
#pragma once

#include <cstdint>
#include <cstdio>

#include "analysis/event_detection.h"
#include "library/track_metadata.h"

namespace brek::zomelo {

enum class TrackRecordResult {
  kWritten,          // the whole record is in the file
  kTagsUnreadable,   // no tag reader succeeded
  kTagsIncomplete,   // title, artist, album or genre empty: skipped
  kNoAudio,          // the stream could not be opened: skipped
  kBadDuration,      // not longer than 60 s and shorter than 600 s: skipped
  kAnalysisEnded,    // wrong rate, or the options' abort callback stopped it: skipped
  kWriteFailed,
};

// Reads the tags of `path` into `tags` (cleaned), checks the track, and writes its record (ID,
// info lines, data section, terminator, trailer) into `file` from its current position.
// `options` carries the abort callback; its count is ignored (one codeword per block).
TrackRecordResult WriteTrackRecord(const char* path, const uint8_t* trackId, FILE* file,
                                   int (*abortCallback)(void*), void* abortContext,
                                   TrackMetadata& tags);

}  // namespace brek::zomelo
