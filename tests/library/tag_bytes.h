// Small vocabulary for tag fixtures built from bytes in the test, read through an in-memory file.
#pragma once

#include <cstdio>
#include <string>

#include "library/track_metadata.h"

namespace harkwell_test {

using Bytes = std::string;

inline Bytes U32(uint32_t v) {
  return Bytes{char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
}
inline Bytes U24(uint32_t v) { return Bytes{char(v >> 16), char(v >> 8), char(v)}; }
inline Bytes U16(uint32_t v) { return Bytes{char(v >> 8), char(v)}; }

// An ID3v2.3 frame / ID3v2.2 frame.
inline Bytes Frame23(const Bytes& id, const Bytes& data) { return id + U32(data.size()) + Bytes(2, '\0') + data; }
inline Bytes Frame22(const Bytes& id, const Bytes& data) { return id + U24(data.size()) + data; }
// A tag header of `version` with `flags` whose size counts `body` (written synchsafe).
inline Bytes Id3Header(int version, int flags, size_t bodySize) {
  return Bytes("ID3") + char(version) + '\0' + char(flags) + char((bodySize >> 21) & 0x7F) +
         char((bodySize >> 14) & 0x7F) + char((bodySize >> 7) & 0x7F) + char(bodySize & 0x7F);
}
inline Bytes Id3v23(const Bytes& frames, int flags = 0) {
  return Id3Header(3, flags, frames.size()) + frames;
}
inline Bytes Latin1Text(const Bytes& text) { return Bytes(1, '\0') + text; }

// An ID3v1 trailer.
inline Bytes Id3v1(const Bytes& title, const Bytes& artist, const Bytes& album, const Bytes& year,
                   const Bytes& comment, unsigned char genre) {
  auto field = [](const Bytes& s, size_t n) { return (s + Bytes(n, '\0')).substr(0, n); };
  return "TAG" + field(title, 30) + field(artist, 30) + field(album, 30) + field(year, 4) +
         field(comment, 30) + char(genre);
}

// MP4 atoms.
inline Bytes Atom(const Bytes& type, const Bytes& content) {
  return U32(content.size() + 8) + type + content;
}
inline Bytes DataAtom(uint32_t type, const Bytes& value) {
  return Atom("data", U32(type) + U32(0) + value);
}
inline Bytes Ftyp(const Bytes& brand) { return Atom("ftyp", brand + U32(0) + "isom"); }
inline Bytes Mp4File(const Bytes& items, const Bytes& brand = "M4A ") {
  return Ftyp(brand) +
         Atom("moov", Atom("udta", Atom("meta", U32(0) + Atom("ilst", items))));
}

// An anonymous file holding `bytes`, positioned at its start; the caller closes it.
inline FILE* FileOf(const Bytes& bytes) {
  FILE* file = tmpfile();
  fwrite(bytes.data(), 1, bytes.size(), file);
  rewind(file);
  return file;
}

// Runs ReadTags over `bytes` as a file.
inline int ReadTagsFrom(const Bytes& bytes, brek::zomelo::TrackMetadata& record) {
  FILE* file = FileOf(bytes);
  int result = brek::zomelo::ReadTags(file, record);
  fclose(file);
  return result;
}

// The record ReadTags leaves for `bytes`, and its result in *result when asked.
inline brek::zomelo::TrackMetadata Read(const Bytes& bytes, int* result = nullptr) {
  brek::zomelo::TrackMetadata record{};
  int r = ReadTagsFrom(bytes, record);
  if (result) *result = r;
  return record;
}

}  // namespace harkwell_test
