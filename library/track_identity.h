// The track ID: the FNV-1a 64-bit hash of the normalised artist and title, most significant
// byte first; and the rejection of tracks that cannot be identified reliably.
#pragma once

#include <cstdint>

#include "library/track_metadata.h"

namespace brek::zomelo {

constexpr int kTrackIdSize = 8;
constexpr int kNoiseWordCount = 16;
extern const char* const kNoiseWords[kNoiseWordCount];  // each with its trailing space

// The reject lists; each also rejects the empty text.
extern const char* const kGenreRejects[9];
extern const char* const kAlbumRejects[16];
extern const char* const kArtistRejects[15];
extern const char* const kTitleRejects[19];

// The identity's view of a record: the four normalised values and what rejected it.
struct TrackIdentity {
  char genre[kTagTextSize];
  char album[kTagTextSize];
  char artist[kTagTextSize];
  char title[kTagTextSize];
  const char* rejectedBy;  // "genre", "album", "artist", "title", or null when accepted
  uint8_t id[kTrackIdSize];
};

// Fills `identity` from the record's genre, album, artist and title. 0, or -1 when rejected.
int IdentifyTrack(const TrackMetadata& record, TrackIdentity& identity);

// Writes the record's track ID to `id` and returns 0, or returns -1 (writing nothing) when the
// track is rejected. Allocates nothing.
int ComputeTrackId(const TrackMetadata& record, uint8_t id[kTrackIdSize]);

// Moves a trailing "(qualifier)" and then a trailing ", qualifier" to the front, through the two
// work buffers; the text to normalise.
const char* RewriteArtist(const char* artist, char (&first)[kTagTextSize],
                          char (&second)[kTagTextSize]);

// Removes noise words from a normalised text, in place.
void StripNoiseWords(char* text);

}  // namespace brek::zomelo
