// The options page on the real OpenGL device: pixels read back from the window.
#include <gtest/gtest.h>

#include "shell/screens/menu_pages.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

TEST(MenuGl, OptionsKnobsSitWhereTheVolumesPutThemAndTheRowShowsOrange) {
  test::GameOnDevice env{true};
  ASSERT_TRUE(env.ready) << "no display or device (run under Xvfb)";
  Game& game = *env.game;
  GlDevice& device = *env.Gl();
  const uint32_t blue = 0xFF204080;
  // Pixels of the rectangle that differ from the background, or (background
  // 0) that are orange: red high, green middle, blue low.
  auto count = [&](int x, int y, int w, int h, uint32_t background = 0) {
    int n = 0;
    for (uint32_t p : device.ReadPixels(x, y, w, h)) {
      int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
      n += background ? (p & 0xFFFFFF) != (background & 0xFFFFFF) : r > 200 && g > 120 && g < 230 && b < 80;
    }
    return n;
  };
  auto draw = [&](int musicVolume, int row) {
    game.settings.musicVolume = musicVolume;
    game.screen.optionsRow = row;
    device.Clear(ClearFlags::Target | ClearFlags::ZBuffer, blue, 1.0f, 0);
    ASSERT_TRUE(Succeeded(device.BeginScene()));
    DrawOptionsPage(game, 255);
    device.EndScene();
  };
  game.settings.soundVolume = 0;
  game.settings.masterVolume = 0;
  draw(100, kRowMusic);
  // Knob boxes: x from 405 + 1.85 v, 15 wide; y from the line - 5, 30 high.
  int musicAtFull = count(590 + 3, 274 + 3, 9, 24, blue);
  int soundAtFull = count(590 + 3, 314 + 3, 9, 24, blue);
  EXPECT_GT(musicAtFull, 100);
  EXPECT_GT(count(405 + 3, 314 + 3, 9, 24, blue), 100);  // sound's knob at 0
  // The highlighted row's label (ending at 400) is orange, the others not.
  EXPECT_GT(count(250, 268, 150, 36), 30);
  EXPECT_EQ(count(250, 308, 150, 36), 0);

  draw(0, kRowSound);
  // Only the bar is left under where the music knob was: fewer pixels change.
  EXPECT_LT(count(590 + 3, 274 + 3, 9, 24, blue), musicAtFull);
  EXPECT_EQ(count(590 + 3, 314 + 3, 9, 24, blue), soundAtFull);
  EXPECT_GT(count(250, 308, 150, 36), 30);
  EXPECT_EQ(count(250, 268, 150, 36), 0);
}

}  // namespace
}  // namespace nb
