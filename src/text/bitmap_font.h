#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics_device.h"
#include "text/font_description.h"

namespace nb {

// A font description with its page textures and the device objects it draws
// with. The device is not owned; everything else is, and goes back to the
// device through DestroyFont (the device must outlive the font's objects).
struct BitmapFont {
  FontDescription description;
  std::string folder;  // the page names are read below it ("" the current directory)
  GraphicsDevice* device = nullptr;
  std::vector<TextureHandle> pageTextures;  // by page id; empty handle = absent
  VertexBufferHandle vertexBuffer;          // dynamic, default pool
  StateBlockHandle savedState;              // the caller's values of the text states
  StateBlockHandle textState;               // the text states themselves
};

// Reads the font file at path below folder (both as the game names them; ""
// for the current directory). A missing file gives an empty font, which
// draws nothing and measures every string as 0. No device objects yet.
std::unique_ptr<BitmapFont> LoadBitmapFont(const std::string& path, const std::string& folder = "");

// Binds the font to the device and loads each page image into a texture in
// page order (sides rounded up to powers of two, full mip chain). Returns Ok
// when every page loaded, otherwise the first failure; that page and those
// after it stay without a texture. Textures from an earlier call are
// released first, so it may be called again after a device reset.
DeviceResult CreateFontTextures(BitmapFont& font, GraphicsDevice& device);

// Releases the vertex buffer, both state blocks and every page texture, and
// forgets the device and the description.
void DestroyFont(BitmapFont& font);

int32_t FontLineHeight(const BitmapFont& font);
int32_t FontPageWidth(const BitmapFont& font);
int32_t FontPageHeight(const BitmapFont& font);
int32_t FontPageCount(const BitmapFont& font);
const Glyph* FontGlyph(const BitmapFont& font, int32_t id);
int32_t FontKerning(const BitmapFont& font, int32_t first, int32_t second);

}  // namespace nb
