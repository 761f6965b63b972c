// Four-character codes: 32-bit values written as four characters, most significant first.
#pragma once

#include <cstdint>

namespace platform {

constexpr uint32_t FourCC(const char (&text)[5]) {
  return (uint32_t(uint8_t(text[0])) << 24) | (uint32_t(uint8_t(text[1])) << 16) |
         (uint32_t(uint8_t(text[2])) << 8) | uint32_t(uint8_t(text[3]));
}

// The four characters of a code, NUL-terminated, for messages and file names.
struct FourCCText {
  char text[5];
};
inline FourCCText FourCCToText(uint32_t code) {
  return FourCCText{{char(code >> 24), char(code >> 16), char(code >> 8), char(code), '\0'}};
}

}  // namespace platform

using platform::FourCC;
