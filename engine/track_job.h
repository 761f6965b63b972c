// The job of one wanted track: read its tags, check it is worth analysing, fingerprint it into
// an HWS record in a temporary file, upload the record, log the analyzed line.
#pragma once

#include <netinet/in.h>

#include <cstdint>

namespace brek {
class Trigger;
}

namespace brek::zomelo {

class Harkwell;

// 0 when the record was uploaded or the track skipped (tags incomplete, no audio, not 60 to
// 600 s long, not 44100 Hz, a stop seen during the analysis, a record over 32768 bytes); -1
// when the temporary file was not made, the tags could not be read, or a stop was seen after
// the analysis, the connect or the send; otherwise the errno value of the upload.
int analyzeTrack(Harkwell& engine, const char* path, const uint8_t* trackId,
                 const sockaddr_in* server, Trigger* stop);

// The analysis's continue-check: -1 once `stop` is raised; otherwise waits, one second at a
// time, while the user is active, then 0.
int pauseOrStop(Trigger* stop);

}  // namespace brek::zomelo
