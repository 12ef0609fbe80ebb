// What the menu pages draw, read back from the recording device: every item
// of every page where the page's layout puts its box, the highlighted one in
// orange; and the first menu frame darkened by the fade-in.
#include <gtest/gtest.h>

#include <cstring>

#include "core/vertex_formats.h"
#include "shell/run_frame.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_frame.h"
#include "shell/screens/menu_pages.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

// The screen-space rectangles drawn in the colour from font pages, one per draw.
std::vector<Box> TextsIn(const RecordingDevice& device, const Game& game, uint32_t colour) {
  std::vector<Box> out;
  for (const RecordingDevice::Draw& d : device.draws) {
    if (d.fvf != kFvfScreen || d.texture.id == 0 || d.texture == game.catalogue.Texture(TextureKey::Texture) ||
        d.texture == game.catalogue.Texture(TextureKey::Helptexture))
      continue;
    Box box{1e9f, 1e9f, -1e9f, -1e9f};
    uint32_t drawnIn = 0;
    for (size_t i = 0; i < std::min<size_t>(d.vertexCount, d.vertexBytes.size() / sizeof(VertexScreen)); ++i) {
      VertexScreen v;
      std::memcpy(&v, d.vertexBytes.data() + i * sizeof v, sizeof v);
      box = {std::min(box.left, v.x), std::min(box.top, v.y), std::max(box.right, v.x), std::max(box.bottom, v.y)};
      drawnIn = v.color;
    }
    if (drawnIn == colour) out.push_back(box);
  }
  return out;
}

TEST(MenuPagesDrawing, EveryPageDrawsEachItemInItsLayoutBoxAndTheHighlightedOneInOrange) {
  test::GameOnDevice env{false};
  ASSERT_TRUE(env.ready);
  Game& game = *env.game;
  RecordingDevice& device = *env.Recording();
  AddProfile(game.profiles, "Bob", 0, 1, 3);
  using enum GameState;
  const std::pair<GameState, void (*)(Game&, int)> pages[] = {
      {MainMenu, nullptr},           {InfoPage, DrawInfoPage},          {ExitConfirm, DrawQuitPage},
      {StartGameScreen, DrawStartGamePage}, {NewGameScreen, DrawNewGamePage}, {RecordsScreen, DrawRecordsPage},
      {PlayersScreen, DrawPlayersPage}, {PauseMenu, DrawPauseScreen},   {GameOverScreen, DrawGameOverScreen},
      {TimeUpScreen, DrawTimeUpScreen}, {GameCompletedScreen, DrawGameCompletedScreen},
      {OptionsFromMenu, DrawOptionsPage}, {HelpFromMenu, DrawHelpPage}};
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
      draw ? draw(game, 255) : RunMenuFrame(game);
      for (const PageItem& item : layout) {
        if (item.knob) continue;
        int found = 0;
        for (const Box& b : TextsIn(device, game, &item == &lit || !row.highlight ? kHighlightOrange : kItemWhite))
          found += item.box.Contains(b.MiddleX(), b.MiddleY());
        EXPECT_GE(found, 1) << "screen " << static_cast<int>(state) << " item " << item.value << " lit "
                            << lit.value;
      }
    }
  }
}

// The menu comes in from black: the first frame ends with a black veil over
// the whole window, nearly opaque; sixty frames on it is gone.
TEST(MenuPagesDrawing, TheMenuFadesInFromBlackOverSixtyFrames) {
  test::GameOnDevice env{false};
  ASSERT_TRUE(env.ready);
  RecordingDevice& device = *env.Recording();
  GoToMainMenu(*env.game);
  auto veil = [&] {
    device.draws.clear();
    RunMenuFrame(*env.game);
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

}  // namespace
}  // namespace nb
