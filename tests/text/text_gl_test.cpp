// Text drawn on the real OpenGL device (Xvfb, Mesa) from a font generated
// here: glyph pixels must land where the layout puts them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/gl_device.h"
#include "platform/window.h"
#include "support/gl_test_device.h"
#include "support/scratch_dir.h"
#include "test_font_files.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 100;

// The last column of a linearly filtered glyph takes a trace of its
// transparent neighbour; a glyph one pixel off differs by a whole channel.
bool Close(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 32; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 48) return false;
  return true;
}

TEST(TextOnGl, GlyphPixelsLandWhereTheLayoutSaysAlignedWithShadowAndAlpha) {
  test::ScratchDir dir;
  test::TestGlDevice gl;
  ASSERT_TRUE(test::MakeTestGlDevice(gl, kWidth, kHeight)) << "no display (run under Xvfb)";
  GlDevice* device = gl.device;
  test::WriteTestFont();
  std::unique_ptr<BitmapFont> font = LoadBitmapFont("test.fnt");
  ASSERT_TRUE(Succeeded(CreateFontTextures(*font, *device)));
  ASSERT_TRUE(Succeeded(RestoreFontDeviceObjects(*font)));
  // Every pixel of the rectangle [x0, x1) x [y0, y1) has this colour.
  auto expectRect = [&](int x0, int y0, int x1, int y1, uint32_t colour, const char* what) {
    int wrong = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (!Close(device->ReadPixel(x, y), colour) && wrong++ < 3)
          ADD_FAILURE() << what << ": pixel (" << x << ", " << y << ") is " << std::hex << device->ReadPixel(x, y);
  };
  const uint32_t red = 0xFFFF0000u, black = 0xFF000000u, green = 0xFF00FF00u, grey = 0xFF404040u;
  device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, black, 1.0f, 0);
  ASSERT_TRUE(Succeeded(device->BeginScene()));
  ASSERT_TRUE(Succeeded(DrawText(*font, 20.0f, 30.0f, red, "AV A")));
  device->EndScene();
  // A: pen 0 + xoffset 1, yoffset 2, 8 x 10. V: pen 10 - 2 (kerning) = 8; only
  // its top five texel rows are opaque. The space advances 5, the second A sits at pen 21 + 1.
  expectRect(21, 32, 29, 42, red, "first A");
  expectRect(29, 32, 34, 37, red, "top of V");
  expectRect(29, 37, 34, 42, black, "clear bottom of V");
  expectRect(34, 30, 42, 44, black, "gap");
  expectRect(42, 32, 50, 42, red, "second A");
  expectRect(0, 0, kWidth, 32, black, "above");
  expectRect(0, 42, kWidth, kHeight, black, "below");
  expectRect(0, 32, 21, 42, black, "left");
  expectRect(50, 32, kWidth, 42, black, "right");

  device->Clear(ClearFlags::Target | ClearFlags::ZBuffer, grey, 1.0f, 0);
  ASSERT_TRUE(Succeeded(device->BeginScene()));
  // "A" is 10 wide: centred on 100 it starts at 95, its box at 96.
  DrawTextAligned("A", 100.0f, 20.0f, *font, AlignCenter, green, 2.0f, 2.0f);
  // Half-transparent white blends over the grey background.
  DrawTextAligned("A", 150.0f, 60.0f, *font, AlignRight, 0x80FFFFFFu, 0.0f, 0.0f);
  device->EndScene();
  expectRect(96, 22, 104, 32, green, "text");
  expectRect(104, 24, 106, 34, black, "shadow right of the text");
  expectRect(98, 32, 106, 34, black, "shadow below the text");
  expectRect(94, 20, 96, 36, grey, "left of the text");
  // Right-aligned at 150: starts at 140, box at 141..148.
  const uint32_t blended = device->ReadPixel(144, 66);
  EXPECT_NEAR((blended >> 16) & 0xFF, 0x40 + (0xFF - 0x40) * 0x80 / 0xFF, 3);
  EXPECT_NEAR(blended & 0xFF, 0x40 + (0xFF - 0x40) * 0x80 / 0xFF, 3);
  EXPECT_TRUE(Close(device->ReadPixel(140, 66), grey) && Close(device->ReadPixel(149, 66), grey));
  DestroyFont(*font);
}

}  // namespace
}  // namespace nb
