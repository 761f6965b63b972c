#include "analysis/hws_record.h"

namespace brek::zomelo {

int WriteRecordHead(FILE* file, const uint8_t* trackId, const TrackMetadata& record,
                    double seconds) {
  fwrite(trackId, 1, 8, file);
  fprintf(file, "I\tHarkwell\t%s\n", kAnalyserVersion);
  fprintf(file, "I\tTagKind\t%s\n", TagKindName(record.kind));
  if (record.title[0]) fprintf(file, "I\tTitle\t%s\n", record.title);
  if (record.artist[0]) fprintf(file, "I\tArtist\t%s\n", record.artist);
  if (record.composer[0]) fprintf(file, "I\tComposer\t%s\n", record.composer);
  if (record.album[0]) fprintf(file, "I\tAlbum\t%s\n", record.album);
  if (record.genre[0]) fprintf(file, "I\tGenre\t%s\n", record.genre);
  // Unsigned comparisons: a negative value is out of range.
  if (record.year >= 1950u && record.year <= 2050u) fprintf(file, "I\tYear\t%d\n", int(record.year));
  if (record.trackNumber >= 1u && record.trackNumber <= 99u) {
    if (record.trackCount >= record.trackNumber && record.trackCount <= 99u) {
      fprintf(file, "I\tTrackNumber\t%d/%d\n", int(record.trackNumber), int(record.trackCount));
    } else {
      fprintf(file, "I\tTrackNumber\t%d\n", int(record.trackNumber));
    }
  }
  if (record.cddbIds[0]) fprintf(file, "I\tCDDBIDs\t%s\n", record.cddbIds);
  fprintf(file, "I\tDuration\t%.3f\n", seconds);
  fputs(kDataMarker, file);
  return ferror(file) ? -1 : 0;
}

int writeEventEntry(RecordWriter* writer, int, const unsigned char* indices, const double*,
                    int startFrame) {
  const int delta = startFrame - writer->lastFrame;
  if (delta >= 0 && delta <= 254) {
    fputc(delta, writer->file);
  } else {
    fputc(0xFF, writer->file);
    fputc((delta >> 8) & 0xFF, writer->file);
    fputc(delta & 0xFF, writer->file);
  }
  // With one codeword per block the four index bytes are the four blocks' codewords.
  fwrite(indices, 1, 4, writer->file);
  writer->lastFrame = startFrame;
  return 0;
}

int WriteRecordEnd(FILE* file) {
  fputc(0x00, file);
  fputc(0x0A, file);
  fputs(kRecordTrailer, file);
  return ferror(file) ? -1 : 0;
}

}  // namespace brek::zomelo
