// settings.ini: every look-up the game makes on a text it did not write.
// fuzz flags: -max_len=4096
#include "core/settings_file.h"
#include "fuzz_input.h"

// Each look-up scans the whole text, so looking up every key of every section
// would cost the text's length squared; the first few reach every path
// (first match, repeated keys, other sections of the same name).
constexpr size_t kSections = 2, kLookUps = 4;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = nb::SplitSettingsLines(nb::fuzz::View(data, size));
  const std::vector<std::string> sections = nb::SettingsSectionNames(lines);
  for (size_t s = 0; s < sections.size() && s < kSections; ++s) {
    const auto entries = nb::SettingsSectionEntries(lines, sections[s]);
    for (size_t k = 0; k < entries.size(); ++k) {
      if (k < kLookUps && nb::LookUpSetting(lines, sections[s], entries[k].first, "") != entries[k].second)
        __builtin_trap();  // a key's look-up gives the value its section lists
      nb::LenientInt(entries[k].second);
      nb::LenientFloat(entries[k].second);
    }
  }
  nb::LookUpSetting(lines, "General", "WIDTH", "0");
  return 0;
}
