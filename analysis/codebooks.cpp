#include "analysis/codebooks.h"

#include <cfloat>
#include <cstdlib>
#include <cstring>

namespace brek::zomelo {

extern "C" const unsigned char kEmbeddedAnalysisConstants[];
extern "C" const size_t kEmbeddedAnalysisConstantsSize;

namespace {

float BigEndianFloat(const unsigned char* p) {
  const uint32_t bits = (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

int DecodeAnalysisConstants(const unsigned char* bytes, size_t size, AnalysisConstants* out) {
  static_assert(sizeof(AnalysisConstants) == kConstantBlockSize);
  if (size != kConstantBlockSize) return -1;
  float* values = out->head;  // the struct is the block's floats in order
  for (size_t i = 0; i < kConstantBlockSize / 4; ++i) values[i] = BigEndianFloat(bytes + 4 * i);
  const float head[8] = {0.0f, 1.0f, 0.5f, 0.33333334f, 0.25f, 0.0f, 0.0f, 0.0f};
  return std::memcmp(out->head, head, sizeof head) == 0 ? 0 : -1;
}

const AnalysisConstants& TheAnalysisConstants() {
  static const AnalysisConstants* constants = [] {
    auto* decoded = new AnalysisConstants;
    if (DecodeAnalysisConstants(kEmbeddedAnalysisConstants, kEmbeddedAnalysisConstantsSize,
                                decoded) != 0) {
      abort();  // the build embedded a broken file
    }
    return decoded;
  }();
  return *constants;
}

void nearestCodewords(const float* vector, const float* codebook, int count,
                      unsigned char* indices, double* distances) {
  for (int p = 0; p < count; ++p) {
    indices[p] = 0;
    distances[p] = DBL_MAX;
  }
  for (int c = 0; c < kCodewordCount; ++c) {
    const float* codeword = codebook + c * kBlockSize;
    double d = 0.0;
    for (int j = 0; j < kBlockSize; ++j) {
      const float diff = vector[j] - codeword[j];
      d += double(diff * diff);
    }
    int p = 0;
    while (p < count && !(d < distances[p])) ++p;
    if (p == count) continue;
    for (int q = count - 1; q > p; --q) {
      distances[q] = distances[q - 1];
      indices[q] = indices[q - 1];
    }
    distances[p] = d;
    indices[p] = uint8_t(c);
  }
}

void quantizeBlocks(const float* blocks, int count, unsigned char* indices, double* distances) {
  const AnalysisConstants& constants = TheAnalysisConstants();
  for (int b = 0; b < kBlocksPerEvent; ++b) {
    nearestCodewords(blocks + b * kBlockSize, b == 0 ? constants.codebookA : constants.codebookB,
                     count, indices + b * count, distances + b * count);
  }
}

}  // namespace brek::zomelo
