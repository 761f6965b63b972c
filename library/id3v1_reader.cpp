#include "library/id3v1_reader.h"

#include <cstring>

#include "library/file_reading.h"
#include "library/genre_table.h"
#include "library/text_conversion.h"

namespace brek::zomelo {

int ReadId3v1Tag(FILE* file, TrackMetadata& record) {
  if (int result = fseeko(file, -128, SEEK_END)) return result;
  unsigned char tag[128];
  if (ReadExactly(file, tag, sizeof tag) != 0) return -1;
  if (memcmp(tag, "TAG", 3) != 0) return -1;

  struct Text {
    int offset;
    char* field;
  } texts[] = {{3, record.title}, {33, record.artist}, {63, record.album}, {97, record.comment}};
  for (const Text& text : texts) {
    // In an ID3v1.1 trailer the comment's conversion stops at the zero byte at 125.
    Latin1ToUtf8(tag + text.offset, 30, text.field, kTagTextSize);
    TrimTrailingSpaces(text.field);
  }
  Id3GenreName(tag[127], record);
  const unsigned char* year = tag + 93;
  bool digits = true;
  for (int i = 0; i < 4; ++i) digits = digits && year[i] >= '0' && year[i] <= '9';
  if (digits) {
    record.year = (year[0] - '0') * 1000u + (year[1] - '0') * 100u + (year[2] - '0') * 10u +
                  (year[3] - '0');
  }
  if (tag[125] == 0 && tag[126] != 0) record.trackNumber = tag[126];
  record.kind = kTagId3v1;
  return 0;
}

}  // namespace brek::zomelo
