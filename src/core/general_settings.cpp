#include "core/general_settings.h"

namespace nb {

GeneralSettings ReadGeneralSettings(const SettingsFile& file) {
  GeneralSettings s;
  s.fullscreen = file.ReadBool("General", "fullscreen", false);
  s.antialiased = file.ReadBool("General", "ANTIALIASED", false);
  int width = file.ReadInt("General", "WIDTH", 0);
  int height = file.ReadInt("General", "HEIGHT", 0);
  // A zero-sized window would give a projection divided by zero.
  if (width > 0) s.width = width;
  if (height > 0) s.height = height;
  s.showFps = file.ReadBool("General", "SHOWFPS", false);
  s.musicVolume = file.ReadInt("General", "MusicVolume", 0);
  s.soundVolume = file.ReadInt("General", "SoundVolume", 0);
  s.masterVolume = file.ReadInt("General", "MasterVolume", 0);
  s.language = file.ReadString("General", "Language", "");
  if (s.language.size() > 31) s.language.resize(31);
  return s;
}

void WriteBackGeneralSettings(const SettingsFile& file, const GeneralSettings& settings) {
  file.WriteBool("General", "fullscreen", settings.fullscreen);
  file.WriteInt("General", "MusicVolume", settings.musicVolume);
  file.WriteInt("General", "SoundVolume", settings.soundVolume);
  file.WriteInt("General", "MasterVolume", settings.masterVolume);
}

int32_t ReadLevelCount(const SettingsFile& file) { return file.ReadInt("Levels", "count", 0); }

}  // namespace nb
