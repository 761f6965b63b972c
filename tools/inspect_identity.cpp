#include "tools/inspect_identity.h"

#include <cstdio>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>

#include "library/name_normalisation.h"
#include "library/track_identity.h"
#include "library/track_metadata.h"
#include "tools/json_lines.h"

namespace harkwell_inspect {

using namespace brek::zomelo;

namespace {

std::string Hex(const uint8_t* id) {
  char text[2 * kTrackIdSize + 1];
  for (int i = 0; i < kTrackIdSize; ++i) snprintf(text + 2 * i, 3, "%02x", id[i]);
  return text;
}

// Calls `each` with every line of stdin, without its 0x0A; a last line without one counts.
template <typename Each>
void ForEachLine(Each each) {
  std::string line;
  int c;
  bool any = false;
  while ((c = getchar()) != EOF) {
    any = true;
    if (c == '\n') {
      each(line);
      line.clear();
      any = false;
    } else {
      line.push_back(char(c));
    }
  }
  if (any) each(line);
}

// A text field as the tag readers would leave it: at most 255 bytes, cut at a NUL.
void CopyField(char (&field)[kTagTextSize], const std::string& text) {
  snprintf(field, sizeof field, "%.*s", int(strnlen(text.c_str(), sizeof field - 1)), text.c_str());
}

}  // namespace

int InspectIds(int fileCount, char** files) {
  int status = 0;
  for (int i = 0; i < fileCount; ++i) {
    TrackMetadata record{};
    nlohmann::ordered_json line;
    line["path"] = files[i];
    TrackIdentity identity{};
    int result = ReadTrackMetadata(files[i], record) == 0 ? IdentifyTrack(record, identity) : -1;
    bool read = result == 0 || identity.rejectedBy != nullptr;
    line["result"] = result;
    line["id"] = result == 0 ? nlohmann::ordered_json(Hex(identity.id)) : nullptr;
    for (const char* key : {"artist", "title", "album", "genre"}) {
      const char* value = !read                          ? nullptr
                          : strcmp(key, "artist") == 0 ? identity.artist
                          : strcmp(key, "title") == 0  ? identity.title
                          : strcmp(key, "album") == 0  ? identity.album
                                                       : identity.genre;
      line[key] = value ? nlohmann::ordered_json(value) : nullptr;
    }
    line["rejectedBy"] = identity.rejectedBy ? nlohmann::ordered_json(identity.rejectedBy) : nullptr;
    if (result != 0) status = 1;
    PrintJsonLine(line);
  }
  return status;
}

int NormaliseLines() {
  ForEachLine([](const std::string& line) {
    std::string out(line.size() + 1, '\0');
    NormaliseName(line.c_str(), out.data(), out.size());
    fputs(out.c_str(), stdout);
    fputc('\n', stdout);
  });
  return 0;
}

int TrackIdLines() {
  ForEachLine([](const std::string& line) {
    std::string parts[4];
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
      size_t tab = i < 3 ? line.find('\t', start) : std::string::npos;
      parts[i] = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
      if (tab == std::string::npos) break;
      start = tab + 1;
    }
    TrackMetadata record{};
    CopyField(record.artist, parts[0]);
    CopyField(record.title, parts[1]);
    CopyField(record.album, parts[2]);
    CopyField(record.genre, parts[3]);
    TrackIdentity identity;
    if (IdentifyTrack(record, identity) == 0) {
      printf("%s\n", Hex(identity.id).c_str());
    } else {
      printf("rejected:%s\n", identity.rejectedBy);
    }
  });
  return 0;
}

}  // namespace harkwell_inspect
