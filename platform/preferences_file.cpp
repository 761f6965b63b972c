#include "platform/preferences_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <map>
#include <mutex>
#include <nlohmann/json.hpp>

#include "platform/bundle.h"
#include "platform/home_dir.h"

namespace platform {

namespace {

using Json = nlohmann::json;

struct Domain {
  bool loaded = false;
  Json values = Json::object();
  std::map<std::string, std::optional<PreferenceValue>> pending;
};

std::mutex gLock;
std::map<std::string, Domain> gDomains;

bool PreferencesFolder(std::string* folder) {
  char home[1024];
  if (HomeDirectory(home, sizeof home) != 0) return false;
  std::string path = home;
  for (const char* part : {"/Library", "/Library/Preferences"}) {
    std::string dir = path + part;
    if (mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  *folder = path + "/Library/Preferences";
  return true;
}

// A domain name becomes one file name: no separators and no leading dot.
bool ValidDomain(const std::string& domain) {
  return !domain.empty() && domain[0] != '.' && domain.find('/') == std::string::npos;
}

PreferenceValue FromJson(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_boolean()) return value.get<bool>();
  if (value.is_number()) return value.get<double>();
  return OtherPreferenceType{};
}

Json ToJson(const PreferenceValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<double>(&value)) return *number;
  if (const auto* truth = std::get_if<bool>(&value)) return *truth;
  return nullptr;
}

// Holds an exclusive flock on the domain's lock file for its lifetime.
class FileLock {
 public:
  explicit FileLock(const std::string& path) {
    fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ >= 0 && flock(fd_, LOCK_EX) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~FileLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Reads the domain file into `values` (caller holds the lock). A missing file is empty; one that
// is not a JSON object is moved aside and counts as empty. false on a read error.
bool ReadDomainFile(const std::string& path, Json* values) {
  FILE* file = fopen(path.c_str(), "rb");
  if (!file) {
    *values = Json::object();
    return errno == ENOENT;
  }
  std::string text;
  char chunk[4096];
  size_t n;
  while ((n = fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  bool readError = ferror(file);
  fclose(file);
  if (readError) return false;
  Json parsed = Json::parse(text, nullptr, false);
  if (parsed.is_discarded() || !parsed.is_object()) {
    char aside[64];
    snprintf(aside, sizeof aside, ".corrupt-%lld", static_cast<long long>(time(nullptr)));
    rename(path.c_str(), (path + aside).c_str());
    parsed = Json::object();
  }
  *values = std::move(parsed);
  return true;
}

bool WriteDomainFile(const std::string& folder, const std::string& path, const Json& values) {
  const std::string temporary = path + ".tmp-" + std::to_string(getpid());
  const std::string text = values.dump(2) + "\n";
  int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += size_t(n);
  }
  bool ok = done == text.size() && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  if (ok) ok = rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temporary.c_str());
    return false;
  }
  int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}

// Loads a domain on first use (caller holds gLock).
Domain& Loaded(const std::string& domain) {
  Domain& state = gDomains[domain];
  if (state.loaded) return state;
  state.loaded = true;
  std::string folder;
  if (!ValidDomain(domain) || !PreferencesFolder(&folder)) return state;
  const std::string path = folder + "/" + domain + ".json";
  FileLock lock(path + ".lock");
  Json values;
  if (lock.held() && ReadDomainFile(path, &values)) state.values = std::move(values);
  return state;
}

}  // namespace

std::optional<PreferenceValue> CopyAppValue(const std::string& key, const std::string& domain) {
  std::lock_guard<std::mutex> guard(gLock);
  Domain& state = Loaded(domain);
  if (auto it = state.pending.find(key); it != state.pending.end()) return it->second;
  if (auto it = state.values.find(key); it != state.values.end()) return FromJson(*it);
  return std::nullopt;
}

void SetAppValue(const std::string& key, const std::optional<PreferenceValue>& value,
                 const std::string& domain) {
  std::lock_guard<std::mutex> guard(gLock);
  Loaded(domain).pending[key] = value;
}

bool AppSynchronize(const std::string& domain) {
  std::lock_guard<std::mutex> guard(gLock);
  Domain& state = Loaded(domain);
  std::string folder;
  if (!ValidDomain(domain) || !PreferencesFolder(&folder)) return false;
  const std::string path = folder + "/" + domain + ".json";
  FileLock lock(path + ".lock");
  if (!lock.held()) return false;
  Json values;
  if (!ReadDomainFile(path, &values)) return false;
  if (!state.pending.empty()) {
    for (const auto& [key, value] : state.pending) {
      if (value && !std::holds_alternative<OtherPreferenceType>(*value)) {
        values[key] = ToJson(*value);
      } else if (!value) {
        values.erase(key);
      }
    }
    if (!WriteDomainFile(folder, path, values)) return false;
    state.pending.clear();
  }
  state.values = std::move(values);
  return true;
}

std::string CurrentApplicationDomain() {
  const BundleInfo& bundle = MainBundle();
  if (!bundle.identifier.empty()) return bundle.identifier;
  const std::string& exe = bundle.executablePath;
  size_t slash = exe.rfind('/');
  return slash == std::string::npos ? exe : exe.substr(slash + 1);
}

}  // namespace platform
