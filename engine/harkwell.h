// The engine: a background program whose work is one analysis run over the user's music.
#pragma once

#include <cstdint>
#include <cstdio>
#include <set>

#include "engine/background_application.h"

namespace brek::zomelo {

inline constexpr const char* kCacheFileName = "/com.ashgrove.zomelo.harkwell.cache";

class Harkwell : public BackGroundApplication {
 public:
  Harkwell() = default;
  ~Harkwell() override;

  // The analysis run (analysis_run.cpp).
  int Work(Trigger& stop) override;

  // The analysis cache (analysis_cache.cpp): every track ID already asked about, in the file
  // of 8-byte records below the Caches folder, exclusively locked while the engine lives.
  // Each returns 0 or an errno value.
  int OpenCache();
  bool IsCached(const uint8_t* trackId) const;
  int AddToCache(const uint8_t* trackId);
  int FlushCache();

  FILE* logFile() const { return logFile_; }

 private:
  // Used by the worker alone while it runs; by the main thread only before and after.
  std::set<uint64_t> sentIds_;  // the analysis cache in memory
  FILE* cacheFile_ = nullptr;   // open, locked cache file
  FILE* logFile_ = nullptr;     // open activity log
};

}  // namespace brek::zomelo
