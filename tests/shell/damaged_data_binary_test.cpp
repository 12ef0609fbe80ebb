// Every file the game reads at start-up, deleted or cut to half its length,
// under the real binary: the game names the file once (in a message box,
// or for a sound in the log) and still reaches its menu, then ends cleanly
// on termination; never a crash, a hang or a sanitizer report.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "core/paths.h"
#include "core/settings_file.h"
#include "menus/localized_texts.h"
#include "support/game_process.h"
#include "support/scratch_dir.h"
#include "text/font_description.h"
#include "text/game_fonts.h"

namespace nb {
namespace {

namespace fs = std::filesystem;

struct DamageCase {
  std::string file;      // in the game folder, host separators
  std::string named;     // as the game names it
  bool shown = true;     // a message box; else a log line only
  bool cut = false;      // cut to half its length; else deleted
  std::string language;  // Language in settings.ini; "" keeps the shipped one
};

DamageCase Named(const std::string& name, bool shown = true, const std::string& language = "") {
  return DamageCase{NativePath("", name), name, shown, false, language};
}

// Each file deleted, or each cut to half its length.
std::vector<DamageCase> Damaged(std::vector<DamageCase> files, bool cut) {
  for (DamageCase& file : files) file.cut = cut;
  return files;
}

// The entries of one catalogue section of the shipped settings.ini.
std::vector<DamageCase> CatalogueFiles(const std::string& section) {
  std::vector<DamageCase> files;
  SettingsFile shipped{std::string(NB_GAME_DIR) + "/settings.ini"};
  for (const auto& [key, value] : shipped.SectionEntries(section))
    files.push_back(Named(value, section != "Sounds"));
  return files;
}

// The textures, the fonts and their pages, the language files, anim.txt and settings.ini.
std::vector<DamageCase> TextureFontAndTextFiles() {
  std::vector<DamageCase> files = CatalogueFiles("Textures");
  for (const char* font : {kLargeFontFile, kSmallFontFile, kExtraLargeFontFile}) {
    files.push_back(Named(font));
    FontDescription description;
    LoadFontDescriptionFile(description, std::string(NB_GAME_DIR) + "/" + NativePath("", font));
    for (const std::string& page : description.pageNames) files.push_back(Named(page));
  }
  for (const char* language : {"en", "ru", "uk"})
    files.push_back(Named(LanguageFileName(language), true, language));
  files.push_back(Named("anim.txt"));
  files.push_back(Named("settings.ini"));
  return files;
}

// Links every entry of `from` into `to`, except that the folders on the way
// to `target` are made anew and `target` itself is left out.
void MirrorExcept(const fs::path& from, const fs::path& to, const fs::path& target) {
  fs::create_directories(to);
  for (const auto& entry : fs::directory_iterator(from)) {
    const fs::path name = entry.path().filename();
    if (name != *target.begin()) {
      fs::create_symlink(entry.path(), to / name);
    } else if (std::next(target.begin()) != target.end()) {
      MirrorExcept(entry.path(), to / name, target.lexically_relative(name));
    }
  }
}

// A game folder in dir whose one file is missing or cut short.
void InstallDamagedGame(const fs::path& dir, const DamageCase& c) {
  const fs::path game = NB_GAME_DIR, file = c.file;
  fs::create_directories(dir);
  if (*file.begin() == "data")
    MirrorExcept(game / "data", dir / "data", file.lexically_relative("data"));
  else
    fs::create_symlink(game / "data", dir / "data");
  if (file != "anim.txt") fs::create_symlink(game / "anim.txt", dir / "anim.txt");
  if (file != "settings.ini") {
    fs::copy_file(game / "settings.ini", dir / "settings.ini");
    SettingsFile settings{(dir / "settings.ini").string()};
    // A small window keeps the frames cheap while the cases run side by side.
    settings.WriteInt("General", "WIDTH", 320);
    settings.WriteInt("General", "HEIGHT", 240);
    if (!c.language.empty()) settings.WriteString("General", "Language", c.language);
  }
  if (c.cut) {
    std::ifstream in(game / c.file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::ofstream(dir / c.file, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  }
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Presses Return on every message box of the display (the log has its text).
void DismissMessageBoxes(const std::string& display) {
  std::istringstream tree(test::RunCommand("DISPLAY=" + display + " xwininfo -root -tree 2>/dev/null"));
  for (std::string line; std::getline(tree, line);) {
    std::istringstream words(line);
    std::string id, name;
    words >> id >> name;
    if (id.rfind("0x", 0) != 0 || name.empty() || name[0] != '"' || name == "\"Nimbara\":") continue;
    test::RunCommand("DISPLAY=" + display + " xdotool key --window " + id + " Return 2>/dev/null");
  }
}

struct RunningCase {
  DamageCase what;
  fs::path dir;
  std::unique_ptr<test::GameProcess> game;
  // quiet: when its log last grew; stopped: when it was asked to end.
  std::chrono::steady_clock::time_point started, quiet, stopped;
  size_t logSize = 0;
  bool ready = false, stopping = false;
};

// What went wrong in a finished case; "" when nothing did.
std::string Verdict(const RunningCase& r, int exitStatus) {
  const std::string log = ReadText(r.dir / "Log.txt"), output = ReadText(r.dir / "output.txt");
  std::string messages, naming;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("ERROR: ", 0) == 0) messages += line + "\n";
    if (line.find(r.what.named) != std::string::npos &&
        line.find(r.what.cut ? "Damaged" : "Could not find") != std::string::npos)
      naming += line + "\n";
  }
  std::string wrong;
  if (!r.ready) wrong += "never reached the menu; ";
  if (exitStatus != 0) wrong += "ended with " + std::to_string(exitStatus) + "; ";
  if (output.find("Sanitizer") != std::string::npos || output.find("runtime error") != std::string::npos)
    wrong += "sanitizer report: [" + output + "]; ";
  if (naming.empty()) wrong += "no line names the file; ";
  const bool oneMessage = std::count(messages.begin(), messages.end(), '\n') == (r.what.shown ? 1 : 0);
  if (!oneMessage || (r.what.shown && messages.find(r.what.named) == std::string::npos))
    wrong += "messages: [" + messages + "]; ";
  return wrong;
}

// Runs the cases side by side, each in a game folder of its own, on a display
// of their own whose message boxes are dismissed as they come up.
void RunCases(const std::vector<DamageCase>& cases) {
  ASSERT_GE(cases.size(), 10u);  // the shipped game's files were found
  test::PrivateDisplay display;
  ASSERT_TRUE(display.ready());
  test::ScratchDir scratch;

  constexpr size_t kSideBySide = 4;
  constexpr auto kTimeout = std::chrono::seconds(40);
  using Clock = std::chrono::steady_clock;
  std::vector<RunningCase> running;
  size_t next = 0;
  Clock::time_point lastSweep = Clock::now();
  while (next < cases.size() || !running.empty()) {
    while (running.size() < kSideBySide && next < cases.size()) {
      RunningCase r{cases[next],  fs::path(scratch.path()) / std::to_string(next),
                    nullptr,      Clock::now(),
                    Clock::now(), {}};
      InstallDamagedGame(r.dir, r.what);
      r.game = std::make_unique<test::GameProcess>(r.dir.string(), display.name(), std::vector<std::string>{},
                                                   (r.dir / "output.txt").string());
      running.push_back(std::move(r));
      ++next;
    }
    // A game is stopped soon after its start-up is done: the frames add nothing here.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    // A game whose log has stood still on a message since the last sweep waits on its box.
    bool blocked = false;
    for (auto it = running.begin(); it != running.end();) {
      const std::string log = ReadText(it->dir / "Log.txt");
      if (log.size() != it->logSize) it->logSize = log.size(), it->quiet = Clock::now();
      it->ready = it->ready || log.find("Start-up complete") != std::string::npos;
      const size_t last = log.rfind('\n', log.size() > 1 ? log.size() - 2 : 0);
      const bool onMessage = last != std::string::npos && log.compare(last + 1, 7, "ERROR: ") == 0;
      blocked =
          blocked || (!it->ready && onMessage && it->quiet < Clock::now() - std::chrono::milliseconds(150) &&
                      it->quiet > lastSweep - std::chrono::milliseconds(150));
      const bool alive = it->game->Running();
      if (alive && !it->stopping && (it->ready || Clock::now() - it->started > kTimeout)) {
        kill(it->game->pid(), SIGTERM);
        it->stopping = true;
        it->stopped = Clock::now();
      }
      // Ending takes a sanitizer build on a busy machine a while (the leak check).
      if (alive && (!it->stopping || Clock::now() - it->stopped < std::chrono::seconds(30))) {
        ++it;
        continue;
      }
      const std::string wrong = Verdict(*it, it->game->StopWith(SIGKILL, 5));
      EXPECT_EQ(wrong, "") << it->what.file << (it->what.cut ? " cut short" : " deleted") << "\n" << log;
      it = running.erase(it);
    }
    if (blocked || Clock::now() - lastSweep > std::chrono::seconds(2)) {
      DismissMessageBoxes(display.name());
      lastSweep = Clock::now();
    }
  }
}

// A few dozen games a test, so that each stays well inside the time a test
// may take when the suite runs two at once on a busy machine: each group of
// files deleted (false) and cut short (true).
class DamagedDataBinary : public ::testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(DamagedDataBinary, IsNamedAndTheGameStillReachesItsMenu) {
  if (!test::HaveDisplay()) GTEST_SKIP() << "no display";
  const std::string group = GetParam().first;
  RunCases(Damaged(group == "TexturesFontsAndTexts" ? TextureFontAndTextFiles() : CatalogueFiles(group),
                   GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(Groups, DamagedDataBinary,
                         ::testing::Values(std::pair{"Meshes", false}, std::pair{"Meshes", true},
                                           std::pair{"Sounds", false}, std::pair{"Sounds", true},
                                           std::pair{"TexturesFontsAndTexts", false},
                                           std::pair{"TexturesFontsAndTexts", true}));

}  // namespace
}  // namespace nb
