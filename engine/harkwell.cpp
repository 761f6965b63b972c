#include "engine/harkwell.h"

namespace brek::zomelo {

Harkwell::~Harkwell() {
  if (logFile_ != nullptr) fclose(logFile_);
  if (cacheFile_ != nullptr) fclose(cacheFile_);
  sentIds_.clear();
}

int Harkwell::Work(Trigger&) { return 0; }

}  // namespace brek::zomelo
