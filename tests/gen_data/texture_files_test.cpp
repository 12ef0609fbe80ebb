// The generated pictures, decoded by the game's image reader: sizes the
// texture loader keeps as they are, and the atlas regions that the sprites
// and passes cut.
#include <gtest/gtest.h>

#include <cmath>

#include "data_files.h"
#include "core/settings_file.h"

namespace nb {
namespace {

using test::At;

Image Load(const std::string& file) { return test::LoadPicture("data/textures/" + file); }

// Fraction of pixels of a rectangle whose alpha is at least `min`.
float Covered(const Image& p, int x0, int y0, int x1, int y1, int min = 128) {
  int n = 0, hit = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x, ++n) hit += At(p, x, y, 3) >= min;
  return n ? float(hit) / n : 0.0f;
}

// Every texture the catalogue names: powers of two, so the loader never
// rescales, and the clouds go through the JPEG decoder.
TEST(TextureFiles, CatalogueTexturesHaveTheirSizesAndKinds) {
  const struct {
    const char* key;
    int width, height;
    bool jpeg;
  } all[] = {{"Texture", 1024, 1024, false}, {"particle", 256, 256, false}, {"sun", 1024, 1024, false},
             {"clouds", 512, 512, true},     {"skybox", 1024, 512, false},  {"Spheremap", 256, 256, false},
             {"helptexture", 1024, 1024, false}};
  SettingsFile settings{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
  for (const auto& e : all) {
    std::string path = settings.ReadString("Textures", e.key, "");
    ASSERT_FALSE(path.empty()) << e.key;
    Image p = test::LoadPicture(path);
    EXPECT_TRUE(p.width == e.width && p.height == e.height && test::IsJpeg(test::GameFile(path)) == e.jpeg) << e.key;
  }
}

TEST(TextureFiles, AtlasHoldsEveryRegionTheScreensCut) {
  Image atlas = Load("Texture.png");
  // The playfield tiles of the top two rows are opaque, except the two
  // placement markers, which are drawn blended over the floor.
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 8; ++col) {
      float covered = Covered(atlas, col * 128 + 2, row * 128 + 2, col * 128 + 126, row * 128 + 126);
      if (row == 0 && (col == 5 || col == 6))
        EXPECT_LT(covered, 0.5f) << "marker tile " << col;
      else
        EXPECT_GT(covered, 0.97f) << "tile " << col << "," << row;
    }
  // Each marker shows its own diagonal: "\" at u 0.625, "/" at u 0.75.
  auto alphaAt = [&](int tile, float s) { return At(atlas, tile * 128 + int(s * 127), int(0.3f * 127), 3); };
  EXPECT_TRUE(alphaAt(5, 0.3f) > 200 && alphaAt(5, 0.7f) < 120 && alphaAt(6, 0.7f) > 200 && alphaAt(6, 0.3f) < 120);
  // Brick tiles with 0, 1, 2 hits differ.
  auto tileSum = [&](int col) {
    long sum = 0;
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x) sum += At(atlas, col * 128 + x, y, 0);
    return sum;
  };
  EXPECT_TRUE(tileSum(1) > tileSum(2) && tileSum(2) > tileSum(3));
  // The logo fills its rectangle (0.013, 0.751)-(0.328, 0.823) and stays in it.
  EXPECT_GT(Covered(atlas, 13, 769, 336, 843), 0.2f);
  EXPECT_EQ(Covered(atlas, 20, 745, 336, 768, 1), 0.0f);  // the knob ends at x 19
  // The pointer's hot spot is its top-left corner; then the slider bar and knob.
  EXPECT_TRUE(At(atlas, 4, 682, 3) > 128 && Covered(atlas, 4, 682, 23, 715) > 0.2f);
  EXPECT_TRUE(Covered(atlas, 0, 717, 210, 731) > 0.9f && Covered(atlas, 5, 735, 18, 760) > 0.9f);
}

TEST(TextureFiles, ParticleFramesAreSeparateWhiteGlows) {
  Image p = Load("particle.png");
  for (int frame = 0; frame < 16; ++frame) {
    SCOPED_TRACE(frame + 1);
    int x0 = (frame % 4) * 64, y0 = (frame / 4) * 64;
    EXPECT_GT(Covered(p, x0, y0, x0 + 64, y0 + 64, 64), 0.005f);
    // Nothing on the frame's border, so no frame bleeds into the next.
    for (int i = 0; i < 64; ++i) EXPECT_TRUE(At(p, x0 + i, y0, 3) < 8 && At(p, x0, y0 + i, 3) < 8) << i;
    // White: the particle's own colour comes from its vertices.
    EXPECT_EQ(At(p, x0 + 32, y0 + 32, 0), 255);
  }
}

TEST(TextureFiles, IslandTextureHasOpaqueGrassAHangingFringeAndRock) {
  Image sun = Load("sun.png");
  float fringe = Covered(sun, 0, 512, 1024, 640);
  EXPECT_TRUE(fringe > 0.2f && fringe < 0.8f) << fringe;
  EXPECT_TRUE(Covered(sun, 0, 0, 1024, 512) > 0.999f && Covered(sun, 0, 640, 1024, 1024) > 0.999f);
  long r = 0, g = 0;
  for (int y = 0; y < 512; y += 7)
    for (int x = 0; x < 1024; x += 7) r += At(sun, x, y, 0), g += At(sun, x, y, 1);
  EXPECT_GT(g, r) << "grass is green";
}

TEST(TextureFiles, HelpPicturesFillTheirColumnsAndDiffer) {
  Image help = Load("helptexture.png");
  const float columns[6][2] = {{0, 0.112f},       {0.113f, 0.225f}, {0.226f, 0.338f},
                               {0.339f, 0.452f}, {0.453f, 0.565f}, {0.566f, 0.678f}};
  int height = int(0.365f * 1024);
  std::vector<std::vector<uint8_t>> pictures;
  for (const auto& c : columns) {
    int x0 = int(std::ceil(c[0] * 1024)) + 2, x1 = int(c[1] * 1024) - 2;
    EXPECT_GT(Covered(help, x0, 2, x1, height - 2), 0.95f) << c[0];
    std::vector<uint8_t> px;
    for (int y = 0; y < height; ++y)
      for (int x = x0; x < x1; ++x) px.push_back(At(help, x, y, 0));
    pictures.push_back(px);
  }
  for (size_t a = 0; a < pictures.size(); ++a)
    for (size_t b = a + 1; b < pictures.size(); ++b) EXPECT_NE(pictures[a], pictures[b]) << a << " " << b;
}

TEST(TextureFiles, CloudsAreLightOnBlackAndSeamless) {
  Image c = Load("clouds.jpg");
  long sum = 0, dark = 0, edge = 0;
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) sum += At(c, x, y, 0), dark += At(c, x, y, 0) < 24;
  EXPECT_GT(dark, c.width * c.height / 5) << "gaps between clouds";
  EXPECT_GT(sum, 20L * c.width * c.height) << "some clouds";
  // The texture repeats: opposite edges match.
  for (int i = 0; i < c.width; ++i) edge += std::abs(int(At(c, i, 0, 0)) - int(At(c, i, c.height - 1, 0)));
  EXPECT_LT(edge / c.width, 16);
}

}  // namespace
}  // namespace nb
