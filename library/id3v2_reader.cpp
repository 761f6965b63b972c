#include "library/id3v2_reader.h"

#include <algorithm>
#include <cstring>

#include "library/file_reading.h"
#include "library/genre_table.h"
#include "library/text_conversion.h"

namespace brek::zomelo {

namespace {

enum class Field { kTitle, kArtist, kComposer, kAlbum, kGenre, kComment, kTrack, kYear };

struct FrameKind {
  const char* id23;
  const char* id22;
  Field field;
};

constexpr FrameKind kFrames[] = {
    {"TIT2", "TT2", Field::kTitle},    {"TPE1", "TP1", Field::kArtist},
    {"TCOM", "TCM", Field::kComposer}, {"TALB", "TAL", Field::kAlbum},
    {"TCON", "TCO", Field::kGenre},    {"COMM", "COM", Field::kComment},
    {"TRCK", "TRK", Field::kTrack},    {"TYER", "TYE", Field::kYear},
};

char* TextField(TrackMetadata& record, Field field) {
  switch (field) {
    case Field::kTitle: return record.title;
    case Field::kArtist: return record.artist;
    case Field::kComposer: return record.composer;
    case Field::kAlbum: return record.album;
    case Field::kGenre: return record.genre;
    default: return nullptr;
  }
}

// Handles one frame whose data of `size` bytes starts at `data`. Failures lose the frame only.
void HandleFrame(FILE* file, uint64_t data, size_t size, Field field, TrackMetadata& record) {
  if (fseeko(file, off_t(data), SEEK_SET) != 0) return;
  char number[64];
  switch (field) {
    case Field::kComment:
      if (ReadCddbComment(file, size, record) == 0) return;
      if (fseeko(file, off_t(data), SEEK_SET) != 0) return;
      DecodeId3Text(file, size, record.comment, sizeof record.comment, true);
      return;
    case Field::kTrack:
      if (DecodeId3Text(file, size, number, sizeof number, false) == 0) {
        sscanf(number, "%u/%u", &record.trackNumber, &record.trackCount);
      }
      return;
    case Field::kYear:
      if (DecodeId3Text(file, size, number, sizeof number, false) == 0) {
        sscanf(number, "%u", &record.year);
      }
      return;
    case Field::kGenre: {
      if (DecodeId3Text(file, size, record.genre, sizeof record.genre, false) != 0) return;
      unsigned reference = 0;
      if (sscanf(record.genre, "(%u)", &reference) == 1) Id3GenreName(reference, record);
      return;
    }
    default: {
      char* text = TextField(record, field);
      DecodeId3Text(file, size, text, kTagTextSize, false);
      return;
    }
  }
}

int ReadId3v2Tags(FILE* file, TrackMetadata& record, int version) {
  unsigned char header[10];
  if (int result = fseeko(file, 0, SEEK_SET)) return result;
  if (ReadExactly(file, header, sizeof header) != 0) return -1;
  if (memcmp(header, "ID3", 3) != 0 || header[3] != version) return -1;
  const unsigned char flags = header[5];
  // The size bytes are combined as they stand, without masking to seven bits.
  const uint64_t tagEnd = 10 + ((uint64_t(header[6]) << 21) | (uint64_t(header[7]) << 14) |
                                (uint64_t(header[8]) << 7) | header[9]);
  uint64_t pos = 10;
  size_t headerSize = 10;
  if (version == 3) {
    if ((flags & ~0x60) != 0) return -1;  // only the extended-header and experimental flags
    if (flags & 0x40) {
      unsigned char extended[4];
      if (ReadExactly(file, extended, sizeof extended) != 0) return -1;
      pos = 10 + 4 + uint64_t(BigEndian32(extended));
    }
  } else {
    if (flags & 0x40) return -1;  // compression
    headerSize = 6;
  }
  while (pos + headerSize <= tagEnd) {
    unsigned char frame[10];
    if (int result = ReadAt(file, pos, frame, headerSize)) return result;
    if (frame[0] == 0) break;  // padding: the frames are over
    const uint64_t size = version == 3 ? BigEndian32(frame + 4) : BigEndian24(frame + 3);
    const uint64_t next = pos + headerSize + size;
    if (next <= pos || next > tagEnd) break;  // a frame that does not fit is not read
    for (const FrameKind& kind : kFrames) {
      const char* id = version == 3 ? kind.id23 : kind.id22;
      if (memcmp(frame, id, strlen(id)) == 0) {
        HandleFrame(file, pos + headerSize, size_t(size), kind.field, record);
        break;
      }
    }
    pos = next;
  }
  record.kind = version == 3 ? kTagId3v23 : kTagId3v22;
  return 0;
}

}  // namespace

int ReadId3v23Tags(FILE* file, TrackMetadata& record) { return ReadId3v2Tags(file, record, 3); }
int ReadId3v22Tags(FILE* file, TrackMetadata& record) { return ReadId3v2Tags(file, record, 2); }

int ReadCddbComment(FILE* file, size_t size, TrackMetadata& record) {
  if (size < 20) return -1;
  unsigned char head[20];
  if (ReadExactly(file, head, sizeof head) != 0) return -1;
  if (head[0] != 0 || memcmp(head + 1, "eng", 3) != 0 ||
      memcmp(head + 4, "iTunes_CDDB_IDs", 16) != 0) {  // with its zero byte
    return -1;
  }
  size_t n = std::min<size_t>(size - 20, sizeof record.cddbIds - 1);
  if (n == 0) return -1;
  char text[sizeof record.cddbIds];
  if (ReadExactly(file, text, n) != 0) return -1;
  memcpy(record.cddbIds, text, n);
  record.cddbIds[n] = '\0';
  return 0;
}

int DecodeId3Text(FILE* file, size_t size, char* field, size_t capacity, bool commentLayout) {
  if (size == 0) return -1;
  unsigned char encoding;
  if (ReadExactly(file, &encoding, 1) != 0) return -1;
  size_t d = size - 1;
  if (commentLayout) {
    unsigned char language[3];
    if (d < 3 || ReadExactly(file, language, 3) != 0) return -1;
    d -= 3;
    // Only a comment without a description is the track's comment.
    if (encoding == 0) {
      unsigned char terminator;
      if (d < 1 || ReadExactly(file, &terminator, 1) != 0 || terminator != 0) return -1;
      d -= 1;
    } else if (encoding == 1) {
      unsigned char description[4];
      if (d < 4 || ReadExactly(file, description, 4) != 0) return -1;
      if (description[2] != 0 || description[3] != 0) return -1;
      d -= 4;
    } else {
      return -1;
    }
  }
  unsigned char bytes[512];
  if (encoding == 0) {
    size_t n = std::min<size_t>(d, sizeof bytes);
    if (n == 0 || ReadExactly(file, bytes, n) != 0) return -1;
    bool controls = std::any_of(bytes, bytes + n, [](unsigned char b) { return b >= 0x80 && b <= 0x9F; });
    size_t end = std::find(bytes, bytes + n, 0) - bytes;
    if (controls && std::all_of(bytes, bytes + end, HasSjisSingleByteMapping)) {
      SjisSingleByteToUtf8(bytes, n, field, capacity);
    } else {
      Latin1ToUtf8(bytes, n, field, capacity);
    }
    return 0;
  }
  if (encoding == 1) {
    size_t units = std::min<size_t>(d / 2, 256);
    if (units == 0 || ReadExactly(file, bytes, 2 * units) != 0) return -1;
    Utf16ToUtf8(bytes, units, field, capacity);
    return 0;
  }
  return -1;
}

}  // namespace brek::zomelo
