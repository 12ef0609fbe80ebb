#pragma once
#include <cstdint>
#include <string>

#include "core/settings_file.h"

namespace nb {

struct GeneralSettings {
  bool fullscreen = false;
  bool antialiased = false;
  int32_t width = 800;
  int32_t height = 600;
  bool showFps = true;
  int32_t musicVolume = 50;
  int32_t soundVolume = 50;
  int32_t masterVolume = 50;
  std::string language = "en";  // at most 31 characters
};

// Reads [General] in the game's order: fullscreen, ANTIALIASED, WIDTH,
// HEIGHT, SHOWFPS, MusicVolume, SoundVolume, MasterVolume, Language. A width
// or height that reads as 0 or less (no settings file) or above 8192 keeps
// 800 x 600; volumes are clamped to 0..100; no Language reads as "en".
GeneralSettings ReadGeneralSettings(const SettingsFile& file);

// Writes back the values the game may have changed: fullscreen, WIDTH and
// HEIGHT (as the window was made), MusicVolume, SoundVolume, Language
// (chosen on the options page), MasterVolume.
// False when the file could not be written.
bool WriteBackGeneralSettings(const SettingsFile& file, const GeneralSettings& settings);

// [Levels] count.
int32_t ReadLevelCount(const SettingsFile& file);

}  // namespace nb
