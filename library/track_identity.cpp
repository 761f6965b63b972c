#include "library/track_identity.h"

#include <cstdio>
#include <cstring>

#include "library/name_normalisation.h"

namespace brek::zomelo {

const char* const kNoiseWords[kNoiseWordCount] = {
    "THE ", "AND ", "LE ", "LA ", "LES ", "ET ", "EL ", "LOS ",
    "Y ",   "DER ", "DIE ", "DAS ", "UND ", "IL ", "GLI ", "E ",
};

// The entries are compared exactly as written, misspellings included.
const char* const kGenreRejects[9] = {"",        "GENRE",  "CLASSICAL", "SPEECH",   "OPERA",
                                      "CHAMBER MUSIC", "SONATA", "SYMPHONY", "CLASSIQUE"};
const char* const kAlbumRejects[16] = {
    "",          "ALBUM",        "TITLE",         "UNTITLED",        "UNKNOWN",
    "UNDEFINED", "UNTITLED ALBUM", "UNKOWN ALBUM", "UNDEFINED ALBUM", "TITRE",
    "SANS TITRE", "INCONNU",     "INDEFINI",      "ALBUM SANS TITRE", "ALBUM INCONNU",
    "ALBUM INDEFINI"};
const char* const kArtistRejects[15] = {
    "",         "ARTIST",   "UNKNOWN",          "UNDEFINED", "UNKOWN ARTIST",
    "UNDEFINED ARTIST", "VARIOUS", "VARIOUS ARTISTS", "ARTISTE", "INCONNU",
    "INDEFINI", "ARTISTE INDEFINI", "DIVERS", "DIVERS ARTISTES", "ARTISTES DIVERS"};
const char* const kTitleRejects[19] = {
    "",           "TITLE",         "UNTITLED",       "TRACK",           "UNKNOWN",
    "UNDEFINED",  "UNKOWN TITLE",  "UNDEFINED TITLE", "UNKOWN TRACK",   "UNDEFINED TRACK",
    "TITRE",      "SANS TITRE",    "PISTE",          "INCONNU",         "INDEFINI",
    "TITRE INCONNU", "TITRE INDEFINI", "PISTE INCONNUE", "PISTE INDEFINIE"};

namespace {

template <size_t N>
bool InList(const char* text, const char* const (&list)[N]) {
  for (const char* entry : list) {
    if (strcmp(text, entry) == 0) return true;
  }
  return false;
}

constexpr uint64_t kFnvOffsetBasis = 0xCBF29CE484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001B3ull;

uint64_t Fnv1a(uint64_t state, const char* text) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    state = (state ^ *p) * kFnvPrime;
  }
  return (state ^ 0x0A) * kFnvPrime;  // each value ends with a line feed in the key
}

}  // namespace

const char* RewriteArtist(const char* artist, char (&first)[kTagTextSize],
                          char (&second)[kTagTextSize]) {
  const char* text = artist;
  size_t length = strlen(artist);
  const char* open = strrchr(artist, '(');
  if (length > 0 && artist[length - 1] == ')' && open != nullptr) {
    snprintf(first, sizeof first, "%s %.*s", open, int(open - artist), artist);
    text = first;
  }
  if (const char* comma = strrchr(text, ',')) {
    snprintf(second, sizeof second, "%s %.*s", comma, int(comma - text), text);
    text = second;
  }
  return text;
}

void StripNoiseWords(char* text) {
  for (const char* word : kNoiseWords) {
    const size_t length = strlen(word);
    for (;;) {
      char* found = strstr(text, word);
      if (found == nullptr) break;
      // Only the first occurrence counts: inside a longer word it ends the search for W.
      if (found != text && found[-1] != ' ') break;
      memmove(found, found + length, strlen(found + length) + 1);
    }
  }
}

int IdentifyTrack(const TrackMetadata& record, TrackIdentity& identity) {
  identity.rejectedBy = nullptr;
  NormaliseName(record.genre, identity.genre, sizeof identity.genre);
  NormaliseName(record.album, identity.album, sizeof identity.album);
  StripNoiseWords(identity.album);
  char first[kTagTextSize], second[kTagTextSize];
  NormaliseName(RewriteArtist(record.artist, first, second), identity.artist,
                sizeof identity.artist);
  StripNoiseWords(identity.artist);
  NormaliseName(record.title, identity.title, sizeof identity.title);
  StripNoiseWords(identity.title);

  if (InList(identity.genre, kGenreRejects)) identity.rejectedBy = "genre";
  else if (InList(identity.album, kAlbumRejects)) identity.rejectedBy = "album";
  else if (InList(identity.artist, kArtistRejects)) identity.rejectedBy = "artist";
  else if (InList(identity.title, kTitleRejects)) identity.rejectedBy = "title";
  if (identity.rejectedBy != nullptr) return -1;

  uint64_t hash = Fnv1a(Fnv1a(kFnvOffsetBasis, identity.artist), identity.title);
  for (int i = 0; i < kTrackIdSize; ++i) identity.id[i] = uint8_t(hash >> (56 - 8 * i));
  return 0;
}

int ComputeTrackId(const TrackMetadata& record, uint8_t id[kTrackIdSize]) {
  TrackIdentity identity;
  if (IdentifyTrack(record, identity) != 0) return -1;
  memcpy(id, identity.id, kTrackIdSize);
  return 0;
}

}  // namespace brek::zomelo
