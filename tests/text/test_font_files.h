#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nb::test {

// Writes an 8-bit RGBA PNG (rows from the top) with libpng.
void WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba);

// A small font (one 64 x 32 page, lineHeight 16, kerning A V -2): opaque
// white 'A' 8 x 10 (offset 1, 2; advance 10), 'V' 6 x 10 with only its top
// five rows opaque (offset 0, 2; advance 8), ' ' advancing 5.
void WriteTestFont(const std::string& fntName = "test.fnt", const std::string& pageName = "test_0.png");

}  // namespace nb::test
