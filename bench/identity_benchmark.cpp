// NormaliseName on typical tag text and on CJK text (bytes per second), and ComputeTrackId
// (calls per second).
//
//   build/release/bench/identity_benchmark
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "library/name_normalisation.h"
#include "library/track_identity.h"

namespace {

using brek::zomelo::NormaliseName;

const char* const kTypical[] = {"The Beatles", "Let It Be", "Motörhead", "Sigur Rós",
                                "Guns N' Roses", "Déjà vu (Remastered 2011)", "AC/DC",
                                "Simon And Garfunkel"};
const char* const kCjk[] = {"東京事変", "椎名林檎 - 丸の内サディスティック", "宇多田ヒカル",
                            "방탄소년단", "坂本龍一 戦場のメリークリスマス"};

template <size_t N>
void Normalise(benchmark::State& state, const char* const (&texts)[N]) {
  char out[256];
  size_t bytes = 0;
  for (auto _ : state) {
    for (const char* text : texts) {
      NormaliseName(text, out, sizeof out);
      benchmark::DoNotOptimize(out);
      bytes += strlen(text);
    }
  }
  state.SetBytesProcessed(int64_t(bytes));
}

void NormaliseTypical(benchmark::State& state) { Normalise(state, kTypical); }
void NormaliseCjk(benchmark::State& state) { Normalise(state, kCjk); }

void ComputeTrackIdCall(benchmark::State& state) {
  brek::zomelo::TrackMetadata record{};
  snprintf(record.artist, sizeof record.artist, "Beatles, The");
  snprintf(record.title, sizeof record.title, "Let It Be (Remastered 2009)");
  snprintf(record.album, sizeof record.album, "Let It Be");
  snprintf(record.genre, sizeof record.genre, "Rock");
  uint8_t id[brek::zomelo::kTrackIdSize];
  for (auto _ : state) {
    benchmark::DoNotOptimize(brek::zomelo::ComputeTrackId(record, id));
  }
  state.SetItemsProcessed(int64_t(state.iterations()));
}

BENCHMARK(NormaliseTypical);
BENCHMARK(NormaliseCjk);
BENCHMARK(ComputeTrackIdCall);

}  // namespace

BENCHMARK_MAIN();
