// The analysis run: the engine's one piece of work.
#include <netdb.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "engine/activity_log.h"
#include "engine/harkwell.h"
#include "engine/http_request.h"
#include "engine/lookup_host.h"
#include "engine/paths.h"
#include "engine/server_messages.h"
#include "engine/track_job.h"
#include "engine/user_activity.h"
#include "library/directory_walker.h"
#include "library/track_identity.h"
#include "library/track_metadata.h"
#include "toolkit/preferences.h"

namespace brek::zomelo {

namespace {

constexpr int kLookupTimeoutSeconds = 30;  // a silent web host must not hold the engine forever

bool NotIncomplete(const char* name) { return strcmp(name, "incomplete") != 0; }

// The batch's file paths, copied: the walker's text lasts only until its next step.
class BatchPaths {
 public:
  ~BatchPaths() { Clear(); }
  void Add(const char* path) { paths_[count_++] = strdup(path); }
  const char* operator[](int j) const { return paths_[j]; }
  void Clear() {
    for (int j = 0; j < count_; ++j) free(paths_[j]);
    count_ = 0;
  }

 private:
  char* paths_[kBatchSize] = {};
  int count_ = 0;
};

// The analysis server's address from the looked-up name, used exactly as received.
bool ResolveServer(const char* name, sockaddr_in* server) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(name, nullptr, &hints, &found) != 0) return false;
  *server = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
  freeaddrinfo(found);
  server->sin_port = htons(kServerPort);
  return true;
}

}  // namespace

int Harkwell::Work(Trigger& stop) {
  char logPath[kPathSize];
  if (GetLogsFolder(logPath) == 0) {
    char folder[kPathSize];
    memcpy(folder, logPath, sizeof folder);
    // The Logs folder may not exist yet on a new account.
    for (char* p = folder + 1; *p; ++p) {
      if (*p == '/') {
        *p = '\0';
        mkdir(folder, 0700);
        *p = '/';
      }
    }
    mkdir(folder, 0700);
    if (AppendToPath(logPath, kLogFileName) == 0) logFile_ = fopen(logPath, "a");
  }
  LogStarted(logFile_);  // with no log the lines are dropped and the run goes on

  Preferences preferences;
  DirectoryWalker walker;
  BatchPaths paths;
  int querySocket = -1;
  auto finish = [&](bool done) {
    paths.Clear();
    if (done) LogDone(logFile_);
    else LogStopped(logFile_);
    if (querySocket >= 0) close(querySocket);
    walker.Close();
    return 0;
  };

  if (OpenCache() != 0) return finish(false);

  char lookupHost[256];
  int lookupPort = kLookupPort;
  if (LookupHost(lookupHost, sizeof lookupHost, &lookupPort) != 0) return finish(false);
  char serverName[64];
  TextBuffer body;
  body.Init(serverName, sizeof serverName);
  int status = 0;
  if (HttpRequest(lookupHost, lookupPort, kHttpGet, kLookupPath, nullptr, &status, &body,
                  kLookupTimeoutSeconds) != 0 ||
      status != 200) {
    return finish(false);
  }
  sockaddr_in server{};
  if (stop.IsRaised() || !ResolveServer(serverName, &server)) return finish(false);

  uint8_t query[kQueryMessageSize];
  FillMessageHeader(query, kQueryMessage, 0);
  uint8_t reply[kQueryReplySize];
  walker.filter = NotIncomplete;
  TrackMetadata record{};
  uint8_t trackId[kTrackIdSize];

  for (;;) {  // scan start, also after a rescan request
    char searchFolder[kPathSize];
    try {
      preferences.Synchronize();
      preferences.GetString(kSearchPathKey, searchFolder, sizeof searchFolder);
    } catch (...) {
      if (GetMusicFolder(searchFolder) != 0) searchFolder[0] = '\0';
    }
    walker.Start(searchFolder);
    LogScan(logFile_, searchFolder);
    int n = 0;
    bool rescan = false;
    for (;;) {  // scan steps
      const char* path = walker.Next();
      for (;;) {
        if (stop.IsRaised()) return finish(false);
        if (rescanRequest_.Consume()) {
          rescan = true;
          break;
        }
        if (!PauseWhileUserActive()) break;
      }
      if (rescan) break;
      if (path != nullptr) {
        if (!IsAudioFileName(path) || ReadTrackMetadata(path, record) != 0 ||
            ComputeTrackId(record, trackId) != 0 || IsCached(trackId)) {
          continue;
        }
        memcpy(query + kMessageHeaderSize + 8 * n, trackId, kTrackIdSize);
        paths.Add(path);
        if (++n < kBatchSize) continue;
      }
      if (n == 0) return finish(true);

      if (QueryBatch(server, query, n, stop, reply, &querySocket) != 0) return finish(false);
      for (int j = 0; j < n; ++j) {
        const uint8_t* id = query + kMessageHeaderSize + 8 * j;
        if (Wants(reply, j)) {
          if (FlushCache() != 0) return finish(false);
          int result = analyzeTrack(*this, paths[j], id, &server, &stop);
          if (stop.IsRaised() || result != 0) return finish(false);
        }
        if (AddToCache(id) != 0) return finish(false);
      }
      if (FlushCache() != 0) return finish(false);
      paths.Clear();
      if (path == nullptr) return finish(true);
      n = 0;
    }
    paths.Clear();  // the IDs gathered so far are dropped; the new walk finds them again
  }
}

}  // namespace brek::zomelo
