#include "core/settings_file.h"

#include <gtest/gtest.h>

#include "core/general_settings.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

TEST(SettingsFile, ReadsWithProfileStringConventionsAndCutsLongValues) {
  test::ScratchDir dir;
  dir.Write("s.ini",
            "; comment\r\n[general]\r\n  Width = 1024px  \r\nwidth=640\r\nName=\"quoted value\"\r\n"
            "[Other]\r\nWIDTH=5\r\n[G]\na=abc\nb= -12x\nc=0.25\nt1=true\nt2=1\nf1=false\nf2=0\nu=TRUE\n"
            "v=True\nk=" +
                std::string(6000, 'x') + "\n");
  SettingsFile file{dir.File("s.ini")};
  EXPECT_EQ(file.ReadInt("General", "WIDTH", 0), 1024);  // case-insensitive, first match wins
  EXPECT_EQ(file.ReadString("GENERAL", "name", ""), "quoted value");
  EXPECT_EQ(file.ReadString("Absent", "WIDTH", "d") + file.ReadString("General", "missing", "d"), "dd");
  EXPECT_EQ(file.ReadInt("Other", "width", 0), 5);
  EXPECT_EQ(file.ReadString("G", "k", "").size(), 5119u);
  const std::pair<const char*, int> ints[] = {{"a", 0}, {"b", -12}, {"missing", 7}};
  for (auto [key, value] : ints) EXPECT_EQ(file.ReadInt("G", key, 7), value) << key;
  EXPECT_FLOAT_EQ(file.ReadFloat("G", "c", 0), 0.25f);
  // Only true/1 and false/0; other case forms give the default.
  const std::tuple<const char*, bool, bool> bools[] = {{"t1", false, true},
                                                       {"t2", false, true},
                                                       {"f1", true, false},
                                                       {"f2", true, false},
                                                       {"u", false, false}};
  for (auto [key, fallback, value] : bools) EXPECT_EQ(file.ReadBool("G", key, fallback), value) << key;
  EXPECT_EQ(LenientInt("99999999999"), 2147483647);
  EXPECT_EQ(LenientInt("-99999999999"), -2147483647 - 1);
}

TEST(SettingsFile, WritesKeepTheRestOfTheFileOrCreateIt) {
  test::ScratchDir dir;
  dir.Write("s.ini", "; keep me\n[General]\nfullscreen=1\nWIDTH=1024\n\n[Levels]\ncount=3\n");
  SettingsFile file{dir.File("s.ini")};
  EXPECT_TRUE(file.WriteBool("general", "FULLSCREEN", false) && file.WriteInt("General", "MusicVolume", -5) &&
              file.WriteString("New", "key", "value"));
  EXPECT_FALSE(file.ReadBool("General", "fullscreen", true));
  EXPECT_EQ((std::vector<int>{file.ReadInt("General", "MusicVolume", 0), file.ReadInt("General", "WIDTH", 0),
                              file.ReadInt("Levels", "count", 0)}),
            (std::vector<int>{-5, 1024, 3}));
  EXPECT_EQ(file.ReadString("New", "key", ""), "value");
  std::string text = dir.Read("s.ini");
  EXPECT_NE(text.find("; keep me"), std::string::npos);
  EXPECT_LT(text.find("MusicVolume"), text.find("[Levels]"));  // in its own section
  EXPECT_FALSE(dir.Exists("s.ini.tmp"));

  SettingsFile created{dir.File("new.ini")};
  EXPECT_TRUE(created.WriteInt("General", "SoundVolume", 40));
  EXPECT_EQ(created.ReadInt("General", "SoundVolume", 0), 40);
}

TEST(GeneralSettings, MissingFileGivesDefaultsEveryKeyIsReadAndTheSizeInUseIsWrittenBack) {
  test::ScratchDir dir;
  SettingsFile file = GameSettingsFile(dir.path());
  EXPECT_EQ(file.path, dir.path() + "/settings.ini");
  GeneralSettings s = ReadGeneralSettings(file);
  // A 0 x 0 window is never asked for.
  EXPECT_EQ((std::vector<int>{s.width, s.height, s.musicVolume, s.soundVolume, s.masterVolume}),
            (std::vector<int>{800, 600, 0, 0, 0}));
  EXPECT_FALSE(s.fullscreen || s.antialiased || s.showFps || ReadLevelCount(file));
  EXPECT_EQ(s.language, "en");

  file.WriteInt("General", "WIDTH", 100000);  // no window that wide can be made
  s = ReadGeneralSettings(file);
  s.fullscreen = true;
  s.musicVolume = 150;  // volumes outside 0..100 are clamped when read
  WriteBackGeneralSettings(file, s);
  GeneralSettings again = ReadGeneralSettings(file);
  EXPECT_TRUE(again.fullscreen);
  EXPECT_EQ(file.ReadString("General", "Language", "none"), "en");
  EXPECT_EQ((std::vector<int>{again.musicVolume, file.ReadInt("General", "WIDTH", 0),
                              file.ReadInt("General", "HEIGHT", 0)}),
            (std::vector<int>{100, 800, 600}));

  dir.Write("settings.ini",
            "[General]\nfullscreen=1\nANTIALIASED=true\nWIDTH=1024\nHEIGHT=-3\nSHOWFPS=true\n"
            "MusicVolume=10\nSoundVolume=20\nMasterVolume=30\nLanguage=" +
                std::string(40, 'r') + "\n[Levels]\ncount=31\n");
  s = ReadGeneralSettings(file);
  EXPECT_TRUE(s.fullscreen && s.antialiased && s.showFps);
  EXPECT_EQ((std::vector<int>{s.width, s.height, s.musicVolume, s.soundVolume, s.masterVolume}),
            (std::vector<int>{1024, 600, 10, 20, 30}));
  EXPECT_EQ(s.language.size(), 31u);
  EXPECT_EQ(ReadLevelCount(file), 31);
}

}  // namespace
}  // namespace nb
