#pragma once
#include <cstdint>

#include "platform/graphics_device.h"
#include "text/bitmap_font.h"

namespace nb {

// The size of the font's dynamic vertex buffer: room for one batch of 100
// triangles (300 text vertices of 28 bytes) with space to spare.
constexpr uint32_t kFontVertexBufferBytes = 9600;
constexpr int kMaxBatchTriangles = 100;
constexpr float kTextDepth = 0.9f;

enum TextAlignment : int {
  AlignLeft = 0,
  AlignCenter = 2,
  AlignRight = 3,
};

struct TextSize {
  int32_t width = 0;
  int32_t height = 0;
};

// Creates the font's vertex buffer and records its two state blocks. Returns
// the buffer creation's failure, if any, and then creates nothing else.
DeviceResult RestoreFontDeviceObjects(BitmapFont& font);

// Releases the vertex buffer and both state blocks (before a device reset).
DeviceResult InvalidateFontDeviceObjects(BitmapFont& font);

// Width of the string in pixels (sum of the advances with kerning, line
// feeds included as ordinary characters) and the font's line height. Fails
// when text or size is null.
DeviceResult MeasureText(const BitmapFont& font, const char* text, TextSize* size);

// Draws the string with its first line's pen origin at (x, y) in pixels. A
// line feed starts the next line lineHeight lower at x. Fails when the font
// has no device or text is null. Leaves every text state as it found it.
DeviceResult DrawText(BitmapFont& font, float x, float y, uint32_t colour, const char* text);

// Draws left-aligned, centred on x (AlignCenter) or ending at x
// (AlignRight); with a non-zero shadow offset draws a black copy with the
// colour's alpha at the offset first. Returns the last DrawText's result.
DeviceResult DrawTextAligned(const char* text, float x, float y, BitmapFont& font, int alignment,
                             uint32_t colour, float shadowDx, float shadowDy);

}  // namespace nb
