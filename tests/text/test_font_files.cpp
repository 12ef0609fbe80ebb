#include "test_font_files.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "core/paths.h"

namespace nb::test {

void WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("cannot write " + path);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    throw std::runtime_error("libpng failed on " + path);
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 4);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

void WriteTestFont(const std::string& fntName, const std::string& pageName) {
  const int w = 64, h = 32;
  std::vector<uint8_t> rgba(static_cast<size_t>(w * h * 4), 0);
  auto fill = [&](int x0, int y0, int fw, int fh) {
    for (int y = y0; y < y0 + fh; ++y)
      for (int x = x0; x < x0 + fw; ++x)
        for (int c = 0; c < 4; ++c) rgba[static_cast<size_t>((y * w + x) * 4 + c)] = 255;
  };
  fill(0, 0, 8, 10);  // A
  fill(10, 0, 6, 5);  // top half of V
  WritePng(NativePath(pageName), w, h, rgba);
  std::ofstream fnt(NativePath(fntName));
  fnt << "info face=\"Test Face\" size=12 bold=0 italic=0 charset=\"\" unicode=0 stretchH=100 "
         "smooth=1 aa=1 padding=0,0,0,0 spacing=1,1\n"
         "common lineHeight=16 base=12 scaleW=64 scaleH=32 pages=1 packed=0\n"
         "page id=0 file=\""
      << pageName
      << "\"\n"
         "chars count=3\n"
         "char id=65 x=0 y=0 width=8 height=10 xoffset=1 yoffset=2 xadvance=10 page=0 chnl=15\n"
         "char id=86 x=10 y=0 width=6 height=10 xoffset=0 yoffset=2 xadvance=8 page=0 chnl=15\n"
         "char id=32 x=0 y=0 width=0 height=0 xoffset=0 yoffset=0 xadvance=5 page=0 chnl=15\n"
         "kernings count=1\n"
         "kerning first=65 second=86 amount=-2\n";
}

}  // namespace nb::test
