#include "core/paths.h"

#include <unistd.h>

#include <climits>
#include <filesystem>

namespace nb {

std::string NativePath(const std::string& folder, const std::string& windowsStyle) {
  std::string path = windowsStyle;
  for (char& ch : path) {
    if (ch == '\\') ch = '/';
  }
  if (folder.empty()) return path;
  return folder.back() == '/' ? folder + path : folder + "/" + path;
}

bool HoldsGameData(const std::string& folder) {
  // Only the data folder counts: a player's settings.ini may be missing.
  std::error_code error;
  return !folder.empty() && std::filesystem::is_directory(NativePath(folder, "data"), error);
}

GameFolders ChooseGameFolders(const FolderFacts& facts) {
  GameFolders folders;
  const bool inPlace = facts.dataOption.empty() && HoldsGameData(facts.executableDir);
  if (!facts.dataOption.empty())
    folders.data = facts.dataOption;
  else if (inPlace)
    folders.data = facts.executableDir;
  else if (const std::string beside = NativePath(facts.executableDir, "..\\share\\nimbara");
           !facts.executableDir.empty() && HoldsGameData(beside))
    folders.data = std::filesystem::path(beside).lexically_normal().string();
  else
    folders.data = facts.installedData;

  if (!facts.userOption.empty())
    folders.player = facts.userOption;
  else if (inPlace)
    folders.player = folders.data;
  else if (!facts.xdgDataHome.empty() && facts.xdgDataHome[0] == '/')  // a relative one is to be ignored
    folders.player = NativePath(facts.xdgDataHome, "nimbara");
  else
    folders.player = NativePath(facts.home.empty() ? "." : facts.home, ".local\\share\\nimbara");
  return folders;
}

std::string ExecutableDirectory() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return "";
  return std::filesystem::path(std::string(buffer, static_cast<size_t>(length))).parent_path().string();
}

}  // namespace nb
