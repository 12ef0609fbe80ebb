// PNG and JPEG decoding, and the resampling to the texture's power-of-two size.
#include <cstdlib>

#include "d3dhelpers/image_file.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nb::Image image;
  if (!nb::DecodeImage(nb::fuzz::Bytes(data, size), image)) return 0;
  if (image.rgba.size() != size_t(image.width) * image.height * 4) std::abort();
  if (image.width <= 64 && image.height <= 64)
    nb::ResampleImage(image, nb::NextPowerOfTwo(image.width), nb::NextPowerOfTwo(image.height));
  return 0;
}
