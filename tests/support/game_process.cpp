#include "support/game_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace nb::test {

GameProcess::GameProcess(const std::string& workingDir, const std::string& display,
                         const std::vector<std::string>& environment, const std::string& outputFile,
                         const std::vector<std::string>& arguments, const std::string& binary)
    : display_(display) {
  pid_ = fork();
  if (pid_ == 0) {
    if (!outputFile.empty()) {
      int fd = open(outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd >= 0) {
        dup2(fd, 1);
        dup2(fd, 2);
        close(fd);
      }
    }
    if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
    for (const std::string& entry : environment) putenv(const_cast<char*>(entry.c_str()));
    setenv("SDL_AUDIODRIVER", "dummy", 0);  // no sound card: no blocking message
    if (chdir(workingDir.c_str()) != 0) _exit(127);
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(binary.c_str(), argv.data());
    _exit(127);
  }
}

GameProcess::~GameProcess() {
  if (pid_ > 0) StopWith(SIGKILL, 5);
}

bool GameProcess::WaitForWindow(int timeoutSeconds) {
  std::string prefix = display_.empty() ? "" : "DISPLAY=" + display_ + " ";
  std::string command = prefix + "xdotool search --all --onlyvisible --pid " + std::to_string(pid_) +
                        " --name '^Nimbara$' 2>/dev/null | head -n 1";
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  while (std::chrono::steady_clock::now() < deadline) {
    window_ = RunCommand(command);
    while (!window_.empty() && std::isspace(static_cast<unsigned char>(window_.back()))) window_.pop_back();
    if (!window_.empty()) return true;
    if (!Running()) return false;  // it ended without a window
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

bool GameProcess::Running() {
  int status = 0;
  if (pid_ <= 0 || waitpid(pid_, &status, WNOHANG) != pid_) return pid_ > 0;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  pid_ = -1;
  return false;
}

int GameProcess::StopWith(int signal, int timeoutSeconds) {
  if (pid_ <= 0) return status_;
  kill(pid_, signal);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  int status = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    pid_t done = waitpid(pid_, &status, WNOHANG);
    if (done == pid_) {
      pid_ = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return -1;
}

PrivateDisplay::PrivateDisplay() {
  int fds[2];
  if (pipe(fds) != 0) return;
  pid_ = fork();
  if (pid_ == 0) {
    close(fds[0]);
    std::string fd = std::to_string(fds[1]);
    // -noreset: a server that resets when its last client leaves (xdotool's
    // polls do) turns away the game connecting at that moment.
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
           "-noreset", static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  std::string number;
  char ch;
  while (read(fds[0], &ch, 1) == 1 && ch != '\n') number += ch;
  close(fds[0]);
  if (!number.empty()) name_ = ":" + number;
}

PrivateDisplay::~PrivateDisplay() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
}

void InstallShippedGame(const std::string& dir, bool withBinary) {
  namespace fs = std::filesystem;
  fs::path game = NB_GAME_DIR;
  std::error_code linked;
  if (withBinary) fs::create_hard_link(game / "nimbara", fs::path(dir) / "nimbara", linked);
  if (withBinary && linked) fs::copy_file(game / "nimbara", fs::path(dir) / "nimbara");
  fs::copy_file(game / "settings.ini", fs::path(dir) / "settings.ini", fs::copy_options::overwrite_existing);
  fs::create_symlink(game / "data", fs::path(dir) / "data");
  fs::create_symlink(game / "anim.txt", fs::path(dir) / "anim.txt");
}

bool WaitForText(const std::string& path, const std::string& text, int times, int timeoutSeconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  for (;; std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int found = 0;
    for (size_t at = bytes.find(text); at != std::string::npos; at = bytes.find(text, at + 1)) ++found;
    if (found >= times) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
  }
}

bool HaveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

std::string RunCommand(const std::string& command) {
  std::string output;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return output;
  char buffer[256];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
  pclose(pipe);
  return output;
}

}  // namespace nb::test
