// Lines of the game's text files: the 500-byte line reader (the stream and
// the in-memory one must take the same lines) and the tokenizer.
#include <cstdlib>

#include "core/line_tokenizer.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = nb::fuzz::Text(data, size);
  std::istringstream in(text);
  std::string_view rest = text;
  std::string line, same;
  for (;;) {
    const bool read = nb::ReadTextLine(in, line);
    if (read != nb::ReadTextLine(rest, same) || (read && line != same)) std::abort();
    if (!read) break;
    nb::LineAttributes attributes;
    nb::TokenizeLine(line, attributes);
    for (const auto& [key, value] : attributes) {
      nb::AttributeInt(attributes, key);
      nb::AttributeFloat(attributes, key);
    }
  }
  return 0;
}
