// The generator as the build runs it: complete, repeatable, quick.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "data_files.h"
#include "core/settings_file.h"
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

  auto a = AllFiles(first.path());
  ASSERT_GT(a.size(), 40u);
  EXPECT_TRUE(a == AllFiles(second.path())) << "the runs differ";
  for (const auto& [name, bytes] : a) EXPECT_FALSE(bytes.empty()) << name;
  EXPECT_LT(seconds, 15.0);  // the whole clean build has 30 s
  EXPECT_FALSE(a.count("settings.ini")) << "the player's settings are installed by the build";
}

TEST(Generator, RefusesMissingSourcesAndATextThatCodePage1251CannotHold) {
  test::ScratchDir source, game;
  EXPECT_NE(RunGenerator(game.path(), source.path()), 0) << "no sources";
  source.Write("anim.txt", test::ReadBytes(kSourceData + "/anim.txt"));
  source.Write("textes_xx.ini", "[Menu]\ncount=1\nname0=\xE2\x82\xAC ok \xE4\xB8\xAD\n");  // euro ok, CJK not
  EXPECT_NE(RunGenerator(game.path(), source.path()), 0);
  EXPECT_FALSE(game.Exists("data/textes_xx.ini"));
}

TEST(Catalogue, MaterialsHaveEveryChannelThePassesReadAndTheGameStartsWindowed) {
  SettingsFile settings{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
  for (const char* key : {"foodDR", "foodDG", "foodDB", "foodDA", "foodAR", "foodAG", "foodAB", "foodAA", "bonusDR",
                          "bonusDG", "bonusDB", "bonusAR", "bonusAG", "bonusAB"}) {
    ASSERT_FALSE(settings.ReadString("Materials", key, "").empty()) << key;
    float value = settings.ReadFloat("Materials", key, 0);
    EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << key;
  }
  // A stone must not be black: some diffuse channel is well lit.
  EXPECT_GT(std::max({settings.ReadFloat("Materials", "foodDR", 0), settings.ReadFloat("Materials", "foodDG", 0),
                      settings.ReadFloat("Materials", "foodDB", 0)}),
            0.5f);
  EXPECT_FALSE(settings.ReadBool("General", "fullscreen", true) || settings.ReadBool("General", "SHOWFPS", true));
  EXPECT_EQ(settings.ReadInt("General", "WIDTH", 0) * settings.ReadInt("General", "HEIGHT", 0), 800 * 600);
  std::string language = settings.ReadString("General", "Language", "");
  EXPECT_TRUE(fs::is_regular_file(test::GameFile("data/textes_" + language + ".ini"))) << language;
}

}  // namespace
}  // namespace nb
