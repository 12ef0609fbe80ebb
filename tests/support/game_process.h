#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

namespace nb::test {

// The game's data and the player's files both in the working directory.
inline const std::vector<std::string> kGameInWorkingDir = {"--data", ".", "--user", "."};

// The real game binary, started in a directory of the test's choosing.
class GameProcess {
 public:
  // display: the X display to use ("" keeps the test's own); environment:
  // "NAME=value" entries added to the game's environment; outputFile, when
  // given, takes the game's standard output and error; arguments: its
  // command line; binary: another game binary than the build's.
  explicit GameProcess(const std::string& workingDir, const std::string& display = "",
                       const std::vector<std::string>& environment = {}, const std::string& outputFile = "",
                       const std::vector<std::string>& arguments = kGameInWorkingDir,
                       const std::string& binary = std::string(NB_GAME_DIR) + "/nimbara");
  ~GameProcess();
  GameProcess(const GameProcess&) = delete;
  GameProcess& operator=(const GameProcess&) = delete;

  pid_t pid() const { return pid_; }
  // Waits until this process maps a window titled "Nimbara"; false after the timeout.
  bool WaitForWindow(int timeoutSeconds);
  // The X id of that window once found, for xdotool.
  const std::string& window() const { return window_; }
  // False once the process has ended on its own.
  bool Running();
  // Sends a signal and waits for the exit; returns the exit status, or -1
  // when a signal ended it.
  int StopWith(int signal, int timeoutSeconds);

 private:
  pid_t pid_ = -1;
  int status_ = -1;  // the exit status once the process has ended
  std::string display_;
  std::string window_;
};

// An X server of the test's own, for runs that change the display mode.
class PrivateDisplay {
 public:
  PrivateDisplay();
  ~PrivateDisplay();
  PrivateDisplay(const PrivateDisplay&) = delete;
  PrivateDisplay& operator=(const PrivateDisplay&) = delete;
  bool ready() const { return !name_.empty(); }
  const std::string& name() const { return name_; }  // ":N"

 private:
  pid_t pid_ = -1;
  std::string name_;
};

// Fills dir with the shipped game directory: its settings.ini copied (so a
// test can change it) and its data folder and anim.txt linked; withBinary
// adds the game binary (hard-linked), making an unpacked game that runs in place.
void InstallShippedGame(const std::string& dir, bool withBinary = false);

// True when an X display is available for window tests.
bool HaveDisplay();

// Waits until the file holds `text` at least `times` times; false after the timeout.
bool WaitForText(const std::string& path, const std::string& text, int times, int timeoutSeconds);

// Runs a shell command, returns its standard output.
std::string RunCommand(const std::string& command);

}  // namespace nb::test
