// Codebook quantisation of an event's four centred 64-value blocks: block 0 against CodebookA,
// blocks 1 to 3 against CodebookB.
#pragma once

#include <cstddef>
#include <cstdint>

namespace brek::zomelo {

constexpr int kCodewordCount = 256;
constexpr int kBlockSize = 64;
constexpr int kBlocksPerEvent = 4;
constexpr size_t kConstantBlockSize = 131104;  // 8 floats, then the two codebooks

// The analysis constant block, decoded: entries 1..4 of the head are the harmonic weights.
struct AnalysisConstants {
  float head[8];
  float codebookA[kCodewordCount * kBlockSize];  // codeword-major
  float codebookB[kCodewordCount * kBlockSize];
};

// Decodes `size` bytes of big-endian float32 in the block's layout: 0, or -1 when the size is
// wrong or the head is not the expected weights.
int DecodeAnalysisConstants(const unsigned char* bytes, size_t size, AnalysisConstants* out);

// The engine's constants, from the block built into the program.
const AnalysisConstants& TheAnalysisConstants();

// The `count` codewords nearest to the 64-value `vector`, nearest first; ties go to the lower
// codeword number. Squared distances are summed in double, each square formed in float.
void nearestCodewords(const float* vector, const float* codebook, int count,
                      unsigned char* indices, double* distances);

// nearestCodewords for each of the four blocks (block-major), into indices and distances
// + b * count.
void quantizeBlocks(const float* blocks, int count, unsigned char* indices, double* distances);

}  // namespace brek::zomelo
