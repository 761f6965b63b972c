// A program started by a test, with this process's environment, and its end.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

namespace harkwell_test {

class ChildProcess {
 public:
  // Starts `path` with `arguments` (argv[0] is `path`); stdout and stderr go to `outputPath`
  // when one is given.
  explicit ChildProcess(const std::string& path, const std::vector<std::string>& arguments = {},
                        const std::string& outputPath = "");
  ~ChildProcess();  // kills the program if it still runs
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  void Signal(int signal);
  // Waits up to `seconds` for the end: the exit status, 128 + signal for a killed program, or
  // -1 when it still runs.
  int Wait(double seconds);

 private:
  pid_t pid_ = -1;
  int status_ = -1;
};

}  // namespace harkwell_test
