#include "server/record_check.h"

#include <cstdio>
#include <cstring>

namespace harkwell_server {

namespace {

constexpr size_t kMaxRecordSize = 32768;
constexpr char kMarker[] = "D\tBinary\t1.0\n";
constexpr char kTrailer[] = "HWS Complete\n";
// The info lines in their fixed order; the first two and the last are always present.
const char* const kKeys[] = {"Harkwell", "TagKind", "Title",       "Artist",  "Composer", "Album",
                             "Genre",    "Year",    "TrackNumber", "CDDBIDs", "Duration"};
constexpr int kKeyCount = sizeof kKeys / sizeof kKeys[0];

int Fail(std::string* error, const char* what) {
  *error = what;
  return -1;
}

}  // namespace

int CheckRecord(const uint8_t* bytes, size_t size, CheckedRecord* out, std::string* error) {
  if (size > kMaxRecordSize) return Fail(error, "record longer than 32768 bytes");
  if (size < 8) return Fail(error, "record shorter than its track ID");
  char hex[17];
  for (int i = 0; i < 8; ++i) snprintf(hex + 2 * i, 3, "%02x", bytes[i]);
  out->trackId = hex;
  out->info.clear();
  out->events.clear();
  size_t pos = 8;
  int nextKey = 0;
  while (pos + 2 <= size && bytes[pos] == 'I' && bytes[pos + 1] == '\t') {
    const uint8_t* end = static_cast<const uint8_t*>(memchr(bytes + pos, '\n', size - pos));
    if (end == nullptr) return Fail(error, "info line without its line feed");
    std::string line(reinterpret_cast<const char*>(bytes + pos + 2), size_t(end - bytes) - pos - 2);
    size_t tab = line.find('\t');
    if (tab == std::string::npos) return Fail(error, "info line without a value");
    std::string key = line.substr(0, tab);
    int k = nextKey;
    while (k < kKeyCount && key != kKeys[k]) ++k;
    if (k == kKeyCount) return Fail(error, "unknown or out-of-order info line");
    if ((nextKey < 2 && k != nextKey)) return Fail(error, "missing Harkwell or TagKind line");
    out->info[key] = line.substr(tab + 1);
    nextKey = k + 1;
    pos = size_t(end - bytes) + 1;
  }
  if (out->info.count("Duration") == 0) return Fail(error, "missing Duration line");
  const size_t markerLength = sizeof kMarker - 1;
  if (size - pos < markerLength || memcmp(bytes + pos, kMarker, markerLength) != 0) {
    return Fail(error, "missing data marker");
  }
  pos += markerLength;
  int frame = 0;
  for (;;) {
    if (pos >= size) return Fail(error, "data section without terminator");
    int delta = bytes[pos];
    if (delta == 0) break;  // the terminator's first byte: no event has a delta of 0
    if (delta == 0xFF) {
      if (size - pos < 3) return Fail(error, "cut long delta");
      delta = (bytes[pos + 1] << 8) | bytes[pos + 2];
      if (delta == 0) return Fail(error, "zero delta");
      pos += 3;
    } else {
      pos += 1;
    }
    if (size - pos < 4) return Fail(error, "cut event entry");
    RecordEvent event;
    frame += delta;
    event.startFrame = frame;
    memcpy(event.codewords, bytes + pos, 4);
    out->events.push_back(event);
    pos += 4;
  }
  if (size - pos < 2 || bytes[pos + 1] != 0x0A) return Fail(error, "bad terminator");
  pos += 2;
  const size_t trailerLength = sizeof kTrailer - 1;
  if (size - pos != trailerLength || memcmp(bytes + pos, kTrailer, trailerLength) != 0) {
    return Fail(error, "bad trailer");
  }
  return 0;
}

}  // namespace harkwell_server
