#include "analysis/codebooks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace brek::zomelo {
namespace {

// A codebook whose codeword c is c/4 in component 0 and -c/4 in component 1 (exact floats).
std::vector<float> Ramp() {
  std::vector<float> book(kCodewordCount * kBlockSize, 0.0f);
  for (int c = 0; c < kCodewordCount; ++c) {
    book[c * kBlockSize] = c / 4.0f;
    book[c * kBlockSize + 1] = -c / 4.0f;
  }
  return book;
}

TEST(Codebooks, AVectorEqualToACodewordFindsItAtDistanceZero) {
  const AnalysisConstants& constants = TheAnalysisConstants();
  unsigned char index = 0;
  double distance = 1;
  nearestCodewords(constants.codebookA + 17 * kBlockSize, constants.codebookA, 1, &index, &distance);
  EXPECT_EQ(index, 17);
  EXPECT_EQ(distance, 0.0);
}

TEST(Codebooks, TiesGoToTheLowerNumberAndCountGivesTheNearestInOrder) {
  std::vector<float> book = Ramp();
  // Codewords 3 and 5 both lie at squared distance 2 * 0.25^2 from a vector at 4/4.
  std::vector<float> vector(kBlockSize, 0.0f);
  vector[0] = 1.0f;
  vector[1] = -1.0f;
  for (int j = 0; j < kBlockSize; ++j) book[4 * kBlockSize + j] = 9.0f;  // move 4 away
  unsigned char indices[3];
  double distances[3];
  nearestCodewords(vector.data(), book.data(), 3, indices, distances);
  EXPECT_EQ(indices[0], 3);
  EXPECT_EQ(indices[1], 5);
  EXPECT_EQ(distances[0], distances[1]);
  EXPECT_EQ(indices[2], 2);
  EXPECT_LT(distances[1], distances[2]);
  nearestCodewords(vector.data(), book.data(), 1, indices, distances);
  EXPECT_EQ(indices[0], 3);
}

TEST(Codebooks, QuantizeBlocksUsesCodebookAForBlockZeroOnly) {
  const AnalysisConstants& constants = TheAnalysisConstants();
  std::vector<float> blocks(4 * kBlockSize);
  std::copy_n(constants.codebookA + 200 * kBlockSize, kBlockSize, blocks.begin());
  for (int b = 1; b < 4; ++b) {
    std::copy_n(constants.codebookB + (10 * b) * kBlockSize, kBlockSize, blocks.begin() + b * kBlockSize);
  }
  unsigned char indices[4];
  double distances[4];
  quantizeBlocks(blocks.data(), 1, indices, distances);
  EXPECT_EQ(indices[0], 200);
  EXPECT_EQ(indices[1], 10);
  EXPECT_EQ(indices[2], 20);
  EXPECT_EQ(indices[3], 30);
  for (double d : distances) EXPECT_EQ(d, 0.0);
}

TEST(Codebooks, TheTrainedFileHasTheLayoutAndZeroMeanCodewords) {
  std::ifstream file(HARKWELL_CODEBOOKS, std::ios::binary);
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), {});
  ASSERT_EQ(bytes.size(), kConstantBlockSize);
  auto constants = std::make_unique<AnalysisConstants>();
  ASSERT_EQ(DecodeAnalysisConstants(bytes.data(), bytes.size(), constants.get()), 0);
  EXPECT_EQ(DecodeAnalysisConstants(bytes.data(), bytes.size() - 1, constants.get()), -1);
  for (const float* book : {constants->codebookA, constants->codebookB}) {
    for (int c = 0; c < kCodewordCount; ++c) {
      double sum = 0, length = 0;
      for (int j = 0; j < kBlockSize; ++j) {
        sum += book[c * kBlockSize + j];
        length += double(book[c * kBlockSize + j]) * book[c * kBlockSize + j];
      }
      EXPECT_NEAR(sum / kBlockSize, 0.0, 3e-7) << c;
      EXPECT_GT(length, 0.0) << c;  // no dead codeword left at the origin
    }
  }
}

}  // namespace
}  // namespace brek::zomelo
