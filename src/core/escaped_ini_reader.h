#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nb {

// An INI text read with escapes and comments, for texts that need line
// breaks and punctuation: `\n` and `\r` give line feed and carriage return,
// a backslash before any other character keeps that character; `;` and `#`
// (unescaped) and `//` comment to the end of the line; `/* ... */` comments
// may span lines. Sections keep their keys in file order.
struct EscapedIniSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> entries;
};

struct EscapedIni {
  std::vector<EscapedIniSection> sections;

  // The first value of key in section (names match exactly), or fallback.
  std::string Value(const std::string& section, const std::string& key,
                    const std::string& fallback = "") const;
};

// A language file is a few kilobytes; one over this is not read.
constexpr size_t kMaxEscapedIniBytes = 1u << 20;

EscapedIni ParseEscapedIni(std::string_view text);
// False when the file cannot be read or is over kMaxEscapedIniBytes.
bool ReadEscapedIniFile(const std::string& path, EscapedIni& out);

}  // namespace nb
