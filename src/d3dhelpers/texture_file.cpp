#include "d3dhelpers/texture_file.h"

#include "d3dhelpers/image_file.h"

namespace nb {

int32_t CreateTextureFromFile(GraphicsDevice& device, const std::string& path, TextureHandle* out,
                              std::string* error, MipChain mips,
                              const std::function<void(const Image&)>& inspect) {
  *out = TextureHandle{};
  Image image;
  if (path.empty() || !LoadImageFile(path, image, error)) return kTextureInvalidData;
  const int width = NextPowerOfTwo(image.width), height = NextPowerOfTwo(image.height);
  if (width != image.width || height != image.height) image = ResampleImage(image, width, height);
  if (inspect) inspect(image);
  const DeviceResult created = device.CreateTexture(image.width, image.height, image.rgba.data(), mips, out);
  if (Failed(created)) {
    *out = TextureHandle{};
    return static_cast<int32_t>(created);
  }
  return 0;
}

}  // namespace nb
