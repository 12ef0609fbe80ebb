#pragma once
#include <string>
#include <vector>

namespace nb {

// The whole life of the game: the command line (the arguments after the
// program's name), start-up, the main loop and shutdown. Returns the process
// exit code: 0, or 2 for a command line it does not understand.
int RunApplication(const std::vector<std::string>& arguments);

}  // namespace nb
