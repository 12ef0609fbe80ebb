#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "d3dhelpers/image_file.h"
#include "platform/graphics_device.h"

namespace nb {

// The loader's result for a file that is missing, unreadable or not a
// picture it knows (negative, like every failure code).
constexpr int32_t kTextureInvalidData = static_cast<int32_t>(0x88760B59u);

// A managed texture from a PNG or JPEG file with the loader's defaults: each
// side rounded up to a power of two (the picture stretched to fit by area
// averaging) and a full mip chain, or the top level alone when asked. Returns 0, kTextureInvalidData for a
// file that cannot be read or decoded, or the device's code when it refuses the texture; `out` is empty on
// failure, and `error` (when given) says why. Shows no message. `inspect`,
// when given, sees the picture as it goes up, at its final size.
int32_t CreateTextureFromFile(GraphicsDevice& device, const std::string& path, TextureHandle* out,
                              std::string* error = nullptr, MipChain mips = MipChain::Full,
                              const std::function<void(const Image&)>& inspect = {});

}  // namespace nb
