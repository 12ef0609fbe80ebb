// The game in windows of other sizes on the real OpenGL device under Xvfb:
// the picture scaled between black bars, a click where an item shows choosing
// it, F12 saving the picture. Events go in as SDL events.
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

// An SDL event through the game's own input path.
void Deliver(Game& game, SDL_Event event) {
  SDL_PushEvent(&event);
  for (InputEvent taken; TakeEvent(taken);) HandleInputEvent(game, taken);
}

// The one file in the folder, decoded by the game's own reader.
Image OnlyPicture(const std::string& folder) {
  Image image;
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    EXPECT_TRUE(
        std::regex_match(entry.path().filename().string(), std::regex(R"(nimbara-\d{8}-\d{6}\.png)")));
    EXPECT_TRUE(LoadImageFile(entry.path().string(), image) && ++files == 1);
  }
  return image;
}

TEST(WindowGl, ThePictureFitsBetweenBlackBarsAClickWhereAnItemShowsChoosesItAndF12SavesIt) {
  test::GameOnDevice env{true};
  ASSERT_TRUE(env.ready) << "no display or device (run under Xvfb)";
  Game& game = *env.game;
  game.folders.player = env.dir.File("player");
  // 800 x 600 last: the shared window goes back to the size the other tests draw at.
  for (auto [w, h] : {std::pair{1280, 1024}, {1000, 700}, {800, 600}}) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    SetWindowMode(game.window, w, h, false);
    game.screen.gameState = GameState::MainMenu;  // at full strength, Options lit
    game.screen.menuHighlight = kMenuOptions;
    game.menus.fades[MenuMain] = 255;
    game.menus.fadeInCounter = 100;
    test::MenuFrame(game, {1000, -1, -1});
    const Letterbox box = GameLetterbox(game);
    const std::vector<uint32_t> window = env.Gl()->ReadWindowPixels(0, 0, w, h);
    ASSERT_EQ(window.size(), static_cast<size_t>(w) * h);
    // Pixels lit in the bars and in the picture, and orange ones where the mapping puts the lit item.
    const Box item = MainMenuLayout(MenuLayoutOf(game))[kMenuOptions].box;
    const PixelPoint from = PictureToWindow(box, int(item.left), int(item.top));
    const PixelPoint to = PictureToWindow(box, int(item.right), int(item.bottom));
    int bar = 0, litBar = 0, picture = 0, orange = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool inside = x >= box.x && x < box.x + box.width && y >= box.y && y < box.y + box.height;
        const uint32_t p = window[static_cast<size_t>(y) * w + x];
        (inside ? picture : litBar) += (p & 0xFFFFFF) != 0;
        bar += !inside;
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        orange +=
            x >= from.x && x < to.x && y >= from.y && y < to.y && r > 200 && g > 120 && g < 230 && b < 80;
      }
    EXPECT_EQ(bar > 0, w != 800) << "bars only around a scaled picture";
    EXPECT_EQ(litBar, 0) << "of " << bar << " bar pixels";
    EXPECT_GT(picture, box.width * box.height / 2);
    EXPECT_GT(orange, 30);

    if (w == 1280) {  // F12 saves the picture at its own size, whatever the window's
      SDL_Event key{};
      key.type = SDL_KEYDOWN;
      key.key.keysym.sym = SDLK_F12;
      Deliver(game, key);
      const Image saved = OnlyPicture(game.folders.player + "/screenshots");
      ASSERT_EQ(std::pair(saved.width, saved.height), std::pair(800, 600));
      const std::vector<uint32_t> drawn = env.Gl()->ReadPixels(0, 0, 800, 600);
      size_t differ = 0;
      for (size_t i = 0; i < drawn.size(); ++i)
        differ +=
            saved.rgba[i * 4] != ((drawn[i] >> 16) & 0xFF) || saved.rgba[i * 4 + 2] != (drawn[i] & 0xFF);
      EXPECT_EQ(differ, 0u);
      EXPECT_FALSE(game.texts.Text(TextId::ScreenshotSaved).empty());
      EXPECT_EQ(game.world.messages.slots[0].text, game.texts.Text(TextId::ScreenshotSaved));
    }
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

}  // namespace
}  // namespace nb
