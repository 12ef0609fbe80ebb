#include "shell/menu_commands.h"

#include "persistence/bests.h"
#include "persistence/replay_file.h"

#include "gameplay/level_file.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_pages.h"
#include "shell/screens/pointer_tracking.h"
#include "shell_fixture.h"

namespace nb {
namespace {

using test::ShellScenario;

TEST_F(ShellScenario, DeletingProfilesKeepsTheCurrentPlayer) {
  AddPlayers(3);
  game->levelCount = 5;
  for (const char* name : {"Pa", "Pb"}) {  // a deleted player's bests and replays go with it
    UpdateBest(game->bests, name, 1, 4, 10, 20);
    dir.Write(ReplayFileName(name, 1, 4), "replay");
  }
  game->screen.gameState = GameState::PlayersScreen;
  game->profiles.current = 2;         // "Pc"
  game->screen.playersSelection = 0;  // the new-player row
  Press(Key::Delete);
  EXPECT_EQ(game->profiles.count, 3);
  game->screen.playersSelection = 1;  // remove "Pa", before the current one
  Press(Key::Delete);
  ASSERT_EQ(game->profiles.count, 2);
  EXPECT_STREQ(game->profiles.profiles[0].name, "Pb");
  ASSERT_NE(CurrentProfile(game->profiles), nullptr);
  EXPECT_STREQ(CurrentProfile(game->profiles)->name, "Pc");
  EXPECT_TRUE(!FindBest(game->bests, "Pa", 1, 4) && FindBest(game->bests, "Pb", 1, 4));
  EXPECT_TRUE(!dir.Exists(ReplayFileName("Pa", 1, 4)) && dir.Exists(ReplayFileName("Pb", 1, 4)));
  EXPECT_EQ(LoadBestsFile("bests.dat").entries.size(), 1u);
  game->screen.playersSelection = 2;  // the last profile, the current one
  Press(Key::Delete);
  EXPECT_EQ(game->profiles.count, 1);
  EXPECT_EQ(game->screen.playersSelection, 2);  // now the back row
  EXPECT_EQ(CurrentProfile(game->profiles), nullptr);
}

TEST_F(ShellScenario, NameEntryTakesLettersOnlyUpToSixtyThreeAndRefusesDuplicates) {
  NameEntry& entry = game->screen.nameEntry;
  AddPlayers(1);  // "Pa"
  game->screen.gameState = GameState::PlayersScreen;
  game->screen.playersSelection = 0;
  Press(Key::Enter);
  ASSERT_TRUE(entry.active);
  Type("P1 a!");  // digits, blanks and punctuation are ignored
  EXPECT_STREQ(entry.text, "Pa");
  Press(Key::Enter);  // taken: a warning, nothing created
  EXPECT_TRUE(entry.nameExists);
  EXPECT_EQ(game->profiles.count, 1);
  Type("b");  // the next key clears the warning
  EXPECT_FALSE(entry.nameExists);
  for (int i = 0; i < 3; ++i) Press(Key::Backspace);  // the third on an empty name: harmless
  Type("\xD0\x90\xD0\xBD\xD1\x8F");                   // "Аня" in UTF-8
  EXPECT_STREQ(entry.text, "\xC0\xED\xFF");
  Type(std::string(80, 'x'));
  EXPECT_EQ(std::strlen(entry.text), 63u);
  Press(Key::Enter);
  EXPECT_FALSE(entry.active);
  ASSERT_EQ(game->profiles.count, 2);
  EXPECT_EQ(std::string(game->profiles.profiles[1].name).substr(0, 3), "\xC0\xED\xFF");
  EXPECT_EQ(game->profiles.current, -1);  // not chosen automatically
  EXPECT_EQ(entry.text[0], '\0');

  // Escape cancels the entry; with six profiles the new row does nothing.
  game->screen.playersSelection = 0;
  Press(Key::Enter);
  ASSERT_TRUE(entry.active);
  Type("Zed");
  Press(Key::Escape);
  EXPECT_FALSE(entry.active);
  EXPECT_EQ(entry.text[0], '\0');
  EXPECT_EQ(game->screen.gameState, GameState::PlayersScreen);
  AddPlayers(4);
  Press(Key::Enter);
  EXPECT_FALSE(entry.active);
  EXPECT_EQ(game->profiles.count, 6);
}

TEST_F(ShellScenario, GameOverChoicesAndTheRecordsTable) {
  test::CapturedMessages messages;  // no level files here
  ScreenState& s = game->screen;
  AddPlayers(1);
  game->profiles.current = 0;
  ProfileRecord& p = game->profiles.profiles[0];
  p.mode = 1;
  p.score[1] = 7;
  p.lives[1] = -1;
  Choose(GameState::GameOverScreen, 0);  // again, without its level file: back to the menu
  EXPECT_EQ((std::vector<int>{p.score[1], p.lives[1]}), (std::vector<int>{3, 1}));
  EXPECT_EQ(s.gameState, GameState::MainMenu);
  Choose(GameState::GameOverScreen, 1);  // to the menu
  EXPECT_EQ((std::vector<int>{p.score[1], p.level[1], p.lives[1]}), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(s.gameState, GameState::MainMenu);

  game->records.count = 3;
  for (int i = 0; i < 3; ++i) game->records.entries[i].score = i == 0 ? 50 : 20;
  p.score[1] = 20;  // equal to the lowest: no entry
  p.level[1] = 9;
  Choose(GameState::GameCompletedScreen, 0);
  EXPECT_EQ(s.gameState, GameState::RecordsScreen);
  EXPECT_EQ(p.level[1], 1);
  EXPECT_EQ(game->records.entries[1].name[0], '\0');
  p.score[1] = 21;
  EnterRecordsTable(game->records, p);
  const RecordEntry* e = game->records.entries;
  EXPECT_STREQ(e[1].name, "Pa");  // the first of the equal lowest
  EXPECT_EQ((std::vector<int>{e[1].score, e[2].score, game->records.count}), (std::vector<int>{21, 20, 3}));
}

// Continue on the start-game screen plays the profile's level only when the
// level set has it and its file is whole and playable; otherwise the player
// is told why and lands on the main menu.
TEST_F(ShellScenario, ALevelThatCannotBePlayedLeadsBackToTheMainMenu) {
  auto level = std::make_unique<LevelRecord>();
  level->rows = 3, level->cols = 4, level->timeLimit = 60;
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 4; ++c)
      level->cells[r][c].kind = r == 1 && c == 1 ? Start : (r == 1 && c == 2 ? Stone : Wall);
  const std::string playable = EncodeLevelFile(*level);
  level->cells[1][3].kind = Floor;  // an opening in the outer wall
  const std::string open = EncodeLevelFile(*level);
  const struct {
    const char* name;
    int count, level;
    std::string file;  // as level file 1 and 2; none when empty
    const char* message;
  } cases[] = {
      {"playable", 2, 2, playable, nullptr},
      {"missing", 2, 1, "", "Could not find level file: data\\levels\\1.ilf"},
      {"truncated", 2, 1, playable.substr(0, playable.size() / 2),
       "Damaged level file: data\\levels\\1.ilf (too short)"},
      {"open to the edge", 2, 1, open, "Damaged level file: data\\levels\\1.ilf (cell at row 1, column 3"},
      {"beyond the count", 1, 2, playable, "Level 2 is beyond the 1 levels"},
      {"count -1", -1, 1, playable, "Level 1 is beyond the -1 levels"},
  };
  AddPlayers(1);
  game->profiles.current = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::CapturedMessages messages;
    for (const char* file : {"data/levels/1.ilf", "data/levels/2.ilf"}) {
      std::remove(dir.File(file).c_str());
      if (!c.file.empty()) dir.Write(file, c.file);
    }
    game->levelCount = c.count;
    game->profiles.profiles[0].level[0] = c.level;
    Choose(GameState::StartGameScreen, kStartContinue);
    EXPECT_EQ(game->screen.gameState, c.message ? GameState::MainMenu : GameState::Playing);
    const std::string expected = c.message ? c.message : "";
    const std::vector<std::string> texts = messages.texts();
    ASSERT_EQ(texts.size(), c.message ? 1u : 0u);
    EXPECT_EQ(texts.empty() ? "" : texts[0].substr(0, expected.size()), expected);
  }
}

// The Levels page opens from the start-game page on the furthest open level
// with the titles, replays and bests read once; the arrows and the pointer
// only ever land on open levels, a replay's Watch label under its number, or
// Back, and a locked level takes neither the highlight nor a click.
TEST_F(ShellScenario, TheLevelsPageOffersOnlyOpenLevelsToKeysAndPointer) {
  AddPlayers(1);
  game->profiles.current = 0;
  game->profiles.profiles[0].level[0] = 9;
  game->levelCount = 32;
  UpdateBest(game->bests, "Pa", 0, 10, 42, 1230);  // won level 10: level 11 lies ahead
  dir.Write(ReplayFileName("Pa", 0, 10), "replay");
  dir.Write("data/levels/11.ilf", EncodeLevelFile(*std::make_unique<LevelRecord>(), "Eleventh"));
  dir.Write("data/levels/10.ilf", "short");
  Choose(GameState::StartGameScreen, kStartLevels);
  ASSERT_EQ(game->screen.gameState, GameState::LevelsScreen);
  const LevelsPage& page = game->levelsPage;
  ASSERT_EQ((std::vector<int>{int(page.levels.size()), page.open, game->screen.levelsHighlight}),
            (std::vector<int>{32, 11, 11}));
  EXPECT_EQ(page.levels[10].title + "|" + page.levels[9].title, "Eleventh|");
  EXPECT_TRUE(page.levels[9].replay && page.levels[9].won && !page.levels[8].won);
  EXPECT_EQ((std::vector<int>{page.levels[9].secondsLeft, page.levels[9].points}),
            (std::vector<int>{42, 1230}));

  // Eight to a row: 11 sits below 3, and 10's Watch label below 10.
  const int32_t w10 = kLevelsWatch + 10, back = kLevelsBack;
  std::vector<int32_t> seen;
  for (char k : std::string("RLDDDUUULLDDURDU")) {
    Press(k == 'R' ? Key::Right : k == 'L' ? Key::Left : k == 'U' ? Key::Up : Key::Down);
    seen.push_back(game->screen.levelsHighlight);
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{11, 10, w10, back, back, 10, 2, 2, 1, 1, 9, back, 9, 10, w10, 10}));
  EXPECT_EQ(game->screen.levelsLevel, 10);

  const PageLayout layout = LevelsLayout(MenuLayoutOf(*game));
  auto middle = [&](int32_t value) {
    const PageItem* item = FindItem(layout, value);
    return item ? std::pair{int(item->box.MiddleX()), int(item->box.MiddleY())} : std::pair{-1, -1};
  };
  const uint64_t before = Plays();
  TrackMenuPointerAt(*game, middle(12).first, middle(12).second);  // locked
  Click(middle(12).first, middle(12).second);
  EXPECT_EQ(game->screen.levelsHighlight, 10);
  EXPECT_EQ(Plays(), before);
  TrackMenuPointerAt(*game, middle(w10).first, middle(w10).second);
  EXPECT_EQ(game->screen.levelsHighlight, w10);
  EXPECT_GT(Plays(), before);
  // Level 3 goes to practice and 10's label to its replay: here the level has
  // no file and the replay is none, so each says so and the page stays.
  test::CapturedMessages messages;
  for (int32_t value : {3, w10}) {
    Click(middle(value).first, middle(value).second);
    EXPECT_EQ(game->screen.levelsHighlight, value);
    EXPECT_EQ(game->run.kind, RunKind::Game);
  }
  const std::vector<std::string> told = messages.texts();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_NE(told[0].find("3.ilf"), std::string::npos) << told[0];
  EXPECT_NE(told[1].find("replay"), std::string::npos) << told[1];
  EXPECT_EQ(middle(kLevelsWatch + 9).first, -1) << "no replay of 9: no Watch label";
  EXPECT_EQ(game->screen.gameState, GameState::LevelsScreen);

  // A level set larger than the grid shows what fits; none leaves only Back.
  for (auto [count, shown, lit] : {std::tuple{500, 66, 66}, {-3, 0, kLevelsBack}}) {
    game->levelCount = count;
    game->profiles.profiles[0].level[0] = 400;
    Choose(GameState::StartGameScreen, kStartLevels);
    for (Key key : {Key::Right, Key::Down, Key::Up}) Press(key);  // stays, Back, back again
    EXPECT_EQ((std::vector<int>{int(page.levels.size()), game->screen.levelsHighlight}),
              (std::vector<int>{shown, lit}));
  }
}

// Every value of GameState has a row; the values that name a screen are run
// by a frame; Esc leads where the table below says, with the menu sample when
// it moves; and whatever Enter on any of a screen's items does, the game lands
// on a screen that is run by a frame.
TEST_F(ShellScenario, EveryScreenLeadsOnlyToScreensAFrameRuns) {
  using enum GameState;
  // Esc from each value of GameState: a page back, from the main menu to the
  // question whether to quit, play and its pause to each other; the closing
  // screens stay.
  const GameState escapeTo[kGameStateCount] = {
      // main menu, play, info, options, records, players, start, exit, levels, (none)
      ExitConfirm, PauseMenu, MainMenu, MainMenu, MainMenu, MainMenu, MainMenu, MainMenu, StartGameScreen,
      MainMenu,
      // options, pause, game over, splash, time up, (none), completed, new game, help in play, help
      PauseMenu, Playing, GameOverScreen, SplashScreenState, TimeUpScreen, MainMenu, GameCompletedScreen,
      StartGameScreen, PauseMenu, MainMenu};
  test::CapturedMessages messages;  // no level files: a level start reports it
  for (int v = 0; v < kGameStateCount; ++v) {
    const Screen& row = ScreenOf(GameState(v));
    bool named = v != 9 && v != 15;
    ASSERT_EQ(row.frame != FrameGroup::None, named) << v;
    if (!named) {
      EXPECT_TRUE(!row.choose && !row.escape && !row.arrows && !row.click && !row.layout) << v;
      continue;
    }
    game->screen = ScreenState{};
    game->screen.gameState = GameState(v);
    const uint64_t before = Plays();
    Press(Key::Escape);
    EXPECT_EQ(game->screen.gameState, escapeTo[v]) << "Esc from " << v;
    EXPECT_EQ(Plays() > before, escapeTo[v] != GameState(v)) << "Esc from " << v;
    std::vector<int> values{0};
    if (row.layout)
      for (const PageItem& item : row.layout(MenuLayoutOf(*game))) values.push_back(item.value);
    for (int value : values) {
      game->screen = ScreenState{};
      game->screen.gameState = GameState(v);
      if (row.highlight) game->screen.*row.highlight = value;
      AddPlayers(game->profiles.count == 0 ? 1 : 0);
      game->profiles.current = 0;
      Press(Key::Enter);
      EXPECT_NE(ScreenOf(game->screen.gameState).frame, FrameGroup::None)
          << v << " item " << value << " landed on " << static_cast<int>(game->screen.gameState);
    }
  }
  EXPECT_EQ(ScreenOf(GameState(-1)).frame, FrameGroup::None);
  EXPECT_EQ(ScreenOf(GameState(kGameStateCount)).frame, FrameGroup::None);
  game->screen.gameState = MainMenu;
  Press(Key::Escape);
  EXPECT_EQ(game->screen.menuHighlight, kMenuAbout);  // the main menu comes back on About
}

TEST_F(ShellScenario, HelpPagingStopsAtBothEndsAndTheFullScreenRowToggles) {
  ScreenState& s = game->screen;
  std::vector<int> pages;
  for (int button : {kHelpPrevious, kHelpNext, kHelpNext, kHelpNext}) {
    Choose(GameState::HelpFromMenu, button);
    pages.push_back(s.helpPage);
  }
  EXPECT_EQ(pages, (std::vector<int>{0, 1, 2, 2}));  // three pages
  Choose(GameState::HelpFromMenu, kHelpBack);
  EXPECT_EQ(s.gameState, GameState::MainMenu);
  Choose(GameState::HelpInPlay, kHelpBack);
  EXPECT_EQ(s.gameState, GameState::PauseMenu);

  const bool start = game->settings.fullscreen;
  Choose(GameState::OptionsFromMenu, kRowFullscreen);
  EXPECT_NE(game->settings.fullscreen, start);
  Press(Key::Enter);
  EXPECT_EQ(game->settings.fullscreen, start);
  EXPECT_EQ(s.gameState, GameState::OptionsFromMenu);
}

// The arrows move a volume by 5 within 0..100; a held knob follows the pointer
// along its bar and lets go of it on release; clicks only hit inside boxes.
TEST_F(ShellScenario, OptionsSlidersFollowTheArrowsAndAHeldKnobAndClicksHitInsideBoxes) {
  GeneralSettings& set = game->settings;
  set.masterVolume = 100;
  set.soundVolume = 3;
  game->screen.gameState = GameState::OptionsFromMenu;
  auto press = [&](OptionsRow row, Key key) { game->screen.optionsRow = row, Press(key); };
  press(kRowMaster, Key::Right);  // at the top: stays
  press(kRowMaster, Key::Left);
  press(kRowSound, Key::Left);
  EXPECT_EQ((std::vector<int>{set.masterVolume, set.soundVolume}), (std::vector<int>{95, 0}));

  const PageLayout layout = OptionsLayout(MenuLayoutOf(*game));
  auto knob = std::find_if(layout.begin(), layout.end(), [](auto& i) { return i.knob && !i.value; });
  ASSERT_NE(knob, layout.end());
  Click(static_cast<int>(knob->box.left), static_cast<int>(knob->box.MiddleY()));  // edge: not held
  EXPECT_FALSE(game->menus.sliderDrag[kRowMusic]);
  Click(static_cast<int>(knob->box.MiddleX()), static_cast<int>(knob->box.MiddleY()));
  ASSERT_TRUE(game->menus.sliderDrag[kRowMusic]);
  const int y = static_cast<int>(kSliderLineY[kRowMusic]);
  std::vector<int> volumes;
  for (int x : {0, static_cast<int>(kSliderLeft) + 100, 2000}) {
    DragHeldSliders(*game, x, y, 0);
    volumes.push_back(game->settings.musicVolume);
  }
  EXPECT_EQ(volumes.front(), 0);
  EXPECT_TRUE(volumes[1] > 40 && volumes[1] < 60) << volumes[1];
  EXPECT_EQ(volumes.back(), 100);
  EXPECT_EQ(game->settings.soundVolume, 0);  // the other sliders stay
  Click(0, 0, InputEvent::Type::ButtonUp);
  EXPECT_FALSE(game->menus.sliderDrag[kRowMusic]);
  DragHeldSliders(*game, 0, y, 0);
  EXPECT_EQ(game->settings.musicVolume, 100);
}

}  // namespace
}  // namespace nb
