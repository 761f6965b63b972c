// A throwaway home and runtime directory for one test, set in this process's environment.
#pragma once

#include <functional>
#include <string>

namespace harkwell_test {

class TempHome {
 public:
  TempHome();   // makes the folders and points HOME and XDG_RUNTIME_DIR at them
  ~TempHome();  // removes everything below
  TempHome(const TempHome&) = delete;
  TempHome& operator=(const TempHome&) = delete;

  const std::string& home() const { return home_; }
  const std::string& runtime() const { return runtime_; }
  const std::string& root() const { return root_; }

 private:
  std::string root_, home_, runtime_;
};

// The whole content of a file, or "" when it cannot be read.
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
bool FileExists(const std::string& path);
// Calls `done` every 10 ms until it is true or `seconds` pass; its last answer.
bool WaitFor(double seconds, const std::function<bool()>& done);

}  // namespace harkwell_test
