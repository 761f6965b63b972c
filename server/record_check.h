// Validation of an uploaded HWS record against the record layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace harkwell_server {

struct RecordEvent {
  int startFrame;
  uint8_t codewords[4];
};

struct CheckedRecord {
  std::string trackId;                      // 16 lower-case hex digits
  std::map<std::string, std::string> info;  // info line key -> value
  std::vector<RecordEvent> events;
};

// 0 and `out` filled when `bytes` is a whole, well-formed record; otherwise -1 and `error`
// says what is wrong.
int CheckRecord(const uint8_t* bytes, size_t size, CheckedRecord* out, std::string* error);

}  // namespace harkwell_server
