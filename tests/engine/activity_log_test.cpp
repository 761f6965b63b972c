#include "engine/activity_log.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <regex>
#include <string>

namespace brek::zomelo {
namespace {

// ctime's fixed layout without its line feed, e.g. "Fri Dec 11 14:21:05 2026".
const std::string kTime = R"([A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] [0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4})";

std::string Written(void (*write)(FILE*)) {
  char* text = nullptr;
  size_t size = 0;
  FILE* log = open_memstream(&text, &size);
  write(log);
  fclose(log);
  std::string result(text, size);
  free(text);
  return result;
}

TEST(ActivityLog, LinesHaveTheTimeThenTheMessage) {
  struct Case {
    void (*write)(FILE*);
    std::string message;
  } cases[] = {
      {[](FILE* f) { LogStarted(f); }, "Harkwell started"},
      {[](FILE* f) { LogScan(f, "/home/x/Music"); }, "looking for files at /home/x/Music"},
      {[](FILE* f) { LogAnalyzed(f, "Artist A", "Song B"); }, "analyzed: Artist A - Song B"},
      {[](FILE* f) { LogDone(f); }, "Harkwell done"},
      {[](FILE* f) { LogStopped(f); }, "Harkwell stopped"},
  };
  for (const auto& c : cases) {
    std::string line = Written(c.write);
    EXPECT_TRUE(std::regex_match(line, std::regex("^" + kTime + ": " + c.message + "\n$")))
        << line;
  }
}

TEST(ActivityLog, ANullLogDropsTheLine) {
  LogStarted(nullptr);
  LogScan(nullptr, "/x");
  LogAnalyzed(nullptr, "a", "b");
  LogDone(nullptr);
  LogStopped(nullptr);
}

TEST(ActivityLog, RunsAppendOneAfterAnother) {
  char path[] = "/tmp/harkwell-log-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  for (int run = 0; run < 2; ++run) {
    FILE* log = fopen(path, "a");
    LogStarted(log);
    LogDone(log);
    fclose(log);
  }
  FILE* log = fopen(path, "r");
  char line[256];
  std::string messages;
  while (fgets(line, sizeof line, log)) messages += std::string(line).substr(26);
  fclose(log);
  unlink(path);
  EXPECT_EQ(messages, "Harkwell started\nHarkwell done\nHarkwell started\nHarkwell done\n");
}

}  // namespace
}  // namespace brek::zomelo
