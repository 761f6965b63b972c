// The running program's bundle: Name.app/Contents/{Info.plist, MacOS/Name, Resources/}.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct BundleInfo {
  std::string executablePath;  // absolute path of the running executable
  std::string bundlePath;      // ".../Name.app", empty when the program is not in a bundle
  std::string resourcesPath;   // ".../Name.app/Contents/Resources", empty likewise
  std::string name;            // CFBundleName, empty when unknown
  std::string version;         // CFBundleShortVersionString, empty when unknown
  std::string identifier;      // CFBundleIdentifier, empty when unknown
  uint32_t signature = 0;      // CFBundleSignature as a four-character code, 0 when unknown
  bool backgroundOnly = false; // LSBackgroundOnly
};

// Reads the bundle that holds `executablePath` (an absolute path).
BundleInfo ReadBundle(const std::string& executablePath);

// Reads the bundle at `bundlePath` (".../Name.app"); its executable is the Info.plist's
// CFBundleExecutable, else the bundle's name without ".app". Empty bundlePath when `bundlePath`
// does not end in ".app".
BundleInfo ReadBundleAt(const std::string& bundlePath);

// The bundle of the running program, read once from /proc/self/exe.
const BundleInfo& MainBundle();

}  // namespace platform
