// Lines of the game's text files: the 500-byte line reader and the tokenizer.
#include "core/line_tokenizer.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(nb::fuzz::Text(data, size));
  std::string line;
  while (nb::ReadTextLine(in, line)) {
    nb::LineAttributes attributes;
    nb::TokenizeLine(line, attributes);
    for (const auto& [key, value] : attributes) {
      nb::AttributeInt(attributes, key);
      nb::AttributeFloat(attributes, key);
    }
  }
  return 0;
}
