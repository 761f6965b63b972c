// Any bytes as a file through the four tag readers: no crash, no hang, no read out of bounds,
// and text fields always terminated within their size.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "library/track_metadata.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
  if (size == 0) return 0;
  FILE* file = fmemopen(const_cast<unsigned char*>(data), size, "rb");
  if (file == nullptr) return 0;
  brek::zomelo::TrackMetadata record;
  brek::zomelo::ReadTags(file, record);
  fclose(file);
  for (const char* field : {record.title, record.artist, record.composer, record.album,
                            record.comment, record.genre, record.cddbIds}) {
    if (memchr(field, '\0', brek::zomelo::kTagTextSize) == nullptr) abort();
  }
  return 0;
}
