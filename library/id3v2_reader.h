// ID3v2.3 and ID3v2.2 tags at the start of a file.
#pragma once

#include <cstddef>
#include <cstdio>

#include "library/track_metadata.h"

namespace brek::zomelo {

// Title, artist, composer, album, genre, comment or CDDB identifiers, track and year; kind
// kTagId3v23 or kTagId3v22. A frame that cannot be decoded only loses that frame; a frame that
// overruns the tag ends the walk.
int ReadId3v23Tags(FILE* file, TrackMetadata& record);
int ReadId3v22Tags(FILE* file, TrackMetadata& record);

// Decodes the text of a frame whose `size` data bytes start at the file position, into a field
// of `capacity` bytes. 0 after writing it, -1 without writing anything.
int DecodeId3Text(FILE* file, size_t size, char* field, size_t capacity, bool commentLayout);

// The iTunes CDDB identifiers of a comment frame (description "iTunes_CDDB_IDs") into
// record.cddbIds: 0, or -1 without writing anything.
int ReadCddbComment(FILE* file, size_t size, TrackMetadata& record);

}  // namespace brek::zomelo
