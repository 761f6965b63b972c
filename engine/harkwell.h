// The engine: a background program whose work is one analysis run over the user's music.
#pragma once

#include <cstdint>
#include <cstdio>
#include <set>

#include "engine/background_application.h"

namespace brek::zomelo {

class Harkwell : public BackGroundApplication {
 public:
  Harkwell() = default;
  ~Harkwell() override;

  int Work(Trigger& stop) override;

  FILE* logFile() const { return logFile_; }

 private:
  // Used by the worker alone while it runs; by the main thread only before and after.
  std::set<uint64_t> sentIds_;  // the analysis cache in memory
  FILE* cacheFile_ = nullptr;   // open, locked cache file
  FILE* logFile_ = nullptr;     // open activity log
};

}  // namespace brek::zomelo
