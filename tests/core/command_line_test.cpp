// What start-up decides before any window: the command line, the language of
// a new settings.ini and the two folders the game's files live in.
#include "core/command_line.h"

#include <gtest/gtest.h>

#include "core/locale_language.h"
#include "core/paths.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

TEST(CommandLine, EachOptionAMissingValueAndAnUnknownOption) {
  struct Case {
    std::vector<std::string> arguments;
    CommandLine expected;
  };
  const Case cases[] = {
      {{}, {}},
      {{"--help"}, {.help = true}},
      {{"-h", "--version"}, {.help = true, .version = true}},
      {{"--fullscreen"}, {.fullscreen = 1}},
      {{"--fullscreen", "--window"}, {.fullscreen = 0}},  // the last one wins
      {{"--data", "/opt/nb", "--user", "u", "--language", "ru"},
       {.dataDir = "/opt/nb", .userDir = "u", .language = "ru"}},
      {{"--language"}, {.error = "--language needs a value"}},
      {{"--user", ""}, {.error = "--user needs a value"}},
      {{"--window", "--colour", "--help"}, {.fullscreen = 0, .error = "unknown option --colour"}},
      {{"nimbara.ini"}, {.error = "unknown option nimbara.ini"}},
  };
  for (const Case& c : cases) {
    const CommandLine got = ParseCommandLine(c.arguments);
    const std::string line = testing::PrintToString(c.arguments);
    EXPECT_EQ(got.help, c.expected.help) << line;
    EXPECT_EQ(got.version, c.expected.version) << line;
    EXPECT_EQ(got.fullscreen, c.expected.fullscreen) << line;
    EXPECT_EQ(got.dataDir + "|" + got.userDir + "|" + got.language,
              c.expected.dataDir + "|" + c.expected.userDir + "|" + c.expected.language)
        << line;
    EXPECT_EQ(got.error, c.expected.error) << line;
  }
}

TEST(LocaleLanguage, TheFirstLocaleSetChoosesRussianUkrainianOrEnglish) {
  struct Case {
    const char *lcAll, *lcMessages, *lang, *expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, "en"},       {nullptr, nullptr, "ru_RU.UTF-8", "ru"},
      {nullptr, nullptr, "uk_UA", "uk"},       {nullptr, nullptr, "uk", "uk"},
      {nullptr, "ru_UA@euro", "uk_UA", "ru"},  {"C", "ru_RU", "ru_RU", "en"},
      {"", "", "ru_RU.UTF-8", "ru"},           {nullptr, nullptr, "rus", "en"},
      {nullptr, nullptr, "de_DE.UTF-8", "en"}, {nullptr, nullptr, "POSIX", "en"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LanguageFromLocale(c.lcAll, c.lcMessages, c.lang), c.expected)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
        << (c.lang ? c.lang : "-");
}

// Real folders: an unpacked game, an installed one under a prefix, and one
// whose executable has no data anywhere near it.
TEST(GameFolders, InPlaceBesideTheDataElseTheShareFolderWithThePlayersFilesUnderXdg) {
  test::ScratchDir dir;
  // The data folder decides, whether or not a settings.ini is there.
  dir.Write("unpacked/data/levels/1.ilf", "");
  dir.Write("usr/share/nimbara/settings.ini", "[General]\n");
  dir.Write("usr/share/nimbara/data/levels/1.ilf", "");
  dir.Write("usr/bin/nimbara", "");
  dir.Write("unpacked/nimbara", "");
  dir.Write("elsewhere/bin/nimbara", "");
  const std::string root = dir.path() + "/", unpacked = root + "unpacked", bin = root + "usr/bin",
                    share = root + "usr/share/nimbara", prefix = "/p/share/nimbara",
                    local = "/home/a/.local/share/nimbara";
  struct Case {
    FolderFacts facts;
    std::string data, player;
  };
  const Case cases[] = {
      {{unpacked, prefix, "", "", "/x", "/home/a"}, unpacked, unpacked},
      {{unpacked, "", "", "/u", "/x", ""}, unpacked, "/u"},
      {{bin, prefix, "", "", "/x", "/home/a"}, share, "/x/nimbara"},
      {{bin, "", "", "", "", "/home/a"}, share, local},
      {{bin, "", "", "", "relative", "/home/a"}, share, local},
      {{root + "elsewhere/bin", prefix, "", "", "/x", ""}, prefix, "/x/nimbara"},
      {{unpacked, "", share, "", "/x", ""}, share, "/x/nimbara"},  // --data elsewhere: not in place
      {{"", prefix, "", "", "", ""}, prefix, "./.local/share/nimbara"},
  };
  for (const Case& c : cases) {
    const GameFolders folders = ChooseGameFolders(c.facts);
    EXPECT_EQ(folders.data + " | " + folders.player, c.data + " | " + c.player) << c.facts.executableDir;
  }
  EXPECT_EQ(NativePath(unpacked, "data\\levels\\1.ilf"), unpacked + "/data/levels/1.ilf");
  EXPECT_EQ(NativePath("", "data\\levels\\1.ilf"), "data/levels/1.ilf");
}

}  // namespace
}  // namespace nb
