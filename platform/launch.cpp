#include "platform/launch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/bundle.h"
#include "platform/processes.h"

namespace platform {

namespace {

bool SignatureRuns(uint32_t signature) {
  ProcessSerialNumber psn{0, kNoProcess};
  while (GetNextProcess(&psn) == noErr) {
    ProcessInfoRec info{};
    info.processInfoLength = sizeof info;
    if (GetProcessInformation(&psn, &info) == noErr && info.processSignature == signature) {
      return true;
    }
  }
  return false;
}

bool IsBundle(const std::string& path) {
  struct stat contents {};
  return path.size() > 4 && path.compare(path.size() - 4, 4, ".app") == 0 &&
         stat((path + "/Contents").c_str(), &contents) == 0 && S_ISDIR(contents.st_mode);
}

}  // namespace

int StartDetached(const char* const* argv) {
  // Two forks, so the program is nobody's child here and never lingers as a zombie; the
  // grandchild reports a failed exec through a close-on-exec pipe. Between fork and exec only
  // async-signal-safe calls are made.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return errno;
  const pid_t child = fork();
  if (child < 0) {
    const int error = errno;
    close(report[0]);
    close(report[1]);
    return error;
  }
  if (child == 0) {
    close(report[0]);
    setsid();
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, 0);
      dup2(null, 1);
      dup2(null, 2);
    }
    execv(argv[0], const_cast<char* const*>(argv));
    const int error = errno;
    ssize_t ignored = write(report[1], &error, sizeof error);
    (void)ignored;
    _exit(127);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t n;
  while ((n = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (n == sizeof error) return error;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return ECHILD;
  return 0;
}

int OpenWithDesktop(const char* pathOrUrl) {
  const char* opener = getenv("HARKWELL_OPENER");
  std::string program = opener && *opener ? opener : "xdg-open";
  if (program.find('/') == std::string::npos) {
    // Found on PATH, as a shell would.
    const char* path = getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::string found;
    for (size_t start = 0; start <= dirs.size();) {
      size_t end = dirs.find(':', start);
      if (end == std::string::npos) end = dirs.size();
      std::string candidate = dirs.substr(start, end - start) + "/" + program;
      if (end > start && access(candidate.c_str(), X_OK) == 0) {
        found = candidate;
        break;
      }
      start = end + 1;
    }
    if (found.empty()) return ENOENT;
    program = found;
  }
  const char* argv[] = {program.c_str(), pathOrUrl, nullptr};
  return StartDetached(argv);
}

int OpenPath(const char* path) {
  if (path == nullptr) return EINVAL;
  struct stat info {};
  if (stat(path, &info) != 0) return errno;
  if (!IsBundle(path)) return OpenWithDesktop(path);
  const BundleInfo bundle = ReadBundleAt(path);
  if (bundle.signature != 0 && SignatureRuns(bundle.signature)) return 0;
  const char* argv[] = {bundle.executablePath.c_str(), nullptr};
  return StartDetached(argv);
}

}  // namespace platform
