#include "shell/menu_commands.h"

#include "shell/screen_table.h"
#include "shell/screens/pointer_tracking.h"
#include "shell_fixture.h"

namespace nb {
namespace {

using test::ShellScenario;

TEST_F(ShellScenario, PlayWithoutAProfileOpensPlayersThenStartGame) {
  ScreenState& s = game->screen;
  Press(Key::Enter);  // item 0: play
  EXPECT_EQ(s.gameState, GameState::PlayersScreen);
  EXPECT_EQ(LastSound(), SoundId::MenuMove);  // after menuonenter
  AddPlayers(1);
  s.playersSelection = 1;
  Press(Key::Enter);
  EXPECT_EQ(game->profiles.current, 0);
  EXPECT_EQ(s.gameState, GameState::MainMenu);
  Choose(GameState::MainMenu, 0);
  EXPECT_EQ(s.gameState, GameState::StartGameScreen);
  EXPECT_EQ(s.menuHighlight, 0);
}

TEST_F(ShellScenario, ArrowKeysMoveEachScreensHighlightWithinItsItemsAndClickWhereTheyShould) {
  using enum GameState;
  using S = ScreenState;
  struct Case {
    GameState state;
    int32_t S::*highlight;
    int start;
    Key key;
    int presses, end;
    bool clicks;
  };
  const Case cases[] = {
      {MainMenu, &S::menuHighlight, 0, Key::Up, 1, 0, true},  // at the first item: stays, still clicks
      {MainMenu, &S::menuHighlight, 0, Key::Down, 10, kMenuExit, true},
      {PauseMenu, &S::menuHighlight, 0, Key::Down, 9, 4, false},             // five silent pause items
      {StartGameScreen, &S::startGameHighlight, 0, Key::Down, 5, 2, false},  // then the back button
      {HelpFromMenu, &S::helpButton, kHelpBack, Key::Left, 4, kHelpPrevious, false},
      {HelpFromMenu, &S::helpButton, kHelpPrevious, Key::Up, 1, kHelpPrevious, false},  // help is sideways
      {OptionsFromMenu, &S::optionsRow, kRowSound, Key::Down, 4, kRowBack, true}};
  for (const Case& c : cases) {
    game->screen.gameState = c.state;
    game->screen.*c.highlight = c.start;
    uint64_t before = Plays();
    for (int i = 0; i < c.presses; ++i) Press(c.key);
    EXPECT_EQ(game->screen.*c.highlight, c.end) << static_cast<int>(c.state);
    EXPECT_EQ(Plays() - before, c.clicks ? static_cast<uint64_t>(c.presses) : 0u) << static_cast<int>(c.state);
  }
  ScreenState& s = game->screen;
  // Options: left and right change the row's volume by 5 within 0..100.
  s.gameState = GameState::OptionsFromMenu;
  game->settings.masterVolume = 100;
  s.optionsRow = 2;
  Press(Key::Right);
  EXPECT_EQ(game->settings.masterVolume, 100);
  EXPECT_EQ(LastSound(), SoundId::MenuOnClick);
  Press(Key::Left);
  EXPECT_EQ(game->settings.masterVolume, 95);
  s.optionsRow = 1;
  game->settings.soundVolume = 3;
  Press(Key::Left);
  EXPECT_EQ(game->settings.soundVolume, 0);
}

TEST_F(ShellScenario, DeletingProfilesKeepsTheCurrentPlayer) {
  AddPlayers(3);
  game->screen.gameState = GameState::PlayersScreen;
  game->profiles.current = 2;            // "Pc"
  game->screen.playersSelection = 0;     // the new-player row
  Press(Key::Delete);
  EXPECT_EQ(game->profiles.count, 3);
  game->screen.playersSelection = 1;  // remove "Pa", before the current one
  Press(Key::Delete);
  ASSERT_EQ(game->profiles.count, 2);
  EXPECT_STREQ(game->profiles.profiles[0].name, "Pb");
  ASSERT_NE(CurrentProfile(game->profiles), nullptr);
  EXPECT_STREQ(CurrentProfile(game->profiles)->name, "Pc");
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
  Type("\xD0\x90\xD0\xBD\xD1\x8F");  // "Аня" in UTF-8
  EXPECT_STREQ(entry.text, "\xC0\xED\xFF");
  Type(std::string(80, 'x'));
  EXPECT_EQ(std::strlen(entry.text), 63u);
  Press(Key::Enter);
  EXPECT_FALSE(entry.active);
  ASSERT_EQ(game->profiles.count, 2);
  EXPECT_EQ(std::string(game->profiles.profiles[1].name).substr(0, 3), "\xC0\xED\xFF");
  EXPECT_EQ(game->profiles.profiles[1].lives[2], 3);
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
  Choose(GameState::GameOverScreen, 0);  // again
  EXPECT_EQ((std::vector<int>{p.score[1], p.lives[1]}), (std::vector<int>{3, 1}));
  EXPECT_EQ(s.gameState, GameState::Playing);
  Choose(GameState::GameOverScreen, 1);  // to the menu
  EXPECT_EQ((std::vector<int>{p.score[1], p.level[1], p.lives[1]}), (std::vector<int>{0, 1, 3}));
  EXPECT_EQ(s.gameState, GameState::MainMenu);

  game->records.count = 3;
  game->records.entries[0].score = 50;
  game->records.entries[1].score = 20;
  game->records.entries[2].score = 20;
  p.score[1] = 20;  // equal to the lowest: no entry
  p.level[1] = 9;
  Choose(GameState::GameCompletedScreen, 0);
  EXPECT_EQ(s.gameState, GameState::RecordsScreen);
  EXPECT_EQ(p.level[1], 1);
  EXPECT_EQ(game->records.entries[1].name[0], '\0');
  p.score[1] = 21;
  EnterRecordsTable(game->records, p);
  EXPECT_STREQ(game->records.entries[1].name, "Pa");  // the first of the equal lowest
  EXPECT_EQ(game->records.entries[1].score, 21);
  EXPECT_EQ(game->records.entries[2].score, 20);
  EXPECT_EQ(game->records.count, 3);
}

TEST_F(ShellScenario, EscapeFollowsItsTableAndPlaysWhenItMoves) {
  using enum GameState;
  const std::pair<GameState, GameState> moves[] = {
      {MainMenu, ExitConfirm},     {Playing, PauseMenu},         {InfoPage, MainMenu},
      {OptionsFromMenu, MainMenu}, {RecordsScreen, MainMenu},    {StartGameScreen, MainMenu},
      {ExitConfirm, MainMenu},     {HelpFromMenu, MainMenu},     {PlayersScreen, MainMenu},
      {OptionsInPlay, PauseMenu},  {HelpInPlay, PauseMenu},      {PauseMenu, Playing},
      {NewGameScreen, StartGameScreen}, {GameOverScreen, GameOverScreen}, {TimeUpScreen, TimeUpScreen},
      {GameCompletedScreen, GameCompletedScreen}, {SplashScreenState, SplashScreenState},
      {GameState(8), GameState(8)}};
  for (auto [from, to] : moves) {
    game->screen.gameState = from;
    uint64_t before = Plays();
    Press(Key::Escape);
    EXPECT_EQ(game->screen.gameState, to) << "from " << static_cast<int>(from);
    EXPECT_EQ(Plays() > before, from != to) << "from " << static_cast<int>(from);
  }
  game->screen.gameState = GameState::MainMenu;
  Press(Key::Escape);
  EXPECT_EQ(game->screen.menuHighlight, kMenuAbout);  // the main menu comes back on About
}

// Every value of GameState has a row; the values that name a screen are run
// by a frame, and whatever Enter on any of a screen's items or Esc does,
// the game lands on a screen that is run by a frame.
TEST_F(ShellScenario, EveryScreenLeadsOnlyToScreensAFrameRuns) {
  test::CapturedMessages messages;  // no level files: a level start reports it
  for (int v = 0; v < kGameStateCount; ++v) {
    const Screen& row = ScreenOf(GameState(v));
    bool named = v != 8 && v != 9 && v != 15;
    ASSERT_EQ(row.frame != FrameGroup::None, named) << v;
    if (!named) {
      EXPECT_TRUE(!row.choose && !row.escape && !row.arrows && !row.click && !row.layout) << v;
      continue;
    }
    std::vector<int> values{0};
    if (row.layout)
      for (const PageItem& item : row.layout(MenuLayoutOf(*game))) values.push_back(item.value);
    for (int value : values)
      for (Key key : {Key::Enter, Key::Escape}) {
        game->screen = ScreenState{};
        game->screen.gameState = GameState(v);
        if (row.highlight) game->screen.*row.highlight = value;
        AddPlayers(game->profiles.count == 0 ? 1 : 0);
        game->profiles.current = 0;
        Press(key);
        EXPECT_NE(ScreenOf(game->screen.gameState).frame, FrameGroup::None)
            << v << " item " << value << " landed on " << static_cast<int>(game->screen.gameState);
      }
  }
  EXPECT_EQ(ScreenOf(GameState(-1)).frame, FrameGroup::None);
  EXPECT_EQ(ScreenOf(GameState(kGameStateCount)).frame, FrameGroup::None);
}

TEST_F(ShellScenario, HelpPagingStopsAtBothEndsAndTheFullScreenRowToggles) {
  ScreenState& s = game->screen;
  s.gameState = GameState::HelpFromMenu;
  s.helpPage = 0;
  s.helpButton = 1;
  Press(Key::Enter);
  EXPECT_EQ(s.helpPage, 0);
  s.helpButton = 3;
  for (int i = 0; i < 5; ++i) Press(Key::Enter);
  EXPECT_EQ(s.helpPage, 2);  // three pages
  s.helpButton = 2;
  Press(Key::Enter);
  EXPECT_EQ(s.gameState, GameState::MainMenu);
  s.gameState = GameState::HelpInPlay;
  Press(Key::Enter);
  EXPECT_EQ(s.gameState, GameState::PauseMenu);

  s.gameState = GameState::OptionsFromMenu;
  s.optionsRow = 3;
  const bool start = game->settings.fullscreen;
  Press(Key::Enter);
  EXPECT_NE(game->settings.fullscreen, start);
  Press(Key::Enter);
  EXPECT_EQ(game->settings.fullscreen, start);
  EXPECT_EQ(s.gameState, GameState::OptionsFromMenu);
}

TEST_F(ShellScenario, PauseRestartAndQuitAppendStatistics) {
  test::CapturedMessages messages;
  AddPlayers(1);
  game->profiles.current = 0;
  const std::tuple<int, int32_t, GameState> choices[] = {{kPauseRestart, 12, GameState::Playing},
                                                        {kPauseQuit, 4, GameState::MainMenu}};
  for (auto [item, seconds, next] : choices) {
    game->world.stats.counters[StatSecondsPlayed] = seconds;
    Choose(GameState::PauseMenu, item);
    EXPECT_EQ(game->screen.gameState, next);
  }
  std::string stats = dir.Read("stat.stt");
  ASSERT_EQ(stats.size(), 104u);
  EXPECT_EQ(stats.substr(4, 4), test::Int32Bytes(12));
  EXPECT_EQ(stats.substr(56, 4), test::Int32Bytes(4));
  EXPECT_EQ(game->world.stats.counters[StatSecondsPlayed], 0);
}

TEST_F(ShellScenario, ClicksHitStrictlyInsideBoxesAndSliderKnobsStartDragging) {
  // Main menu item 2 "Options" is 70 wide at 400, from y 384 to 416.
  Click(400, 384);  // on the edge: nothing
  EXPECT_EQ(game->screen.gameState, GameState::MainMenu);
  Click(400, 390);
  EXPECT_EQ(game->screen.gameState, GameState::OptionsFromMenu);
  EXPECT_EQ(game->screen.menuHighlight, 2);
  game->settings.soundVolume = 40;  // knob from 400 + 5 + 74 = 479 to 494
  Click(485, 330);
  EXPECT_TRUE(game->menus.sliderDrag[1]);
  EXPECT_EQ(game->screen.optionsRow, 1);
  EXPECT_EQ(game->screen.gameState, GameState::OptionsFromMenu);
  Click(0, 0, InputEvent::Type::ButtonUp);
  EXPECT_FALSE(game->menus.sliderDrag[1]);
  Click(400, 510);  // the back button "Back" (40 wide) from y 500
  EXPECT_EQ(game->screen.gameState, GameState::MainMenu);
  game->screen.gameState = GameState::SplashScreenState;
  Click(400, 300);
  EXPECT_EQ(game->screen.gameState, GameState::SplashScreenState);
}

TEST_F(ShellScenario, HoveringAnItemPlaysOnceAndSilentBoxesStaySilent) {
  uint64_t before = Plays();
  TrackMenuPointerAt(*game, 400, 350);  // item 1
  TrackMenuPointerAt(*game, 395, 345);
  TrackMenuPointerAt(*game, 700, 50);  // over nothing: the highlight stays
  EXPECT_EQ(game->screen.menuHighlight, 1);
  EXPECT_EQ(Plays(), before + 1);
  AddPlayers(2);
  game->screen.gameState = GameState::PlayersScreen;
  game->screen.playersSelection = 1;
  before = Plays();
  TrackMenuPointerAt(*game, 400, 510);  // the back text: no sample
  EXPECT_EQ(game->screen.playersSelection, 3);
  EXPECT_EQ(Plays(), before);
  TrackMenuPointerAt(*game, 400, 285);  // the new-player row
  EXPECT_EQ(game->screen.playersSelection, 0);
  EXPECT_EQ(Plays(), before + 1);
}

}  // namespace
}  // namespace nb
