// The name-normalisation tables of Unicode 4.0, generated into unicode_tables.cpp.
#pragma once

#include <cstdint>

namespace brek::zomelo {

// A canonical decomposition into two code points: key = first * 65536 + second.
struct ComposePair {
  uint32_t key;
  uint16_t composite;
};
constexpr int kComposePairCount = 989;
extern const ComposePair kComposePairs[kComposePairCount];  // sorted by key

// Two-level maps over U+0000..U+FFFF: entries 0..255 are page numbers by the high byte (0: the
// page maps every code point to itself), then page p occupies entries 256 * p .. 256 * p + 255.
extern const uint16_t kBaseLetter[];  // composite to the first code point of its pair
extern const uint16_t kUpperCase[];   // the simple uppercase mapping

// One bit per code point U+0000..U+1D7FF, bit c % 32 of word c / 32: set when retained.
constexpr int kKeySetWords = 0x1D800 / 32;
extern const uint32_t kKeySet[kKeySetWords];

inline uint32_t MapThroughPages(const uint16_t* table, uint32_t c) {
  if (c > 0xFFFF) return c;
  uint32_t page = table[c >> 8];
  return page == 0 ? c : table[256 * page + (c & 0xFF)];
}

inline bool IsRetained(uint32_t c) {
  return c >= 0x1D800 || ((kKeySet[c >> 5] >> (c & 31)) & 1) != 0;
}

}  // namespace brek::zomelo
