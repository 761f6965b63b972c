// iTunes metadata of an MPEG-4 audio file whose major brand is "M4A ".
#pragma once

#include <cstdint>
#include <cstdio>

#include "library/track_metadata.h"

namespace brek::zomelo {

// Walks moov/trak/udta/meta/ilst for the text, genre, track and CDDB items; kind kTagMp4. One
// malformed item makes the whole read fail.
int ReadMp4Tags(FILE* file, TrackMetadata& record);

// The atoms between `start` and `end` (file offsets) at nesting `depth`: 0 or -1.
int WalkAtoms(FILE* file, uint64_t start, uint64_t end, int depth, TrackMetadata& record);

// Item readers, given the item's content start and end: 0 after writing their field, or -1.
int ReadMp4Text(FILE* file, uint64_t content, uint64_t end, char* field, size_t capacity);
int ReadMp4Genre(FILE* file, uint64_t content, uint64_t end, TrackMetadata& record);
int ReadMp4TrackNumber(FILE* file, uint64_t content, uint64_t end, TrackMetadata& record);
int ReadMp4CddbIds(FILE* file, uint64_t content, uint64_t end, TrackMetadata& record);

}  // namespace brek::zomelo
