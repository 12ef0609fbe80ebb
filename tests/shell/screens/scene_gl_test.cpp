// A frame of a shipped level on the real OpenGL device under Xvfb: the walls
// and floor, the ball, the stones and the head-up text each change the pixels
// where the camera puts them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "shell/screens/play_screen.h"
#include "shell/screens/scene_fixture.h"

namespace nb {
namespace {

using test::GameOnDevice;

int Distance(uint32_t a, uint32_t b) {
  int d = 0;
  for (int shift = 0; shift < 24; shift += 8)
    d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
  return d;
}

class SceneOnGl : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(env.ready) << "no display or device (run under Xvfb)";
    ASSERT_TRUE(env.Start(1));
    World& w = env.game->world;
    // The intro is over and the ball waits: the camera rests at the home view.
    SetCameraNow(env.game->camera, w.level.homeEye, w.level.homeTarget, 45);
    w.play.introFrames = 300;
    w.play.startSoundPlayed = true;
    w.play.introPhase = 3;
    w.ball.ready = true;
  }

  std::vector<uint32_t> Frame() {
    test::PlayFrame(*env.game, {123456, 2, 2});
    return env.Gl()->ReadPixels(0, 0, 800, 600);
  }
  // A frame with `slot` set to `value` for its duration.
  template <typename T>
  std::vector<uint32_t> FrameWith(T& slot, T value) {
    T saved = std::exchange(slot, std::move(value));
    std::vector<uint32_t> pixels = Frame();
    slot = std::move(saved);
    return pixels;
  }

  // Where a world point lands on the screen, in pixels from the top left.
  void Project(const Vec3& p, int& x, int& y) {
    const CameraState& cam = env.game->camera;
    Vec3 ndc = TransformCoord(p, MatrixMultiply(cam.view, cam.projection));
    x = static_cast<int>((ndc.x + 1) * 0.5f * 800);
    y = static_cast<int>((1 - ndc.y) * 0.5f * 600);
  }

  // Pixels within r of (x, y) that differ clearly between two frames.
  static int ChangedAround(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int x, int y,
                           int r) {
    int n = 0;
    for (int j = std::max(0, y - r); j <= std::min(599, y + r); ++j)
      for (int i = std::max(0, x - r); i <= std::min(799, x + r); ++i)
        n += Distance(a[j * 800 + i], b[j * 800 + i]) > 40;
    return n;
  }

  GameOnDevice env{true};
};

TEST_F(SceneOnGl, EachPartOfTheLevelShowsWhereTheCameraPutsIt) {
  Game& game = *env.game;
  LevelRecord& level = game.world.level;
  std::vector<uint32_t> full = Frame();
  full = Frame();

  // The stone, the ball (sunk: the world step places its matrix every frame),
  // a floor cell and the top of a corner wall of the level mesh.
  int stoneRow = -1, stoneCol = -1;
  for (int r = 0; r < level.rows; ++r)
    for (int c = 0; c < level.cols; ++c)
      if (level.cells[r][c].kind == Stone) stoneRow = r, stoneCol = c;
  ASSERT_GE(stoneRow, 0);
  int x, y;
  Project({50.0f * stoneRow, 10, 50.0f * stoneCol}, x, y);
  ASSERT_TRUE(x > 0 && x < 800 && y > 0 && y < 600);
  EXPECT_GT(ChangedAround(full, FrameWith<int32_t>(level.cells[stoneRow][stoneCol].kind, Floor), x, y, 4), 40)
      << "stone at " << x << ", " << y;
  const Matrix& ball = game.world.ball.world;
  Project({ball.m[3][0], ball.m[3][1], ball.m[3][2]}, x, y);
  EXPECT_GT(ChangedAround(full, FrameWith(game.world.ball.height, -5000), x, y, 4), 40)
      << "ball at " << x << ", " << y;
  std::vector<uint32_t> noLevel = FrameWith(game.levelMeshRecord, -1);
  Project({50.0f * 2, 0, 50.0f * 3}, x, y);
  EXPECT_GT(ChangedAround(full, noLevel, x, y, 4), 40) << "floor at " << x << ", " << y;
  Project({0, 50, 0}, x, y);
  EXPECT_GT(ChangedAround(full, noLevel, x, y, 3), 20) << "wall at " << x << ", " << y;

  std::vector<uint32_t> noText = FrameWith(game.fonts.LargeFont, std::unique_ptr<BitmapFont>{});
  std::vector<uint32_t> withText = Frame();
  EXPECT_GT(ChangedAround(withText, noText, 40, 12, 12), 30) << "the lives at the top left";
}

}  // namespace
}  // namespace nb
