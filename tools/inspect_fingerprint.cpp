#include "tools/inspect_fingerprint.h"

#include <nlohmann/json.hpp>

#include "analysis/event_detection.h"
#include "audio/simple_sound_file.h"
#include "tools/json_lines.h"

namespace harkwell_inspect {

namespace {

int AddEvent(void* context, int count, const unsigned char* indices, const double*,
             int startFrame) {
  auto* events = static_cast<nlohmann::ordered_json*>(context);
  events->push_back({startFrame, indices[0], indices[count], indices[2 * count], indices[3 * count]});
  return 0;
}

}  // namespace

int InspectFingerprints(int fileCount, char** files) {
  int status = 0;
  for (int i = 0; i < fileCount; ++i) {
    brek::SimpleSoundFile_QT stream(files[i]);
    nlohmann::ordered_json line;
    line["path"] = files[i];
    line["rate"] = stream.rate;
    line["length"] = stream.length();
    nlohmann::ordered_json events = nlohmann::ordered_json::array();
    int result = stream.moreData ? brek::zomelo::analyzeStream(stream, &events, AddEvent, nullptr)
                                 : -1;
    if (result != 0) status = 1;
    line["result"] = result;
    line["events"] = std::move(events);
    PrintJsonLine(line);
  }
  return status;
}

}  // namespace harkwell_inspect

#include <cstdio>

#include "analysis/hws_record.h"
#include "analysis/track_record.h"
#include "engine/server_messages.h"
#include "library/track_identity.h"

namespace harkwell_inspect {

int WriteRecordFile(const char* file, const char* out) {
  using namespace brek::zomelo;
  TrackMetadata tags;
  uint8_t id[kTrackIdSize];
  if (ReadTrackMetadata(file, tags) != 0 || ComputeTrackId(tags, id) != 0) {
    fprintf(stderr, "harkwell-inspect: %s: no track identity (the engine passes it over)\n", file);
    return 1;
  }
  FILE* record = fopen(out, "w+b");
  if (record == nullptr) {
    perror(out);
    return 1;
  }
  TrackRecordResult result = WriteTrackRecord(file, id, record, nullptr, nullptr, tags);
  bool written = result == TrackRecordResult::kWritten && WriteRecordEnd(record) == 0;
  long length = ftell(record);
  if (fclose(record) != 0) written = false;
  if (!written || length > long(kMaxRecordSize)) {
    fprintf(stderr, "harkwell-inspect: %s: the engine would not upload a record (%s)\n", file,
            written ? "longer than 32768 bytes" : "skipped");
    remove(out);
    return 1;
  }
  return 0;
}

}  // namespace harkwell_inspect
