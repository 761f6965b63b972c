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
