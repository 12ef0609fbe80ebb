#include "core/paths.h"

#include <unistd.h>

#include <climits>

namespace nb {

std::string NativePath(const std::string& windowsStyle) {
  std::string path = windowsStyle;
  for (char& ch : path) {
    if (ch == '\\') ch = '/';
  }
  return path;
}

std::string CurrentDirectory() {
  char buffer[PATH_MAX];
  if (!getcwd(buffer, sizeof buffer)) return ".";
  std::string dir = buffer;
  if (dir.size() > 255) dir.resize(255);
  return dir;
}

std::string PathInCurrentDirectory(const std::string& fileName) {
  return NativePath(CurrentDirectory() + "\\" + fileName);
}

}  // namespace nb
