// Puts the shipped settings.ini into the game directory without taking the
// player's choices away: a missing file is copied whole; in an existing one
// the [General] keys the player already has are kept and only missing ones
// added, while every other section (level count, catalogues) is game data
// and follows the shipped values.
#include <cstdio>
#include <filesystem>

#include "core/settings_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: install_settings SHIPPED TARGET\n");
    return 2;
  }
  nb::SettingsFile shipped{argv[1]};
  nb::SettingsFile target{argv[2]};
  std::error_code error;
  if (!std::filesystem::exists(target.path)) {
    std::filesystem::copy_file(shipped.path, target.path, error);
    if (error) {
      std::fprintf(stderr, "install_settings: %s\n", error.message().c_str());
      return 1;
    }
    return 0;
  }
  const std::string missing = "\x01missing";
  for (const std::string& section : shipped.SectionNames()) {
    bool playerSection = section == "General";
    for (const auto& [key, value] : shipped.SectionEntries(section)) {
      std::string current = target.ReadString(section, key, missing);
      if (current == value || (playerSection && current != missing)) continue;
      if (!target.WriteString(section, key, value)) {
        std::fprintf(stderr, "install_settings: cannot write %s\n", target.path.c_str());
        return 1;
      }
    }
  }
  return 0;
}
