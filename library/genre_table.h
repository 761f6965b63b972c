// Genre names: entry 0 "N/A", then the ID3v1 genres 0 to 125 with the Winamp extensions.
#pragma once

#include <cstdint>

namespace brek::zomelo {

struct TrackMetadata;

constexpr int kGenreCount = 127;
extern const char* const kGenreNames[kGenreCount];

// ID3 genre g (0..125) into record.genre; a larger g changes nothing.
void Id3GenreName(uint32_t g, TrackMetadata& record);
// MP4 genre code v (0..126; 0 is "N/A", v is ID3 genre v - 1) into record.genre.
void Mp4GenreName(uint32_t v, TrackMetadata& record);

}  // namespace brek::zomelo
