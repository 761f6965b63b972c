#include "library/track_identity.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace brek::zomelo {
namespace {

TrackMetadata Track(const char* artist, const char* title, const char* album = "Abbey Road",
                    const char* genre = "Rock") {
  TrackMetadata record{};
  snprintf(record.artist, sizeof record.artist, "%s", artist);
  snprintf(record.title, sizeof record.title, "%s", title);
  snprintf(record.album, sizeof record.album, "%s", album);
  snprintf(record.genre, sizeof record.genre, "%s", genre);
  return record;
}

std::string IdHex(const TrackMetadata& record) {
  uint8_t id[kTrackIdSize];
  if (ComputeTrackId(record, id) != 0) return "rejected";
  char text[17];
  for (int i = 0; i < kTrackIdSize; ++i) snprintf(text + 2 * i, 3, "%02x", id[i]);
  return text;
}

TEST(TrackIdentity, IdsByteForByte) {
  EXPECT_EQ(IdHex(Track("The Beatles", "Let It Be")), "ffc67f96261ec7e8");
  EXPECT_EQ(IdHex(Track("Beatles, The", "Let It Be")), "ffc67f96261ec7e8");
  EXPECT_EQ(IdHex(Track("Beatles (The)", "Let It Be")), "ffc67f96261ec7e8");
  EXPECT_EQ(IdHex(Track("Édith Piaf", "La Vie en rose")), "6e080e6894c2bc3d");
  EXPECT_EQ(IdHex(Track("Jay-Z", "99 Problems")), "dc61f0b1b9c9acc5");
}

TEST(TrackIdentity, NormalisedValuesAsTheIdentitySeesThem) {
  struct Case {
    const char* artist;
    const char* title;
    std::string seenArtist, seenTitle;
  } cases[] = {
      {"Simon And Garfunkel", "x", "SIMON GARFUNKEL", "X"},
      {"The The", "La La Land", "THE", "LAND"},
      {"a", "Bathe the Water", "A", "BATHE THE WATER"},
      {"Édith Piaf", "La Vie en rose", "EDITH PIAF", "VIE EN ROSE"},
      {"Jay-Z", "99 Problems", "JAY Z", "PROBLEMS"},
  };
  for (const auto& c : cases) {
    TrackIdentity identity;
    IdentifyTrack(Track(c.artist, c.title), identity);
    EXPECT_EQ(std::string(identity.artist), c.seenArtist) << c.artist;
    EXPECT_EQ(std::string(identity.title), c.seenTitle) << c.title;
  }
}

TEST(TrackIdentity, Rejections) {
  struct Case {
    TrackMetadata record;
    const char* rejectedBy;
  } cases[] = {
      {Track("A", "1979"), "title"},
      {Track("A", "Track 01"), "title"},
      {Track("A", "Piste 3"), "title"},
      {Track("A", "Song", "Abbey Road", "Classical"), "genre"},
      {Track("A", "Song", "Abbey Road", "Opera"), "genre"},
      {Track("A", "Song", "Abbey Road", "Speech"), "genre"},
      {Track("A", "Song", "Abbey Road", ""), "genre"},
      {Track("A", "Song", "Abbey Road", "Classic Rock"), nullptr},
      {Track("A", "Song", "Abbey Road", "Musique Classique"), nullptr},
      {Track("A", "Song", "The Album"), "album"},
      {Track("A", "Song", "Untitled"), "album"},
      {Track("A", "Song", ""), "album"},
      {Track("Unkown Artist", "Song"), "artist"},
      {Track("Unknown Artist", "Song"), nullptr},
      {Track("Various Artists", "Song"), "artist"},
      {Track("", "Song"), "artist"},
  };
  for (const auto& c : cases) {
    TrackIdentity identity;
    int result = IdentifyTrack(c.record, identity);
    EXPECT_EQ(result, c.rejectedBy ? -1 : 0) << c.record.artist << "/" << c.record.title;
    EXPECT_STREQ(identity.rejectedBy ? identity.rejectedBy : "none",
                 c.rejectedBy ? c.rejectedBy : "none")
        << c.record.artist << "/" << c.record.title << "/" << c.record.album << "/"
        << c.record.genre;
  }
  uint8_t id[kTrackIdSize] = {1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(ComputeTrackId(Track("A", "1979"), id), -1);
  EXPECT_EQ(id[0], 1);  // nothing written
}

TEST(TrackIdentity, StripNoiseWords) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"THE BEATLES", "BEATLES"},       {"SIMON AND GARFUNKEL", "SIMON GARFUNKEL"},
      {"THE THE", "THE"},               {"BATHE THE WATER", "BATHE THE WATER"},
      {"LA LA LAND", "LAND"},           {"LES MISERABLES", "MISERABLES"},
      {"E STREET", "STREET"},           {"ROCK THE", "ROCK THE"},
  };
  for (const auto& c : cases) {
    char text[64];
    strcpy(text, c.in.c_str());
    StripNoiseWords(text);
    EXPECT_EQ(std::string(text), c.out) << c.in;
  }
}

TEST(TrackIdentity, RewriteArtist) {
  char first[kTagTextSize], second[kTagTextSize];
  EXPECT_STREQ(RewriteArtist("Beatles, The", first, second), ", The Beatles");
  EXPECT_STREQ(RewriteArtist("Beatles (The)", first, second), "(The) Beatles ");
  EXPECT_STREQ(RewriteArtist("Plain", first, second), "Plain");
  EXPECT_STREQ(RewriteArtist("", first, second), "");
  std::string longArtist(255, 'a');
  longArtist[10] = ',';
  EXPECT_EQ(strlen(RewriteArtist(longArtist.c_str(), first, second)), 255u);
}

}  // namespace
}  // namespace brek::zomelo
