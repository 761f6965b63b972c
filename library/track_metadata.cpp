#include "library/track_metadata.h"

#include <cstring>
#include <initializer_list>

#include "library/id3v1_reader.h"
#include "library/id3v2_reader.h"
#include "library/mp4_reader.h"

namespace brek::zomelo {

const char* TagKindName(int32_t kind) {
  static const char* const kNames[] = {"none", "QT", "ID3v2.3", "ID3v2.2", "ID3v1"};
  return (kind >= 0 && kind <= 4) ? kNames[kind] : "none";
}

int ReadTrackMetadata(const char* path, TrackMetadata& record) {
  FILE* file = fopen(path, "rb");
  if (file == nullptr) return -1;
  int result = ReadTags(file, record);
  fclose(file);
  return result;
}

int ReadTags(FILE* file, TrackMetadata& record) {
  memset(&record, 0, sizeof record);
  if (ReadMp4Tags(file, record) == 0) return 0;
  if (ReadId3v23Tags(file, record) == 0) return 0;
  if (ReadId3v22Tags(file, record) == 0) return 0;
  return ReadId3v1Tag(file, record);
}

void CleanTrackMetadata(TrackMetadata& record) {
  for (char* field : {record.title, record.artist, record.composer, record.album, record.comment,
                      record.genre}) {
    CollapseWhitespace(field);
  }
}

void CollapseWhitespace(char* text) {
  auto blank = [](unsigned char c) { return c <= 0x20 || c == 0x7F; };
  const unsigned char* in = reinterpret_cast<const unsigned char*>(text);
  char* out = text;
  bool pendingSpace = false;
  for (; *in != 0; ++in) {
    if (blank(*in)) {
      pendingSpace = out != text;  // leading blanks produce nothing
      continue;
    }
    if (pendingSpace) *out++ = ' ';
    pendingSpace = false;
    *out++ = char(*in);
  }
  *out = '\0';
}

}  // namespace brek::zomelo
