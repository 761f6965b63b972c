#include "engine/activity_log.h"

#include <cstdarg>
#include <ctime>

namespace brek::zomelo {

namespace {

// Writes the time, ": " and the formatted message, and flushes, so the file is always complete
// up to its last line.
[[gnu::format(printf, 2, 3)]] void WriteLine(FILE* log, const char* format, ...) {
  if (log == nullptr) return;
  time_t now = time(nullptr);
  char text[32];
  if (ctime_r(&now, text) == nullptr) text[0] = '\0';
  va_list args;
  va_start(args, format);
  char line[4096];  // room for a full path and two full tag fields
  vsnprintf(line, sizeof line, format, args);
  va_end(args);
  fprintf(log, "%.24s: %s", text, line);
  fflush(log);
}

}  // namespace

void LogStarted(FILE* log) { WriteLine(log, "Harkwell started\n"); }
void LogScan(FILE* log, const char* folder) { WriteLine(log, "looking for files at %s\n", folder); }
void LogAnalyzed(FILE* log, const char* artist, const char* title) {
  WriteLine(log, "analyzed: %s - %s\n", artist, title);
}
void LogDone(FILE* log) { WriteLine(log, "Harkwell done\n"); }
void LogStopped(FILE* log) { WriteLine(log, "Harkwell stopped\n"); }

}  // namespace brek::zomelo
