#include "platform/login_items.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>

#include "platform/bundle.h"
#include "platform/home_dir.h"

namespace platform {

namespace {

constexpr const char* kPathKey = "X-Harkwell-Path";
constexpr const char* kHiddenKey = "X-Harkwell-LaunchHidden";

int MakeFolders(const std::string& folder) {
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = slash == std::string::npos ? folder : folder.substr(0, slash);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    if (slash == std::string::npos) return 0;
  }
}

bool EndsWith(const std::string& text, const char* tail) {
  const std::string t(tail);
  return text.size() >= t.size() && text.compare(text.size() - t.size(), t.size(), t) == 0;
}

// Reads the [Desktop Entry] group of `file`; false when it cannot be read.
bool ReadEntry(const std::string& file, LoginItem* item, bool* enabled) {
  std::ifstream in(file);
  if (!in) return false;
  std::string line;
  bool inEntry = false;
  *enabled = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '[') {
      inEntry = line == "[Desktop Entry]";
      continue;
    }
    if (!inEntry || line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string key = line.substr(0, equals);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    size_t start = equals + 1;
    while (start < line.size() && line[start] == ' ') ++start;
    const std::string value = UnescapeDesktopValue(line.substr(start));
    if (key == "Name") item->name = value;
    else if (key == kPathKey) item->path = value;
    else if (key == kHiddenKey) item->hidden = value == "true";
    else if (key == "Hidden") *enabled = value != "true";
    else if (key == "Exec") {
      const std::vector<std::string> words = SplitExecLine(value);
      item->executable = words.empty() ? std::string() : words[0];
    }
  }
  return true;
}

// A file name for a new entry: the name's letters, digits, '.', '-' and '_' in lower case.
std::string FileStem(const std::string& name) {
  std::string stem;
  for (unsigned char c : name) {
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-') {
      stem += static_cast<char>(c);
    } else if (c >= 'A' && c <= 'Z') {
      stem += static_cast<char>(c - 'A' + 'a');
    } else if (!stem.empty() && stem.back() != '-') {
      stem += '-';
    }
  }
  while (!stem.empty() && (stem.back() == '-' || stem.back() == '.')) stem.pop_back();
  if (stem.empty() || stem[0] == '.') stem.insert(0, "login-item");
  if (stem.size() > 200) stem.resize(200);
  return stem;
}

}  // namespace

std::string EscapeDesktopValue(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      case ' ': out += i == 0 ? "\\s" : " "; break;
      default: out += c;
    }
  }
  return out;
}

std::string UnescapeDesktopValue(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    switch (text[++i]) {
      case 's': out += ' '; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case '\\': out += '\\'; break;
      default: out += '\\'; out += text[i];
    }
  }
  return out;
}

std::string QuoteExecArgument(const std::string& argument) {
  // Inside double quotes the entry format reserves '"', '`', '$' and '\'; '%' starts a field
  // code anywhere and is doubled.
  std::string out = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') out += '\\';
    if (c == '%') out += '%';
    out += c;
  }
  return out + "\"";
}

std::vector<std::string> SplitExecLine(const std::string& exec) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false, quoted = false;
  for (size_t i = 0; i < exec.size(); ++i) {
    const char c = exec[i];
    if (quoted) {
      if (c == '"') quoted = false;
      else if (c == '\\' && i + 1 < exec.size()) word += exec[++i];
      else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') word += exec[++i];
      else word += c;
    } else if (c == ' ' || c == '\t') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      inWord = true;
      if (c == '"') quoted = true;
      else if (c == '%' && i + 1 < exec.size() && exec[i + 1] == '%') word += exec[++i];
      else word += c;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

std::string AutostartFolder() {
  const char* config = getenv("XDG_CONFIG_HOME");
  // The base-directory rules ignore a relative value.
  if (config != nullptr && config[0] == '/') return std::string(config) + "/autostart";
  char home[PATH_MAX];
  if (HomeDirectory(home, sizeof home) != 0) return {};
  return std::string(home) + "/.config/autostart";
}

int ReadLoginItems(std::vector<LoginItem>* items) {
  items->clear();
  const std::string folder = AutostartFolder();
  if (folder.empty()) return ENOENT;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return errno == ENOENT ? 0 : errno;
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name[0] == '.' || !EndsWith(name, ".desktop")) continue;
    LoginItem item;
    item.file = folder + "/" + name;
    bool enabled = true;
    if (ReadEntry(item.file, &item, &enabled) && enabled && !item.name.empty()) {
      items->push_back(item);
    }
  }
  closedir(dir);
  return 0;
}

int MakeLoginItem(const std::string& name, const std::string& path, bool hidden) {
  if (name.empty() || path.empty()) return EINVAL;
  const std::string folder = AutostartFolder();
  if (folder.empty()) return ENOENT;
  if (int error = MakeFolders(folder)) return error;

  const BundleInfo bundle = ReadBundleAt(path);
  const std::string executable = bundle.bundlePath.empty() ? path : bundle.executablePath;
  std::string text = "[Desktop Entry]\nType=Application\n";
  text += "Name=" + EscapeDesktopValue(name) + "\n";
  text += "Exec=" + EscapeDesktopValue(QuoteExecArgument(executable)) + "\n";
  text += std::string(kPathKey) + "=" + EscapeDesktopValue(path) + "\n";
  text += std::string(kHiddenKey) + "=" + (hidden ? "true" : "false") + "\n";
  text += "Terminal=false\n";

  // Written under a temporary name and renamed into place, so a reader never sees half an entry.
  const std::string stem = folder + "/" + FileStem(name);
  const std::string temporary = folder + "/.login-item-" + std::to_string(getpid()) + ".tmp";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return errno;
  int error = 0;
  for (size_t done = 0; done < text.size() && error == 0;) {
    const ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n > 0) done += static_cast<size_t>(n);
    else if (errno != EINTR) error = errno;
  }
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  for (int n = 1; error == 0; ++n) {
    const std::string file = stem + (n == 1 ? "" : "-" + std::to_string(n)) + ".desktop";
    // link() fails on an existing name, so another item's file is never replaced.
    if (link(temporary.c_str(), file.c_str()) == 0) break;
    if (errno != EEXIST || n == 1000) error = errno == EEXIST ? EEXIST : errno;
  }
  unlink(temporary.c_str());
  return error;
}

int DeleteLoginItems(const std::string& name) {
  std::vector<LoginItem> items;
  if (int error = ReadLoginItems(&items)) return error;
  int result = 0;
  for (const LoginItem& item : items) {
    if (item.name == name && unlink(item.file.c_str()) != 0 && errno != ENOENT && result == 0) {
      result = errno;
    }
  }
  return result;
}

}  // namespace platform
