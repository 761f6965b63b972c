// The 128-byte ID3v1 trailer at the end of a file.
#pragma once

#include <cstdio>

#include "library/track_metadata.h"

namespace brek::zomelo {

// Title, artist, album, comment, year, genre and (ID3v1.1) track number; kind kTagId3v1.
int ReadId3v1Tag(FILE* file, TrackMetadata& record);

}  // namespace brek::zomelo
