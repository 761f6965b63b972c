#include "server/record_check.h"

#include <gtest/gtest.h>

#include <string>

namespace harkwell_server {
namespace {

const std::string kGood = std::string("\xFF\xC6\x7F\x96\x26\x1E\xC7\xE8", 8) +
                          "I\tHarkwell\tmac-1.1\nI\tTagKind\tQT\nI\tTitle\tT\nI\tArtist\tA\n"
                          "I\tAlbum\tB\nI\tGenre\tRock\nI\tDuration\t75.000\nD\tBinary\t1.0\n" +
                          std::string("\x25\x0C\xC8\x07\x07\xFF\x01\x07\x00\x01\x02\x03\x00\x0A", 14) +
                          "HWS Complete\n";

int Check(const std::string& bytes, CheckedRecord* record = nullptr) {
  CheckedRecord scratch;
  std::string error;
  return CheckRecord(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                     record ? record : &scratch, &error);
}

TEST(RecordCheck, AcceptsAWellFormedRecord) {
  CheckedRecord record;
  ASSERT_EQ(Check(kGood, &record), 0);
  EXPECT_EQ(record.trackId, "ffc67f96261ec7e8");
  EXPECT_EQ(record.info["Artist"], "A");
  ASSERT_EQ(record.events.size(), 2u);
  EXPECT_EQ(record.events[0].startFrame, 37);
  EXPECT_EQ(record.events[1].startFrame, 300);
  EXPECT_EQ(record.events[1].codewords[3], 3);
}

TEST(RecordCheck, RejectsEveryKindOfDamage) {
  auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const std::string bad[] = {
      kGood.substr(0, 7),
      kGood.substr(0, kGood.size() - 1),
      kGood + "x",
      replaced(kGood, "I\tHarkwell\tmac-1.1\n", ""),
      replaced(kGood, "I\tDuration\t75.000\n", ""),
      replaced(kGood, "I\tTitle\tT\nI\tArtist\tA\n", "I\tArtist\tA\nI\tTitle\tT\n"),
      replaced(kGood, "I\tGenre\tRock\n", "I\tMood\tx\n"),
      replaced(kGood, "D\tBinary\t1.0\n", "D\tText\t1.0\n"),
      replaced(kGood, std::string("\x00\x0A", 2), std::string("\x00\x0B", 2)),
      replaced(kGood, "HWS Complete\n", "HWS Complete!"),
      kGood.substr(0, 8) + std::string(32761, 'I'),
  };
  for (const std::string& bytes : bad) EXPECT_EQ(Check(bytes), -1) << bytes.size();
}

}  // namespace
}  // namespace harkwell_server
