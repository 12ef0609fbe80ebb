// The menu frame and the options page on the real OpenGL device: pixels read
// back from the window.
#include <gtest/gtest.h>

#include "shell/screens/menu_frame.h"
#include "shell/screens/menu_pages.h"
#include "shell/game.h"
#include "shell/run_frame.h"
#include "support/game_process.h"
#include "support/gl_test_device.h"
#include "support/scratch_dir.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

constexpr int kWidth = 800, kHeight = 600;

class MenuGl : public ::testing::Test {
 protected:
  void SetUp() override {
    test::TestGlDevice gl;
    ASSERT_TRUE(test::MakeTestGlDevice(gl, kWidth, kHeight)) << "no display (run under Xvfb)";
    test::InstallShippedGame(dir.path());
    game = std::make_unique<Game>();
    device = gl.device;
    game->render.device = std::move(gl.owned);
    game->render.adapter = std::move(gl.adapter);
    gl.device = nullptr;
    LoadResourceCatalogue(game->catalogue, game->store, game->camera, *device, kWidth, kHeight);
    LoadFonts(game->fonts, *device);
    Game& g = *game;
    LoadLocalizedTexts(game->texts, "en", kWidth, kHeight, [&g](const std::string& text, float& w, float& h) {
      TextSize size;
      if (g.fonts.LargeFont) MeasureText(*g.fonts.LargeFont, text.c_str(), &size);
      w = static_cast<float>(size.width);
      h = static_cast<float>(size.height);
    });
    LoadAnimations(game->animations);
    game->screen.gameState = GameState::MainMenu;
  }
  void TearDown() override {
    if (game) {
      DeleteFonts(game->fonts);
      game->render.device.reset();
      game->render.adapter.reset();
    }
  }

  // Pixels of the rectangle that differ from the background, or (background
  // 0) that are orange: red high, green middle, blue low.
  int Count(int x, int y, int w, int h, uint32_t background = 0) {
    int n = 0;
    for (uint32_t p : device->ReadPixels(x, y, w, h)) {
      int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      n += background ? (p & 0xFFFFFF) != (background & 0xFFFFFF) : r > 200 && g > 120 && g < 230 && b < 80;
    }
    return n;
  }
  void DrawOptions(uint32_t background) {
    device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, background, 1.0f, 0);
    ASSERT_TRUE(Succeeded(device->BeginScene()));
    DrawOptionsPage(*game, 255);
    device->EndScene();
  }

  test::ScratchDir dir;
  std::unique_ptr<Game> game;
  GlDevice* device = nullptr;
};

TEST_F(MenuGl, OptionsKnobsSitWhereTheVolumesPutThemAndTheRowShowsOrange) {
  const uint32_t blue = 0xFF204080;
  game->settings.musicVolume = 100;
  game->settings.soundVolume = 0;
  game->settings.masterVolume = 0;
  game->screen.optionsRow = 0;
  DrawOptions(blue);
  // Knob boxes: x from 405 + 1.85 v, 15 wide; y from the line - 5, 30 high.
  int musicAtFull = Count(590 + 3, 274 + 3, 9, 24, blue);
  int soundAtFull = Count(590 + 3, 314 + 3, 9, 24, blue);
  EXPECT_GT(musicAtFull, 100);
  EXPECT_GT(Count(405 + 3, 314 + 3, 9, 24, blue), 100);  // sound's knob at 0
  // The highlighted row's label (ending at 400) is orange, the others not.
  EXPECT_GT(Count(250, 268, 150, 36), 30);
  EXPECT_EQ(Count(250, 308, 150, 36), 0);

  game->settings.musicVolume = 0;
  game->screen.optionsRow = 1;
  DrawOptions(blue);
  // Only the bar is left under where the music knob was: fewer pixels change.
  EXPECT_LT(Count(590 + 3, 274 + 3, 9, 24, blue), musicAtFull);
  EXPECT_EQ(Count(590 + 3, 314 + 3, 9, 24, blue), soundAtFull);
  EXPECT_GT(Count(250, 308, 150, 36), 30);
  EXPECT_EQ(Count(250, 268, 150, 36), 0);
}

TEST_F(MenuGl, TheFirstMenuFrameIsAlmostBlackAndTheSixtyFirstIsNot) {
  const uint32_t white = 0xFFFFFFFF;
  GoToMainMenu(*game);
  device->Clear(ClearFlags::Target, white, 1.0f, 0);
  RunMenuFrame(*game);
  // 251 of 255 black over white: every channel at most 4 out of 255 where
  // nothing but the clear colour was.
  uint32_t corner = device->ReadPixel(kWidth - 5, kHeight - 5);
  EXPECT_LE(static_cast<int>(corner & 0xFF), 5);
  for (int frame = 2; frame <= 60; ++frame) RunMenuFrame(*game);
  device->Clear(ClearFlags::Target, white, 1.0f, 0);
  RunMenuFrame(*game);  // the 61st: no darkening left
  // The background sky shows at its own brightness (blue above 0x90).
  corner = device->ReadPixel(kWidth - 5, kHeight - 5);
  EXPECT_GT(static_cast<int>(corner & 0xFF), 0x90);
}

}  // namespace
}  // namespace nb
