// The game in windows of other sizes on the real OpenGL device under Xvfb:
// the picture scaled between black bars and a click where an item shows
// choosing it; F12 saving the picture. Events go in as SDL events through
// the game's own input path.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "d3dhelpers/image_file.h"
#include "shell/input.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_pages.h"
#include "shell/screens/scene_fixture.h"
#include "shell/window_mode.h"

namespace nb {
namespace {

void Deliver(Game& game, SDL_Event event) {
  SDL_PushEvent(&event);
  for (InputEvent taken; TakeEvent(taken);) HandleInputEvent(game, taken);
}

bool Orange(uint32_t p) {
  const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  return r > 200 && g > 120 && g < 230 && b < 80;
}

// The main menu at full strength, Options lit.
void ShowMainMenu(Game& game) {
  game.screen.gameState = GameState::MainMenu;
  game.screen.menuHighlight = kMenuOptions;
  game.menus.fades[MenuMain] = 255;
  game.menus.fadeInCounter = 100;
  test::MenuFrame(game, {1000, -1, -1});
}

TEST(WindowGl, ThePictureFitsBetweenBlackBarsAndAClickWhereAnItemShowsChoosesIt) {
  test::GameOnDevice env{true};
  ASSERT_TRUE(env.ready) << "no display or device (run under Xvfb)";
  Game& game = *env.game;
  // 800 x 600 last: the shared window goes back to the size the other tests draw at.
  for (auto [w, h] : {std::pair{1000, 700}, {1280, 1024}, {800, 600}}) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    SetWindowMode(game.window, w, h, false);
    ShowMainMenu(game);
    const Letterbox box = GameLetterbox(game);
    const std::vector<uint32_t> window = env.Gl()->ReadWindowPixels(0, 0, w, h);
    ASSERT_EQ(window.size(), static_cast<size_t>(w) * h);
    int bar = 0, litBar = 0, picture = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool inside = x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
        const bool lit = (window[static_cast<size_t>(y) * w + x] & 0xFFFFFF) != 0;
        (inside ? picture : litBar) += lit;
        bar += !inside;
      }
    EXPECT_EQ(bar > 0, w != 800) << "bars only around a scaled picture";
    EXPECT_EQ(litBar, 0) << "of " << bar << " bar pixels";
    EXPECT_GT(picture, box.width * box.height / 2);

    // The lit item shows where the mapping puts it, and a click there chooses it.
    const Box item = MainMenuLayout(MenuLayoutOf(game))[kMenuOptions].box;
    const PixelPoint from = PictureToWindow(box, int(item.left), int(item.top));
    const PixelPoint to = PictureToWindow(box, int(item.right), int(item.bottom));
    int orange = 0;
    for (int y = from.y; y < to.y; ++y)
      for (int x = from.x; x < to.x; ++x) orange += Orange(window[static_cast<size_t>(y) * w + x]);
    EXPECT_GT(orange, 30);
    const PixelPoint at = PictureToWindow(box, int(item.MiddleX()), int(item.MiddleY()));
    SDL_Event click{};
    click.type = SDL_MOUSEBUTTONDOWN;
    click.button.button = SDL_BUTTON_LEFT;
    click.button.x = at.x;
    click.button.y = at.y;
    Deliver(game, click);
    EXPECT_EQ(game.screen.gameState, GameState::OptionsFromMenu);
  }
}

TEST(WindowGl, F12SavesThePictureIntoThePlayersFolderAndSaysSo) {
  test::GameOnDevice env{true};
  ASSERT_TRUE(env.ready) << "no display or device (run under Xvfb)";
  Game& game = *env.game;
  game.playerFolder = env.dir.File("player");
  ShowMainMenu(game);
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.sym = SDLK_F12;
  Deliver(game, key);

  std::vector<std::filesystem::path> shots;
  for (const auto& entry : std::filesystem::directory_iterator(game.playerFolder + "/screenshots"))
    shots.push_back(entry.path());
  ASSERT_EQ(shots.size(), 1u);
  EXPECT_TRUE(std::regex_match(shots[0].filename().string(), std::regex(R"(nimbara-\d{8}-\d{6}\.png)")));
  Image image;
  ASSERT_TRUE(LoadImageFile(shots[0].string(), image));
  ASSERT_EQ(std::pair(image.width, image.height), std::pair(800, 600));
  const std::vector<uint32_t> drawn = env.Gl()->ReadPixels(0, 0, 800, 600);
  size_t differ = 0;
  for (size_t i = 0; i < drawn.size(); ++i)
    differ += image.rgba[i * 4] != ((drawn[i] >> 16) & 0xFF) || image.rgba[i * 4 + 2] != (drawn[i] & 0xFF);
  EXPECT_EQ(differ, 0u);
  EXPECT_FALSE(game.texts.Text(TextId::ScreenshotSaved).empty());
  EXPECT_EQ(game.world.messages.slots[0].text, game.texts.Text(TextId::ScreenshotSaved));
}

}  // namespace
}  // namespace nb
