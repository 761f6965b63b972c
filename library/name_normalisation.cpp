#include "library/name_normalisation.h"

#include <cstdint>

#include "library/text_conversion.h"
#include "library/unicode_tables.h"

namespace brek::zomelo {

namespace {

// Lenient UTF-8: the lead byte's high four bits give the count of following bytes, whose low
// six bits are taken whatever their top bits; a text that ends inside a form ends there.
class Utf8Decoder {
 public:
  explicit Utf8Decoder(const char* text) : p_(reinterpret_cast<const unsigned char*>(text)) {}
  // The next code point, or false at the end of the text.
  bool Next(uint32_t* codePoint) {
    if (*p_ == 0) return false;
    const unsigned char lead = *p_++;
    static const uint8_t kFollowing[16] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 3};
    static const uint8_t kMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
    const int n = kFollowing[lead >> 4];
    uint32_t c = lead & kMask[n];
    for (int i = 0; i < n; ++i) {
      if (*p_ == 0) return false;  // cut form: code point 0, and the text ends
      c = c * 64 + (*p_++ & 0x3F);
    }
    *codePoint = c;
    return true;
  }

 private:
  const unsigned char* p_;
};

const ComposePair* FindPair(uint32_t key) {
  int low = 0, high = kComposePairCount - 1;
  while (low <= high) {
    int middle = (low + high) / 2;
    uint32_t k = kComposePairs[middle].key;
    if (k == key) return &kComposePairs[middle];
    if (k < key) low = middle + 1;
    else high = middle - 1;
  }
  return nullptr;
}

// Stages 3 to 7: base letter, upper case, key set, single spaces, UTF-8.
class Output {
 public:
  Output(char* destination, size_t size) : text_(destination, size) {}
  void Put(uint32_t c) {
    c = MapThroughPages(kUpperCase, MapThroughPages(kBaseLetter, c));
    if (!IsRetained(c)) {
      separated_ = true;
      return;
    }
    if (separated_ && any_) text_.PutByte(' ');
    text_.PutCodePoint(c);
    any_ = true;
    separated_ = false;
  }

 private:
  BoundedText text_;
  bool any_ = false;
  bool separated_ = false;
};

}  // namespace

void NormaliseName(const char* source, char* destination, size_t size) {
  Utf8Decoder decoder(source);
  Output output(destination, size);
  uint32_t pending = 0, x = 0;
  if (!decoder.Next(&pending)) return;
  while (decoder.Next(&x)) {
    // Greedy pair composition from left to right; a composite may compose again.
    const ComposePair* pair =
        (pending <= 0xFFFF && x <= 0xFFFF) ? FindPair(pending * 65536 + x) : nullptr;
    if (pair != nullptr) {
      pending = pair->composite;
    } else {
      output.Put(pending);
      pending = x;
    }
  }
  output.Put(pending);
}

}  // namespace brek::zomelo
