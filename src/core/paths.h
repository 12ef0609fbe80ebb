#pragma once
#include <string>

namespace nb {

// The game names its files the Windows way ("data\levels\%d.ilf", "%s\%s");
// this maps such a name onto the host's separators. Everything else in the
// game stays relative to the current directory.
std::string NativePath(const std::string& windowsStyle);

// The process's current directory, at most 255 characters as the game expects.
std::string CurrentDirectory();

// "%s\%s" of the current directory and a file name, mapped to the host.
std::string PathInCurrentDirectory(const std::string& fileName);

}  // namespace nb
