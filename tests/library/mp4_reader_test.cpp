#include "library/mp4_reader.h"

#include <gtest/gtest.h>

#include "tests/library/tag_bytes.h"

namespace brek::zomelo {
namespace {

using namespace harkwell_test;

Bytes Item(const Bytes& type, const Bytes& content) { return Atom(type, content); }
Bytes Text(const char* type3, const Bytes& text) {
  return Item(Bytes("\xA9") + type3, DataAtom(1, text));
}
Bytes Cddb(const Bytes& name, const Bytes& text) {
  return Item("----", Atom("mean", U32(0) + "com.apple.iTunes") + Atom("name", U32(0) + name) +
                          DataAtom(1, text));
}

TEST(Mp4Reader, ReadsEveryItem) {
  Bytes items = Text("nam", "Title") + Text("ART", "Artist") + Text("wrt", "Writer") +
                Text("alb", "Album") + Text("cmt", "Comment") + Text("day", "2004-05-03T07:00:00Z") +
                Item("gnre", DataAtom(0, U16(18))) +
                Item("trkn", DataAtom(0, U16(0) + U16(5) + U16(12) + U16(0))) +
                Cddb("iTunes_CDDB_IDs", "11+ABC") + Item("covr", DataAtom(13, "jpeg"));
  int result = -1;
  TrackMetadata r = Read(Mp4File(items), &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(r.kind, kTagMp4);
  EXPECT_STREQ(r.title, "Title");
  EXPECT_STREQ(r.artist, "Artist");
  EXPECT_STREQ(r.composer, "Writer");
  EXPECT_STREQ(r.album, "Album");
  EXPECT_STREQ(r.comment, "Comment");
  EXPECT_EQ(r.year, 2004u);
  EXPECT_STREQ(r.genre, "Rock");
  EXPECT_EQ(r.trackNumber, 5u);
  EXPECT_EQ(r.trackCount, 12u);
  EXPECT_STREQ(r.cddbIds, "11+ABC");
}

TEST(Mp4Reader, OnlyTheM4aBrandIsRead) {
  for (const char* brand : {"M4B ", "mp42", "isom"}) {
    TrackMetadata r = Read(Mp4File(Text("nam", "T"), brand));
    EXPECT_NE(r.kind, kTagMp4) << brand;
  }
}

TEST(Mp4Reader, ItemsUnderTrakAreReadToo) {
  Bytes file = Ftyp("M4A ") +
               Atom("moov", Atom("trak", Atom("udta", Atom("meta", U32(0) + Atom("ilst", Text("nam", "Deep"))))));
  EXPECT_STREQ(Read(file).title, "Deep");
}

TEST(Mp4Reader, MalformedItemsFailTheWholeRead) {
  int result = 0;
  Read(Mp4File(Item("\xA9" "cmt", DataAtom(1, ""))), &result);  // empty text
  EXPECT_NE(result, 0);
  Read(Mp4File(Item("gnre", DataAtom(0, U16(127)))), &result);
  EXPECT_NE(result, 0);
  Read(Mp4File(Item("\xA9nam", DataAtom(0, "binary"))), &result);  // wrong value type
  EXPECT_NE(result, 0);
  Read(Ftyp("M4A ") + U32(1000) + "moov", &result);  // overruns its parent
  EXPECT_NE(result, 0);
  // An unknown freeform item is ignored.
  TrackMetadata r = Read(Mp4File(Cddb("iTunes_Other_Thing", "x") + Text("nam", "T")), &result);
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(r.title, "T");
  EXPECT_STREQ(r.cddbIds, "");
}

TEST(Mp4Reader, SizeOneEndsItsSequenceAndFiftyAtomsAreTheLimit) {
  int result = -1;
  TrackMetadata r =
      Read(Mp4File(Text("nam", "T") + U32(1) + "free" + Text("ART", "A")), &result);
  EXPECT_EQ(result, 0);
  EXPECT_STREQ(r.title, "T");
  EXPECT_STREQ(r.artist, "");
  Bytes many;
  for (int i = 0; i < 50; ++i) many += Atom("free", "");
  r = Read(Mp4File(many + Text("nam", "T")));
  EXPECT_STREQ(r.title, "");
  many.resize(many.size() - 8);
  r = Read(Mp4File(many + Text("nam", "T")));
  EXPECT_STREQ(r.title, "T");
}

TEST(Mp4Reader, DeepNestingFails) {
  Bytes inner = Text("nam", "T");
  for (int i = 0; i < 11; ++i) inner = Atom("moov", inner);
  int result = 0;
  Read(Ftyp("M4A ") + inner, &result);
  EXPECT_NE(result, 0);
}

}  // namespace
}  // namespace brek::zomelo
