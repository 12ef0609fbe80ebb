#include "core/escaped_ini_reader.h"

#include <algorithm>
#include <vector>

#include "core/file_io.h"

namespace nb {
namespace {

std::string TrimBlanks(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return {};
  size_t end = text.find_last_not_of(" \t");
  return text.substr(begin, end - begin + 1);
}

// Walks the text once, character by character, keeping track of comments
// and escapes, and hands complete lines (already unescaped) to the parser.
class Parser {
 public:
  explicit Parser(EscapedIni& out) : out_(out) {}

  void Run(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
      char ch = text[i];
      if (inBlockComment_) {
        if (ch == '*' && i + 1 < text.size() && text[i + 1] == '/') {
          inBlockComment_ = false;
          i += 2;
        } else {
          ++i;
        }
        continue;
      }
      if (ch == '\n' || ch == '\r') {
        EndLine();
        ++i;
        continue;
      }
      if (inLineComment_) {
        ++i;
        continue;
      }
      if (ch == '\\') {
        if (i + 1 < text.size()) {
          char next = text[i + 1];
          line_ += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
          escapedAt_.push_back(line_.size() - 1);
          i += 2;
        } else {
          ++i;
        }
        continue;
      }
      if (ch == ';' || ch == '#') {
        inLineComment_ = true;
        ++i;
        continue;
      }
      if (ch == '/' && i + 1 < text.size() && text[i + 1] == '/') {
        inLineComment_ = true;
        i += 2;
        continue;
      }
      if (ch == '/' && i + 1 < text.size() && text[i + 1] == '*') {
        inBlockComment_ = true;
        i += 2;
        continue;
      }
      line_ += ch;
      ++i;
    }
    EndLine();
  }

 private:
  // The positions are stored in order, so a long line of escapes stays fast.
  bool Escaped(size_t position) const {
    return std::binary_search(escapedAt_.begin(), escapedAt_.end(), position);
  }

  void EndLine() {
    inLineComment_ = false;
    size_t first = line_.find_first_not_of(" \t");
    if (first != std::string::npos && line_[first] == '[' && !Escaped(first)) {
      size_t close = line_.find(']', first);
      if (close != std::string::npos) {
        out_.sections.push_back({line_.substr(first + 1, close - first - 1), {}});
      }
    } else {
      size_t eq = std::string::npos;
      for (size_t p = 0; p < line_.size(); ++p)
        if (line_[p] == '=' && !Escaped(p)) {
          eq = p;
          break;
        }
      if (eq != std::string::npos && !out_.sections.empty()) {
        std::string key = TrimBlanks(line_.substr(0, eq));
        if (!key.empty()) out_.sections.back().entries.emplace_back(key, TrimBlanks(line_.substr(eq + 1)));
      }
    }
    line_.clear();
    escapedAt_.clear();
  }

  EscapedIni& out_;
  std::string line_;
  std::vector<size_t> escapedAt_;
  bool inLineComment_ = false;
  bool inBlockComment_ = false;
};

}  // namespace

std::string EscapedIni::Value(const std::string& section, const std::string& key,
                              const std::string& fallback) const {
  for (const EscapedIniSection& s : sections) {
    if (s.name != section) continue;
    for (const auto& [k, v] : s.entries)
      if (k == key) return v;
  }
  return fallback;
}

EscapedIni ParseEscapedIni(std::string_view text) {
  EscapedIni ini;
  Parser(ini).Run(text);
  return ini;
}

bool ReadEscapedIniFile(const std::string& path, EscapedIni& out) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes, kMaxEscapedIniBytes)) return false;
  out = ParseEscapedIni(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return true;
}

}  // namespace nb
