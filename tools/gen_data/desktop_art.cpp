#include "desktop_art.h"

#include <algorithm>
#include <cmath>

#include "atlas_layout.h"

namespace gen {
namespace {

constexpr float kPi = 3.14159265358979f;

Color Sample(const Image& img, float x, float y) {
  x = std::clamp(x, 0.0f, img.width - 1.001f), y = std::clamp(y, 0.0f, img.height - 1.001f);
  const int ix = int(x), iy = int(y);
  const float fx = x - ix, fy = y - iy;
  Color top = Mix(img.At(ix, iy), img.At(ix + 1, iy), fx);
  Color bottom = Mix(img.At(ix, iy + 1), img.At(ix + 1, iy + 1), fx);
  return Mix(top, bottom, fy);
}

// The tile's texel at (s, t) in 0..1, kept a texel in from its edges.
Color TileTexel(const Image& atlas, Tile tile, float s, float t) {
  return Sample(atlas, tile.col * kTilePixels + 1 + s * (kTilePixels - 3),
                tile.row * kTilePixels + 1 + t * (kTilePixels - 3));
}

// The tile stretched over a square cell.
void DrawTile(Image& img, const Image& atlas, Tile tile, float x0, float y0, float size) {
  Shade(img, {int(x0), int(y0), int(x0 + size), int(y0 + size)},
        [&](float x, float y) { return TileTexel(atlas, tile, (x - x0) / size, (y - y0) / size); });
}

// The ball: its marble tile wrapped round a sphere lit from the top left.
void DrawBall(Image& img, const Image& atlas, float cx, float cy, float r) {
  FillCircle(img, cx + r * 0.18f, cy + r * 0.22f, r, Rgb(0x000000, 0.35f));
  Shade(img, {int(cx - r - 1), int(cy - r - 1), int(cx + r + 2), int(cy + r + 2)}, [&](float x, float y) {
    const float nx = (x - cx) / r, ny = (y - cy) / r, d2 = nx * nx + ny * ny;
    if (d2 >= 1.0f) return Color{};
    const float nz = std::sqrt(1 - d2);
    const float u = 0.5f + std::atan2(nx, nz) / (2 * kPi), v = 0.5f + std::asin(ny) / kPi;
    Color c = TileTexel(atlas, kBallTile, u * 2 - std::floor(u * 2), v);
    const float light = std::max(0.0f, -0.45f * nx - 0.55f * ny + 0.7f * nz);
    c = Scale(c, 0.35f + 0.8f * light);
    c = Mix(c, Rgb(0xFFFFFF), std::pow(light, 24.0f));
    c.a = Clamp01((1 - std::sqrt(d2)) * r + 0.5f);  // a smooth rim
    return c;
  });
}

// A Reflector standing on the "/" diagonal of a cell, in its tile's colours.
void DrawReflector(Image& img, float cx, float cy, float half, float width) {
  FillLine(img, cx - half + 4, cy + half + 6, cx + half + 4, cy - half + 6, width, Rgb(0x000000, 0.3f));
  FillLine(img, cx - half, cy + half, cx + half, cy - half, width, Rgb(0x2A78E0));
  FillLine(img, cx - half, cy + half, cx + half, cy - half, width * 0.55f, Rgb(0x8FF3FF));
  FillLine(img, cx - half * 0.8f, cy + half * 0.8f, cx + half * 0.2f, cy - half * 0.2f, width * 0.2f,
           Rgb(0xFFFFFF, 0.8f));
}

// Each output pixel the mean of the pixels it covers, weighted by alpha.
Image Shrink(const Image& big, int size) {
  Image out(size, size);
  const float step = float(big.width) / size;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      Color sum{};
      int n = 0;
      for (int j = int(y * step); j < int((y + 1) * step); ++j)
        for (int i = int(x * step); i < int((x + 1) * step); ++i, ++n) {
          const Color& c = big.At(i, j);
          sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
        }
      if (sum.a > 0) out.At(x, y) = {sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n};
    }
  return out;
}

}  // namespace

Image MakeIcon(const Image& atlas, int size) {
  Image floor(256, 256), icon(256, 256);
  DrawTile(floor, atlas, kFloorTile, 0, 0, 256);
  Image mask(256, 256);
  FillRoundRect(mask, 10, 10, 246, 246, 44, Rgb(0xFFFFFF));
  for (size_t i = 0; i < icon.pixels.size(); ++i)
    icon.pixels[i] = WithAlpha(floor.pixels[i], mask.pixels[i].a);
  // The way the ball goes: right to the Reflector, then up.
  FillLine(icon, 60, 160, 170, 160, 10, Rgb(0xFFFFFF, 0.55f));
  FillArrow(icon, 170, 150, 170, 40, 14, Rgb(0xFFF4C0, 0.95f));
  DrawReflector(icon, 170, 160, 44, 26);
  DrawBall(icon, atlas, 72, 160, 46);
  return size == icon.width ? icon : Shrink(icon, size);
}

Image MakeScreenshot(const Image& atlas, const Image& clouds, const std::vector<std::string>& grid) {
  Image shot(1280, 720);
  const Color zenith = Rgb(0x3A78C8), horizon = Rgb(0xB1D0E8);
  Shade(shot, {0, 0, 1280, 720}, [&](float x, float y) {
    Color sky = Mix(zenith, horizon, y / 720.0f);
    const Color cloud = Sample(clouds, std::fmod(x * 0.6f, 511.0f), std::fmod(y * 0.6f, 511.0f));
    return Mix(sky, Rgb(0xFFFFFF), 0.45f * cloud.r * cloud.r);
  });
  size_t columns = 0;
  for (const std::string& line : grid) columns = std::max(columns, line.size());
  const float cell =
      std::min(520.0f / std::max<size_t>(grid.size(), 1), 1000.0f / std::max<size_t>(columns, 1));
  const float left = (1280 - cell * columns) / 2, top = 170;
  FillRoundRect(shot, left + 14, top + 18, left + cell * columns + 14, top + cell * grid.size() + 26, 12,
                Rgb(0x1F3A2A, 0.45f));
  float ballX = -1, ballY = -1;
  for (size_t row = 0; row < grid.size(); ++row)
    for (size_t col = 0; col < grid[row].size(); ++col) {
      const char ch = grid[row][col];
      const float x = left + col * cell, y = top + row * cell;
      if (ch == ' ' || ch == '~') continue;
      DrawTile(shot, atlas,
               ch == '#'   ? kWallTopTile
               : ch == 'O' ? kHoleTile
               : ch == 'B' ? kBrickTile
                           : kFloorTile,
               x, y, cell);
      if (ch == '*') FillCircle(shot, x + cell / 2, y + cell / 2, cell * 0.22f, Rgb(0xF2C14E));
      if (ch == 'S') ballX = x + cell / 2, ballY = y + cell / 2;
    }
  // The first Reflector of the level's solution, where the ball will turn.
  if (ballX >= 0) {
    DrawReflector(shot, ballX + 6 * cell, ballY, cell * 0.38f, cell * 0.22f);
    DrawBall(shot, atlas, ballX + 1.5f * cell, ballY, cell * 0.38f);
  }
  const PixelRect& logo = kLogoRect;
  const float scale = 2.0f;
  Shade(shot, {40, 24, int(40 + (logo.x1 - logo.x0) * scale), int(24 + (logo.y1 - logo.y0) * scale)},
        [&](float x, float y) {
          return Sample(atlas, logo.x0 + (x - 40) / scale, logo.y0 + (y - 24) / scale);
        });
  return shot;
}

}  // namespace gen
