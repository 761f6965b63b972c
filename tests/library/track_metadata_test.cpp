#include "library/track_metadata.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/library/tag_bytes.h"

namespace brek::zomelo {
namespace {

using namespace harkwell_test;

TEST(TrackMetadata, CollapseWhitespace) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"  Hello \t World\r\n", "Hello World"},
      {" \t\r\n\x7F ", ""},
      {"", ""},
      {"a\x01\x1F" "b", "a b"},
      {"\xC3\xA9\xA0\xFF x", "\xC3\xA9\xA0\xFF x"},  // bytes from 0x80 up are not blanks
  };
  for (const auto& c : cases) {
    char text[64];
    strcpy(text, c.in.c_str());
    CollapseWhitespace(text);
    EXPECT_EQ(std::string(text), c.out) << c.in;
  }
}

TEST(TrackMetadata, CleanLeavesCddbAndNumbersAlone) {
  TrackMetadata r{};
  strcpy(r.title, "  A  B ");
  strcpy(r.genre, "\tRock\n");
  strcpy(r.cddbIds, "  1  2 ");
  r.year = 1999;
  r.trackNumber = 3;
  r.trackCount = 9;
  CleanTrackMetadata(r);
  EXPECT_STREQ(r.title, "A B");
  EXPECT_STREQ(r.genre, "Rock");
  EXPECT_STREQ(r.cddbIds, "  1  2 ");
  EXPECT_EQ(r.year, 1999u);
  EXPECT_EQ(r.trackNumber, 3u);
  EXPECT_EQ(r.trackCount, 9u);
}

TEST(TrackMetadata, TheFirstReaderThatKnowsTheFileDecidesEverything) {
  Bytes file = Id3v23(Frame23("TIT2", Latin1Text("Only title"))) + Bytes(100, '\xFF') +
               Id3v1("v1 title", "v1 artist", "v1 album", "2000", "", 17);
  TrackMetadata r{};
  ASSERT_EQ(ReadTagsFrom(file, r), 0);
  EXPECT_EQ(r.kind, kTagId3v23);
  EXPECT_STREQ(r.title, "Only title");
  EXPECT_STREQ(r.artist, "");
  EXPECT_STREQ(r.album, "");
  // A tag the ID3v2 readers refuse leaves the trailer to describe the file.
  file[3] = 4;
  ASSERT_EQ(ReadTagsFrom(file, r), 0);
  EXPECT_EQ(r.kind, kTagId3v1);
  EXPECT_STREQ(r.artist, "v1 artist");
}

TEST(TrackMetadata, NoTagFailsWithKindNone) {
  for (const Bytes& bytes : {Bytes(), Bytes(1000, 'x')}) {
    TrackMetadata r;
    memset(&r, 0x55, sizeof r);
    EXPECT_NE(ReadTagsFrom(bytes, r), 0);
    EXPECT_EQ(r.kind, kTagNone);
    EXPECT_STREQ(r.title, "");
  }
}

TEST(TrackMetadata, AFileThatCannotBeOpenedLeavesTheRecordUntouched) {
  TrackMetadata r{};
  strcpy(r.title, "kept");
  EXPECT_EQ(ReadTrackMetadata("/no/such/file.mp3", r), -1);
  EXPECT_STREQ(r.title, "kept");
}

TEST(TrackMetadata, TagKindNames) {
  EXPECT_STREQ(TagKindName(kTagNone), "none");
  EXPECT_STREQ(TagKindName(kTagMp4), "QT");
  EXPECT_STREQ(TagKindName(kTagId3v23), "ID3v2.3");
  EXPECT_STREQ(TagKindName(kTagId3v22), "ID3v2.2");
  EXPECT_STREQ(TagKindName(kTagId3v1), "ID3v1");
}

}  // namespace
}  // namespace brek::zomelo
