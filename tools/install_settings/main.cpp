// Puts the shipped settings.ini into the game directory without taking the
// player's choices away (see InstallShippedSettings). A file made afresh
// starts in the language of the locale when the game has texts for it.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "core/locale_language.h"
#include "core/settings_install.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: install_settings SHIPPED TARGET\n");
    return 2;
  }
  // The language files sit beside the shipped settings.ini in the sources.
  std::string language =
      nb::LanguageFromLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  const auto texts = std::filesystem::path(argv[1]).parent_path() / ("textes_" + language + ".ini");
  if (!std::filesystem::exists(texts)) language = "";
  std::string error;
  if (!nb::InstallShippedSettings(nb::SettingsFile{argv[1]}, nb::SettingsFile{argv[2]}, language, error)) {
    std::fprintf(stderr, "install_settings: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
