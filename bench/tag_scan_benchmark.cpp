// Scanning a music tree: our walk + ReadTrackMetadata against TagLib's FileRef (tags only) on
// the same files, per format. The tree is 10,000 small tagged files made with ffmpeg.
//
//   build/release/bench/tag_scan_benchmark
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "library/directory_walker.h"
#include "library/track_metadata.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFilesPerFormat[] = {3334, 3333, 3333};
const char* const kFormats[] = {"mp3", "m4a", "aiff"};

// ffmpeg arguments that make a tagged one-second template of each format. AIFF carries its tag
// at the file's start, as the engine reads it, written by the id3v2 tool after ffmpeg.
const char* const kTemplateCommands[] = {
    "ffmpeg -v error -y -f lavfi -i sine=duration=1 -id3v2_version 3 -metadata title=Title "
    "-metadata artist=Artist -metadata album=Album -metadata genre=Rock t.mp3",
    "ffmpeg -v error -y -f lavfi -i sine=duration=1 -c:a aac -f ipod -metadata title=Title "
    "-metadata artist=Artist -metadata album=Album t.m4a",
    "ffmpeg -v error -y -f lavfi -i sine=duration=1 -write_id3v2 0 t.aiff && "
    "id3v2 -t Title -a Artist -A Album -g 17 t.aiff",
};

class Tree {
 public:
  Tree() {
    char pattern[] = "/tmp/harkwell-scan-bench-XXXXXX";
    root_ = mkdtemp(pattern);
    for (int f = 0; f < 3; ++f) {
      std::string command = "cd " + root_ + " && " + kTemplateCommands[f];
      if (system(command.c_str()) != 0) {
        fprintf(stderr, "could not make the %s template\n", kFormats[f]);
        exit(1);
      }
      const fs::path source = root_ + "/t." + kFormats[f];
      for (int i = 0; i < kFilesPerFormat[f]; ++i) {
        fs::path dir = fs::path(root_) / kFormats[f] / ("album" + std::to_string(i / 20));
        fs::create_directories(dir);
        fs::copy_file(source, dir / ("track" + std::to_string(i) + "." + kFormats[f]));
      }
    }
  }
  ~Tree() { fs::remove_all(root_); }
  std::string Folder(int format) const { return root_ + "/" + kFormats[format]; }

 private:
  std::string root_;
};

const Tree& TheTree() {
  static Tree tree;
  return tree;
}

void Ours(benchmark::State& state) {
  const std::string folder = TheTree().Folder(int(state.range(0)));
  brek::zomelo::TrackMetadata record;
  int64_t files = 0;
  for (auto _ : state) {
    brek::zomelo::DirectoryWalker walker;
    walker.Start(folder.c_str());
    while (const char* path = walker.Next()) {
      if (!brek::zomelo::IsAudioFileName(path)) continue;
      if (brek::zomelo::ReadTrackMetadata(path, record) == 0) ++files;
    }
    walker.Close();
  }
  state.SetItemsProcessed(files);
  state.SetLabel(kFormats[state.range(0)]);
}

void TagLibFileRef(benchmark::State& state) {
  const std::string folder = TheTree().Folder(int(state.range(0)));
  int64_t files = 0;
  for (auto _ : state) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      TagLib::FileRef file(entry.path().c_str(), false);
      if (!file.isNull() && file.tag()) ++files;  // its AIFF reader looks in the chunks only
    }
  }
  state.SetItemsProcessed(files);
  state.SetLabel(kFormats[state.range(0)]);
}

BENCHMARK(Ours)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(TagLibFileRef)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
