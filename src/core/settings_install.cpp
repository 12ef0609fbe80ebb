#include "core/settings_install.h"

#include <filesystem>

#include "core/file_io.h"

namespace nb {
namespace {

bool CopyShipped(const SettingsFile& shipped, const SettingsFile& target, const std::string& language,
                 std::string& error) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(shipped.path, bytes, 1u << 20)) {
    error = "cannot read " + shipped.path;
    return false;
  }
  if (!WriteFileAtomically(target.path, std::string(bytes.begin(), bytes.end())) ||
      (!language.empty() && !target.WriteString("General", "Language", language))) {
    error = "cannot write " + target.path;
    return false;
  }
  return true;
}

}  // namespace

bool InstallShippedSettings(const SettingsFile& shipped, const SettingsFile& target,
                            const std::string& language, std::string& error) {
  std::error_code exists;
  if (!std::filesystem::exists(target.path, exists)) return CopyShipped(shipped, target, language, error);
  const std::string missing = "\x01missing";
  for (const std::string& section : shipped.SectionNames()) {
    const bool playerSection = section == "General";
    for (const auto& [key, value] : shipped.SectionEntries(section)) {
      const std::string current = target.ReadString(section, key, missing);
      if (current == value || (playerSection && current != missing)) continue;
      if (!target.WriteString(section, key, value)) {
        error = "cannot write " + target.path;
        return false;
      }
    }
  }
  return true;
}

}  // namespace nb
