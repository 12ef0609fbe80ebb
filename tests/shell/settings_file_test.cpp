#include "shell/settings_file.h"

#include <gtest/gtest.h>

#include "shell/general_settings.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

TEST(SettingsFile, ReadsWithProfileStringConventions) {
  test::ScratchDir dir;
  dir.Write("s.ini",
            "; comment\r\n[general]\r\n  Width = 1024px  \r\nwidth=640\r\nName=\"quoted value\"\r\n"
            "[Other]\r\nWIDTH=5\r\n");
  SettingsFile file{dir.File("s.ini")};
  EXPECT_EQ(file.ReadInt("General", "WIDTH", 0), 1024);  // case-insensitive, first match wins
  EXPECT_EQ(file.ReadString("GENERAL", "name", ""), "quoted value");
  EXPECT_EQ(file.ReadString("General", "missing", "dflt"), "dflt");
  EXPECT_EQ(file.ReadString("Absent", "WIDTH", "d"), "d");
  EXPECT_EQ(file.ReadInt("Other", "width", 0), 5);
}

TEST(SettingsFile, ConversionsFollowTheGameRules) {
  test::ScratchDir dir;
  dir.Write("s.ini",
            "[G]\na=abc\nb= -12x\nc=0.25\nt1=true\nt2=1\nf1=false\nf2=0\nu=TRUE\nv=True\n");
  SettingsFile file{dir.File("s.ini")};
  EXPECT_EQ(file.ReadInt("G", "a", 7), 0);
  EXPECT_EQ(file.ReadInt("G", "b", 7), -12);
  EXPECT_EQ(file.ReadInt("G", "missing", 7), 7);
  EXPECT_FLOAT_EQ(file.ReadFloat("G", "c", 0), 0.25f);
  EXPECT_FLOAT_EQ(file.ReadFloat("G", "missing", 0), 0.0f);
  EXPECT_TRUE(file.ReadBool("G", "t1", false));
  EXPECT_TRUE(file.ReadBool("G", "t2", false));
  EXPECT_FALSE(file.ReadBool("G", "f1", true));
  EXPECT_FALSE(file.ReadBool("G", "f2", true));
  EXPECT_FALSE(file.ReadBool("G", "u", false));  // other case forms give the default
  EXPECT_TRUE(file.ReadBool("G", "v", true));
  EXPECT_EQ(LenientInt("99999999999"), 2147483647);
  EXPECT_EQ(LenientInt("-99999999999"), -2147483647 - 1);
}

TEST(SettingsFile, LongValuesAreCut) {
  test::ScratchDir dir;
  dir.Write("s.ini", "[G]\nk=" + std::string(6000, 'x') + "\n");
  SettingsFile file{dir.File("s.ini")};
  EXPECT_EQ(file.ReadString("G", "k", "").size(), 5119u);
}

TEST(SettingsFile, WritesKeepTheRestOfTheFile) {
  test::ScratchDir dir;
  dir.Write("s.ini", "; keep me\n[General]\nfullscreen=1\nWIDTH=1024\n\n[Levels]\ncount=3\n");
  SettingsFile file{dir.File("s.ini")};
  EXPECT_TRUE(file.WriteBool("general", "FULLSCREEN", false));
  EXPECT_TRUE(file.WriteInt("General", "MusicVolume", -5));
  EXPECT_TRUE(file.WriteString("New", "key", "value"));
  EXPECT_FALSE(file.ReadBool("General", "fullscreen", true));
  EXPECT_EQ(file.ReadInt("General", "MusicVolume", 0), -5);
  EXPECT_EQ(file.ReadInt("General", "WIDTH", 0), 1024);
  EXPECT_EQ(file.ReadInt("Levels", "count", 0), 3);
  EXPECT_EQ(file.ReadString("New", "key", ""), "value");
  std::string text = dir.Read("s.ini");
  EXPECT_NE(text.find("; keep me"), std::string::npos);
  // The new key joins its own section, before the next one.
  EXPECT_LT(text.find("MusicVolume"), text.find("[Levels]"));
  EXPECT_FALSE(dir.Exists("s.ini.tmp"));
}

TEST(SettingsFile, WriteCreatesAMissingFile) {
  test::ScratchDir dir;
  SettingsFile file{dir.File("new.ini")};
  EXPECT_TRUE(file.WriteInt("General", "SoundVolume", 40));
  EXPECT_EQ(file.ReadInt("General", "SoundVolume", 0), 40);
}

TEST(GeneralSettings, MissingFileGivesDefaultsAndBuiltInSize) {
  test::ScratchDir dir;
  SettingsFile file = GameSettingsFile();
  EXPECT_EQ(file.path, dir.path() + "/settings.ini");
  GeneralSettings s = ReadGeneralSettings(file);
  EXPECT_EQ(s.width, 800);  // a 0 x 0 window is never asked for
  EXPECT_EQ(s.height, 600);
  EXPECT_FALSE(s.fullscreen);
  EXPECT_FALSE(s.antialiased);
  EXPECT_FALSE(s.showFps);
  EXPECT_EQ(s.musicVolume, 0);
  EXPECT_EQ(s.soundVolume, 0);
  EXPECT_EQ(s.masterVolume, 0);
  EXPECT_EQ(s.language, "");
  EXPECT_EQ(ReadLevelCount(file), 0);

  s.fullscreen = true;
  s.musicVolume = 150;  // volumes outside 0..100 are kept as they are
  WriteBackGeneralSettings(file, s);
  GeneralSettings again = ReadGeneralSettings(file);
  EXPECT_TRUE(again.fullscreen);
  EXPECT_EQ(again.musicVolume, 150);
  // Only the four keys are written back.
  EXPECT_EQ(file.ReadString("General", "WIDTH", "none"), "none");
  EXPECT_EQ(file.ReadString("General", "Language", "none"), "none");
}

TEST(GeneralSettings, ReadsEveryKeyAndTruncatesTheLanguage) {
  test::ScratchDir dir;
  dir.Write("settings.ini",
            "[General]\nfullscreen=1\nANTIALIASED=true\nWIDTH=1024\nHEIGHT=-3\nSHOWFPS=true\n"
            "MusicVolume=10\nSoundVolume=20\nMasterVolume=30\nLanguage=" +
                std::string(40, 'r') + "\n[Levels]\ncount=31\n");
  SettingsFile file = GameSettingsFile();
  GeneralSettings s = ReadGeneralSettings(file);
  EXPECT_TRUE(s.fullscreen);
  EXPECT_TRUE(s.antialiased);
  EXPECT_EQ(s.width, 1024);
  EXPECT_EQ(s.height, 600);
  EXPECT_TRUE(s.showFps);
  EXPECT_EQ(s.musicVolume, 10);
  EXPECT_EQ(s.soundVolume, 20);
  EXPECT_EQ(s.masterVolume, 30);
  EXPECT_EQ(s.language.size(), 31u);
  EXPECT_EQ(ReadLevelCount(file), 31);
  WriteBackGeneralSettings(file, s);
  EXPECT_EQ(dir.Read("settings.ini").find("fullscreen=true") != std::string::npos, true);
}

}  // namespace
}  // namespace nb
