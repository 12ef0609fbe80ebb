// The generated pictures: sizes the texture loader keeps as they are, and
// the atlas regions that the sprites and passes cut.
#include <gtest/gtest.h>

#include <cmath>

#include "data_files.h"

namespace nb {
namespace {

test::Picture Load(const std::string& file) {
  test::Picture p;
  EXPECT_TRUE(test::LoadPicture(test::GameFile("data/textures/" + file), p)) << file;
  return p;
}

bool PowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

// Fraction of pixels of a rectangle whose alpha is at least `min`.
float Covered(const test::Picture& p, int x0, int y0, int x1, int y1, int min = 128) {
  int n = 0, hit = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x, ++n) hit += p.At(x, y, 3) >= min;
  return n ? float(hit) / n : 0.0f;
}

TEST(TextureFiles, SizesArePowersOfTwoSoTheLoaderNeverRescales) {
  struct Expect {
    const char* file;
    int width, height, channels;
  };
  const Expect all[] = {{"Texture.png", 1024, 1024, 4}, {"particle.png", 256, 256, 4},
                        {"sun.png", 1024, 1024, 4},     {"clouds.jpg", 512, 512, 3},
                        {"skybox.png", 1024, 512, 4},   {"Spheremap.png", 256, 256, 4},
                        {"helptexture.png", 1024, 1024, 4}};
  for (const Expect& e : all) {
    test::Picture p = Load(e.file);
    EXPECT_EQ(p.width, e.width) << e.file;
    EXPECT_EQ(p.height, e.height) << e.file;
    EXPECT_EQ(p.channels, e.channels) << e.file;
    EXPECT_TRUE(PowerOfTwo(p.width) && PowerOfTwo(p.height)) << e.file;
  }
}

TEST(TextureFiles, AtlasHoldsEveryRegionTheScreensCut) {
  test::Picture atlas = Load("Texture.png");
  // The playfield tiles of the top two rows are opaque, except the two
  // placement markers, which are drawn blended over the floor.
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 8; ++col) {
      bool marker = row == 0 && (col == 5 || col == 6);
      float covered = Covered(atlas, col * 128 + 2, row * 128 + 2, col * 128 + 126, row * 128 + 126);
      if (marker)
        EXPECT_LT(covered, 0.5f) << "marker tile " << col;
      else
        EXPECT_GT(covered, 0.97f) << "tile " << col << "," << row;
    }
  // Each marker shows its own diagonal: "\" at u 0.625, "/" at u 0.75.
  auto alphaAt = [&](int tile, float s, float t) {
    return atlas.At(tile * 128 + int(s * 127), int(t * 127), 3);
  };
  EXPECT_GT(alphaAt(5, 0.3f, 0.3f), 200); EXPECT_LT(alphaAt(5, 0.7f, 0.3f), 120);
  EXPECT_GT(alphaAt(6, 0.7f, 0.3f), 200); EXPECT_LT(alphaAt(6, 0.3f, 0.3f), 120);
  // Brick tiles with 0, 1, 2 hits differ.
  auto tileSum = [&](int col) {
    long sum = 0;
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x) sum += atlas.At(col * 128 + x, y, 0);
    return sum;
  };
  EXPECT_GT(tileSum(1), tileSum(2));
  EXPECT_GT(tileSum(2), tileSum(3));
  // The logo fills its rectangle (0.013, 0.751)-(0.328, 0.823) and stays in it.
  EXPECT_GT(Covered(atlas, 13, 769, 336, 843), 0.2f);
  EXPECT_EQ(Covered(atlas, 20, 745, 336, 768, 1), 0.0f);  // the knob ends at x 19
  // The pointer's hot spot is its top-left corner.
  EXPECT_GT(atlas.At(4, 682, 3), 128);
  EXPECT_GT(Covered(atlas, 4, 682, 23, 715), 0.2f);
  // Slider bar and knob.
  EXPECT_GT(Covered(atlas, 0, 717, 210, 731), 0.9f);
  EXPECT_GT(Covered(atlas, 5, 735, 18, 760), 0.9f);
}

TEST(TextureFiles, ParticleFramesAreSeparateGlows) {
  test::Picture p = Load("particle.png");
  for (int frame = 0; frame < 16; ++frame) {
    int x0 = (frame % 4) * 64, y0 = (frame / 4) * 64;
    EXPECT_GT(Covered(p, x0, y0, x0 + 64, y0 + 64, 64), 0.005f) << "frame " << frame + 1;
    // Nothing on the frame's border, so no frame bleeds into the next.
    for (int i = 0; i < 64; ++i) {
      EXPECT_LT(p.At(x0 + i, y0, 3), 8) << frame + 1;
      EXPECT_LT(p.At(x0, y0 + i, 3), 8) << frame + 1;
    }
    // White: the particle's own colour comes from its vertices.
    EXPECT_EQ(p.At(x0 + 32, y0 + 32, 0), 255);
  }
}

TEST(TextureFiles, IslandTextureHasOpaqueGrassAHangingFringeAndRock) {
  test::Picture sun = Load("sun.png");
  EXPECT_GT(Covered(sun, 0, 0, 1024, 512), 0.999f);
  float fringe = Covered(sun, 0, 512, 1024, 640);
  EXPECT_GT(fringe, 0.2f); EXPECT_LT(fringe, 0.8f);
  EXPECT_GT(Covered(sun, 0, 640, 1024, 1024), 0.999f);
  // Grass is green.
  long r = 0, g = 0;
  for (int y = 0; y < 512; y += 7)
    for (int x = 0; x < 1024; x += 7) r += sun.At(x, y, 0), g += sun.At(x, y, 1);
  EXPECT_GT(g, r);
}

TEST(TextureFiles, HelpPicturesFillTheirColumns) {
  test::Picture help = Load("helptexture.png");
  const float columns[6][2] = {{0, 0.112f}, {0.113f, 0.225f}, {0.226f, 0.338f},
                               {0.339f, 0.452f}, {0.453f, 0.565f}, {0.566f, 0.678f}};
  int height = int(0.365f * 1024);
  std::vector<std::vector<uint8_t>> pictures;
  for (const auto& c : columns) {
    int x0 = int(std::ceil(c[0] * 1024)) + 2, x1 = int(c[1] * 1024) - 2;
    EXPECT_GT(Covered(help, x0, 2, x1, height - 2), 0.95f);
    std::vector<uint8_t> px;
    for (int y = 0; y < height; ++y)
      for (int x = x0; x < x1; ++x) px.push_back(help.At(x, y, 0));
    pictures.push_back(px);
  }
  for (size_t a = 0; a < pictures.size(); ++a)
    for (size_t b = a + 1; b < pictures.size(); ++b) EXPECT_NE(pictures[a], pictures[b]) << a << " " << b;
}

TEST(TextureFiles, CloudsAreLightOnBlackAndSeamless) {
  test::Picture c = Load("clouds.jpg");
  long sum = 0, dark = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      sum += c.At(x, y, 0);
      dark += c.At(x, y, 0) < 24;
    }
  EXPECT_GT(dark, c.width * c.height / 5) << "gaps between clouds";
  EXPECT_GT(sum, 20L * c.width * c.height) << "some clouds";
  // The texture repeats: opposite edges match.
  long edge = 0;
  for (int i = 0; i < c.width; ++i) edge += std::abs(int(c.At(i, 0, 0)) - int(c.At(i, c.height - 1, 0)));
  EXPECT_LT(edge / c.width, 16);
}

}  // namespace
}  // namespace nb
