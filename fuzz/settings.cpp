// settings.ini: every look-up the game makes on a text it did not write.
#include "core/general_settings.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> lines = nb::SplitSettingsLines(nb::fuzz::View(data, size));
  for (const std::string& section : nb::SettingsSectionNames(lines)) {
    for (const auto& [key, value] : nb::SettingsSectionEntries(lines, section)) {
      nb::LenientInt(nb::LookUpSetting(lines, section, key, ""));
      nb::LenientFloat(value);
    }
  }
  nb::LookUpSetting(lines, "General", "WIDTH", "0");
  return 0;
}
