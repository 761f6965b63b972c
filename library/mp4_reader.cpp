#include "library/mp4_reader.h"

#include <algorithm>
#include <cstring>

#include "library/file_reading.h"
#include "library/genre_table.h"

namespace brek::zomelo {

namespace {

constexpr int kMaxAtomDepth = 9;
constexpr int kMaxAtomsPerLevel = 50;

bool TypeIs(const unsigned char* type, const char* name) { return memcmp(type, name, 4) == 0; }
bool TypeIsItem(const unsigned char* type, const char* name) {  // ©nam and its kin
  return type[0] == 0xA9 && memcmp(type + 1, name, 3) == 0;
}

// Reads and checks the 16-byte data atom header of an item: the atom's size, "data", version 0.
// `type` receives the 24-bit value type.
int ReadDataHeader(FILE* file, uint64_t content, uint64_t end, uint32_t* size, uint32_t* type) {
  unsigned char header[16];
  if (content + 16 > end) return -1;
  if (ReadAt(file, content, header, sizeof header) != 0) return -1;
  const uint32_t d = BigEndian32(header);
  if (d < 16 || content + d > end || !TypeIs(header + 4, "data") || header[8] != 0) return -1;
  *size = d;
  *type = BigEndian24(header + 9);
  return 0;
}

int ReadTextValue(FILE* file, uint64_t content, uint32_t d, char* field, size_t capacity) {
  if (d <= 16) return -1;  // an empty text item is an error
  size_t n = std::min<size_t>(d - 16, capacity - 1);
  char text[256];
  if (n > sizeof text || ReadAt(file, content + 16, text, n) != 0) return -1;
  memcpy(field, text, n);
  field[n] = '\0';
  return 0;
}

}  // namespace

int ReadMp4Tags(FILE* file, TrackMetadata& record) {
  unsigned char brand[8];
  if (ReadAt(file, 4, brand, sizeof brand) != 0) return -1;
  if (memcmp(brand, "ftypM4A ", 8) != 0) return -1;
  if (fseeko(file, 0, SEEK_END) != 0) return -1;
  off_t size = ftello(file);
  if (size < 0) return -1;
  int result = WalkAtoms(file, 0, uint64_t(size), 0, record);
  if (result != 0) return result;
  record.kind = kTagMp4;
  return 0;
}

int WalkAtoms(FILE* file, uint64_t start, uint64_t end, int depth, TrackMetadata& record) {
  if (depth > kMaxAtomDepth) return -1;
  uint64_t pos = start;
  for (int count = 0;; ++count) {
    if (pos + 8 > end || count == kMaxAtomsPerLevel) return 0;
    unsigned char header[8];
    if (ReadAt(file, pos, header, sizeof header) != 0) return -1;
    const uint64_t size = BigEndian32(header);
    if (size < 8) return 0;  // 0 (to the end) and 1 (64-bit size) are not supported
    if (pos + size > end) return -1;
    const unsigned char* type = header + 4;
    const uint64_t content = pos + 8, atomEnd = pos + size;
    int result = 0;
    if (TypeIs(type, "moov") || TypeIs(type, "trak") || TypeIs(type, "udta") ||
        TypeIs(type, "ilst")) {
      result = WalkAtoms(file, content, atomEnd, depth + 1, record);
    } else if (TypeIs(type, "meta")) {
      result = WalkAtoms(file, content + 4, atomEnd, depth + 1, record);
    } else if (TypeIsItem(type, "nam")) {
      result = ReadMp4Text(file, content, atomEnd, record.title, sizeof record.title);
    } else if (TypeIsItem(type, "ART")) {
      result = ReadMp4Text(file, content, atomEnd, record.artist, sizeof record.artist);
    } else if (TypeIsItem(type, "wrt") || TypeIsItem(type, "com")) {
      result = ReadMp4Text(file, content, atomEnd, record.composer, sizeof record.composer);
    } else if (TypeIsItem(type, "alb")) {
      result = ReadMp4Text(file, content, atomEnd, record.album, sizeof record.album);
    } else if (TypeIsItem(type, "cmt")) {
      result = ReadMp4Text(file, content, atomEnd, record.comment, sizeof record.comment);
    } else if (TypeIsItem(type, "day")) {
      char year[64];
      result = ReadMp4Text(file, content, atomEnd, year, sizeof year);
      if (result == 0) sscanf(year, "%u", &record.year);
    } else if (TypeIs(type, "gnre")) {
      result = ReadMp4Genre(file, content, atomEnd, record);
    } else if (TypeIs(type, "trkn")) {
      result = ReadMp4TrackNumber(file, content, atomEnd, record);
    } else if (TypeIs(type, "----")) {
      ReadMp4CddbIds(file, content, atomEnd, record);  // any other freeform item is ignored
    }
    if (result != 0) return result;
    pos = atomEnd;
  }
}

int ReadMp4Text(FILE* file, uint64_t content, uint64_t end, char* field, size_t capacity) {
  uint32_t d = 0, type = 0;
  if (ReadDataHeader(file, content, end, &d, &type) != 0 || type != 1) return -1;
  return ReadTextValue(file, content, d, field, capacity);
}

int ReadMp4Genre(FILE* file, uint64_t content, uint64_t end, TrackMetadata& record) {
  uint32_t d = 0, type = 0;
  if (ReadDataHeader(file, content, end, &d, &type) != 0) return -1;
  if (type == 1) return ReadTextValue(file, content, d, record.genre, sizeof record.genre);
  if (type != 0 || d < 18) return -1;
  unsigned char code[2];
  if (ReadAt(file, content + 16, code, sizeof code) != 0) return -1;
  const uint32_t v = BigEndian16(code);
  if (v > 126) return -1;
  Mp4GenreName(v, record);
  return 0;
}

int ReadMp4TrackNumber(FILE* file, uint64_t content, uint64_t end, TrackMetadata& record) {
  unsigned char item[24];
  if (content + 24 > end || ReadAt(file, content, item, sizeof item) != 0) return -1;
  const uint32_t d = BigEndian32(item);
  if (d < 24 || content + d > end || !TypeIs(item + 4, "data") || item[8] != 0 ||
      BigEndian24(item + 9) != 0) {
    return -1;
  }
  record.trackNumber = BigEndian16(item + 18);
  record.trackCount = BigEndian16(item + 20);
  return 0;
}

int ReadMp4CddbIds(FILE* file, uint64_t content, uint64_t end, TrackMetadata& record) {
  unsigned char item[71];
  if (content + 71 > end || ReadAt(file, content, item, sizeof item) != 0) return -1;
  if (BigEndian32(item) != 28 || !TypeIs(item + 4, "mean") ||
      memcmp(item + 12, "com.apple.iTunes", 16) != 0 || BigEndian32(item + 28) != 27 ||
      !TypeIs(item + 32, "name") || memcmp(item + 40, "iTunes_CDDB_IDs", 15) != 0 ||
      !TypeIs(item + 59, "data")) {
    return -1;
  }
  const uint64_t dataSize = BigEndian32(item + 55);
  if (content + 55 + dataSize != end || dataSize <= 16) return -1;
  size_t n = std::min<size_t>(dataSize - 16, sizeof record.cddbIds - 1);
  char text[sizeof record.cddbIds];
  if (ReadAt(file, content + 71, text, n) != 0) return -1;
  memcpy(record.cddbIds, text, n);
  record.cddbIds[n] = '\0';
  return 0;
}

}  // namespace brek::zomelo
