#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nb::test {

// Writes an 8-bit RGBA PNG (rows from the top) with libpng.
void WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

// A small generated font for drawing tests, written relative to the current
// directory as fntName with one page named pageName in the file (written
// where NativePath maps it), 64 x 32 texels:
//   'A' (65) at texels (0,0) 8 x 10, fully opaque white; xoffset 1,
//       yoffset 2, xadvance 10
//   'V' (86) at texels (10,0) 6 x 10, top 5 rows opaque, bottom 5 clear;
//       xoffset 0, yoffset 2, xadvance 8
//   ' ' (32) no rectangle, xadvance 5
// with lineHeight 16, and the kerning pair A V of -2.
// Every texel outside the glyph rectangles is transparent.
void WriteTestFont(const std::string& fntName = "test.fnt",
                   const std::string& pageName = "test_0.png");

}  // namespace nb::test
