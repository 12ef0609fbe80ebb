#pragma once
#include <string>
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

EscapedIni ParseEscapedIni(const std::string& text);
// False when the file cannot be opened.
bool ReadEscapedIniFile(const std::string& path, EscapedIni& out);

}  // namespace nb
