#pragma once
#include <cstdint>

#include "render/geometry_store.h"

namespace nb {

// Flat textured rectangles in back-buffer pixels (origin top left, y down),
// cut from a texture by a texture rectangle and tinted by one ARGB colour.
// Sprite j is record 64 + j of the geometry store; its four vertices stay in
// the store's 2-D buffer and only moving sprites are rewritten.
struct SpriteRect {
  float x = 0, y = 0, w = 0, h = 0;
  float u0 = 0, v0 = 0, u1 = 0, v1 = 0;  // u0 > u1 shows the picture mirrored
  uint32_t color = 0xFFFFFFFF;
};

// The sprites made at start-up, in this order; every user holds its number.
enum SpriteId : int {
  SpriteHelpColumn1 = 0,  // ... to SpriteHelpColumn1 + 5
  SpriteFullScreen = 6,
  SpritePanel = 7,
  SpriteBottomStrip = 8,
  SpriteTopStrip = 9,
  SpriteWholeTexture = 10,
  SpriteFade = 11,
  SpriteCursor = 12,
  SpriteSliderBar = 13,
  SpriteSliderKnob = 14,
  SpriteTinted = 15,
  StartupSpriteCount = 16,
};

// The start-up table for a back buffer of width x height.
SpriteRect StartupSpriteRect(int id, int width, int height);
// Creates the sixteen sprites of the table; false when one was refused.
bool CreateStartupSprites(GeometryStore& store, GraphicsDevice& device, int width, int height);

// Writes the four vertices at the end of the 2-D buffer, gives the sprite its
// own six-index buffer and returns its number, or -1 (with a message box)
// when all 64 sprites exist, the 2-D buffer is full or the device refuses.
int CreateSprite(GeometryStore& store, GraphicsDevice& device, const SpriteRect& rect);
// Rewrites sprite j's vertices; false for a sprite that does not exist.
bool RefillSprite(const GeometryStore& store, GraphicsDevice& device, int j, const SpriteRect& rect);
// Draws sprite j with the texture the caller has set; nothing for a sprite
// that does not exist.
void DrawSprite(GraphicsDevice& device, const GeometryStore& store, int j, bool blended);
// Darkens the rectangle: alpha 0 leaves it unchanged, 255 turns it black
// (values outside are clamped). Untextured; uses the fade sprite.
void DrawFadeRect(GraphicsDevice& device, const GeometryStore& store, int alpha, float x, float y, float w,
                  float h);
// Moves sprite j (the cursor) to the pointer, given in client pixels, and
// draws it blended; the hot spot is its top-left corner.
void DrawMouseCursor(GraphicsDevice& device, const GeometryStore& store, int j, int pointerX, int pointerY);

// The four vertices of a sprite, in the order the index list 3, 0, 1, 1, 2, 3 uses.
void MakeSpriteVertices(const SpriteRect& rect, VertexScreen out[4]);

}  // namespace nb
