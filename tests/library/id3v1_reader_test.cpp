#include "library/id3v1_reader.h"

#include <gtest/gtest.h>

#include "library/genre_table.h"
#include "tests/library/tag_bytes.h"

namespace brek::zomelo {
namespace {

using namespace harkwell_test;

// The trailer at the end of a file with something before it.
TrackMetadata ReadTrailer(const Bytes& trailer) { return Read(Bytes(300, 'x') + trailer); }

TEST(Id3v1Reader, FieldsAreLatin1WithTrailingSpacesRemoved) {
  TrackMetadata r = ReadTrailer(Id3v1("Title    ", "Artist", Bytes(30, ' '), "1999", "Nice", 17));
  EXPECT_EQ(r.kind, kTagId3v1);
  EXPECT_STREQ(r.title, "Title");
  EXPECT_STREQ(r.artist, "Artist");
  EXPECT_STREQ(r.album, "");
  EXPECT_STREQ(r.comment, "Nice");
  EXPECT_STREQ(r.genre, "Rock");
  EXPECT_EQ(r.year, 1999u);
  EXPECT_STREQ(ReadTrailer(Id3v1("Caf\xE9", "", "", "", "", 0)).title, "Caf\xC3\xA9");
}

TEST(Id3v1Reader, YearNeedsFourDigits) {
  struct Case {
    Bytes year;
    uint32_t expected;
  } cases[] = {{"1999", 1999}, {"199 ", 0}, {"0000", 0}, {"19x9", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(ReadTrailer(Id3v1("t", "a", "b", c.year, "", 0)).year, c.expected) << c.year;
  }
}

TEST(Id3v1Reader, GenreBytes) {
  struct Case {
    unsigned char genre;
    std::string name;
  } cases[] = {{0, "Blues"}, {17, "Rock"}, {32, "Classical"}, {125, "Dance Hall"},
               {126, ""},    {255, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(std::string(ReadTrailer(Id3v1("t", "", "", "", "", c.genre)).genre), c.name)
        << int(c.genre);
  }
}

TEST(Id3v1Reader, Id3v11TrackNumber) {
  Bytes comment = Bytes("Nice") + Bytes(24, '\0') + '\0' + '\x07';
  TrackMetadata r = ReadTrailer(Id3v1("t", "", "", "", comment, 0));
  EXPECT_STREQ(r.comment, "Nice");
  EXPECT_EQ(r.trackNumber, 7u);
  comment[29] = char(200);
  EXPECT_EQ(ReadTrailer(Id3v1("t", "", "", "", comment, 0)).trackNumber, 200u);
  EXPECT_EQ(ReadTrailer(Id3v1("t", "", "", "", Bytes(30, 'c'), 0)).trackNumber, 0u);
}

TEST(Id3v1Reader, ShortFilesAndMissingTagFail) {
  TrackMetadata record{};
  EXPECT_NE(ReadTagsFrom(Id3v1("t", "", "", "", "", 0).substr(1), record), 0);
  EXPECT_NE(ReadTagsFrom(Bytes(200, 'x'), record), 0);
  EXPECT_EQ(ReadTagsFrom(Id3v1("t", "", "", "", "", 0), record), 0);  // exactly 128 bytes
}

TEST(GenreTable, NamesAndCodes) {
  EXPECT_STREQ(kGenreNames[0], "N/A");
  EXPECT_STREQ(kGenreNames[1], "Blues");
  EXPECT_STREQ(kGenreNames[80], "Hard Rock");
  EXPECT_STREQ(kGenreNames[81], "Folk");
  EXPECT_STREQ(kGenreNames[68], "Psychadelic");
  EXPECT_STREQ(kGenreNames[41], "AlternRock");
  EXPECT_STREQ(kGenreNames[86], "Bebob");
  EXPECT_STREQ(kGenreNames[101], "Humour");
  EXPECT_STREQ(kGenreNames[124], "A capella");
  EXPECT_STREQ(kGenreNames[126], "Dance Hall");
  TrackMetadata record{};
  for (auto [code, name] : {std::pair{0u, "N/A"}, {18u, "Rock"}, {126u, "Dance Hall"}}) {
    Mp4GenreName(code, record);
    EXPECT_STREQ(record.genre, name);
  }
  Id3GenreName(126, record);
  EXPECT_STREQ(record.genre, "Dance Hall");  // unchanged
}

}  // namespace
}  // namespace brek::zomelo
