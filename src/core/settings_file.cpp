#include "core/settings_file.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/file_io.h"
#include "core/paths.h"

namespace nb {
namespace {

// A value longer than this is cut, as the game's 5120-byte read buffer did.
constexpr size_t kMaxValue = 5119;

// The line readers work on views of the lines: a look-up scans every line,
// and copying each would cost more than the scan.
std::string_view Trim(std::string_view text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return {};
  size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// A settings file is a few kilobytes; one larger than this is not read (and
// not rewritten, so nothing of it is lost).
constexpr size_t kMaxSettingsBytes = 1u << 20;

// False when the file exists but cannot be read whole.
bool ReadLines(const std::string& path, std::vector<std::string>& lines) {
  std::vector<unsigned char> bytes;
  lines.clear();
  if (!ReadWholeFile(path, bytes, kMaxSettingsBytes)) return access(path.c_str(), F_OK) != 0;
  lines = SplitSettingsLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return true;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  ReadLines(path, lines);
  return lines;
}

// "[name]" gives name; anything else gives false.
bool SectionHeader(std::string_view line, std::string_view& name) {
  std::string_view t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return false;
  size_t close = t.find(']');
  if (close == std::string_view::npos) return false;
  name = Trim(t.substr(1, close - 1));
  return true;
}

// "key = value" gives both; a line without '=' or a comment gives false.
bool KeyLine(std::string_view line, std::string_view& key, std::string_view& value) {
  std::string_view t = Trim(line);
  if (t.empty() || t[0] == ';') return false;
  size_t eq = t.find('=');
  if (eq == std::string_view::npos) return false;
  key = Trim(t.substr(0, eq));
  value = Trim(t.substr(eq + 1));
  return true;
}

// Profile-string reads drop one pair of enclosing quotes.
std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return WriteFileAtomically(path, text);
}

}  // namespace

std::vector<std::string> SplitSettingsLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

namespace {

// Calls visit(key, value) for each key line of the section, in file order,
// until it returns false.
template <typename Visit>
void ForEachKeyIn(const std::vector<std::string>& lines, const std::string& section, Visit visit) {
  bool inSection = false;
  for (const std::string& line : lines) {
    std::string_view name, k, v;
    if (SectionHeader(line, name)) {
      inSection = SameName(name, section);
      continue;
    }
    if (inSection && KeyLine(line, k, v) && !visit(k, v)) return;
  }
}

std::string Capped(std::string value) {
  if (value.size() > kMaxValue) value.resize(kMaxValue);
  return value;
}

}  // namespace

std::string LookUpSetting(const std::vector<std::string>& lines, const std::string& section,
                          const std::string& key, const std::string& defaultText) {
  std::string value = defaultText;
  ForEachKeyIn(lines, section, [&](std::string_view k, std::string_view v) {
    if (!SameName(k, key)) return true;
    value = Unquote(v);
    return false;
  });
  return Capped(value);
}

std::vector<std::string> SettingsSectionNames(const std::vector<std::string>& lines) {
  std::vector<std::string> names;
  for (const std::string& line : lines) {
    std::string_view name;
    if (SectionHeader(line, name)) names.emplace_back(name);
  }
  return names;
}

std::vector<std::pair<std::string, std::string>> SettingsSectionEntries(const std::vector<std::string>& lines,
                                                                        const std::string& section) {
  std::vector<std::pair<std::string, std::string>> entries;
  ForEachKeyIn(lines, section, [&](std::string_view k, std::string_view v) {
    bool seen = false;
    for (const auto& entry : entries) seen = seen || SameName(entry.first, k);
    if (!seen) entries.emplace_back(k, Unquote(v));
    return true;
  });
  return entries;
}

std::string SettingsFile::ReadString(const std::string& section, const std::string& key,
                                     const std::string& defaultText) const {
  return LookUpSetting(ReadLines(path), section, key, defaultText);
}

std::vector<std::string> SettingsFile::SectionNames() const { return SettingsSectionNames(ReadLines(path)); }

std::vector<std::pair<std::string, std::string>> SettingsFile::SectionEntries(
    const std::string& section) const {
  return SettingsSectionEntries(ReadLines(path), section);
}

int SettingsFile::ReadInt(const std::string& section, const std::string& key, int defaultValue) const {
  return LenientInt(ReadString(section, key, std::to_string(defaultValue)));
}

float SettingsFile::ReadFloat(const std::string& section, const std::string& key, int defaultValue) const {
  return LenientFloat(ReadString(section, key, std::to_string(defaultValue)));
}

bool SettingsFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const {
  std::string text = ReadString(section, key, "");
  if (text == "true" || text == "1") return true;
  if (text == "false" || text == "0") return false;
  return defaultValue;
}

bool SettingsFile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value) const {
  std::vector<std::string> lines;
  if (!ReadLines(path, lines)) return false;
  std::string entry = key + "=" + value;
  int sectionStart = -1;  // index of the header line
  int lastKeyLine = -1;   // last non-blank line inside the section
  bool inSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string_view name, k, v;
    if (SectionHeader(lines[i], name)) {
      if (inSection) break;
      inSection = SameName(name, section);
      if (inSection) {
        sectionStart = static_cast<int>(i);
        lastKeyLine = sectionStart;
      }
      continue;
    }
    if (!inSection) continue;
    if (KeyLine(lines[i], k, v) && SameName(k, key)) {
      lines[i] = entry;
      return WriteLines(path, lines);
    }
    if (!Trim(lines[i]).empty()) lastKeyLine = static_cast<int>(i);
  }
  if (sectionStart < 0) {
    if (!lines.empty() && !Trim(lines.back()).empty()) lines.push_back("");
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
  } else {
    lines.insert(lines.begin() + lastKeyLine + 1, entry);
  }
  return WriteLines(path, lines);
}

bool SettingsFile::WriteInt(const std::string& section, const std::string& key, int value) const {
  return WriteString(section, key, std::to_string(value));
}

bool SettingsFile::WriteBool(const std::string& section, const std::string& key, bool value) const {
  return WriteString(section, key, value ? "true" : "false");
}

SettingsFile GameSettingsFile(const std::string& folder) {
  return SettingsFile{NativePath(folder, "settings.ini")};
}

int LenientInt(const std::string& text) {
  // atoi's rules, without its undefined overflow: the value saturates.
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                             text[i] == '\v' || text[i] == '\f'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i++] - '0');
    if (value > 2147483648LL) value = 2147483648LL;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) value = 2147483647LL;
  return static_cast<int>(value);
}

float LenientFloat(const std::string& text) { return static_cast<float>(std::atof(text.c_str())); }

void AppendMissingKeys(const SettingsFile& settings, const std::string& section,
                       std::span<const char* const> keys, std::vector<std::string>& missing) {
  for (const char* key : keys)
    if (settings.ReadString(section, key, "").empty()) missing.push_back(section + "/" + key);
}

}  // namespace nb
