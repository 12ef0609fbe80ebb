// The generator as the build runs it: complete, repeatable, quick.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "data_files.h"
#include "shell/settings_file.h"
#include "support/scratch_dir.h"

namespace fs = std::filesystem;

namespace nb {
namespace {

const std::string kGenerator = std::string(NB_BINARY_DIR) + "/tools/gen_data/gen_data";
const std::string kSourceData = std::string(NB_SOURCE_DIR) + "/data";

int RunGenerator(const std::string& gameDir, const std::string& sourceDir = kSourceData) {
  std::string command = "'" + kGenerator + "' '" + gameDir + "' '" + sourceDir + "' 2>/dev/null";
  return std::system(command.c_str());
}

std::map<std::string, std::string> AllFiles(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), root).string()] = test::ReadBytes(entry.path().string());
  return files;
}

TEST(Generator, TwoRunsWriteTheSameBytesQuickly) {
  test::ScratchDir first, second;
  auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunGenerator(first.path()), 0);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(RunGenerator(second.path()), 0);

  auto a = AllFiles(first.path()), b = AllFiles(second.path());
  ASSERT_GT(a.size(), 40u);
  ASSERT_EQ(a.size(), b.size());
  for (const auto& [name, bytes] : a) {
    ASSERT_TRUE(b.count(name)) << name;
    EXPECT_TRUE(bytes == b[name]) << name << " differs between runs";
    EXPECT_FALSE(bytes.empty()) << name;
  }
  // The whole clean build has 30 s; the generator is a small part of it.
  EXPECT_LT(seconds, 15.0);
  // The player's settings are installed by the build, never by the generator.
  EXPECT_FALSE(a.count("settings.ini"));
}

TEST(Generator, RefusesATextThatCodePage1251CannotHold) {
  test::ScratchDir source;
  source.Write("anim.txt", test::ReadBytes(kSourceData + "/anim.txt"));
  source.Write("textes_xx.ini", "[Menu]\ncount=1\nname0=\xE2\x82\xAC ok \xE4\xB8\xAD\n");  // euro ok, CJK not
  test::ScratchDir game;
  EXPECT_NE(RunGenerator(game.path(), source.path()), 0);
  EXPECT_FALSE(game.Exists("data/textes_xx.ini"));
}

TEST(Generator, FailsWithoutItsSources) {
  test::ScratchDir empty, game;
  EXPECT_NE(RunGenerator(game.path(), empty.path()), 0);
}

// Every key of the shipped catalogue names a file that the build generated.
TEST(Catalogue, EveryKeyResolvesToAGeneratedFile) {
  SettingsFile settings{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
  const char* meshes[] = {"skybox", "sphere", "hole",  "wall",     "a",    "food",  "left",     "right",
                          "front",  "back",   "up",    "pol",      "bonus", "brick", "klapan",   "island1",
                          "island2", "grid",  "razvorot", "time",  "life", "speed", "teleport", "mbrick"};
  for (const char* key : meshes) {
    std::string path = settings.ReadString("Meshes", key, "");
    ASSERT_FALSE(path.empty()) << key;
    EXPECT_TRUE(fs::is_regular_file(test::GameFile(path))) << key << " -> " << path;
    EXPECT_EQ(path.find('\\'), std::string::npos) << key;
  }
  const char* textures[] = {"sun", "particle", "Texture", "clouds", "skybox", "Spheremap", "helptexture"};
  bool sawJpeg = false;
  for (const char* key : textures) {
    std::string path = settings.ReadString("Textures", key, "");
    ASSERT_FALSE(path.empty()) << key;
    test::Picture picture;
    EXPECT_TRUE(test::LoadPicture(test::GameFile(path), picture)) << key << " -> " << path;
    sawJpeg = sawJpeg || picture.channels == 3;
  }
  EXPECT_TRUE(sawJpeg) << "at least one texture must go through the JPEG decoder";
}

TEST(Catalogue, MaterialsHaveEveryChannelThePassesRead) {
  SettingsFile settings{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
  for (const char* channel : {"DR", "DG", "DB", "DA", "AR", "AG", "AB", "AA"}) {
    std::string key = std::string("food") + channel;
    std::string text = settings.ReadString("Materials", key, "");
    ASSERT_FALSE(text.empty()) << key;
    float value = settings.ReadFloat("Materials", key, 0);
    EXPECT_GE(value, 0.0f) << key;
    EXPECT_LE(value, 1.0f) << key;
  }
  for (const char* channel : {"DR", "DG", "DB", "AR", "AG", "AB"})
    EXPECT_FALSE(settings.ReadString("Materials", std::string("bonus") + channel, "").empty()) << channel;
  // A stone must not be black: some diffuse channel is well lit.
  float brightest = std::max({settings.ReadFloat("Materials", "foodDR", 0),
                              settings.ReadFloat("Materials", "foodDG", 0),
                              settings.ReadFloat("Materials", "foodDB", 0)});
  EXPECT_GT(brightest, 0.5f);
}

TEST(Catalogue, ShippedGeneralSettingsAreTheWindowedDefaults) {
  SettingsFile settings{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
  EXPECT_FALSE(settings.ReadBool("General", "fullscreen", true));
  EXPECT_EQ(settings.ReadInt("General", "WIDTH", 0), 800);
  EXPECT_EQ(settings.ReadInt("General", "HEIGHT", 0), 600);
  EXPECT_FALSE(settings.ReadBool("General", "SHOWFPS", true));
  std::string language = settings.ReadString("General", "Language", "");
  EXPECT_TRUE(fs::is_regular_file(test::GameFile("data/textes_" + language + ".ini"))) << language;
}

}  // namespace
}  // namespace nb
