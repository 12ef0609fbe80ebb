#include "text/bitmap_font.h"

#include "core/paths.h"
#include "d3dhelpers/image_file.h"
#include "text/text_drawing.h"

namespace nb {

namespace {

// A texture from an image file the way the game's texture loader makes one:
// each side rounded up to a power of two, the image stretched to fit. Text is
// drawn at the glyphs' own size without a mip filter: the top level alone.
DeviceResult CreatePageTexture(GraphicsDevice& device, const std::string& folder, const std::string& fileName,
                               TextureHandle* out) {
  *out = TextureHandle{};
  Image image;
  if (fileName.empty() || !LoadImageFile(NativePath(folder, fileName), image)) return DeviceResult::Fail;
  const int width = NextPowerOfTwo(image.width);
  const int height = NextPowerOfTwo(image.height);
  if (width != image.width || height != image.height) image = ResampleImage(image, width, height);
  return device.CreateTexture(image.width, image.height, image.rgba.data(), MipChain::TopLevelOnly, out);
}

void ReleasePageTextures(BitmapFont& font) {
  if (font.device) {
    for (TextureHandle& texture : font.pageTextures)
      if (texture) font.device->ReleaseTexture(texture);
  }
  font.pageTextures.clear();
}

}  // namespace

std::unique_ptr<BitmapFont> LoadBitmapFont(const std::string& path, const std::string& folder) {
  auto font = std::make_unique<BitmapFont>();
  font->folder = folder;
  LoadFontDescriptionFile(font->description, NativePath(folder, path));
  return font;
}

DeviceResult CreateFontTextures(BitmapFont& font, GraphicsDevice& device) {
  // After a reset the same device comes back; old textures are replaced.
  ReleasePageTextures(font);
  font.device = &device;
  font.pageTextures.assign(font.description.pageNames.size(), TextureHandle{});
  for (size_t page = 0; page < font.pageTextures.size(); ++page) {
    const DeviceResult result =
        CreatePageTexture(device, font.folder, font.description.pageNames[page], &font.pageTextures[page]);
    if (Failed(result)) return result;
  }
  return DeviceResult::Ok;
}

void DestroyFont(BitmapFont& font) {
  InvalidateFontDeviceObjects(font);
  ReleasePageTextures(font);
  font.device = nullptr;
  font.description = FontDescription{};
  font.folder.clear();
}

int32_t FontLineHeight(const BitmapFont& font) { return font.description.lineHeight; }
int32_t FontPageWidth(const BitmapFont& font) { return font.description.scaleW; }
int32_t FontPageHeight(const BitmapFont& font) { return font.description.scaleH; }
int32_t FontPageCount(const BitmapFont& font) {
  return static_cast<int32_t>(font.description.pageNames.size());
}
const Glyph* FontGlyph(const BitmapFont& font, int32_t id) { return FindGlyph(font.description, id); }
int32_t FontKerning(const BitmapFont& font, int32_t first, int32_t second) {
  return KerningAmount(font.description, first, second);
}

}  // namespace nb
