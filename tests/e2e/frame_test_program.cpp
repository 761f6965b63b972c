// A background program on the engine's frame whose work reports what it sees to the file
// $HARKWELL_FRAME_REPORT: "started", "rescans N" for requests taken together, "stopped" when its
// stop trigger was raised, "finished" when $HARKWELL_FRAME_WORK_SECONDS (default 60) passed.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "engine/background_application.h"

namespace {

class FrameTest : public brek::BackGroundApplication {
 public:
  int Work(brek::Trigger& stop) override {
    const char* seconds = getenv("HARKWELL_FRAME_WORK_SECONDS");
    auto end = std::chrono::steady_clock::now() +
               std::chrono::duration<double>(seconds ? atof(seconds) : 60.0);
    Report("started");
    while (std::chrono::steady_clock::now() < end) {
      if (stop.IsRaised()) {
        Report("stopped");
        return 0;
      }
      int rescans = 0;
      while (rescanRequest_.Consume()) ++rescans;
      if (rescans > 0) Report("rescans " + std::to_string(rescans));
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    Report("finished");
    return 0;
  }

 private:
  static void Report(const std::string& line) {
    const char* path = getenv("HARKWELL_FRAME_REPORT");
    if (!path) return;
    FILE* file = fopen(path, "a");
    if (!file) return;
    fprintf(file, "%s\n", line.c_str());
    fclose(file);
  }
};

}  // namespace

int main(int argc, char** argv) {
  FrameTest program;
  return program.Run(argc, argv);
}
