// Positioned, bounds-checked reads of an open file, shared by the tag readers.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace brek::zomelo {

// Seeks to `offset` from the start and reads exactly `count` bytes: 0, the seek's nonzero
// result, or -1 for a short read.
int ReadAt(FILE* file, uint64_t offset, void* buffer, size_t count);
// Reads exactly `count` bytes at the current position: 0 or -1.
int ReadExactly(FILE* file, void* buffer, size_t count);

inline uint32_t BigEndian16(const unsigned char* p) { return (uint32_t(p[0]) << 8) | p[1]; }
inline uint32_t BigEndian24(const unsigned char* p) {
  return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
}
inline uint32_t BigEndian32(const unsigned char* p) {
  return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

}  // namespace brek::zomelo
