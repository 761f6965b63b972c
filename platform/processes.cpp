#include "platform/processes.h"

#include <dirent.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "platform/event_constants.h"
#include "platform/event_loop.h"
#include "platform/runtime_dir.h"

namespace platform {

namespace {

// Registry entries are empty files named "<pid>-<start time>-<signature in hex>". The start
// time (from /proc) tells a live program from a dead one whose process ID was reused.
struct Entry {
  pid_t pid;
  unsigned long long startTime;
  uint32_t signature;
};

int RegistryDirectory(char* buffer, size_t size) {
  char runtime[1024];
  if (int err = RuntimeDirectory(runtime, sizeof runtime)) return err;
  int n = snprintf(buffer, size, "%s/processes", runtime);
  if (n < 0 || size_t(n) >= size) return ENAMETOOLONG;
  if (mkdir(buffer, 0700) != 0 && errno != EEXIST) return errno;
  return 0;
}

// Field 22 of /proc/<pid>/stat; 0 when the process does not exist.
unsigned long long ProcessStartTime(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/stat", int(pid));
  FILE* file = fopen(path, "r");
  if (!file) return 0;
  char text[1024];
  size_t n = fread(text, 1, sizeof text - 1, file);
  fclose(file);
  text[n] = '\0';
  // The command name in parentheses may hold spaces; the fields after it are plain.
  const char* p = strrchr(text, ')');
  if (!p) return 0;
  unsigned long long value = 0;
  int field = 2;
  for (const char* q = p + 1; *q && field < 22; ++q) {
    if (*q == ' ') ++field;
    if (field == 22) value = strtoull(q + 1, nullptr, 10);
  }
  return value;
}

bool ParseEntryName(const char* name, Entry* entry) {
  int pid = 0;
  unsigned long long start = 0;
  unsigned signature = 0;
  int used = 0;
  if (sscanf(name, "%d-%llu-%8x%n", &pid, &start, &signature, &used) != 3 || name[used] != '\0' ||
      pid <= 0) {
    return false;
  }
  *entry = Entry{pid_t(pid), start, signature};
  return true;
}

// Live registered programs, ascending by process ID; stale entries are removed on the way.
std::vector<Entry> LiveEntries() {
  std::vector<Entry> entries;
  char dir[1024];
  if (RegistryDirectory(dir, sizeof dir) != 0) return entries;
  DIR* stream = opendir(dir);
  if (!stream) return entries;
  while (dirent* d = readdir(stream)) {
    Entry entry;
    if (!ParseEntryName(d->d_name, &entry)) continue;
    if (ProcessStartTime(entry.pid) == entry.startTime) {
      entries.push_back(entry);
    } else {
      char path[1400];
      snprintf(path, sizeof path, "%s/%s", dir, d->d_name);
      unlink(path);
    }
  }
  closedir(stream);
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.pid < b.pid; });
  return entries;
}

char gRegisteredPath[1400] = "";
pid_t gRegisteredBy = 0;  // a forked child inherits the path but must not remove the entry

// Process watching: one pidfd per watched program, and an inotify descriptor on the registry
// that tells of programs registering later.
struct Watcher {
  int inotifyFd = -1;
  std::map<int, pid_t> pidfds;  // pidfd -> process ID
  std::map<pid_t, int> watched;
};
Watcher gWatcher;

void PostTerminated(pid_t pid) {
  auto event = CreateEvent(kEventClassApplication, kEventAppTerminated);
  ProcessSerialNumber psn{0, uint32_t(pid)};
  event->SetParameter(kEventParamProcessID, typeProcessSerialNumber, sizeof psn, &psn);
  PostEventToQueue(GetMainEventQueue(), std::move(event), kEventPriorityStandard);
}

void ProcessEnded(int fd, void*) {
  auto it = gWatcher.pidfds.find(fd);
  RemoveLoopSource(fd);
  close(fd);
  if (it == gWatcher.pidfds.end()) return;
  pid_t pid = it->second;
  gWatcher.pidfds.erase(it);
  gWatcher.watched.erase(pid);
  PostTerminated(pid);
}

void WatchRegistered() {
  for (const Entry& entry : LiveEntries()) {
    if (entry.pid == getpid() || gWatcher.watched.count(entry.pid)) continue;
    int fd = int(syscall(SYS_pidfd_open, entry.pid, 0));
    if (fd < 0) continue;  // ended meanwhile, or pidfds unavailable
    gWatcher.pidfds[fd] = entry.pid;
    gWatcher.watched[entry.pid] = fd;
    AddLoopSource(fd, ProcessEnded, nullptr);
  }
}

void RegistryChanged(int fd, void*) {
  alignas(inotify_event) char buffer[4096];
  while (read(fd, buffer, sizeof buffer) > 0) {
  }
  WatchRegistered();
}

}  // namespace

OSStatus GetNextProcess(ProcessSerialNumber* psn) {
  if (psn == nullptr) return paramErr;
  for (const Entry& entry : LiveEntries()) {
    if (uint32_t(entry.pid) > psn->lowLongOfPSN) {
      *psn = ProcessSerialNumber{0, uint32_t(entry.pid)};
      return noErr;
    }
  }
  *psn = ProcessSerialNumber{0, kNoProcess};
  return procNotFound;
}

OSStatus GetProcessInformation(const ProcessSerialNumber* psn, ProcessInfoRec* info) {
  if (psn == nullptr || info == nullptr) return paramErr;
  for (const Entry& entry : LiveEntries()) {
    if (uint32_t(entry.pid) == psn->lowLongOfPSN) {
      info->processSignature = entry.signature;
      info->processID = entry.pid;
      return noErr;
    }
  }
  return procNotFound;
}

int RegisterProcess(uint32_t signature) {
  char dir[1024];
  if (int err = RegistryDirectory(dir, sizeof dir)) return err;
  UnregisterProcess();
  snprintf(gRegisteredPath, sizeof gRegisteredPath, "%s/%d-%llu-%08" PRIx32, dir, int(getpid()),
           ProcessStartTime(getpid()), signature);
  FILE* file = fopen(gRegisteredPath, "w");
  if (!file) {
    int err = errno;
    gRegisteredPath[0] = '\0';
    return err;
  }
  fclose(file);
  gRegisteredBy = getpid();
  return 0;
}

void UnregisterProcess() {
  if (gRegisteredPath[0] != '\0' && gRegisteredBy == getpid()) unlink(gRegisteredPath);
  gRegisteredPath[0] = '\0';
}

void StartWatchingProcesses() {
  if (gWatcher.inotifyFd >= 0) return;
  char dir[1024];
  if (RegistryDirectory(dir, sizeof dir) != 0) return;
  gWatcher.inotifyFd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (gWatcher.inotifyFd >= 0) {
    inotify_add_watch(gWatcher.inotifyFd, dir, IN_CREATE | IN_MOVED_TO);
    AddLoopSource(gWatcher.inotifyFd, RegistryChanged, nullptr);
  }
  WatchRegistered();
}

void StopWatchingProcesses() {
  for (const auto& [fd, pid] : gWatcher.pidfds) {
    RemoveLoopSource(fd);
    close(fd);
  }
  gWatcher.pidfds.clear();
  gWatcher.watched.clear();
  if (gWatcher.inotifyFd >= 0) {
    RemoveLoopSource(gWatcher.inotifyFd);
    close(gWatcher.inotifyFd);
    gWatcher.inotifyFd = -1;
  }
}

}  // namespace platform
