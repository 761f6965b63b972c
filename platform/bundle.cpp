#include "platform/bundle.h"

#include <unistd.h>

#include <climits>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

// The text of the value element that follows <key>name</key> in an XML property list: the
// content of <string>…</string>, or "true"/"false" for the empty boolean elements.
std::string PlistValue(const std::string& plist, const std::string& name) {
  const std::string key = "<key>" + name + "</key>";
  size_t at = plist.find(key);
  if (at == std::string::npos) return {};
  at = plist.find('<', at + key.size());
  if (at == std::string::npos) return {};
  if (plist.compare(at, 6, "<true/") == 0) return "true";
  if (plist.compare(at, 7, "<false/") == 0) return "false";
  if (plist.compare(at, 8, "<string>") != 0) return {};
  size_t begin = at + 8;
  size_t end = plist.find("</string>", begin);
  if (end == std::string::npos) return {};
  std::string text = plist.substr(begin, end - begin);
  // The entities a plist writer uses for the characters that XML reserves.
  const std::pair<const char*, const char*> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : entities) {
    for (size_t p = text.find(entity); p != std::string::npos; p = text.find(entity, p + 1)) {
      text.replace(p, std::string(entity).size(), plain);
    }
  }
  return text;
}

std::string ParentOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Fills the identifier, signature and background flag from `contents`/Info.plist; returns its
// CFBundleExecutable (empty when missing).
std::string ReadInfoPlist(const std::string& contents, BundleInfo* info) {
  std::ifstream file(contents + "/Info.plist");
  std::stringstream text;
  text << file.rdbuf();
  const std::string plist = text.str();
  info->name = PlistValue(plist, "CFBundleName");
  info->version = PlistValue(plist, "CFBundleShortVersionString");
  info->identifier = PlistValue(plist, "CFBundleIdentifier");
  const std::string signature = PlistValue(plist, "CFBundleSignature");
  if (signature.size() == 4) {
    for (unsigned char c : signature) info->signature = (info->signature << 8) | c;
  }
  info->backgroundOnly = PlistValue(plist, "LSBackgroundOnly") == "true";
  return PlistValue(plist, "CFBundleExecutable");
}

}  // namespace

BundleInfo ReadBundle(const std::string& executablePath) {
  BundleInfo info;
  info.executablePath = executablePath;
  const std::string macos = ParentOf(executablePath);
  const std::string contents = ParentOf(macos);
  const std::string bundle = ParentOf(contents);
  if (macos.size() < 6 || macos.compare(macos.size() - 6, 6, "/MacOS") != 0 ||
      contents.size() < 9 || contents.compare(contents.size() - 9, 9, "/Contents") != 0 ||
      bundle.size() < 4 || bundle.compare(bundle.size() - 4, 4, ".app") != 0) {
    return info;
  }
  info.bundlePath = bundle;
  info.resourcesPath = contents + "/Resources";
  ReadInfoPlist(contents, &info);
  return info;
}

BundleInfo ReadBundleAt(const std::string& bundlePath) {
  BundleInfo info;
  if (bundlePath.size() < 5 || bundlePath.compare(bundlePath.size() - 4, 4, ".app") != 0) {
    return info;
  }
  const std::string contents = bundlePath + "/Contents";
  info.bundlePath = bundlePath;
  info.resourcesPath = contents + "/Resources";
  std::string executable = ReadInfoPlist(contents, &info);
  if (executable.empty() || executable.find('/') != std::string::npos) {
    const size_t slash = bundlePath.rfind('/');
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    executable = bundlePath.substr(start, bundlePath.size() - 4 - start);
  }
  info.executablePath = contents + "/MacOS/" + executable;
  return info;
}

const BundleInfo& MainBundle() {
  static const BundleInfo bundle = [] {
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return BundleInfo{};
    path[n] = '\0';
    return ReadBundle(path);
  }();
  return bundle;
}

}  // namespace platform
