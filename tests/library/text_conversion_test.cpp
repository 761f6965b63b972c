#include "library/text_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace brek::zomelo {
namespace {

std::string Convert(void (*convert)(const unsigned char*, size_t, char*, size_t),
                    const std::string& in, size_t size = 256) {
  char out[256];
  convert(reinterpret_cast<const unsigned char*>(in.data()), in.size(), out, size);
  return out;
}

TEST(TextConversion, Latin1) {
  EXPECT_EQ(Convert(Latin1ToUtf8, "Caf\xE9"), "Caf\xC3\xA9");
  EXPECT_EQ(Convert(Latin1ToUtf8, std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(Convert(Latin1ToUtf8, "\xE9\xE9", 4), "\xC3\xA9\xC3");  // cut byte by byte
  EXPECT_EQ(Convert(Latin1ToUtf8, "abc", 1), "");
}

TEST(TextConversion, SingleByteShiftJis) {
  EXPECT_EQ(Convert(SjisSingleByteToUtf8, "A\x80\xA0\xA1\xDF\xFD"),
            "A\xEF\xBF\xBD\xC2\xA0\xEF\xBD\xA1\xEF\xBE\x9F\xEF\xBF\xBD");
  for (int b : {0x81, 0x9F, 0xE0, 0xFC}) EXPECT_FALSE(HasSjisSingleByteMapping(b)) << b;
  for (int b : {0x01, 0x7F, 0x80, 0xA0, 0xDF, 0xFD, 0xFF}) EXPECT_TRUE(HasSjisSingleByteMapping(b)) << b;
}

TEST(TextConversion, Utf16) {
  struct Case {
    std::string units, out;
  } cases[] = {
      {std::string("\0C\0a", 4), "Ca"},
      {std::string("\xFF\xFE" "C\0a\0", 6), "Ca"},
      {std::string("\xFE\xFF\0C\xFF\xFE" "a\0", 8), "Ca"},  // a mark anywhere switches
      {std::string("\x03\xA9\x6C\x34", 4), "\xCE\xA9\xE6\xB0\xB4"},
      {std::string("\xD8\x3D\xDE\x00", 4), "\xF0\x9F\x98\x80"},
      {std::string("\0x\xD8\x3D", 4), "x"},  // a high half with nothing after it ends the text
  };
  for (const auto& c : cases) {
    char out[256];
    Utf16ToUtf8(reinterpret_cast<const unsigned char*>(c.units.data()), c.units.size() / 2, out,
                sizeof out);
    EXPECT_EQ(std::string(out), c.out);
  }
}

TEST(TextConversion, TrimTrailingSpaces) {
  char text[] = "a b  ";
  TrimTrailingSpaces(text);
  EXPECT_STREQ(text, "a b");
  char tab[] = "a\t";
  TrimTrailingSpaces(tab);
  EXPECT_STREQ(tab, "a\t");
}

}  // namespace
}  // namespace brek::zomelo
