#pragma once
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nb {

// Typed reads and writes of one INI file, with the conventions of the
// classic profile-string functions: section and key names match without
// regard to case, blanks around names and values are trimmed, the first
// match wins, and a write keeps the rest of the file and creates the file,
// section or key when missing. Nothing is cached: every call goes to disk.
// A file over 1 MiB is neither read nor rewritten.
struct SettingsFile {
  std::string path;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultText) const;
  int ReadInt(const std::string& section, const std::string& key, int defaultValue) const;
  float ReadFloat(const std::string& section, const std::string& key, int defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

  // The section names in file order, and one section's key=value pairs
  // (the first of each key), for tools that copy settings.
  std::vector<std::string> SectionNames() const;
  std::vector<std::pair<std::string, std::string>> SectionEntries(const std::string& section) const;

  // False when the file could not be written; callers may ignore it.
  bool WriteString(const std::string& section, const std::string& key, const std::string& value) const;
  bool WriteInt(const std::string& section, const std::string& key, int value) const;
  bool WriteBool(const std::string& section, const std::string& key, bool value) const;
};

// The same reads on a text held in memory: its lines (without line ends),
// the value of a key, the section names, one section's entries.
std::vector<std::string> SplitSettingsLines(std::string_view text);
std::string LookUpSetting(const std::vector<std::string>& lines, const std::string& section,
                          const std::string& key, const std::string& defaultText);
std::vector<std::string> SettingsSectionNames(const std::vector<std::string>& lines);
std::vector<std::pair<std::string, std::string>> SettingsSectionEntries(const std::vector<std::string>& lines,
                                                                        const std::string& section);

// settings.ini in the folder ("" for the current directory).
SettingsFile GameSettingsFile(const std::string& folder);

// Appends "section/key" for every key the section lacks or leaves empty.
void AppendMissingKeys(const SettingsFile& settings, const std::string& section,
                       std::span<const char* const> keys, std::vector<std::string>& missing);

// The lenient number conversions of the game's text files: leading blanks,
// an optional sign, digits; the first character that does not fit ends the
// number, and no digits give 0.
int LenientInt(const std::string& text);
float LenientFloat(const std::string& text);

}  // namespace nb
