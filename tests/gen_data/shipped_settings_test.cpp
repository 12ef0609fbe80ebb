// The shipped settings.ini beside the generated data: the materials the passes
// read and a windowed start in a language the game has.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/settings_file.h"
#include "data_files.h"

namespace fs = std::filesystem;

namespace nb {
namespace {

TEST(Catalogue, MaterialsHaveEveryChannelThePassesReadAndTheGameStartsWindowed) {
  SettingsFile settings{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
  for (const char* key : {"foodDR", "foodDG", "foodDB", "foodDA", "foodAR", "foodAG", "foodAB", "foodAA",
                          "bonusDR", "bonusDG", "bonusDB", "bonusAR", "bonusAG", "bonusAB"}) {
    ASSERT_FALSE(settings.ReadString("Materials", key, "").empty()) << key;
    float value = settings.ReadFloat("Materials", key, 0);
    EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << key;
  }
  EXPECT_FALSE(settings.ReadBool("General", "fullscreen", true) ||
               settings.ReadBool("General", "SHOWFPS", true));
  EXPECT_EQ(settings.ReadInt("General", "WIDTH", 0) * settings.ReadInt("General", "HEIGHT", 0), 800 * 600);
  std::string language = settings.ReadString("General", "Language", "");
  EXPECT_TRUE(fs::is_regular_file(test::GameFile("data/textes_" + language + ".ini"))) << language;
}

}  // namespace
}  // namespace nb
