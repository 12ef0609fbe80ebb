#pragma once
#include <sys/types.h>

#include <string>

namespace nb::test {

// The real game binary, started in a directory of the test's choosing.
class GameProcess {
 public:
  explicit GameProcess(const std::string& workingDir);
  ~GameProcess();
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  bool running() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // Waits until this process maps a window titled "Nimbara"; false after the timeout.
  bool WaitForWindow(int timeoutSeconds) const;
  // Sends a signal and waits for the exit; returns the exit status or -1.
  int StopWith(int signal, int timeoutSeconds);

 private:
  pid_t pid_ = -1;
};

// True when an X display is available for window tests.
bool HaveDisplay();

// Runs a shell command, returns its standard output.
std::string RunCommand(const std::string& command);

}  // namespace nb::test
