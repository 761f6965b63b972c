// The HWS record of one track: its ID, info lines, the data marker, one entry per event, the
// terminator 00 0A and the trailer "HWS Complete\n".
#pragma once

#include <cstdint>
#include <cstdio>

#include "library/track_metadata.h"

namespace brek::zomelo {

inline constexpr const char* kAnalyserVersion = "mac-1.1";
inline constexpr const char kDataMarker[] = "D\tBinary\t1.0\n";
inline constexpr const char kRecordTrailer[] = "HWS Complete\n";

// The track ID, then the info lines in their fixed order, then the data marker. `seconds` is
// the stream's length / rate. 0, or -1 when a write failed.
int WriteRecordHead(FILE* file, const uint8_t* trackId, const TrackMetadata& record,
                    double seconds);

// The event callback's context: the record file and the start frame of the last entry.
struct RecordWriter {
  FILE* file;
  int lastFrame;
};

// One data-section entry: the start-frame delta (one byte below 255, else FF and 16 bits),
// then the four blocks' codewords. Always 0.
int writeEventEntry(RecordWriter* writer, int count, const unsigned char* indices,
                    const double* distances, int startFrame);

// The terminator and the trailer. 0, or -1 when a write failed.
int WriteRecordEnd(FILE* file);

}  // namespace brek::zomelo
