#include "analysis/hws_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace brek::zomelo {
namespace {

std::string Contents(FILE* file) {
  fflush(file);
  long size = ftell(file);
  std::string text(size_t(size), '\0');
  rewind(file);
  EXPECT_EQ(fread(text.data(), 1, text.size(), file), text.size());
  return text;
}

TEST(HwsRecord, TheThreeEventExample) {
  FILE* file = tmpfile();
  RecordWriter writer{file, 0};
  const unsigned char a[4] = {12, 200, 7, 7}, b[4] = {0, 1, 2, 3}, c[4] = {255, 254, 253, 252};
  writeEventEntry(&writer, 1, a, nullptr, 37);
  writeEventEntry(&writer, 1, b, nullptr, 300);
  writeEventEntry(&writer, 1, c, nullptr, 301);
  WriteRecordEnd(file);
  EXPECT_EQ(Contents(file), std::string("\x25\x0C\xC8\x07\x07"
                                        "\xFF\x01\x07\x00\x01\x02\x03"
                                        "\x01\xFF\xFE\xFD\xFC"
                                        "\x00\x0A"
                                        "HWS Complete\n",
                                        32));
  fclose(file);
}

std::string Head(const TrackMetadata& record) {
  FILE* file = tmpfile();
  const uint8_t id[8] = {'I', 'D', 'I', 'D', 'I', 'D', 'I', 'D'};
  WriteRecordHead(file, id, record, 75.0);
  std::string text = Contents(file);
  fclose(file);
  return text;
}

TrackMetadata Complete() {
  TrackMetadata record{};
  record.kind = kTagMp4;
  strcpy(record.title, "T");
  strcpy(record.artist, "A");
  strcpy(record.album, "B");
  strcpy(record.genre, "Rock");
  return record;
}

TEST(HwsRecord, InfoLinesInTheirOrder) {
  TrackMetadata record = Complete();
  strcpy(record.composer, "C");
  strcpy(record.cddbIds, "11+AB");
  record.year = 1999;
  record.trackNumber = 5;
  record.trackCount = 12;
  EXPECT_EQ(Head(record),
            "IDIDIDID"
            "I\tHarkwell\tmac-1.1\nI\tTagKind\tQT\nI\tTitle\tT\nI\tArtist\tA\nI\tComposer\tC\n"
            "I\tAlbum\tB\nI\tGenre\tRock\nI\tYear\t1999\nI\tTrackNumber\t5/12\n"
            "I\tCDDBIDs\t11+AB\nI\tDuration\t75.000\nD\tBinary\t1.0\n");
}

TEST(HwsRecord, YearAndTrackNumberBounds) {
  struct Case {
    uint32_t year, number, count;
    std::string yearLine, trackLine;
  } cases[] = {
      {1949, 5, 12, "", "I\tTrackNumber\t5/12\n"},
      {1950, 5, 3, "I\tYear\t1950\n", "I\tTrackNumber\t5\n"},
      {2050, 5, 0, "I\tYear\t2050\n", "I\tTrackNumber\t5\n"},
      {2051, 5, 100, "", "I\tTrackNumber\t5\n"},
      {uint32_t(-1), 0, 0, "", ""},
      {0, 100, 100, "", ""},
      {0, 99, 99, "", "I\tTrackNumber\t99/99\n"},
  };
  for (const auto& c : cases) {
    TrackMetadata record = Complete();
    record.year = c.year;
    record.trackNumber = c.number;
    record.trackCount = c.count;
    std::string head = Head(record);
    EXPECT_EQ(head.find("I\tYear") != std::string::npos, !c.yearLine.empty()) << c.year;
    if (!c.yearLine.empty()) {
      EXPECT_NE(head.find(c.yearLine), std::string::npos) << c.year;
    }
    EXPECT_EQ(head.find("I\tTrackNumber") != std::string::npos, !c.trackLine.empty()) << c.number;
    if (!c.trackLine.empty()) {
      EXPECT_NE(head.find(c.trackLine), std::string::npos) << c.number;
    }
  }
}

TEST(HwsRecord, TagKindNames) {
  const char* names[] = {"none", "QT", "ID3v2.3", "ID3v2.2", "ID3v1"};
  for (int kind = 0; kind <= 4; ++kind) {
    TrackMetadata record = Complete();
    record.kind = kind;
    EXPECT_NE(Head(record).find(std::string("I\tTagKind\t") + names[kind] + "\n"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace brek::zomelo
