#include "tests/support/temp_home.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace harkwell_test {

TempHome::TempHome() {
  char pattern[] = "/tmp/harkwell-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  root_ = made ? made : "/tmp";
  home_ = root_ + "/home";
  runtime_ = root_ + "/run";
  mkdir(home_.c_str(), 0700);
  mkdir(runtime_.c_str(), 0700);
  setenv("HOME", home_.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
}

TempHome::~TempHome() {
  std::error_code ignored;
  if (root_ != "/tmp") std::filesystem::remove_all(root_, ignored);
}

std::string ReadFileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
}

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

bool WaitFor(double seconds, const std::function<bool()>& done) {
  auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return done();
}

}  // namespace harkwell_test
