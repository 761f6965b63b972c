// harkwell-train-codebooks: trains CodebookA and CodebookB from the event blocks of real music
// and writes the analysis constant block (big-endian float32).
//
//   harkwell-train-codebooks OUT.bin TRACK...   (tracks at 44100 Hz; see analysis/data/README.md)
//
// Block 0 vectors train CodebookA, blocks 1 to 3 CodebookB: k-means++ seeding with a fixed seed,
// squared Euclidean distance, Lloyd iterations until fewer than one assignment in a thousand
// changes (at most 300), no dead codewords, every codeword re-centred to zero mean.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "analysis/codebooks.h"
#include "analysis/event_detection.h"
#include "audio/decoder_library.h"
#include "audio/simple_sound_file.h"

namespace {

using namespace brek::zomelo;
constexpr uint64_t kSeed = 20261211;
constexpr int kMaxIterations = 300;

struct Vectors {
  std::vector<float> a, b;  // 64 floats per vector
};

int Collect(void* context, const float* blocks, int) {
  auto* vectors = static_cast<Vectors*>(context);
  vectors->a.insert(vectors->a.end(), blocks, blocks + kBlockSize);
  vectors->b.insert(vectors->b.end(), blocks + kBlockSize, blocks + 4 * kBlockSize);
  return 0;
}

double Distance(const float* x, const float* y) {
  double d = 0.0;
  for (int j = 0; j < kBlockSize; ++j) {
    const double diff = double(x[j]) - double(y[j]);
    d += diff * diff;
  }
  return d;
}

// k-means of `data` (n x 64) into 256 codewords.
std::vector<float> Train(const std::vector<float>& data, const char* name) {
  const size_t n = data.size() / kBlockSize;
  std::mt19937_64 random(kSeed);
  std::vector<float> centres(size_t(kCodewordCount) * kBlockSize);
  std::vector<double> nearest(n, 1e300);
  // k-means++: each further centre drawn with probability proportional to squared distance.
  size_t first = std::uniform_int_distribution<size_t>(0, n - 1)(random);
  std::copy_n(&data[first * kBlockSize], kBlockSize, &centres[0]);
  for (int c = 1; c < kCodewordCount; ++c) {
    const float* last = &centres[size_t(c - 1) * kBlockSize];
    double total = 0.0;
    for (size_t i = 0; i < n; ++i) {
      nearest[i] = std::min(nearest[i], Distance(&data[i * kBlockSize], last));
      total += nearest[i];
    }
    double pick = std::uniform_real_distribution<double>(0.0, total)(random);
    size_t chosen = 0;
    for (; chosen + 1 < n && pick > nearest[chosen]; ++chosen) pick -= nearest[chosen];
    std::copy_n(&data[chosen * kBlockSize], kBlockSize, &centres[size_t(c) * kBlockSize]);
  }
  std::vector<int> assignment(n, -1);
  for (int iteration = 1; iteration <= kMaxIterations; ++iteration) {
    size_t changed = 0;
    std::vector<double> distance(n);
    for (size_t i = 0; i < n; ++i) {
      int best = 0;
      double bestDistance = 1e300;
      for (int c = 0; c < kCodewordCount; ++c) {
        double d = Distance(&data[i * kBlockSize], &centres[size_t(c) * kBlockSize]);
        if (d < bestDistance) {
          bestDistance = d;
          best = c;
        }
      }
      distance[i] = bestDistance;
      if (assignment[i] != best) ++changed;
      assignment[i] = best;
    }
    std::vector<double> sums(centres.size(), 0.0);
    std::vector<size_t> counts(kCodewordCount, 0);
    for (size_t i = 0; i < n; ++i) {
      ++counts[size_t(assignment[i])];
      for (int j = 0; j < kBlockSize; ++j) {
        sums[size_t(assignment[i]) * kBlockSize + size_t(j)] += data[i * kBlockSize + size_t(j)];
      }
    }
    int dead = 0;
    for (int c = 0; c < kCodewordCount; ++c) {
      if (counts[size_t(c)] == 0) {
        // A dead codeword moves to the vector worst served by its own codeword.
        size_t worst = size_t(std::max_element(distance.begin(), distance.end()) - distance.begin());
        std::copy_n(&data[worst * kBlockSize], kBlockSize, &centres[size_t(c) * kBlockSize]);
        distance[worst] = 0.0;
        ++dead;
        changed = std::max<size_t>(changed, 1);
        continue;
      }
      for (int j = 0; j < kBlockSize; ++j) {
        centres[size_t(c) * kBlockSize + size_t(j)] =
            float(sums[size_t(c) * kBlockSize + size_t(j)] / double(counts[size_t(c)]));
      }
    }
    fprintf(stderr, "%s: iteration %d, %zu assignments changed, %d dead\n", name, iteration,
            changed, dead);
    if (changed * 1000 < n) break;  // stable: under one in a thousand moved
  }
  // Re-centre every codeword to zero mean, as the blocks it stands for are.
  for (int c = 0; c < kCodewordCount; ++c) {
    float* codeword = &centres[size_t(c) * kBlockSize];
    double mean = 0.0;
    for (int j = 0; j < kBlockSize; ++j) mean += codeword[j];
    mean /= kBlockSize;
    for (int j = 0; j < kBlockSize; ++j) codeword[j] = float(codeword[j] - mean);
  }
  return centres;
}

void Report(const char* name, const std::vector<float>& data, const std::vector<float>& centres) {
  double shortest = 1e300, longest = 0.0;
  for (int c = 0; c < kCodewordCount; ++c) {
    double length = std::sqrt(Distance(&centres[size_t(c) * kBlockSize], std::vector<float>(kBlockSize, 0.0f).data()));
    shortest = std::min(shortest, length);
    longest = std::max(longest, length);
  }
  const size_t n = data.size() / kBlockSize;
  double distortion = 0.0, energy = 0.0;
  std::vector<int> used(kCodewordCount, 0);
  for (size_t i = 0; i < n; ++i) {
    unsigned char index;
    double distance;
    nearestCodewords(&data[i * kBlockSize], centres.data(), 1, &index, &distance);
    distortion += distance;
    energy += Distance(&data[i * kBlockSize], std::vector<float>(kBlockSize, 0.0f).data());
    used[index] = 1;
  }
  fprintf(stderr,
          "%s: %zu vectors; codeword lengths %.4f to %.4f; mean squared distortion %.4f "
          "(%.1f%% of the mean squared length %.4f); %d codewords in use\n",
          name, n, shortest, longest, distortion / double(n), 100.0 * distortion / energy,
          energy / double(n), int(std::count(used.begin(), used.end(), 1)));
}

void PutFloat(FILE* out, float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const unsigned char bytes[4] = {uint8_t(bits >> 24), uint8_t(bits >> 16), uint8_t(bits >> 8),
                                  uint8_t(bits)};
  fwrite(bytes, 1, 4, out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "usage: harkwell-train-codebooks OUT.bin TRACK...\n");
    return 2;
  }
  brek::EnterDecoderLibrary();
  Vectors vectors;
  for (int i = 2; i < argc; ++i) {
    brek::SimpleSoundFile_QT stream(argv[i]);
    if (stream.moreData == 0 || stream.rate != kAnalysisRate) {
      fprintf(stderr, "harkwell-train-codebooks: %s: not a 44100 Hz audio file\n", argv[i]);
      return 1;
    }
    size_t before = vectors.a.size();
    detectEvents(stream, &vectors, Collect, nullptr, nullptr);
    fprintf(stderr, "%s: %zu events\n", argv[i], (vectors.a.size() - before) / kBlockSize);
  }
  if (vectors.a.size() / kBlockSize < size_t(kCodewordCount)) {
    fprintf(stderr, "harkwell-train-codebooks: too few events to train 256 codewords\n");
    return 1;
  }
  std::vector<float> a = Train(vectors.a, "CodebookA");
  std::vector<float> b = Train(vectors.b, "CodebookB");
  Report("CodebookA", vectors.a, a);
  Report("CodebookB", vectors.b, b);
  FILE* out = fopen(argv[1], "wb");
  if (out == nullptr) {
    perror(argv[1]);
    return 1;
  }
  for (float head : {0.0f, 1.0f, 0.5f, 0.33333334f, 0.25f, 0.0f, 0.0f, 0.0f}) PutFloat(out, head);
  for (float value : a) PutFloat(out, value);
  for (float value : b) PutFloat(out, value);
  if (fclose(out) != 0) {
    perror(argv[1]);
    return 1;
  }
  return 0;
}
