#include "library/id3v2_reader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/library/tag_bytes.h"

namespace brek::zomelo {
namespace {

using namespace harkwell_test;

TEST(Id3v2Reader, TextFramesInTheirEncodings) {
  struct Case {
    const char* name;
    Bytes data;
    std::string title;
  } cases[] = {
      {"latin-1", Latin1Text("C\xC7" "a"), "C\xC3\x87" "a"},
      {"control bytes stay latin-1", Latin1Text("\x92" "A"), "\xC2\x92" "A"},
      {"0x80 picks the single-byte Shift_JIS table", Latin1Text("\x80\xC7"),
       "\xEF\xBF\xBD\xEF\xBE\x87"},
      {"utf-16 with a little-endian mark", Bytes("\x01\xFF\xFE" "C\0a\0", 7), "Ca"},
      {"utf-16 without a mark is big-endian", Bytes("\x01\0C\0a", 5), "Ca"},
      {"surrogate pair", Bytes("\x01\xD8\x3D\xDE\x00", 5), "\xF0\x9F\x98\x80"},
      {"text ends at a zero unit", Bytes("\x01\0C\0\0\0a", 7), "C"},
  };
  for (const auto& c : cases) {
    TrackMetadata record = Read(Id3v23(Frame23("TIT2", c.data)));
    EXPECT_EQ(record.kind, kTagId3v23) << c.name;
    EXPECT_EQ(std::string(record.title), c.title) << c.name;
  }
}

TEST(Id3v2Reader, EveryFrameKindFillsItsField) {
  Bytes frames = Frame23("TIT2", Latin1Text("Title")) + Frame23("TPE1", Latin1Text("Artist")) +
                 Frame23("TCOM", Latin1Text("Composer")) + Frame23("TALB", Latin1Text("Album")) +
                 Frame23("TCON", Latin1Text("(17)Rock")) + Frame23("TRCK", Latin1Text("5/12")) +
                 Frame23("TYER", Latin1Text("1999")) +
                 Frame23("COMM", Bytes("\0eng\0Nice", 9)) + Frame23("XXXX", "ignored");
  TrackMetadata r = Read(Id3v23(frames));
  EXPECT_STREQ(r.title, "Title");
  EXPECT_STREQ(r.artist, "Artist");
  EXPECT_STREQ(r.composer, "Composer");
  EXPECT_STREQ(r.album, "Album");
  EXPECT_STREQ(r.genre, "Rock");
  EXPECT_EQ(r.trackNumber, 5u);
  EXPECT_EQ(r.trackCount, 12u);
  EXPECT_EQ(r.year, 1999u);
  EXPECT_STREQ(r.comment, "Nice");

  Bytes v22 = Frame22("TT2", Latin1Text("Old")) + Frame22("TP1", Latin1Text("Band")) +
              Frame22("TRK", Latin1Text("5"));
  r = Read(Id3Header(2, 0, v22.size()) + v22);
  EXPECT_EQ(r.kind, kTagId3v22);
  EXPECT_STREQ(r.title, "Old");
  EXPECT_STREQ(r.artist, "Band");
  EXPECT_EQ(r.trackNumber, 5u);
  EXPECT_EQ(r.trackCount, 0u);
}

TEST(Id3v2Reader, GenreReferences) {
  struct Case {
    Bytes text;
    std::string genre;
  } cases[] = {{"(17)", "Rock"}, {"(17)Rock", "Rock"}, {"Rock", "Rock"},
               {"(RX)", "(RX)"}, {"(CR)", "(CR)"},     {"(200)", "(200)"}};
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(Read(Id3v23(Frame23("TCON", Latin1Text(c.text)))).genre), c.genre)
        << c.text;
  }
}

TEST(Id3v2Reader, CommentFrames) {
  Bytes cddb = Bytes("\0eng", 4) + Bytes("iTunes_CDDB_IDs\0", 16) + "11+ABC+123";
  TrackMetadata r = Read(Id3v23(Frame23("COMM", cddb)));
  EXPECT_STREQ(r.cddbIds, "11+ABC+123");
  EXPECT_STREQ(r.comment, "");
  r = Read(Id3v23(Frame23("COMM", Bytes("\0engother\0text", 14))));
  EXPECT_STREQ(r.comment, "");  // a comment with a description is not the track's comment
  r = Read(Id3v23(Frame23("COMM", Bytes("\x01" "eng\xFF\xFE\0\0\xFF\xFEH\0i\0", 14))));
  EXPECT_STREQ(r.comment, "Hi");
}

TEST(Id3v2Reader, HeaderFlagsAndVersions) {
  Bytes frames = Frame23("TIT2", Latin1Text("T"));
  int result = 0;
  Read(Id3v23(frames, 0x80), &result);  // unsynchronisation
  EXPECT_NE(result, 0);
  Read(Id3Header(4, 0, frames.size()) + frames, &result);
  EXPECT_NE(result, 0);
  // An extended header of 6 bytes puts the first frame at offset 20.
  Bytes extended = U32(6) + Bytes(6, '\0') + frames;
  EXPECT_STREQ(Read(Id3v23(extended, 0x40)).title, "T");
  Bytes v22 = Frame22("TT2", Latin1Text("T"));
  Read(Id3Header(2, 0x40, v22.size()) + v22, &result);
  EXPECT_NE(result, 0);
  EXPECT_STREQ(Read(Id3Header(2, 0x80, v22.size()) + v22).title, "T");
}

TEST(Id3v2Reader, TheFrameWalkEndsAtPaddingOrAnOverrunningFrame) {
  Bytes frames = Frame23("TIT2", Latin1Text("T")) + Bytes(10, '\0') + Frame23("TPE1", Latin1Text("A"));
  TrackMetadata r = Read(Id3v23(frames));
  EXPECT_STREQ(r.title, "T");
  EXPECT_STREQ(r.artist, "");
  Bytes overrun = Frame23("TIT2", Latin1Text("T")) + "TPE1" + U32(1000) + Bytes(2, '\0') + "xx";
  int result = -1;
  r = Read(Id3v23(overrun), &result);
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(r.title, "T");
  EXPECT_STREQ(r.artist, "");
}

TEST(Id3v2Reader, UndecodableFramesLeaveTheirFields) {
  Bytes frames = Frame23("TYER", Bytes("\x03" "1999", 5)) + Frame23("TIT2", "") +
                 Frame23("TPE1", Bytes("\x01\0", 2));
  int result = -1;
  TrackMetadata r = Read(Id3v23(frames), &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(r.year, 0u);
  EXPECT_STREQ(r.title, "");
  EXPECT_STREQ(r.artist, "");
}

TEST(Id3v2Reader, LongTextIsCutToTheField) {
  TrackMetadata r = Read(Id3v23(Frame23("TIT2", Latin1Text(Bytes(600, '\xE9')))));
  // 512 bytes read, 127 two-byte letters fit in 255 bytes, the 128th is cut after its lead.
  EXPECT_EQ(strlen(r.title), 255u);
  EXPECT_EQ(static_cast<unsigned char>(r.title[254]), 0xC3);
}

TEST(Id3v2Reader, HostileSizesNeverReadPastTheFile) {
  // A tag that claims far more than the file holds, frames with huge sizes, a truncated header.
  const Bytes cases[] = {
      Bytes("ID3\3\0\0\x7F\x7F\x7F\x7F", 10) + Frame23("TIT2", Latin1Text("T")),
      Bytes("ID3\3\0\0\xFF\xFF\xFF\xFF", 10) + "TIT2" + U32(0xFFFFFFFF) + "xx",
      Bytes("ID3\3\0\x40\0\0\0\x10", 10) + U32(0xFFFFFFF0),
      Bytes("ID3\3\0", 5),
      Bytes("ID3\2\0\0\0\0\0\x20", 10) + "TT2" + U24(0xFFFFFF),
  };
  for (const Bytes& bytes : cases) {
    TrackMetadata record{};
    ReadTagsFrom(bytes, record);  // only that it returns, under the sanitizers
  }
}

}  // namespace
}  // namespace brek::zomelo
