#include "textures.h"

#include <cmath>

#include "atlas_layout.h"
#include "glyphs.h"
#include "noise.h"

namespace gen {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr int kNoWrap = 1 << 20;

Rect TileRect(Tile t) {
  return {t.col * kTilePixels, t.row * kTilePixels, (t.col + 1) * kTilePixels, (t.row + 1) * kTilePixels};
}

// A square slab: noisy surface, a bevel lit from the top left and a thin
// dark joint at the border.
void Slab(Image& img, Rect r, Color base, uint32_t seed, float bevel = 7.0f, float grain = 0.12f) {
  Shade(img, r, [&](float x, float y) {
    float lx = x - r.x0, ly = y - r.y0;
    float w = float(r.x1 - r.x0), h = float(r.y1 - r.y0);
    float n = Fbm(lx / 24.0f, ly / 24.0f, 4, kNoWrap, seed);
    float speck = HashUnit(uint32_t(x), uint32_t(y), seed + 7) > 0.985f ? -0.08f : 0.0f;
    Color c = Scale(base, 1.0f + grain * n + speck);
    float dl = lx, dt = ly, dr = w - lx, db = h - ly;
    float edge = std::min(std::min(dl, dr), std::min(dt, db));
    if (edge < 1.6f) return Scale(base, 0.35f);
    if (edge < bevel) {
      float light = (std::min(dl, dt) < std::min(dr, db)) ? 1.22f : 0.72f;
      c = Scale(c, 1.0f + (light - 1.0f) * (1.0f - (edge - 1.6f) / (bevel - 1.6f) * 0.6f));
    }
    return c;
  });
}

void Bricks(Image& img, Rect r, int hits, uint32_t seed) {
  Color brick = Rgb(0xB0482E), mortar = Rgb(0xD8CBB0);
  Shade(img, r, [&](float x, float y) {
    float lx = x - r.x0, ly = y - r.y0;
    int row = int(ly / 32.0f);
    float shift = (row % 2) ? 32.0f : 0.0f;
    float bx = std::fmod(lx + shift, 64.0f), by = std::fmod(ly, 32.0f);
    float edge = std::min(std::min(bx, 64 - bx), std::min(by, 32 - by));
    int id = int((lx + shift) / 64.0f) + row * 7;
    float tone = 0.85f + 0.3f * HashUnit(id, 3, seed);
    float n = Fbm(lx / 10.0f, ly / 10.0f, 3, kNoWrap, seed + 1);
    if (edge < 2.5f) return Scale(mortar, 0.9f + 0.1f * n);
    Color c = Scale(brick, tone * (1.0f + 0.12f * n));
    if (edge < 5.0f) c = Scale(c, by < 5.0f || bx < 5.0f ? 1.18f : 0.8f);
    return c;
  });
  // Cracks grow with the hits taken.
  Color crack = Rgb(0x2A120C);
  for (int k = 0; k < hits * 3; ++k) {
    float x = r.x0 + 20 + 88 * HashUnit(k, hits, seed + 11);
    float y = r.y0 + 20 + 88 * HashUnit(k, hits, seed + 12);
    float a = 2 * kPi * HashUnit(k, hits, seed + 13);
    for (int step = 0; step < 6 + 3 * hits; ++step) {
      a += (HashUnit(k, step, seed + 14) - 0.5f) * 1.4f;
      float nx = x + 7 * std::cos(a), ny = y + 7 * std::sin(a);
      nx = std::min(std::max(nx, float(r.x0 + 4)), float(r.x1 - 4));
      ny = std::min(std::max(ny, float(r.y0 + 4)), float(r.y1 - 4));
      FillLine(img, x, y, nx, ny, 2.2f - 0.12f * step, crack);
      x = nx, y = ny;
    }
  }
  if (hits >= 2) {  // chipped corners
    FillPolygon(img, {{float(r.x0), float(r.y0)}, {r.x0 + 22.0f, float(r.y0)}, {float(r.x0), r.y0 + 18.0f}},
                Scale(brick, 0.45f));
    FillPolygon(img, {{float(r.x1), float(r.y1)}, {r.x1 - 26.0f, float(r.y1)}, {float(r.x1), r.y1 - 20.0f}},
                Scale(brick, 0.45f));
  }
}

void Masonry(Image& img, Rect r, Color base, uint32_t seed) {
  Shade(img, r, [&](float x, float y) {
    float lx = x - r.x0, ly = y - r.y0;
    int row = int(ly / 42.67f);
    float shift = (row % 2) ? 21.0f : 0.0f;
    float bx = std::fmod(lx + shift, 42.67f), by = std::fmod(ly, 42.67f);
    float edge = std::min(std::min(bx, 42.67f - bx), std::min(by, 42.67f - by));
    int id = int((lx + shift) / 42.67f) + row * 5;
    float tone = 0.85f + 0.25f * HashUnit(id, 5, seed);
    float n = Fbm(lx / 14.0f, ly / 14.0f, 4, kNoWrap, seed + 3);
    if (edge < 2.0f) return Scale(base, 0.4f);
    Color c = Scale(base, tone * (1.0f + 0.15f * n));
    if (edge < 5.0f) c = Scale(c, (by < 5.0f || bx < 5.0f) ? 1.2f : 0.78f);
    return c;
  });
}

void Marker(Image& img, Rect r, bool mainDiagonal) {
  float x0 = r.x0 + 14.0f, y0 = r.y0 + 14.0f, x1 = r.x1 - 14.0f, y1 = r.y1 - 14.0f;
  FillRoundRect(img, r.x0 + 4.0f, r.y0 + 4.0f, r.x1 - 4.0f, r.y1 - 4.0f, 10, Rgb(0xFFFFFF, 0.16f));
  // Corner brackets.
  Color frame = Rgb(0xFFF4C0, 0.85f);
  for (int cx = 0; cx < 2; ++cx)
    for (int cy = 0; cy < 2; ++cy) {
      float x = cx ? r.x1 - 8.0f : r.x0 + 8.0f, y = cy ? r.y1 - 8.0f : r.y0 + 8.0f;
      float dx = cx ? -24.0f : 24.0f, dy = cy ? -24.0f : 24.0f;
      FillLine(img, x, y, x + dx, y, 4, frame);
      FillLine(img, x, y, x, y + dy, 4, frame);
    }
  // The diagonal the click would place: a glow and a bright core.
  float ax = x0, ay = mainDiagonal ? y1 : y0, bx = x1, by = mainDiagonal ? y0 : y1;
  FillLine(img, ax, ay, bx, by, 26, Rgb(0x7FE8FF, 0.25f));
  FillLine(img, ax, ay, bx, by, 14, Rgb(0x9FF0FF, 0.55f));
  FillLine(img, ax, ay, bx, by, 6, Rgb(0xFFFFFF, 0.95f));
}

void Switch(Image& img, Rect r, bool pressed) {
  Slab(img, r, Rgb(0x9A9486), 41);
  float cx = (r.x0 + r.x1) / 2.0f, cy = (r.y0 + r.y1) / 2.0f;
  FillCircle(img, cx, cy, 42, Rgb(0x3A3A3A));
  FillRing(img, cx, cy, 38, 42, Rgb(0xC8C2B0));
  if (!pressed) {
    FillCircle(img, cx + 3, cy + 4, 32, Rgb(0x000000, 0.45f));
    FillCircle(img, cx, cy, 32, Rgb(0xC4261D));
    FillCircle(img, cx - 9, cy - 10, 14, Rgb(0xFF8A7A, 0.75f));
    FillCircle(img, cx - 12, cy - 13, 5, Rgb(0xFFFFFF, 0.8f));
  } else {
    FillCircle(img, cx, cy, 30, Rgb(0x1E7A2A));
    FillRing(img, cx, cy, 26, 30, Rgb(0x0C3812));
    FillCircle(img, cx + 5, cy + 6, 10, Rgb(0x6CE07A, 0.5f));
  }
}

void HoleTile(Image& img, Rect r) {
  Slab(img, r, Rgb(0xB9AC92), 51);
  float cx = (r.x0 + r.x1) / 2.0f, cy = (r.y0 + r.y1) / 2.0f;
  const float rim = 19.0f / 50.0f * 128.0f, bottom = 7.0f / 50.0f * 128.0f;
  Shade(img, {r.x0, r.y0, r.x1, r.y1}, [&](float x, float y) {
    float d = std::hypot(x - cx, y - cy);
    if (d > rim + 1.5f) return Color{};
    float t = Clamp01((d - bottom) / (rim - bottom));
    Color deep = Rgb(0x050302), wall = Rgb(0x4A3A2A);
    Color c = Mix(deep, wall, t * t);
    float n = Fbm(x / 6.0f, y / 6.0f, 2, kNoWrap, 53);
    c = Scale(c, 1.0f + 0.2f * n);
    float cover = Clamp01(rim + 1.5f - d);
    return WithAlpha(c, cover);
  });
  FillRing(img, cx, cy, rim - 1, rim + 3, Rgb(0x2A2018, 0.8f));
}

void Gate(Image& img, Rect r) {
  Slab(img, r, Rgb(0x5C6570), 61, 6, 0.08f);
  // Hazard stripes round the border.
  Shade(img, r, [&](float x, float y) {
    float lx = x - r.x0, ly = y - r.y0;
    float edge = std::min(std::min(lx, 128 - lx), std::min(ly, 128 - ly));
    if (edge < 3 || edge > 16) return Color{};
    bool yellow = std::fmod(lx + ly + 256.0f, 24.0f) < 12.0f;
    return yellow ? Rgb(0xF2C200) : Rgb(0x1C1C1C);
  });
  // Vertical bars and rivets.
  for (int i = 0; i < 4; ++i) {
    float x = r.x0 + 34.0f + i * 20.0f;
    FillRoundRect(img, x - 5, r.y0 + 22.0f, x + 5, r.y1 - 22.0f, 4, Rgb(0x2E343B));
    FillRoundRect(img, x - 3, r.y0 + 24.0f, x + 1, r.y1 - 24.0f, 2, Rgb(0x9AA6B2, 0.8f));
  }
  for (float x : {24.0f, 104.0f})
    for (float y : {24.0f, 104.0f}) {
      FillCircle(img, r.x0 + x, r.y0 + y, 4, Rgb(0x22262A));
      FillCircle(img, r.x0 + x - 1, r.y0 + y - 1, 2, Rgb(0xC0C8D0));
    }
}

void Valve(Image& img, Rect r) {
  Slab(img, r, Rgb(0x2F8F7C), 71, 6, 0.1f);
  float cy = (r.y0 + r.y1) / 2.0f;
  // Chevrons pointing left: the way the valve lets the ball through before
  // the pass turns it.
  for (int i = 0; i < 3; ++i) {
    float x = r.x0 + 30.0f + i * 30.0f;
    Color c = Rgb(0xE8FFF6, 0.9f - 0.2f * i);
    FillLine(img, x + 18, cy - 26, x, cy, 9, c);
    FillLine(img, x, cy, x + 18, cy + 26, 9, c);
  }
}

void Crate(Image& img, Rect r) {
  Color wood = Rgb(0xB07A3E);
  Shade(img, r, [&](float x, float y) {
    float lx = x - r.x0, ly = y - r.y0;
    float plank = std::fmod(ly, 25.6f);
    float grain = Fbm(lx / 40.0f, ly / 3.0f, 3, kNoWrap, 81 + int(ly / 25.6f));
    Color c = Scale(wood, 1.0f + 0.18f * grain);
    if (plank < 1.8f) c = Scale(wood, 0.45f);
    return c;
  });
  Color frame = Rgb(0x6A4420);
  FillRect(img, r.x0 + 0.0f, r.y0 + 0.0f, r.x1 + 0.0f, r.y0 + 14.0f, frame);
  FillRect(img, r.x0 + 0.0f, r.y1 - 14.0f, r.x1 + 0.0f, r.y1 + 0.0f, frame);
  FillRect(img, r.x0 + 0.0f, r.y0 + 0.0f, r.x0 + 14.0f, r.y1 + 0.0f, frame);
  FillRect(img, r.x1 - 14.0f, r.y0 + 0.0f, r.x1 + 0.0f, r.y1 + 0.0f, frame);
  FillLine(img, r.x0 + 10.0f, r.y1 - 10.0f, r.x1 - 10.0f, r.y0 + 10.0f, 14, frame);
  // Arrows: it can be pushed.
  float cx = (r.x0 + r.x1) / 2.0f, cy = (r.y0 + r.y1) / 2.0f;
  Color arrow = Rgb(0xF4E3B0, 0.9f);
  FillArrow(img, cx, cy, cx + 40, cy, 7, arrow);
  FillArrow(img, cx, cy, cx - 40, cy, 7, arrow);
  FillArrow(img, cx, cy, cx, cy + 40, 7, arrow);
  FillArrow(img, cx, cy, cx, cy - 40, 7, arrow);
  for (float x : {7.0f, 121.0f})
    for (float y : {7.0f, 121.0f}) FillCircle(img, r.x0 + x, r.y0 + y, 3, Rgb(0xD0C8B8));
}

void BallTile(Image& img, Rect r) {
  Shade(img, r, [&](float x, float y) {
    float lx = (x - r.x0) / 128.0f, ly = (y - r.y0) / 128.0f;
    // Marble swirls; periodic across u so the ball shows no seam.
    float n = Fbm(lx * 4, ly * 4, 4, 4, 91);
    float swirl = std::sin((lx * 4 + n * 1.8f) * 2 * kPi);
    Color c = Mix(Rgb(0x1B3F9E), Rgb(0xB9D4FF), 0.5f + 0.5f * swirl * swirl * swirl);
    // A white band round the middle shows the ball rolling.
    if (std::fabs(ly - 0.5f) < 0.06f) c = Mix(c, Rgb(0xFFFFFF), 0.85f);
    return c;
  });
}

void ReflectorTile(Image& img, Rect r) {
  Shade(img, r, [&](float x, float y) {
    float lx = (x - r.x0) / 128.0f, ly = (y - r.y0) / 128.0f;
    float edge = std::min(std::min(lx, 1 - lx), std::min(ly, 1 - ly));
    Color c = Mix(Rgb(0x8FF3FF), Rgb(0x2A78E0), ly);
    float sheen = std::exp(-std::pow((lx + ly - 0.7f) * 6.0f, 2.0f));
    c = Mix(c, Rgb(0xFFFFFF), 0.7f * sheen);
    if (edge < 0.08f) c = Mix(c, Rgb(0xFFFFFF), 0.6f);
    return c;
  });
}

std::u32string U(const char* ascii) {
  std::u32string s;
  for (const char* p = ascii; *p; ++p) s.push_back(static_cast<unsigned char>(*p));
  return s;
}

void Logo(Image& img, const FontFace& font) {
  const PixelRect& r = kLogoRect;
  std::u32string text = U("Nimbara");
  int width = MeasureString(font, text);
  float x = r.x0 + ((r.x1 - r.x0) - width) / 2.0f;
  float baseline = r.y0 + 58.0f;
  Image layer(img.width, img.height);
  // Dark outline and a soft drop shadow, then a warm gradient face.
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -3; dx <= 3; ++dx)
      if (dx * dx + dy * dy <= 10)
        DrawString(layer, font, text, x + dx + 2, baseline + dy + 3, Rgb(0x000000, 0.35f));
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx)
      if (dx * dx + dy * dy <= 5) DrawString(layer, font, text, x + dx, baseline + dy, Rgb(0x3A1A05));
  Image face(img.width, img.height);
  DrawString(face, font, text, x, baseline, Rgb(0xFFFFFF));
  for (int y = r.y0; y < r.y1; ++y)
    for (int xx = r.x0; xx < r.x1; ++xx) {
      Color& c = face.At(xx, y);
      if (c.a <= 0) continue;
      float t = float(y - r.y0) / (r.y1 - r.y0);
      Color g = t < 0.5f ? Mix(Rgb(0xFFF6B0), Rgb(0xFFC12E), t * 2)
                         : Mix(Rgb(0xFFA01E), Rgb(0xE0541A), (t - 0.5f) * 2);
      c = WithAlpha(g, c.a);
    }
  for (int y = r.y0; y < r.y1; ++y)
    for (int xx = r.x0; xx < r.x1; ++xx) {
      layer.Blend(xx, y, face.At(xx, y), 1.0f);
      img.Blend(xx, y, layer.At(xx, y), 1.0f);
    }
}

void Pointer(Image& img) {
  // An arrow with its tip on the sprite's top-left corner (the hot spot).
  const float x = kPointerRect.x0, y = kPointerRect.y0;
  std::vector<std::pair<float, float>> arrow = {{0, 0},         {0, 25},  {6, 19.5f}, {10.5f, 30},
                                                {14.5f, 28.3f}, {10, 18}, {17.5f, 18}};
  for (auto& p : arrow) p.first += x + 0.6f, p.second += y + 0.6f;
  FillPolygon(img, arrow, Rgb(0x101010), 0.6f);
  FillPolygon(img, arrow, Rgb(0xFFFFFF), -1.1f);
}

void Slider(Image& img) {
  const PixelRect& s = kSliderRect;
  FillRoundRect(img, s.x0 + 0.5f, s.y0 + 0.5f, s.x1 - 0.5f, s.y1 - 0.5f, 6, Rgb(0x6E6E6E));
  Shade(img, {s.x0, s.y0, s.x1, s.y1}, [&](float x, float y) {
    float t = (y - s.y0) / float(s.y1 - s.y0);
    float inside = std::min(std::min(x - s.x0, s.x1 - x), std::min(y - s.y0, s.y1 - y));
    if (inside < 3) return Color{};
    return WithAlpha(Mix(Rgb(0xA8A8A8), Rgb(0xFFFFFF), t), 1.0f);
  });
  const PixelRect& k = kKnobRect;
  FillRoundRect(img, k.x0 + 0.5f, k.y0 + 0.5f, k.x1 - 0.5f, k.y1 - 0.5f, 4, Rgb(0x5A5A5A));
  Shade(img, {k.x0 + 2, k.y0 + 2, k.x1 - 2, k.y1 - 2}, [&](float x, float) {
    float t = (x - k.x0) / float(k.x1 - k.x0);
    return Mix(Rgb(0xFFFFFF), Rgb(0xB8B8B8), t);
  });
  for (int i = 0; i < 3; ++i)
    FillLine(img, k.x0 + 4.0f, k.y0 + 8.5f + 4 * i, k.x1 - 4.0f, k.y0 + 8.5f + 4 * i, 1.2f, Rgb(0x707070));
}

void Strip(Image& img) {
  const PixelRect& s = kStripRect;
  Shade(img, {s.x0, s.y0, s.x1, s.y1}, [&](float, float y) {
    float t = (y - s.y0) / float(s.y1 - s.y0);
    return WithAlpha(Mix(Rgb(0x3B6EA8), Rgb(0x0E2440), t), 0.85f);
  });
  FillRect(img, s.x0 + 0.0f, s.y0 + 0.0f, s.x1 + 0.0f, s.y0 + 2.0f, Rgb(0xBFD8F5));
}

}  // namespace

Image MakeAtlas(const FontFace& logoFont) {
  Image img(kAtlasSize, kAtlasSize);
  Slab(img, TileRect(kFloorTile), Rgb(0xC9B99A), 1);
  for (int hits = 0; hits < 3; ++hits)
    Bricks(img, TileRect({kBrickTile.col + hits, kBrickTile.row}), hits, 21);
  Masonry(img, TileRect(kWallSideTile), Rgb(0x7A8796), 31);
  Marker(img, TileRect(kMarkerAntiTile), false);
  Marker(img, TileRect(kMarkerMainTile), true);
  Slab(img, TileRect(kWallTopTile), Rgb(0x8E9CAD), 33, 12, 0.16f);
  Switch(img, TileRect(kSwitchReleasedTile), false);
  Switch(img, TileRect(kSwitchPressedTile), true);
  HoleTile(img, TileRect(kHoleTile));
  Gate(img, TileRect(kGateTile));
  Valve(img, TileRect(kValveTile));
  Crate(img, TileRect(kMovableBrickTile));
  BallTile(img, TileRect(kBallTile));
  ReflectorTile(img, TileRect(kReflectorTile));
  Strip(img);
  Pointer(img);
  Slider(img);
  Logo(img, logoFont);
  return img;
}

Image MakeParticles() {
  Image img(256, 256, Color{1, 1, 1, 0});
  for (int frame = 1; frame <= 16; ++frame) {
    int k = frame - 1;
    Rect r{(k % 4) * 64, (k / 4) * 64, (k % 4) * 64 + 64, (k / 4) * 64 + 64};
    float cx = r.x0 + 32.0f, cy = r.y0 + 32.0f;
    for (int y = r.y0; y < r.y1; ++y)
      for (int x = r.x0; x < r.x1; ++x) {
        float dx = (x + 0.5f - cx) / 30.0f, dy = (y + 0.5f - cy) / 30.0f;
        float d = std::sqrt(dx * dx + dy * dy), a = std::atan2(dy, dx);
        float glow = std::exp(-d * d * 4.0f);
        float v = 0;
        switch (frame) {
          case 1:
          case 16: v = glow; break;
          case 2: v = std::exp(-d * d * 12.0f); break;
          case 3: v = 0.6f * glow + std::exp(-d * d * 40.0f); break;
          case 4: v = glow * (0.6f + 0.4f * Fbm(x / 8.0f, y / 8.0f, 3, kNoWrap, 5)); break;
          case 5:
          case 11: {  // four-point sparkle
            float arms = std::exp(-std::fabs(dx) * 30) + std::exp(-std::fabs(dy) * 30);
            v = arms * std::exp(-d * 2.5f) + 0.8f * std::exp(-d * d * 30.0f);
            if (frame == 11) v += 0.35f * glow;
            break;
          }
          case 6: {
            float star = std::pow(std::fabs(std::cos(a * 3)), 20.0f);
            v = star * std::exp(-d * 2.5f) + std::exp(-d * d * 25.0f);
            break;
          }
          case 7: {
            float ux = (dx + dy) * 0.7071f, uy = (dx - dy) * 0.7071f;
            v = (std::exp(-std::fabs(ux) * 25) + std::exp(-std::fabs(uy) * 25)) * std::exp(-d * 3.0f);
            break;
          }
          case 8:
          case 14: {  // a burst of streaks
            float streak = std::pow(std::fabs(std::cos(a * 6 + 0.3f)), 8.0f) *
                           (0.5f + 0.5f * HashUnit(uint32_t((a + kPi) * 12 / kPi), 1, 9));
            v = streak * std::exp(-d * 2.2f) + std::exp(-d * d * 18.0f);
            if (frame == 14) v += 0.7f * std::exp(-std::pow((d - 0.7f) * 10.0f, 2.0f));
            break;
          }
          case 9: v = std::exp(-std::pow((d - 0.75f) * 18.0f, 2.0f)); break;
          case 10: v = std::exp(-std::pow((d - 0.6f) * 6.0f, 2.0f)); break;
          case 12:
            v = std::exp(-std::pow((d - 0.8f) * 16.0f, 2.0f)) +
                0.7f * std::exp(-std::pow((d - 0.45f) * 16.0f, 2.0f));
            break;
          case 13: v = 0.7f * glow + 0.6f * std::exp(-std::pow((d - 0.7f) * 12.0f, 2.0f)); break;
          case 15: {
            for (int i = 0; i < 7; ++i) {
              float px = (HashUnit(i, 1, 15) - 0.5f) * 1.2f, py = (HashUnit(i, 2, 15) - 0.5f) * 1.2f;
              float e = (dx - px) * (dx - px) + (dy - py) * (dy - py);
              v += std::exp(-e * 60.0f);
            }
            break;
          }
        }
        // Every frame fades to nothing before its border.
        float fade = Clamp01((1.0f - d) * 4.0f);
        img.At(x, y).a = Clamp01(v * fade);
      }
  }
  return img;
}

Image MakeIslandTexture() {
  Image img(1024, 1024);
  const int grassEnd = int(kSunGrassV1 * 1024), fringeEnd = int(kSunFringeV1 * 1024);
  for (int y = 0; y < 1024; ++y)
    for (int x = 0; x < 1024; ++x) {
      float fx = x + 0.5f, fy = y + 0.5f;
      Color c;
      if (y < grassEnd) {
        float big = Fbm(fx / 128.0f, fy / 128.0f, 3, kNoWrap, 201);
        float fine = Fbm(fx / 6.0f, fy / 6.0f, 2, kNoWrap, 202);
        c = Mix(Rgb(0x3F7A24), Rgb(0x79B43A), 0.5f + 0.5f * big);
        c = Scale(c, 1.0f + 0.18f * fine);
        float flower = HashUnit(x / 3, y / 3, 203);
        if (flower > 0.9975f) c = HashUnit(x / 3, y / 3, 204) > 0.5f ? Rgb(0xFFF4A0) : Rgb(0xF0F0FF);
        c.a = 1.0f;
      } else if (y < fringeEnd) {
        // Blades hanging over the rim; their length varies along the strip,
        // which repeats every 1024 pixels.
        float t = float(y - grassEnd) / float(fringeEnd - grassEnd);
        float length = 0.45f + 0.3f * PeriodicNoise(fx / 16.0f, 64, 205) +
                       0.25f * (HashUnit(x % 1024 / 2, 0, 206) - 0.5f);
        float blade = 0.5f + 0.5f * std::sin(fx * 1.7f + 3.0f * PeriodicNoise(fx / 8.0f, 128, 207));
        float alpha = t < length ? 1.0f : 0.0f;
        if (t > 0.15f && blade < 0.25f) alpha *= Clamp01((length - t) * 8.0f);
        c = Mix(Rgb(0x4F8C2A), Rgb(0x23481A), t);
        c = Scale(c, 0.85f + 0.3f * blade);
        c.a = alpha;
      } else {
        float t = float(y - fringeEnd) / float(1024 - fringeEnd);
        float strata = std::sin((t * 18.0f + 1.5f * Fbm(fx / 64.0f, t * 4, 3, 16, 208)) * kPi);
        float n = Fbm(fx / 32.0f, fy / 32.0f, 4, 32, 209);
        c = Mix(Rgb(0x6B5A48), Rgb(0x9A8A76), 0.5f + 0.3f * strata + 0.2f * n);
        c = Mix(Rgb(0x4A3826), c, Clamp01(t * 8.0f));  // dark soil under the grass
        c = Scale(c, 1.0f - 0.35f * t);                // darker towards the tip
        c.a = 1.0f;
      }
      img.At(x, y) = c;
    }
  return img;
}

Image MakeClouds() {
  Image img(512, 512);
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 512; ++x) {
      float n = Fbm(x / 64.0f, y / 64.0f, 5, 8, 301);
      float v = Clamp01((n + 0.05f) * 2.2f);
      v = v * v * (3 - 2 * v);
      img.At(x, y) = Color{v, v, v * 1.0f, 1};
    }
  return img;
}

Image MakeSkybox() {
  const Color zenith = Rgb(0x3A78C8), horizon = Rgb(0xB1D0E8), below = Rgb(0x7FA3C4);
  // The unused corner takes the horizon's colour, so that the smaller mip
  // levels do not darken the edges of the faces beside it.
  Image img(1024, 512, horizon);
  const float sx = 0.55f, sy = 0.42f, sz = 0.72f;
  const float sl = std::sqrt(sx * sx + sy * sy + sz * sz);
  for (const SkyFace& f : kSkyFaces) {
    for (int j = 0; j < kSkyFace; ++j)
      for (int i = 0; i < kSkyFace; ++i) {
        float s = (i + 0.5f) / kSkyFace * 2 - 1, t = (j + 0.5f) / kSkyFace * 2 - 1;
        float dx = f.cx + s * f.rx + t * f.dx, dy = f.cy + s * f.ry + t * f.dy,
              dz = f.cz + s * f.rz + t * f.dz;
        float l = std::sqrt(dx * dx + dy * dy + dz * dz);
        dx /= l, dy /= l, dz /= l;
        Color c =
            dy > 0 ? Mix(horizon, zenith, std::pow(dy, 0.6f)) : Mix(horizon, below, std::pow(-dy, 0.5f));
        if (dy > 0.03f) {  // high thin clouds, thinning to the horizon
          float px = dx / dy * 1.5f, pz = dz / dy * 1.5f;
          float n = Fbm(px + 10, pz + 10, 4, kNoWrap, 401);
          float cloud = Clamp01((n + 0.1f) * 1.8f) * Clamp01((dy - 0.03f) * 4.0f);
          c = Mix(c, Rgb(0xFFFFFF), 0.75f * cloud);
        }
        float sun = (dx * sx + dy * sy + dz * sz) / sl;
        if (sun > 0) {
          c = Mix(c, Rgb(0xFFF3D6), 0.35f * std::pow(sun, 12.0f));
          c = Mix(c, Rgb(0xFFFFFF), std::pow(sun, 900.0f));
        }
        c.a = 1;
        img.At(f.col * kSkyFace + i, f.row * kSkyFace + j) = c;
      }
  }
  return img;
}

Image MakeSpheremap() {
  Image img(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) {
      float nx = (x + 0.5f) / 128.0f - 1, ny = 1 - (y + 0.5f) / 128.0f;
      float d2 = nx * nx + ny * ny;
      if (d2 > 1) {
        nx /= std::sqrt(d2), ny /= std::sqrt(d2);
        d2 = 1;
      }
      float nz = std::sqrt(1 - d2);
      // The reflected view direction picks the colour: bright sky above,
      // a pale horizon, dark ground, and two lights.
      float ry = 2 * nz * ny;
      float rx = 2 * nz * nx;
      float rz = 2 * nz * nz - 1;
      float v = ry > 0 ? 0.5f + 0.32f * std::pow(ry, 0.7f) : 0.5f - 0.35f * std::pow(-ry, 0.6f);
      float key = std::max(0.0f, (rx * -0.4f + ry * 0.6f + rz * 0.69f));
      v += 0.7f * std::pow(key, 40.0f);
      float fill = std::max(0.0f, (rx * 0.7f + ry * 0.2f + rz * 0.68f));
      v += 0.25f * std::pow(fill, 16.0f);
      float band = std::exp(-ry * ry * 60.0f) * 0.12f;
      Color c{Clamp01(v + band * 0.5f), Clamp01(v + band * 0.8f), Clamp01(v + band), 1};
      img.At(x, y) = c;
    }
  return img;
}

namespace {

// Copies a tile of the atlas into a square of `size` pixels (box filtered).
void PutTile(Image& dst, const Image& atlas, Tile tile, float x, float y, float size) {
  int s = int(size);
  float k = float(kTilePixels) / s;
  for (int j = 0; j < s; ++j)
    for (int i = 0; i < s; ++i) {
      Color sum{};
      int n = 0;
      for (int b = int(j * k); b < int((j + 1) * k); ++b)
        for (int a = int(i * k); a < int((i + 1) * k); ++a) {
          const Color& c = atlas.At(tile.col * kTilePixels + a, tile.row * kTilePixels + b);
          sum.r += c.r * c.a, sum.g += c.g * c.a, sum.b += c.b * c.a, sum.a += c.a;
          ++n;
        }
      if (sum.a <= 0) continue;
      Color c{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / n};
      dst.Blend(int(x) + i, int(y) + j, c, 1.0f);
    }
}

struct Picture {
  Image& img;
  const Image& atlas;
  int x0, y0, x1, y1;  // the column
  static constexpr float kCell = 34.0f;

  float CellX(int c) const { return (x0 + x1) / 2.0f + (c - 1.5f) * kCell; }
  float CellY(int r) const { return y0 + 12 + r * kCell; }
  void Cell(int c, int r, Tile t) const { PutTile(img, atlas, t, CellX(c), CellY(r), kCell); }
  void Floor(int c0, int c1, int r0, int r1) const {
    for (int r = r0; r <= r1; ++r)
      for (int c = c0; c <= c1; ++c) Cell(c, r, kFloorTile);
  }
  float Cx(int c) const { return CellX(c) + kCell / 2; }
  float Cy(int r) const { return CellY(r) + kCell / 2; }
  void Ball(float x, float y) const {
    FillCircle(img, x + 1.5f, y + 2, 9, Rgb(0x000000, 0.4f));
    FillCircle(img, x, y, 9, Rgb(0x2B55C8));
    FillCircle(img, x - 3, y - 3, 3.5f, Rgb(0xFFFFFF, 0.85f));
  }
  void Path(std::vector<std::pair<float, float>> pts) const {
    Color c = Rgb(0xFFE27A, 0.95f);
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
      if (i + 2 == pts.size())
        FillArrow(img, pts[i].first, pts[i].second, pts[i + 1].first, pts[i + 1].second, 4, c);
      else
        FillLine(img, pts[i].first, pts[i].second, pts[i + 1].first, pts[i + 1].second, 4, c);
    }
  }
  void Reflector(int c, int r, bool main) const {
    float x = CellX(c), y = CellY(r);
    float ax = x + 4, bx = x + kCell - 4;
    float ay = main ? y + kCell - 4 : y + 4, by = main ? y + 4 : y + kCell - 4;
    FillLine(img, ax, ay, bx, by, 7, Rgb(0x2A78E0));
    FillLine(img, ax, ay, bx, by, 3, Rgb(0xBFF6FF));
  }
  void Gem(float x, float y, float s = 10) const {
    FillPolygon(img,
                {{x - s, y - s * 0.3f},
                 {x - s * 0.5f, y - s * 0.8f},
                 {x + s * 0.5f, y - s * 0.8f},
                 {x + s, y - s * 0.3f},
                 {x, y + s}},
                Rgb(0x18C07A));
    FillPolygon(img, {{x - s * 0.5f, y - s * 0.3f}, {x + s * 0.5f, y - s * 0.3f}, {x, y + s * 0.7f}},
                Rgb(0x9BFFD4, 0.8f));
  }
  void Heart(float x, float y, float s) const {
    std::vector<std::pair<float, float>> p;
    for (int i = 0; i < 32; ++i) {
      float t = 2 * kPi * i / 32;
      float hx = 16 * std::pow(std::sin(t), 3.0f);
      float hy = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
      p.push_back({x + hx * s / 16, y - hy * s / 16});
    }
    FillPolygon(img, p, Rgb(0xE0243A));
  }
  void Clock(float x, float y, float r) const {
    FillCircle(img, x, y, r, Rgb(0xFFFFFF));
    FillRing(img, x, y, r - 2.5f, r, Rgb(0x303030));
    FillLine(img, x, y, x, y - r * 0.7f, 2.5f, Rgb(0x303030));
    FillLine(img, x, y, x + r * 0.5f, y + r * 0.2f, 2.5f, Rgb(0xC02020));
  }
  void Label(const FontFace& font, const char* text, float y, Color c = Rgb(0xFFFFFF)) const {
    std::u32string s = U(text);
    float w = float(MeasureString(font, s));
    DrawString(img, font, s, (x0 + x1) / 2.0f - w / 2, y, c);
  }
};

void Background(Image& img, int x0, int y0, int x1, int y1) {
  FillRoundRect(img, x0 + 0.5f, y0 + 0.5f, x1 - 0.5f, y1 - 0.5f, 8, Rgb(0x0F2440, 0.88f));
  FillRoundRect(img, x0 + 2.5f, y0 + 2.5f, x1 - 2.5f, y1 - 2.5f, 6, Rgb(0x1E4470, 0.9f));
}

// Reflectors: a click on a quarter of a free cell sets a diagonal; the same
// cell turned the other way, and the right button clears it.
void ReflectorsColumn(Picture& p, const FontFace& labelFont, bool leftButton) {
  p.Floor(0, 2, 0, 3);
  p.Reflector(1, 1, leftButton);
  p.Ball(p.Cx(1), p.Cy(3) + 4);
  p.Path({{p.Cx(1), p.Cy(3) - 6}, {p.Cx(1), p.Cy(1)}, {leftButton ? p.Cx(2) + 10 : p.Cx(0) - 10, p.Cy(1)}});
  // The mouse with the button lit.
  float mx = (p.x0 + p.x1) / 2.0f, my = 220;
  FillRoundRect(p.img, mx - 20, my - 28, mx + 20, my + 28, 18, Rgb(0xE8E8E8));
  if (leftButton)
    FillRoundRect(p.img, mx - 18, my - 26, mx - 1, my - 4, 8, Rgb(0xFFB020));
  else
    FillRoundRect(p.img, mx + 1, my - 26, mx + 18, my - 4, 8, Rgb(0xFF5040));
  FillLine(p.img, mx, my - 26, mx, my - 4, 1.5f, Rgb(0x606060));
  p.Label(labelFont, "6 x", 300);
  p.Reflector(2, 8, !leftButton);
}

void StonesAndTimeColumn(Picture& p, const FontFace& labelFont) {
  p.Floor(0, 2, 0, 3);
  p.Gem(p.Cx(0), p.Cy(0));
  p.Gem(p.Cx(2), p.Cy(1));
  p.Gem(p.Cx(1), p.Cy(3));
  p.Ball(p.Cx(1), p.Cy(2));
  p.Path({{p.Cx(1), p.Cy(2) + 10}, {p.Cx(1), p.Cy(3) - 12}});
  p.Clock((p.x0 + p.x1) / 2.0f, 210, 26);
  p.Gem((p.x0 + p.x1) / 2.0f - 22, 290, 12);
  p.Label(labelFont, "    10", 298, Rgb(0xFFE27A));
  p.Clock((p.x0 + p.x1) / 2.0f - 22, 340, 12);
  p.Label(labelFont, "    +1", 348, Rgb(0xFFE27A));
}

void HolesLivesAndBricksColumn(Picture& p, const FontFace& labelFont) {
  const float mid = (p.x0 + p.x1) / 2.0f;
  p.Floor(0, 2, 0, 2);
  p.Cell(1, 1, kHoleTile);
  p.Ball(p.Cx(1), p.Cy(0));
  p.Path({{p.Cx(1), p.Cy(0) + 10}, {p.Cx(1), p.Cy(1) - 4}});
  p.Heart(mid - 24, 130, 10);
  p.Heart(mid, 130, 10);
  p.Heart(mid + 24, 130, 10);
  FillLine(p.img, mid + 14, 120, mid + 34, 140, 4, Rgb(0xFFFFFF));
  for (int i = 0; i < 3; ++i) p.Cell(i, 5, {kBrickTile.col + i, kBrickTile.row});
  p.Path({{p.Cx(0) + 2, p.Cy(6) + 8}, {p.Cx(2), p.Cy(6) + 8}});
  p.Label(labelFont, "1  2  3", 360);
}

void ValvesGatesAndSwitchesColumn(Picture& p) {
  p.Floor(0, 2, 0, 2);
  p.Cell(1, 1, kValveTile);
  p.Ball(p.Cx(2), p.Cy(1));
  p.Path({{p.Cx(2) - 10, p.Cy(1)}, {p.Cx(0) - 8, p.Cy(1)}});
  p.Floor(0, 2, 5, 7);
  p.Cell(0, 6, kSwitchPressedTile);
  p.Cell(2, 6, kSwitchReleasedTile);
  p.Cell(1, 5, kGateTile);
  // The ball rolls onto the last released switch; the gate then sinks.
  p.Ball(p.Cx(2), p.Cy(7) + 6);
  p.Path({{p.Cx(2), p.Cy(7) - 4}, {p.Cx(2), p.Cy(6) + 12}});
}

void TeleportsMovableBricksAndBonusesColumn(Picture& p, const FontFace& labelFont) {
  Image& img = p.img;
  p.Floor(0, 2, 0, 2);
  FillRing(img, p.Cx(0), p.Cy(0), 9, 14, Rgb(0xC080FF));
  FillRing(img, p.Cx(2), p.Cy(2), 9, 14, Rgb(0xC080FF));
  FillLine(img, p.Cx(0) + 10, p.Cy(0) + 10, p.Cx(2) - 10, p.Cy(2) - 10, 2, Rgb(0xE0C0FF, 0.7f));
  p.Floor(0, 2, 4, 4);
  p.Cell(1, 4, kMovableBrickTile);
  p.Ball(p.Cx(0), p.Cy(4));
  FillArrow(img, p.Cx(1) + 4, p.Cy(4), p.Cx(2) + 8, p.Cy(4), 4, Rgb(0xFFE27A));
  float cx = (p.x0 + p.x1) / 2.0f;
  FillPolygon(img, {{cx - 30, 250}, {cx - 22, 234}, {cx - 14, 250}, {cx - 22, 266}}, Rgb(0xFFD040));
  p.Clock(cx, 250, 10);
  FillPolygon(img,
              {{cx + 24, 236},
               {cx + 16, 252},
               {cx + 23, 252},
               {cx + 18, 266},
               {cx + 31, 248},
               {cx + 24, 248},
               {cx + 30, 236}},
              Rgb(0xFFE040));
  p.Heart(cx - 12, 300, 9);
  FillArrow(img, cx + 22, 310, cx + 8, 290, 3, Rgb(0x80D0FF));
  FillArrow(img, cx + 8, 296, cx + 22, 316, 3, Rgb(0x80D0FF));
  p.Label(labelFont, "+50", 355, Rgb(0xFFE27A));
}

}  // namespace

Image MakeHelpTexture(const Image& atlas, const FontFace& labelFont) {
  Image img(1024, 1024);
  // Columns at u 0-0.112, 0.113-0.225 (the first page's two pictures),
  // 0.226-0.338, 0.339-0.452, 0.453-0.565, 0.566-0.678, v 0-0.365.
  const float us[6][2] = {{0, 0.112f},      {0.113f, 0.225f}, {0.226f, 0.338f},
                          {0.339f, 0.452f}, {0.453f, 0.565f}, {0.566f, 0.678f}};
  for (int col = 0; col < 6; ++col) {
    int x0 = int(std::ceil(us[col][0] * 1024)), x1 = int(std::floor(us[col][1] * 1024));
    int y0 = 0, y1 = int(std::floor(0.365f * 1024));
    Background(img, x0, y0, x1, y1);
    Picture p{img, atlas, x0, y0, x1, y1};
    switch (col) {
      case 0: ReflectorsColumn(p, labelFont, true); break;
      case 1: ReflectorsColumn(p, labelFont, false); break;
      case 2: StonesAndTimeColumn(p, labelFont); break;
      case 3: HolesLivesAndBricksColumn(p, labelFont); break;
      case 4: ValvesGatesAndSwitchesColumn(p); break;
      case 5: TeleportsMovableBricksAndBonusesColumn(p, labelFont); break;
    }
  }
  return img;
}

}  // namespace gen
