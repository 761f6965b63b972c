#include "tools/inspect_tags.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "library/track_metadata.h"
#include "tools/json_lines.h"

namespace harkwell_inspect {

using brek::zomelo::TrackMetadata;

int InspectTags(int fileCount, char** files) {
  int status = 0;
  for (int i = 0; i < fileCount; ++i) {
    TrackMetadata record{};
    int result = brek::zomelo::ReadTrackMetadata(files[i], record);
    if (result != 0) status = 1;
    nlohmann::ordered_json line;
    line["path"] = files[i];
    line["result"] = result;
    line["kind"] = brek::zomelo::TagKindName(record.kind);
    line["title"] = record.title;
    line["artist"] = record.artist;
    line["composer"] = record.composer;
    line["album"] = record.album;
    line["comment"] = record.comment;
    line["genre"] = record.genre;
    line["year"] = record.year;
    line["trackNumber"] = record.trackNumber;
    line["trackCount"] = record.trackCount;
    line["cddbIds"] = record.cddbIds;
    PrintJsonLine(line);
  }
  return status;
}

}  // namespace harkwell_inspect
