#include "core/line_tokenizer.h"

#include <algorithm>
#include <cfloat>
#include <charconv>

#include "core/settings_file.h"

namespace nb {

namespace {

constexpr std::streamsize kLineBufferSize = 500;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Rough power of ten of a decimal number that does not fit a double: the
// position of its first significant digit plus its exponent. Only its sign
// matters (overflow or underflow).
long long DecimalMagnitude(const char* first, const char* last) {
  long long position = 0;  // digits before the point, after leading zeros
  bool significant = false, afterPoint = false;
  long long leadingZerosAfterPoint = 0;
  const char* p = first;
  for (; p < last && *p != 'e' && *p != 'E'; ++p) {
    if (*p == '.') {
      afterPoint = true;
    } else if (*p != '0' || significant) {
      if (!afterPoint) ++position;
      significant = true;
    } else if (afterPoint) {
      ++leadingZerosAfterPoint;
    }
  }
  if (!significant) return -1;
  long long magnitude = position > 0 ? position : -leadingZerosAfterPoint;
  if (p < last) {
    ++p;
    bool negative = false;
    if (p < last && (*p == '+' || *p == '-')) negative = *p++ == '-';
    long long exponent = 0;
    for (; p < last; ++p) exponent = std::min<long long>(exponent * 10 + (*p - '0'), 1LL << 40);
    magnitude += negative ? -exponent : exponent;
  }
  return magnitude;
}

// The first value of a key stays.
void AddAttribute(LineAttributes& attributes, const std::string& key, const std::string& value) {
  for (const auto& attribute : attributes)
    if (attribute.first == key) return;
  attributes.emplace_back(key, value);
}

enum class TokenState { BeforeKeyword, Keyword, BetweenAttributes, Key, Value, QuotedValue };

}  // namespace

bool ReadTextLine(std::istream& in, std::string& line) {
  char buffer[kLineBufferSize];
  in.getline(buffer, kLineBufferSize);
  // getline fails on an empty read at the end and when 499 characters are
  // stored without reaching the line feed: both end the file for the game.
  if (in.fail()) {
    line.clear();
    return false;
  }
  line.assign(buffer, static_cast<size_t>(std::char_traits<char>::length(buffer)));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

bool ReadTextLine(std::string_view& rest, std::string& line) {
  line.clear();
  // As the stream read: up to 499 characters and the line feed after them,
  // or the last line without one; anything longer ends the text.
  const size_t limit = static_cast<size_t>(kLineBufferSize) - 1;
  const size_t feed = rest.substr(0, limit + 1).find('\n');
  if (rest.empty() || (feed == std::string_view::npos && rest.size() > limit)) {
    rest = {};
    return false;
  }
  const size_t length = feed == std::string_view::npos ? rest.size() : feed;
  const std::string_view taken = rest.substr(0, length);
  line.assign(taken.substr(0, taken.find('\0')));  // the buffer ends at a zero byte
  rest.remove_prefix(feed == std::string_view::npos ? length : length + 1);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

std::string TokenizeLine(const std::string& line, LineAttributes& attributes) {
  attributes.clear();
  std::string keyword, key, value;
  TokenState state = TokenState::BeforeKeyword;
  // One pass over the characters and the end of the line (index size()).
  for (size_t i = 0; i <= line.size(); ++i) {
    const bool atEnd = i == line.size();
    const char c = atEnd ? '\0' : line[i];
    switch (state) {
      case TokenState::BeforeKeyword:
        if (atEnd || IsBlank(c)) break;
        keyword.push_back(c);
        state = TokenState::Keyword;
        break;
      case TokenState::Keyword:
        if (atEnd || IsBlank(c)) {
          state = TokenState::BetweenAttributes;
        } else {
          keyword.push_back(c);
        }
        break;
      case TokenState::BetweenAttributes:
        if (atEnd || IsBlank(c)) break;
        key.clear();
        value.clear();
        state = TokenState::Key;
        [[fallthrough]];
      case TokenState::Key:
        if (atEnd) break;  // no '=': the key is dropped
        if (c == '=') {
          state = TokenState::Value;
        } else {
          key.push_back(c);
        }
        break;
      case TokenState::Value:
        if (atEnd || IsBlank(c)) {
          AddAttribute(attributes, key, value);
          state = TokenState::BetweenAttributes;
        } else if (c == '"') {
          state = TokenState::QuotedValue;
        } else {
          value.push_back(c);
        }
        break;
      case TokenState::QuotedValue:
        if (atEnd) break;  // an open quote drops the value
        if (c == '"') {
          AddAttribute(attributes, key, value);
          state = TokenState::BetweenAttributes;
        } else {
          value.push_back(c);
        }
        break;
    }
  }
  return keyword;
}

const std::string& AttributeText(const LineAttributes& attributes, const std::string& key) {
  static const std::string kEmpty;
  for (const auto& attribute : attributes)
    if (attribute.first == key) return attribute.second;
  return kEmpty;
}

int AttributeInt(const LineAttributes& attributes, const std::string& key) {
  return LenientInt(AttributeText(attributes, key));
}

float AttributeFloat(const LineAttributes& attributes, const std::string& key) {
  return LenientDecimal(AttributeText(attributes, key));
}

float LenientDecimal(const std::string& text) {
  // Only plain decimal notation counts ("-12.5", "3e2", ".5"); hexadecimal,
  // "inf" and "nan" stop at their first letter like any other junk, so a
  // curve never holds a value that is not a finite number.
  size_t i = 0;
  while (i < text.size() &&
         (IsBlank(text[i]) || text[i] == '\n' || text[i] == '\r' || text[i] == '\v' || text[i] == '\f'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t start = i;
  size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return 0.0f;
  size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    size_t expDigits = 0;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j, ++expDigits;
    if (expDigits > 0) end = j;
  }
  double value = 0.0;
  const char* first = text.data() + start;
  const char* last = text.data() + end;
  auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = DecimalMagnitude(first, last) > 0 ? DBL_MAX : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  // Too large saturates at the largest float rather than becoming infinite.
  if (value > FLT_MAX) value = FLT_MAX;
  const float single = static_cast<float>(value);
  return negative ? -single : single;
}

}  // namespace nb
