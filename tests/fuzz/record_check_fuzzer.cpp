// Any bytes as an uploaded record: no crash, and an accepted record's events strictly increase.
#include <cstdlib>
#include <string>

#include "server/record_check.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  harkwell_server::CheckedRecord record;
  std::string error;
  if (harkwell_server::CheckRecord(data, size, &record, &error) == 0) {
    for (size_t i = 1; i < record.events.size(); ++i) {
      if (record.events[i].startFrame <= record.events[i - 1].startFrame) abort();
    }
  }
  return 0;
}
