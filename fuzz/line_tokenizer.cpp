// Lines of the game's text files: the 500-byte line reader and the tokenizer.
// fuzz flags: -max_len=4096
#include "core/line_tokenizer.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text = nb::fuzz::View(data, size);
  std::string line;
  while (nb::ReadTextLine(text, line)) {
    nb::LineAttributes attributes;
    nb::TokenizeLine(line, attributes);
    for (const auto& [key, value] : attributes) {
      nb::AttributeInt(attributes, key);
      nb::AttributeFloat(attributes, key);
    }
  }
  return 0;
}
