// Conversions of tag text into bounded UTF-8 fields: at most size - 1 bytes and a NUL, cut byte
// by byte at the limit (so a multi-byte sequence may be cut at the end of a full field).
#pragma once

#include <cstddef>
#include <cstdint>

namespace brek::zomelo {

// ISO-8859-1, up to `length` bytes or the first zero byte.
void Latin1ToUtf8(const unsigned char* source, size_t length, char* destination, size_t size);

// Single-byte Shift_JIS (ASCII and half-width katakana), up to `length` bytes or the first zero.
void SjisSingleByteToUtf8(const unsigned char* source, size_t length, char* destination,
                          size_t size);
// Whether `byte` has a mapping in the single-byte Shift_JIS table.
bool HasSjisSingleByteMapping(unsigned char byte);

// `units` 16-bit units, big-endian until a byte-order mark says otherwise; ends at a unit 0.
void Utf16ToUtf8(const unsigned char* units, size_t unitCount, char* destination, size_t size);

// Replaces trailing spaces (0x20 only) by NULs.
void TrimTrailingSpaces(char* text);

// Appends code points to a bounded field, keeping it NUL-terminated.
class BoundedText {
 public:
  BoundedText(char* destination, size_t size) : destination_(destination), size_(size) {
    if (size_ > 0) destination_[0] = '\0';
  }
  void PutByte(unsigned char byte) {
    if (length_ + 1 >= size_) return;
    destination_[length_++] = char(byte);
    destination_[length_] = '\0';
  }
  void PutCodePoint(uint32_t codePoint);

 private:
  char* destination_;
  size_t size_;
  size_t length_ = 0;
};

}  // namespace brek::zomelo
