#include "shell/menu_commands.h"

#include "menus/menu_boxes.h"
#include "menus/pointer_tracking.h"
#include "shell_fixture.h"

namespace nb {
namespace {

using test::ShellScenario;

TEST_F(ShellScenario, PlayWithoutAProfileOpensPlayersThenStartGame) {
  Press(Key::Enter);  // item 0: play
  EXPECT_EQ(game->screen.gameState, PlayersScreen);
  EXPECT_EQ(LastSound(), SoundId::menumov);  // after menuonenter
  AddPlayers(1);
  game->screen.playersSelection = 1;
  Press(Key::Enter);
  EXPECT_EQ(game->profiles.current, 0);
  EXPECT_EQ(game->screen.gameState, MainMenu);
  game->screen.menuHighlight = 0;
  Press(Key::Enter);
  EXPECT_EQ(game->screen.gameState, StartGameScreen);
  EXPECT_EQ(game->screen.menuHighlight, 0);
}

TEST_F(ShellScenario, ArrowKeysClampAndPlayTheHoverSampleWhereTheyShould) {
  uint64_t before = Plays();
  Press(Key::Up);  // at item 0: stays, still clicks
  EXPECT_EQ(game->screen.menuHighlight, 0);
  EXPECT_EQ(Plays(), before + 1);
  EXPECT_EQ(LastSound(), SoundId::menuonclick);
  for (int i = 0; i < 10; ++i) Press(Key::Down);
  EXPECT_EQ(game->screen.menuHighlight, 6);

  game->screen.gameState = PauseMenu;
  game->screen.menuHighlight = 0;
  before = Plays();
  for (int i = 0; i < 9; ++i) Press(Key::Down);
  EXPECT_EQ(game->screen.menuHighlight, 4);  // five pause items
  EXPECT_EQ(Plays(), before);                // the pause menu is silent

  game->screen.gameState = StartGameScreen;
  for (int i = 0; i < 5; ++i) Press(Key::Down);
  EXPECT_EQ(game->screen.startGameHighlight, 2);  // the back button is the item count

  game->screen.gameState = HelpFromMenu;
  game->screen.helpButton = 2;
  for (int i = 0; i < 4; ++i) Press(Key::Left);
  EXPECT_EQ(game->screen.helpButton, 1);
  Press(Key::Up);  // no vertical movement on help
  EXPECT_EQ(game->screen.helpButton, 1);
}

TEST_F(ShellScenario, ArrowsOnOptionsMoveRowsAndChangeVolumes) {
  game->screen.gameState = OptionsFromMenu;
  game->settings.masterVolume = 100;
  game->screen.optionsRow = 2;
  Press(Key::Right);
  EXPECT_EQ(game->settings.masterVolume, 100);
  EXPECT_EQ(LastSound(), SoundId::menuonclick);
  Press(Key::Left);
  EXPECT_EQ(game->settings.masterVolume, 95);
  game->screen.optionsRow = 1;
  game->settings.soundVolume = 3;
  Press(Key::Left);
  EXPECT_EQ(game->settings.soundVolume, 0);
  Press(Key::Down);
  Press(Key::Down);
  Press(Key::Down);
  Press(Key::Down);
  EXPECT_EQ(game->screen.optionsRow, 4);
}

TEST_F(ShellScenario, DeletingProfilesKeepsTheCurrentPlayer) {
  AddPlayers(3);
  game->screen.gameState = PlayersScreen;
  game->profiles.current = 2;  // "Pc"
  game->screen.playersSelection = 0;  // the new-player row
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
  AddPlayers(1);  // "Pa"
  game->screen.gameState = PlayersScreen;
  game->screen.playersSelection = 0;
  Press(Key::Enter);
  ASSERT_TRUE(game->screen.nameEntry.active);
  Type("P1 a!");  // digits, blanks and punctuation are ignored
  EXPECT_STREQ(game->screen.nameEntry.text, "Pa");
  Press(Key::Enter);  // taken: a warning, nothing created
  EXPECT_TRUE(game->screen.nameEntry.nameExists);
  EXPECT_EQ(game->profiles.count, 1);
  Type("b");  // the next key clears the warning
  EXPECT_FALSE(game->screen.nameEntry.nameExists);
  Press(Key::Backspace);
  Press(Key::Backspace);
  Press(Key::Backspace);  // on an empty name: harmless
  Type("\xD0\x90\xD0\xBD\xD1\x8F");  // "Аня" in UTF-8
  EXPECT_STREQ(game->screen.nameEntry.text, "P\xC0\xED\xFF" + 1);
  Type(std::string(80, 'x'));
  EXPECT_EQ(std::strlen(game->screen.nameEntry.text), 63u);
  Press(Key::Enter);
  EXPECT_FALSE(game->screen.nameEntry.active);
  ASSERT_EQ(game->profiles.count, 2);
  EXPECT_EQ(std::string(game->profiles.profiles[1].name).substr(0, 3), "\xC0\xED\xFF");
  EXPECT_EQ(game->profiles.profiles[1].lives[2], 3);
  EXPECT_EQ(game->profiles.current, -1);  // not chosen automatically
  EXPECT_EQ(game->screen.nameEntry.text[0], '\0');
}

TEST_F(ShellScenario, EscapeCancelsNameEntryAndSixProfilesIgnoreTheNewRow) {
  game->screen.gameState = PlayersScreen;
  game->screen.playersSelection = 0;
  Press(Key::Enter);
  Type("Zed");
  Press(Key::Escape);
  EXPECT_FALSE(game->screen.nameEntry.active);
  EXPECT_EQ(game->screen.nameEntry.text[0], '\0');
  EXPECT_EQ(game->screen.gameState, PlayersScreen);
  AddPlayers(6);
  Press(Key::Enter);
  EXPECT_FALSE(game->screen.nameEntry.active);
  EXPECT_EQ(game->profiles.count, 6);
}

TEST_F(ShellScenario, GameOverChoicesAndTheRecordsTable) {
  test::CapturedMessages messages;  // no level files here
  AddPlayers(1);
  game->profiles.current = 0;
  ProfileRecord& p = game->profiles.profiles[0];
  p.mode = 1;
  p.score[1] = 7;
  p.lives[1] = -1;
  game->screen.gameState = GameOverScreen;
  game->screen.menuHighlight = 0;
  Press(Key::Enter);
  EXPECT_EQ(p.score[1], 3);
  EXPECT_EQ(p.lives[1], 1);
  EXPECT_EQ(game->screen.gameState, Playing);

  game->screen.gameState = GameOverScreen;
  game->screen.menuHighlight = 1;
  Press(Key::Enter);
  EXPECT_EQ(p.score[1], 0);
  EXPECT_EQ(p.level[1], 1);
  EXPECT_EQ(p.lives[1], 3);
  EXPECT_EQ(game->screen.gameState, MainMenu);

  game->records.count = 3;
  game->records.entries[0].score = 50;
  game->records.entries[1].score = 20;
  game->records.entries[2].score = 20;
  p.score[1] = 20;  // equal to the lowest: no entry
  p.level[1] = 9;
  game->screen.gameState = GameCompletedScreen;
  game->screen.menuHighlight = 0;
  Press(Key::Enter);
  EXPECT_EQ(game->screen.gameState, RecordsScreen);
  EXPECT_EQ(p.level[1], 1);
  EXPECT_EQ(game->records.entries[1].name[0], '\0');
  p.score[1] = 21;
  EnterRecordsTable(game->records, p);
  EXPECT_STREQ(game->records.entries[1].name, "Pa");  // the first of the equal lowest
  EXPECT_EQ(game->records.entries[1].score, 21);
  EXPECT_EQ(game->records.entries[2].score, 20);
  EXPECT_EQ(game->records.count, 3);
}

TEST_F(ShellScenario, EscapeFollowsItsTable) {
  const std::pair<int32_t, int32_t> moves[] = {
      {MainMenu, ExitConfirm}, {Playing, PauseMenu},     {InfoPage, MainMenu},
      {OptionsFromMenu, MainMenu}, {RecordsScreen, MainMenu}, {StartGameScreen, MainMenu},
      {ExitConfirm, MainMenu}, {HelpFromMenu, MainMenu},  {PlayersScreen, MainMenu},
      {OptionsInPlay, PauseMenu}, {HelpInPlay, PauseMenu}, {PauseMenu, Playing},
      {NewGameScreen, StartGameScreen}, {GameOverScreen, GameOverScreen},
      {TimeUpScreen, TimeUpScreen}, {GameCompletedScreen, GameCompletedScreen},
      {SplashScreenState, SplashScreenState}, {8, 8}};
  for (auto [from, to] : moves) {
    game->screen.gameState = from;
    uint64_t before = Plays();
    Press(Key::Escape);
    EXPECT_EQ(game->screen.gameState, to) << "from " << from;
    EXPECT_EQ(Plays() > before, from != to) << "from " << from;
  }
  game->screen.gameState = MainMenu;
  game->screen.menuHighlight = 2;
  Press(Key::Escape);
  EXPECT_EQ(game->screen.menuHighlight, 4);
}

TEST_F(ShellScenario, HelpPagingStopsAtBothEndsAndBackReturns) {
  game->screen.gameState = HelpFromMenu;
  game->screen.helpPage = 0;
  game->screen.helpButton = 1;
  Press(Key::Enter);
  EXPECT_EQ(game->screen.helpPage, 0);
  game->screen.helpButton = 3;
  for (int i = 0; i < 5; ++i) Press(Key::Enter);
  EXPECT_EQ(game->screen.helpPage, 2);  // three pages
  game->screen.helpButton = 2;
  Press(Key::Enter);
  EXPECT_EQ(game->screen.gameState, MainMenu);
  game->screen.gameState = HelpInPlay;
  Press(Key::Enter);
  EXPECT_EQ(game->screen.gameState, PauseMenu);
}

TEST_F(ShellScenario, TheFullScreenRowTwiceReturnsToTheStartingMode) {
  game->screen.gameState = OptionsFromMenu;
  game->screen.optionsRow = 3;
  bool start = game->settings.fullscreen;
  Press(Key::Enter);
  EXPECT_NE(game->settings.fullscreen, start);
  Press(Key::Enter);
  EXPECT_EQ(game->settings.fullscreen, start);
  EXPECT_EQ(game->screen.gameState, OptionsFromMenu);
}

TEST_F(ShellScenario, PauseRestartAndQuitAppendStatistics) {
  test::CapturedMessages messages;
  AddPlayers(1);
  game->profiles.current = 0;
  game->screen.gameState = PauseMenu;
  game->world.stats.counters[StatSecondsPlayed] = 12;
  game->screen.menuHighlight = 1;
  Press(Key::Enter);
  EXPECT_EQ(game->screen.gameState, Playing);
  game->screen.gameState = PauseMenu;
  game->world.stats.counters[StatSecondsPlayed] = 4;
  game->screen.menuHighlight = 3;
  Press(Key::Enter);
  EXPECT_EQ(game->screen.gameState, MainMenu);
  std::string stats = dir.Read("stat.stt");
  ASSERT_EQ(stats.size(), 104u);
  EXPECT_EQ(stats.substr(4, 4), test::Int32Bytes(12));
  EXPECT_EQ(stats.substr(56, 4), test::Int32Bytes(4));
  EXPECT_EQ(game->world.stats.counters[StatSecondsPlayed], 0);
}

TEST_F(ShellScenario, ClicksHitStrictlyInsideBoxesAndSliderKnobsStartDragging) {
  // Main menu item 2 "Options" is 70 wide at 400, from y 384 to 416.
  Click(400, 384);  // on the edge: nothing
  EXPECT_EQ(game->screen.gameState, MainMenu);
  Click(400, 390);
  EXPECT_EQ(game->screen.gameState, OptionsFromMenu);
  EXPECT_EQ(game->screen.menuHighlight, 2);

  game->settings.soundVolume = 40;  // knob from 400 + 5 + 74 = 479 to 494
  Click(485, 330);
  EXPECT_TRUE(game->menus.sliderDrag[1]);
  EXPECT_EQ(game->screen.optionsRow, 1);
  EXPECT_EQ(game->screen.gameState, OptionsFromMenu);
  InputEvent up;
  up.type = InputEvent::Type::ButtonUp;
  up.button = MouseButton::Left;
  HandleInputEvent(*game, up);
  EXPECT_FALSE(game->menus.sliderDrag[1]);

  Click(400, 510);  // the back button "Back" (40 wide) from y 500
  EXPECT_EQ(game->screen.gameState, MainMenu);

  game->screen.gameState = SplashScreenState;
  Click(400, 300);
  EXPECT_EQ(game->screen.gameState, SplashScreenState);
}

TEST_F(ShellScenario, HoveringAnItemPlaysOnceAndSilentBoxesStaySilent) {
  uint64_t before = Plays();
  TrackMenuPointerAt(*game, 400, 350);  // item 1
  TrackMenuPointerAt(*game, 395, 345);
  TrackMenuPointerAt(*game, 700, 50);  // over nothing: the highlight stays
  EXPECT_EQ(game->screen.menuHighlight, 1);
  EXPECT_EQ(Plays(), before + 1);

  AddPlayers(2);
  game->screen.gameState = PlayersScreen;
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
