#include "core/general_settings.h"

#include <algorithm>

namespace nb {
namespace {

// A window wider or taller than this is refused by the window system or the
// driver, and a value kept in the file would stop every later start.
constexpr int kMaxWindowSide = 8192;

// A volume outside 0..100 would overflow the slider's arithmetic.
int32_t ReadVolume(const SettingsFile& file, const char* key) {
  return std::clamp(file.ReadInt("General", key, 0), 0, 100);
}

}  // namespace

GeneralSettings ReadGeneralSettings(const SettingsFile& file) {
  GeneralSettings s;
  s.fullscreen = file.ReadBool("General", "fullscreen", false);
  s.antialiased = file.ReadBool("General", "ANTIALIASED", false);
  int width = file.ReadInt("General", "WIDTH", 0);
  int height = file.ReadInt("General", "HEIGHT", 0);
  // A zero-sized window would give a projection divided by zero; an
  // oversized one cannot be created. Either keeps 800 x 600.
  if (width > 0 && width <= kMaxWindowSide) s.width = width;
  if (height > 0 && height <= kMaxWindowSide) s.height = height;
  s.showFps = file.ReadBool("General", "SHOWFPS", false);
  s.musicVolume = ReadVolume(file, "MusicVolume");
  s.soundVolume = ReadVolume(file, "SoundVolume");
  s.masterVolume = ReadVolume(file, "MasterVolume");
  s.language = file.ReadString("General", "Language", "en");
  if (s.language.size() > 31) s.language.resize(31);
  return s;
}

bool WriteBackGeneralSettings(const SettingsFile& file, const GeneralSettings& settings) {
  bool ok = file.WriteBool("General", "fullscreen", settings.fullscreen);
  // The size actually used, so that a refused size does not come back.
  ok = file.WriteInt("General", "WIDTH", settings.width) && ok;
  ok = file.WriteInt("General", "HEIGHT", settings.height) && ok;
  ok = file.WriteInt("General", "MusicVolume", settings.musicVolume) && ok;
  ok = file.WriteInt("General", "SoundVolume", settings.soundVolume) && ok;
  ok = file.WriteString("General", "Language", settings.language) && ok;
  return file.WriteInt("General", "MasterVolume", settings.masterVolume) && ok;
}

int32_t ReadLevelCount(const SettingsFile& file) { return file.ReadInt("Levels", "count", 0); }

}  // namespace nb
