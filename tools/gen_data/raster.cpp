#include "raster.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdint>
#include <cstdio>

namespace gen {

void Image::Blend(int x, int y, Color c, float coverage) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  float a = Clamp01(c.a * coverage);
  if (a <= 0) return;
  Color& d = At(x, y);
  float outA = a + d.a * (1 - a);
  if (outA <= 0) {
    d = {};
    return;
  }
  d.r = (c.r * a + d.r * d.a * (1 - a)) / outA;
  d.g = (c.g * a + d.g * d.a * (1 - a)) / outA;
  d.b = (c.b * a + d.b * d.a * (1 - a)) / outA;
  d.a = outA;
}

void Image::Draw(const Image& src, int x, int y) {
  for (int j = 0; j < src.height; ++j)
    for (int i = 0; i < src.width; ++i) {
      const Color& c = src.At(i, j);
      Blend(x + i, y + j, c, 1.0f);
    }
}

namespace {

// Calls paint(x, y, distance) for the pixels of the box grown by a pixel;
// the distance is signed, negative inside.
template <class D>
void FillByDistance(Image& img, float x0, float y0, float x1, float y1, Color c, D distance) {
  int ix0 = std::max(0, int(std::floor(x0)) - 1), iy0 = std::max(0, int(std::floor(y0)) - 1);
  int ix1 = std::min(img.width, int(std::ceil(x1)) + 1), iy1 = std::min(img.height, int(std::ceil(y1)) + 1);
  for (int y = iy0; y < iy1; ++y)
    for (int x = ix0; x < ix1; ++x) {
      float d = distance(x + 0.5f, y + 0.5f);
      float cover = Clamp01(0.5f - d);
      if (cover > 0) img.Blend(x, y, c, cover);
    }
}

float SegmentDistance(float px, float py, float x0, float y0, float x1, float y1) {
  float dx = x1 - x0, dy = y1 - y0;
  float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? Clamp01(((px - x0) * dx + (py - y0) * dy) / len2) : 0;
  float ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
  return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

void FillRect(Image& img, float x0, float y0, float x1, float y1, Color c) {
  FillByDistance(img, x0, y0, x1, y1, c, [&](float x, float y) {
    return std::max(std::max(x0 - x, x - x1), std::max(y0 - y, y - y1));
  });
}

void FillRoundRect(Image& img, float x0, float y0, float x1, float y1, float radius, Color c) {
  float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
  FillByDistance(img, x0, y0, x1, y1, c, [&](float x, float y) {
    float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
    float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
  });
}

void FillCircle(Image& img, float cx, float cy, float r, Color c) {
  FillByDistance(img, cx - r, cy - r, cx + r, cy + r, c,
                 [&](float x, float y) { return std::hypot(x - cx, y - cy) - r; });
}

void FillRing(Image& img, float cx, float cy, float r0, float r1, Color c) {
  float mid = (r0 + r1) / 2, half = (r1 - r0) / 2;
  FillByDistance(img, cx - r1, cy - r1, cx + r1, cy + r1, c,
                 [&](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - mid) - half; });
}

void FillLine(Image& img, float x0, float y0, float x1, float y1, float width, Color c) {
  float h = width / 2;
  FillByDistance(img, std::min(x0, x1) - h, std::min(y0, y1) - h, std::max(x0, x1) + h, std::max(y0, y1) + h,
                 c, [&](float x, float y) { return SegmentDistance(x, y, x0, y0, x1, y1) - h; });
}

void FillPolygon(Image& img, const std::vector<std::pair<float, float>>& pts, Color c, float grow) {
  if (pts.size() < 3) return;
  float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
  for (auto [x, y] : pts) {
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  size_t n = pts.size();
  float g = std::max(grow, 0.0f);
  FillByDistance(img, minX - g, minY - g, maxX + g, maxY + g, c, [&](float x, float y) {
    float best = 1e9f;
    bool inside = false;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      auto [xi, yi] = pts[i];
      auto [xj, yj] = pts[j];
      best = std::min(best, SegmentDistance(x, y, xi, yi, xj, yj));
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return (inside ? -best : best) - grow;
  });
}

void FillArrow(Image& img, float x0, float y0, float x1, float y1, float width, Color c) {
  float dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
  if (len <= 0) return;
  dx /= len, dy /= len;
  float head = width * 2.6f;
  float bx = x1 - dx * head, by = y1 - dy * head;
  FillLine(img, x0, y0, bx, by, width, c);
  FillPolygon(img,
              {{x1, y1},
               {bx - dy * head * 0.75f, by + dx * head * 0.75f},
               {bx + dy * head * 0.75f, by - dx * head * 0.75f}},
              c);
}

namespace {

uint8_t Byte(float v) { return static_cast<uint8_t>(std::lround(Clamp01(v) * 255.0f)); }

}  // namespace

bool WritePng(const std::string& path, const Image& img, bool withAlpha) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  int channels = withAlpha ? 4 : 3;
  png_set_IHDR(png, info, img.width, img.height, 8, withAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 6);
  png_write_info(png, info);
  std::vector<uint8_t> row(size_t(img.width) * channels);
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      const Color& c = img.At(x, y);
      uint8_t* p = &row[size_t(x) * channels];
      p[0] = Byte(c.r), p[1] = Byte(c.g), p[2] = Byte(c.b);
      if (withAlpha) p[3] = Byte(c.a);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

bool WriteJpeg(const std::string& path, const Image& img, int quality) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = img.width;
  cinfo.image_height = img.height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(img.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    int y = cinfo.next_scanline;
    for (int x = 0; x < img.width; ++x) {
      const Color& c = img.At(x, y);
      row[3 * x] = Byte(c.r), row[3 * x + 1] = Byte(c.g), row[3 * x + 2] = Byte(c.b);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(file) == 0;
}

}  // namespace gen
