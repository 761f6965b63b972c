// The activity log: one line per event, "<first 24 characters of ctime>: <message>", flushed at
// once. A null log drops the line.
#pragma once

#include <cstdio>

namespace brek::zomelo {

inline constexpr const char* kLogFileName = "/Harkwell.log";

void LogStarted(FILE* log);                                       // "Harkwell started"
void LogScan(FILE* log, const char* folder);                      // "looking for files at …"
void LogAnalyzed(FILE* log, const char* artist, const char* title);  // "analyzed: A - T"
void LogDone(FILE* log);                                          // "Harkwell done"
void LogStopped(FILE* log);                                       // "Harkwell stopped"

}  // namespace brek::zomelo
