// What the menu pages draw, read back from the recording device: every item
// of every page where the page's layout puts its box, the highlighted one in
// orange; and the first menu frame darkened by the fade-in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/vertex_formats.h"
#include "shell/input.h"
#include "shell/run_frame.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_frame.h"
#include "shell/screens/menu_pages.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

// The boxes of runs of pixel-space draws in the colour (a text may span two
// font pages, joined), of texts or of the sprites on the atlas.
std::vector<Box> DrawnIn(const RecordingDevice& device, const Game& game, uint32_t colour,
                         bool sprites = false) {
  std::vector<Box> out;
  bool joining = false;
  const TextureHandle atlas = game.catalogue.Texture(TextureKey::Texture);
  for (const RecordingDevice::Draw& d : device.draws) {
    const TextureHandle t = d.texture;
    Box box = joining ? out.back() : Box{1e9f, 1e9f, -1e9f, -1e9f};
    uint32_t drawnIn = 0;
    VertexScreen v;
    for (size_t i = 0; i < d.vertexCount && (i + 1) * sizeof v <= d.vertexBytes.size(); ++i) {
      std::memcpy(&v, d.vertexBytes.data() + i * sizeof v, sizeof v);
      box = {std::min(box.left, v.x), std::min(box.top, v.y), std::max(box.right, v.x),
             std::max(box.bottom, v.y)};
      drawnIn = v.color;
    }
    const bool text = t.id != 0 && !(t == atlas) && !(t == game.catalogue.Texture(TextureKey::Helptexture));
    const bool match = d.fvf == kFvfScreen && drawnIn == colour && (sprites ? t == atlas : text);
    if (match && joining) out.back() = box;
    if (match && !joining) out.push_back(box);
    joining = match && !sprites;
  }
  return out;
}

TEST(MenuPagesDrawing, EveryPageDrawsEachItemInItsLayoutBoxAndTheHighlightedOneInOrange) {
  test::GameOnDevice env{false};
  ASSERT_TRUE(env.ready);
  Game& game = *env.game;
  RecordingDevice& device = *env.Recording();
  AddProfile(game.profiles, "Bob", 0, 1, 3);
  game.settings.musicVolume = 0;  // the knobs at both ends and between
  game.settings.soundVolume = 100;
  game.levelsPage.levels.resize(3);  // three open levels, a replay of the second
  game.levelsPage.levels[1].replay = true;
  game.levelsPage.open = 3;
  using enum GameState;
  const std::pair<GameState, void (*)(const Game&, int)> pages[] = {
      {GameCompletedScreen, DrawGameCompletedScreen},
      {StartGameScreen, DrawStartGamePage},
      {GameOverScreen, DrawGameOverScreen},
      {OptionsFromMenu, DrawOptionsPage},
      {PauseMenu, DrawPauseScreen},
      {NewGameScreen, DrawNewGamePage},
      {RecordsScreen, DrawRecordsPage},
      {PlayersScreen, DrawPlayersPage},
      {TimeUpScreen, DrawTimeUpScreen},
      {HelpFromMenu, DrawHelpPage},
      {ExitConfirm, DrawQuitPage},
      {InfoPage, DrawInfoPage},
      {LevelsScreen, DrawLevelsPage},
      {MainMenu, nullptr}};
  for (auto [state, draw] : pages) {
    const Screen& row = ScreenOf(state);
    ASSERT_TRUE(row.layout) << static_cast<int>(state);
    game.screen.gameState = state;
    const PageLayout layout = row.layout(MenuLayoutOf(game));
    for (const PageItem& lit : layout) {
      if (lit.knob || !lit.hover) continue;
      if (row.highlight) game.screen.*row.highlight = lit.value;  // else its one item is always lit
      device.draws.clear();
      game.menus.fadeInCounter = 100;
      game.menus.fades[MenuMain] = 255;
      draw ? draw(game, 255) : test::MenuFrame(game);
      for (const PageItem& item : layout) {
        const uint32_t colour = &item == &lit || !row.highlight ? kHighlightOrange : kItemWhite;
        auto inBox = [&](const Box& b) {  // a longer text than the box was made for fails
          return item.box.Contains(b.MiddleX(), b.MiddleY()) && b.left > item.box.left - 4 &&
                 b.right < item.box.right + 4;
        };
        const std::vector<Box> texts = DrawnIn(device, game, item.knob ? kItemWhite : colour, item.knob);
        auto onKnob = [&](const Box& b) {  // drawn on whole pixels
          return std::abs(b.left - item.box.left) <= 1 && std::abs(b.top - item.box.top) <= 1;
        };
        EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                                [&](const Box& b) { return item.knob ? onKnob(b) : inBox(b); }))
            << "screen " << static_cast<int>(state) << " item " << item.value << " lit " << lit.value;
      }
    }
  }
}

// The language row: Enter loads the next shipped language for the very next
// frame, round again, and settings.ini keeps the choice.
TEST(MenuPagesDrawing, TheLanguageRowCyclesTheShippedLanguagesAtOnceAndSettingsKeepIt) {
  test::GameOnDevice env{false};
  ASSERT_TRUE(env.ready);
  Game& game = *env.game;
  game.screen.gameState = GameState::OptionsFromMenu;
  game.screen.optionsRow = kRowLanguage;
  game.screen.menuHighlight = -1;  // the one orange text is the row's
  game.menus.fades[MenuOptions] = 255;
  std::vector<std::string> chosen;
  std::vector<float> drawnWidths;
  for (int k = 0; k < 3; ++k) {
    HandleInputEvent(game, {.type = InputEvent::Type::KeyDown, .key = Key::Enter, .text = {}});
    chosen.push_back(game.settings.language);
    env.Recording()->draws.clear();
    test::MenuFrame(game);
    const std::vector<Box> lit = DrawnIn(*env.Recording(), game, kHighlightOrange);
    ASSERT_EQ(lit.size(), 1u);
    drawnWidths.push_back(lit[0].right - lit[0].left);
    SettingsFile file{"data/textes_" + chosen.back() + ".ini"};
    EXPECT_EQ(game.texts.Text(TextId::Language), file.ReadString("textes", "name52", "-"));
    ASSERT_TRUE(WriteBackGeneralSettings(GameSettingsFile(game.folders.player), game.settings));
    EXPECT_EQ(ReadGeneralSettings(GameSettingsFile(game.folders.player)).language, chosen.back());
  }
  EXPECT_EQ(chosen, (std::vector<std::string>{"ru", "uk", "en"}));
  EXPECT_TRUE(drawnWidths[0] != drawnWidths[1] && drawnWidths[1] != drawnWidths[2])
      << "each frame its own text";
}

// The menu comes in from black: a black veil, nearly opaque at first, is gone after sixty frames.
TEST(MenuPagesDrawing, TheMenuFadesInFromBlackOverSixtyFrames) {
  test::GameOnDevice env{false};
  ASSERT_TRUE(env.ready);
  RecordingDevice& device = *env.Recording();
  GoToMainMenu(*env.game);
  auto veil = [&] {
    device.draws.clear();
    test::MenuFrame(*env.game);
    for (const RecordingDevice::Draw& d : device.draws) {
      VertexScreen v;
      if (d.fvf != kFvfScreen || d.texture.id != 0 || d.vertexBytes.size() < sizeof v) continue;
      std::memcpy(&v, d.vertexBytes.data(), sizeof v);
      if ((v.color & 0xFFFFFF) == 0 && d.vertexCount >= 4) return static_cast<int>(v.color >> 24);
    }
    return -1;
  };
  EXPECT_GT(veil(), 240);
  for (int frame = 2; frame < 60; ++frame) veil();
  EXPECT_EQ(veil(), 15);
  EXPECT_EQ(veil(), -1);
}

// The help pictures take memory only while a help page shows, in the menus
// as over the play screen, and its sprite draws with them.
TEST(HelpPictures, AreThereWhileAHelpPageShowsAndGoneAfterItFades) {
  test::GameOnDevice env{false};
  ASSERT_TRUE(env.ready);
  ASSERT_TRUE(env.Start(1));
  Game& game = *env.game;
  const auto help = [&] { return game.catalogue.Texture(TextureKey::Helptexture); };
  const struct {
    GameState page, back;
    void (*frame)(Game&, const FrameInput&);
  } cases[] = {{GameState::HelpFromMenu, GameState::MainMenu, test::MenuFrame},
               {GameState::HelpInPlay, GameState::Playing, test::PlayFrame}};
  for (const auto& c : cases) {
    EXPECT_FALSE(help()) << static_cast<int>(c.page);
    game.screen.gameState = c.page;
    env.Recording()->draws.clear();
    for (int i = 0; i < 5; ++i) c.frame(game, {});
    ASSERT_TRUE(help()) << static_cast<int>(c.page);
    EXPECT_TRUE(std::any_of(env.Recording()->draws.begin(), env.Recording()->draws.end(),
                            [&](const RecordingDevice::Draw& d) { return d.texture == help(); }));
    game.screen.gameState = c.back;
    for (int i = 0; i < 100; ++i) c.frame(game, {});
    EXPECT_FALSE(help()) << static_cast<int>(c.back);
  }
}

}  // namespace
}  // namespace nb
