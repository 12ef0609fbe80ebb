// Bitmap-font descriptions, with the glyph and kerning look-ups text drawing makes.
// fuzz flags: -max_len=4096
#include "text/font_description.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nb::FontDescription font;
  nb::ParseFontDescription(font, nb::fuzz::View(data, size));
  for (int32_t id : {0, 32, 65, 255, -1}) nb::FindGlyph(font, id);
  nb::KerningAmount(font, 65, 86);
  return 0;
}
