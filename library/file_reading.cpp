#include "library/file_reading.h"

#include <limits>

namespace brek::zomelo {

int ReadAt(FILE* file, uint64_t offset, void* buffer, size_t count) {
  if (offset > uint64_t(std::numeric_limits<off_t>::max())) return -1;
  if (int result = fseeko(file, off_t(offset), SEEK_SET)) return result;
  return ReadExactly(file, buffer, count);
}

int ReadExactly(FILE* file, void* buffer, size_t count) {
  return fread(buffer, 1, count, file) == count ? 0 : -1;
}

}  // namespace brek::zomelo
