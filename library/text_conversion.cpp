#include "library/text_conversion.h"

#include <cstring>

namespace brek::zomelo {

void BoundedText::PutCodePoint(uint32_t c) {
  if (c < 0x80) {
    PutByte(uint8_t(c));
  } else if (c < 0x800) {
    PutByte(uint8_t(0xC0 | (c >> 6)));
    PutByte(uint8_t(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    PutByte(uint8_t(0xE0 | (c >> 12)));
    PutByte(uint8_t(0x80 | ((c >> 6) & 0x3F)));
    PutByte(uint8_t(0x80 | (c & 0x3F)));
  } else {
    PutByte(uint8_t(0xF0 | ((c >> 18) & 0x07)));
    PutByte(uint8_t(0x80 | ((c >> 12) & 0x3F)));
    PutByte(uint8_t(0x80 | ((c >> 6) & 0x3F)));
    PutByte(uint8_t(0x80 | (c & 0x3F)));
  }
}

void Latin1ToUtf8(const unsigned char* source, size_t length, char* destination, size_t size) {
  BoundedText out(destination, size);
  for (size_t i = 0; i < length && source[i] != 0; ++i) out.PutCodePoint(source[i]);
}

bool HasSjisSingleByteMapping(unsigned char b) {
  return !((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
}

void SjisSingleByteToUtf8(const unsigned char* source, size_t length, char* destination,
                          size_t size) {
  BoundedText out(destination, size);
  for (size_t i = 0; i < length && source[i] != 0; ++i) {
    unsigned char b = source[i];
    if (b < 0x80) {
      out.PutCodePoint(b);
    } else if (b == 0xA0) {
      out.PutCodePoint(0xA0);
    } else if (b >= 0xA1 && b <= 0xDF) {
      out.PutCodePoint(0xFF61 + (b - 0xA1));
    } else if (b == 0x80 || b >= 0xFD) {
      out.PutCodePoint(0xFFFD);
    }
    // Lead bytes of two-byte characters have no mapping; the caller never chooses this table
    // for text that holds them.
  }
}

void Utf16ToUtf8(const unsigned char* units, size_t unitCount, char* destination, size_t size) {
  BoundedText out(destination, size);
  bool swapped = false;
  size_t i = 0;
  auto next = [&]() -> uint32_t {
    uint32_t v = (uint32_t(units[2 * i]) << 8) | units[2 * i + 1];
    ++i;
    return swapped ? ((v & 0xFF) << 8) | (v >> 8) : v;
  };
  while (i < unitCount) {
    uint32_t raw = (uint32_t(units[2 * i]) << 8) | units[2 * i + 1];
    if (raw == 0xFEFF || raw == 0xFFFE) {  // a byte-order mark, wherever it stands
      swapped = raw == 0xFFFE;
      ++i;
      continue;
    }
    uint32_t c = next();
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i >= unitCount) break;  // a high half with nothing after it ends the text
      uint32_t low = next();
      c = 0x10000 + (c - 0xD800) * 1024 + low - 0xDC00;
    }
    if (c == 0) break;
    out.PutCodePoint(c);
  }
}

void TrimTrailingSpaces(char* text) {
  size_t length = strlen(text);
  while (length > 0 && text[length - 1] == ' ') text[--length] = '\0';
}

}  // namespace brek::zomelo
