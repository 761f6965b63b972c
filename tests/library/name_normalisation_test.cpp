#include "library/name_normalisation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "library/unicode_tables.h"

namespace brek::zomelo {
namespace {

std::string Normalise(const std::string& text) {
  char out[1024];
  NormaliseName(text.c_str(), out, sizeof out);
  EXPECT_LE(strlen(out), text.size()) << text;
  return out;
}

TEST(NormaliseName, Examples) {
  struct Case {
    const char* name;
    std::string in, out;
  } cases[] = {
      {"umlaut", "Motörhead", "MOTORHEAD"},
      {"decomposed acute", "Beyonce\xCC\x81", "BEYONCE"},
      {"acute", "Sigur Rós", "SIGUR ROS"},
      {"two words", "Déjà vu", "DEJA VU"},
      {"slash", "AC/DC", "AC DC"},
      {"apostrophe", "Guns N' Roses", "GUNS N ROSES"},
      {"ampersand", "Rock & Roll", "ROCK ROLL"},
      {"times sign", "x×y", "X Y"},
      {"digit", "U2", "U"},
      {"leading digits", "50 Cent", "CENT"},
      {"only digits", "1979", ""},
      {"only punctuation", "!!!", ""},
      {"empty", "", ""},
      {"sharp s", "Straße", "STRAßE"},
      {"ash", "Ærosmith", "ÆROSMITH"},
      {"dotted capital I", "İstanbul", "ISTANBUL"},
      {"two accents keep the inner", "ǖ", "Ü"},
      {"u, diaeresis, macron compose twice", "u\xCC\x88\xCC\x84", "Ü"},
      {"ring and acute", "A\xCC\x8A\xCC\x81", "Å"},
      {"precomposed ring and acute", "Ǻ", "Å"},
      {"ring alone", "Å", "A"},
      {"CJK", "東京事変", "東京事変"},
      {"fullwidth", "Ｔｏｋｙｏ", "ＴＯＫＹＯ"},
      {"conjoining jamo stay two", "\xE1\x84\x80\xE1\x85\xA1", "\xE1\x84\x80\xE1\x85\xA1"},
      {"Latin-1 lead byte swallows two bytes", "\x43\x61\x66\xE9\x20\x4E\x6F\x69\x72",
       "CAF\xE9\xA0\x8EOIR"},
      {"stray continuation byte", "\x41\xA9\x42", "A B"},
      {"cut three-byte form at the end", "\x61\x62\x63\xE2\x82", "ABC"},
      {"emoji retained", "x😀y", "X😀Y"},
      {"spaces collapse", "  a \t\n b  ", "A B"},
  };
  for (const auto& c : cases) EXPECT_EQ(Normalise(c.in), c.out) << c.name;
}

TEST(NormaliseName, AFullDestinationIsCutAndTerminated) {
  char out[4];
  NormaliseName("abcdef", out, sizeof out);
  EXPECT_STREQ(out, "ABC");
}

// Every BMP code point's key-set bit, uppercase and base letter against the generator's data.
TEST(UnicodeTables, MatchTheUnicode40DataForEveryBmpCodePoint) {
  std::ifstream data(std::string(HARKWELL_TEST_DATA) + "/unicode40_bmp.txt");
  ASSERT_TRUE(data.good());
  std::vector<bool> clear(0x10000, false);
  std::vector<uint32_t> upper(0x10000), base(0x10000);
  for (uint32_t c = 0; c < 0x10000; ++c) upper[c] = base[c] = c;
  std::string line;
  int upperChanges = 0, baseChanges = 0;
  while (std::getline(data, line)) {
    char kind[8];
    unsigned a = 0, b = 0;
    if (line.empty() || line[0] == '#' || sscanf(line.c_str(), "%7s %x %x", kind, &a, &b) != 3) {
      continue;
    }
    if (strcmp(kind, "clear") == 0) {
      for (unsigned c = a; c <= b; ++c) clear[c] = true;
    } else if (strcmp(kind, "upper") == 0) {
      upper[a] = b;
      ++upperChanges;
    } else if (strcmp(kind, "base") == 0) {
      base[a] = b;
      ++baseChanges;
    }
  }
  EXPECT_EQ(upperChanges, 723);
  EXPECT_EQ(baseChanges, 989);
  for (uint32_t c = 0; c < 0x10000; ++c) {
    ASSERT_EQ(IsRetained(c), !clear[c]) << std::hex << c;
    ASSERT_EQ(MapThroughPages(kUpperCase, c), upper[c]) << std::hex << c;
    ASSERT_EQ(MapThroughPages(kBaseLetter, c), base[c]) << std::hex << c;
  }
  for (uint32_t c : {0x1D7FFu, 0x1D800u, 0xE0001u, 0x10FFFDu}) EXPECT_TRUE(IsRetained(c) || c < 0x1D800);
  EXPECT_TRUE(IsRetained(0x1D800));
  for (int i = 1; i < kComposePairCount; ++i) {
    ASSERT_LT(kComposePairs[i - 1].key, kComposePairs[i].key);
  }
}

}  // namespace
}  // namespace brek::zomelo
