// A language file that is missing or damaged, or a language that is no plain
// code: the file is named once and the texts come in another language.
// (The damaged-data binary test covers settings.ini and the other files.)
#include "shell/startup_checks.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/scratch_dir.h"

namespace nb {
namespace {

namespace fs = std::filesystem;

TEST(StartupChecks, ALanguageWithoutAWholeFileIsNamedOnceAndAnotherStandsIn) {
  test::ScratchDir dir;
  test::CapturedMessages messages;
  fs::create_directories("data");
  for (const char* code : {"en", "ru"})
    fs::copy_file(fs::path(NB_GAME_DIR) / "data" / ("textes_" + std::string(code) + ".ini"),
                  fs::path("data") / ("textes_" + std::string(code) + ".ini"));
  const std::string en = dir.Read("data/textes_en.ini");
  dir.Write("data/textes_de.ini", en.substr(0, en.size() / 2));
  struct Case {
    const char* wanted;
    const char* chosen;
    const char* message;  // "" for none
  };
  const Case cases[] = {{"ru", "ru", ""},
                        {"../../etc", "en", "Could not find data\\textes_../../etc.ini"},
                        {"fr", "en", "Could not find data\\textes_fr.ini"},
                        {"de", "en", "Damaged data\\textes_de.ini"},
                        {"en", "ru", "Could not find data\\textes_en.ini"}};  // en removed first
  for (const Case& c : cases) {
    if (std::string(c.wanted) == "en") fs::remove("data/textes_en.ini");
    const size_t shown = messages.texts().size();
    EXPECT_EQ(ChooseLanguage("", c.wanted), c.chosen) << c.wanted;
    std::vector<std::string> expected;
    if (*c.message) expected.push_back(c.message);
    const std::vector<std::string> texts = messages.texts();
    EXPECT_EQ(std::vector<std::string>(texts.begin() + shown, texts.end()), expected);
  }
}

}  // namespace
}  // namespace nb
