#pragma once
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace gen {

struct Color {
  float r = 0, g = 0, b = 0, a = 0;
};
inline Color Rgb(int hex, float alpha = 1.0f) {
  return {((hex >> 16) & 255) / 255.0f, ((hex >> 8) & 255) / 255.0f, (hex & 255) / 255.0f, alpha};
}
inline Color Mix(Color a, Color b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}
inline Color Scale(Color c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
inline Color WithAlpha(Color c, float a) { return {c.r, c.g, c.b, a}; }
inline float Clamp01(float x) { return std::min(1.0f, std::max(0.0f, x)); }

// A picture with straight (not premultiplied) alpha; pixel (x, y) covers
// [x, x + 1) x [y, y + 1).
struct Image {
  int width = 0, height = 0;
  std::vector<Color> pixels;

  Image() = default;
  Image(int w, int h, Color fill = {}) : width(w), height(h), pixels(size_t(w) * h, fill) {}
  Color& At(int x, int y) { return pixels[size_t(y) * width + x]; }
  const Color& At(int x, int y) const { return pixels[size_t(y) * width + x]; }
  // Paints `c` over the pixel with the given coverage (0..1).
  void Blend(int x, int y, Color c, float coverage);
  // Copies `src` with its top-left corner at (x, y), painted over.
  void Draw(const Image& src, int x, int y);
};

// Shapes, antialiased from the distance to their edge. Coordinates in
// pixels; `clip` limits painting to a rectangle (x0, y0, x1, y1).
struct Rect {
  int x0, y0, x1, y1;
};
void FillRect(Image& img, float x0, float y0, float x1, float y1, Color c);
void FillRoundRect(Image& img, float x0, float y0, float x1, float y1, float radius, Color c);
void FillCircle(Image& img, float cx, float cy, float r, Color c);
void FillRing(Image& img, float cx, float cy, float r0, float r1, Color c);
void FillLine(Image& img, float x0, float y0, float x1, float y1, float width, Color c);
// `grow` widens (or with a negative value narrows) the shape by that many pixels.
void FillPolygon(Image& img, const std::vector<std::pair<float, float>>& points, Color c, float grow = 0.0f);
// An arrow from (x0, y0) to (x1, y1) with a head at the end.
void FillArrow(Image& img, float x0, float y0, float x1, float y1, float width, Color c);

// Paints f(x, y) (a colour with alpha, at the pixel centre) over every pixel
// of the rectangle.
template <class F>
void Shade(Image& img, Rect r, F f) {
  for (int y = std::max(0, r.y0); y < std::min(img.height, r.y1); ++y)
    for (int x = std::max(0, r.x0); x < std::min(img.width, r.x1); ++x) {
      Color c = f(x + 0.5f, y + 0.5f);
      img.Blend(x, y, c, 1.0f);
    }
}

// Writes 8-bit RGBA PNG (alpha kept) or RGB JPEG (alpha dropped). False on
// an I/O failure.
bool WritePng(const std::string& path, const Image& img, bool withAlpha = true);
bool WriteJpeg(const std::string& path, const Image& img, int quality);

}  // namespace gen
