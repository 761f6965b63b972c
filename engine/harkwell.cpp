#include "engine/harkwell.h"

namespace brek::zomelo {

Harkwell::~Harkwell() {
  if (logFile_ != nullptr) fclose(logFile_);
  if (cacheFile_ != nullptr) fclose(cacheFile_);
  sentIds_.clear();
}

}  // namespace brek::zomelo
