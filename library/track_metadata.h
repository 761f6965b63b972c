// The track metadata record, and the dispatch over the four tag readers.
#pragma once

#include <cstdint>
#include <cstdio>

namespace brek::zomelo {

enum TagKind : int32_t {
  kTagNone = 0,
  kTagMp4 = 1,
  kTagId3v23 = 2,
  kTagId3v22 = 3,
  kTagId3v1 = 4,
};

// "none", "QT", "ID3v2.3", "ID3v2.2", "ID3v1"; "none" for any other value.
const char* TagKindName(int32_t kind);

constexpr size_t kTagTextSize = 256;

// Text fields are NUL-terminated UTF-8 of at most 255 bytes; empty means not given.
struct TrackMetadata {
  int32_t kind;
  char title[kTagTextSize];
  char artist[kTagTextSize];
  char composer[kTagTextSize];
  char album[kTagTextSize];
  char comment[kTagTextSize];
  char genre[kTagTextSize];
  uint32_t year;
  uint32_t trackNumber;
  uint32_t trackCount;
  char cddbIds[kTagTextSize];  // copied byte for byte from the tag
};

// Reads the tags of the file at `path`: 0, nonzero when no reader succeeded, -1 (record
// untouched) when the file cannot be opened.
int ReadTrackMetadata(const char* path, TrackMetadata& record);

// Clears the record, then tries MP4, ID3v2.3, ID3v2.2 and ID3v1 in that order, stopping at the
// first that succeeds. The result of the last reader tried.
int ReadTags(FILE* file, TrackMetadata& record);

// CollapseWhitespace on every text field but cddbIds.
void CleanTrackMetadata(TrackMetadata& record);

// Removes leading and trailing blanks (bytes up to 0x20, and 0x7F) and makes every inner run of
// blanks one space, in place.
void CollapseWhitespace(char* text);

}  // namespace brek::zomelo
