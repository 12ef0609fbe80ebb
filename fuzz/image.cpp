// PNG and JPEG decoding, and the resampling to the texture's power-of-two size.
#include <cstdlib>

#include "d3dhelpers/image_file.h"
#include "fuzz_input.h"

// Small pictures only: a larger one runs the same code of ours once more per
// pixel, and a header claiming more is refused before any pixel is decoded.
constexpr uint64_t kMostPixels = 64 * 64;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nb::Image image;
  if (!nb::DecodeImage(nb::fuzz::Bytes(data, size), image, nullptr, kMostPixels)) return 0;
  if (image.rgba.size() != size_t(image.width) * image.height * 4 || image.rgba.size() > kMostPixels * 4)
    std::abort();
  nb::ResampleImage(image, nb::NextPowerOfTwo(image.width), nb::NextPowerOfTwo(image.height));
  return 0;
}
