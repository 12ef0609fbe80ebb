#pragma once
#include <string>
#include <vector>

namespace nb {

// What the player asked for on the command line.
struct CommandLine {
  bool help = false;
  bool version = false;
  int fullscreen = -1;  // -1 as the settings say, 0 --window, 1 --fullscreen (this run only)
  std::string dataDir{};
  std::string userDir{};
  std::string language{};  // overrides Language for this run
  std::string error{};     // what was wrong; "" when the line parsed
};

// The arguments after the program's name. An unknown option or an option
// without its value sets error; the rest of the line is then ignored.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text --help prints (and a bad line prints to stderr).
std::string UsageText();

}  // namespace nb
