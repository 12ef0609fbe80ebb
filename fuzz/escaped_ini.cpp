// The language files: INI with escapes and comments.
// fuzz flags: -max_len=4096
#include "core/escaped_ini_reader.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nb::EscapedIni ini = nb::ParseEscapedIni(nb::fuzz::View(data, size));
  for (const auto& section : ini.sections)
    for (const auto& [key, value] : section.entries) ini.Value(section.name, key);
  return 0;
}
