#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nb {

// Pixels as 8-bit R, G, B, A bytes, rows from the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // width * height * 4
};

// The most pixels a picture may have: four times the game's largest texture.
constexpr uint64_t kMaxImagePixels = 4096ull * 4096ull;

// Decodes a PNG or JPEG image held in memory (the kind is told by the first
// bytes, not by a file name). Images larger than 8192 pixels on a side or
// maxPixels in all fail (before any pixel is decoded), as do corrupt or
// truncated data; the output is then empty.
bool DecodeImage(const std::vector<uint8_t>& bytes, Image& out, std::string* error = nullptr,
                 uint64_t maxPixels = kMaxImagePixels);

// The image as PNG file bytes (8-bit RGBA); false when it has no pixels or
// its size does not match its bytes.
bool EncodePng(const Image& image, std::string& bytes);

// Reads the file (at most 64 MiB) and decodes it.
bool LoadImageFile(const std::string& path, Image& out, std::string* error = nullptr);

// The size a texture of this image gets: each side rounded up to a power of two.
int NextPowerOfTwo(int size);

// The image resampled to the given size by averaging the source area each
// target pixel covers (exact copy when the size is unchanged).
Image ResampleImage(const Image& source, int width, int height);

}  // namespace nb
