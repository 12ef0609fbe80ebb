#include "core/line_tokenizer.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <sstream>

namespace nb {
namespace {

TEST(TokenizeLine, KeywordBareQuotedEmptyDuplicateAndDroppedValues) {
  LineAttributes a;
  EXPECT_EQ(TokenizeLine("  \tinfo face=\"Arial Black\" size=32\tbold=1", a), "info");
  EXPECT_EQ(a, (LineAttributes{{"face", "Arial Black"}, {"size", "32"}, {"bold", "1"}}));
  // A quote in the middle keeps what came before it and ends the value.
  TokenizeLine("page file=ab\"c d\" id=1", a);
  EXPECT_EQ(a, (LineAttributes{{"file", "abc d"}, {"id", "1"}}));
  // An empty value is present and empty; '=' inside a value is kept.
  TokenizeLine("x bold= expr=a=b", a);
  EXPECT_EQ(a, (LineAttributes{{"bold", ""}, {"expr", "a=b"}}));
  TokenizeLine("char id=65 id=66 id=\"67\"", a);  // the first value wins
  EXPECT_EQ(a, (LineAttributes{{"id", "65"}}));
  TokenizeLine("char id=5 lonely", a);
  EXPECT_EQ(a, (LineAttributes{{"id", "5"}}));
  // A key runs up to the next '=', blanks included; an open quote drops its key.
  TokenizeLine("common orphan lineHeight=10", a);
  EXPECT_EQ(a, (LineAttributes{{"orphan lineHeight", "10"}}));
  TokenizeLine("info size=3 face=\"Arial Bl", a);
  EXPECT_EQ(a, (LineAttributes{{"size", "3"}}));
}

// Lines are split alike from a stream and from memory: at most 499
// characters to a line feed, a trailing CR dropped, a NUL ending what is kept.
TEST(ReadTextLine, StreamAndMemoryReadersSplitAlike) {
  using Lines = std::vector<std::string>;
  const std::string fits(499, 'a'), tooLong(500, 'b');
  const std::pair<std::string, Lines> cases[] = {
      {"", {}},
      {"cr\r\nlf\n\nlast\r", {"cr", "lf", "", "last"}},
      {std::string("nul\0cut\r\nnext", 14), {"nul", "next"}},
      {fits + "\n" + fits, {fits, fits}},
      {"x\n" + tooLong + "\nafter", {"x"}},
  };
  for (const auto& [text, lines] : cases) {
    std::istringstream stream(text);
    std::string_view memory(text);
    Lines fromStream, fromMemory;
    for (std::string line; ReadTextLine(stream, line);) fromStream.push_back(line);
    for (std::string line; ReadTextLine(memory, line);) fromMemory.push_back(line);
    EXPECT_EQ(fromStream, lines) << text.substr(0, 12);
    EXPECT_EQ(fromMemory, lines) << text.substr(0, 12);
  }
}

TEST(LenientConversions, IntegersStopAtTheFirstMisfit) {
  LineAttributes a;
  TokenizeLine("x a=-12abc b= c=+7 d=abc e=99999999999 f=\"  42\"", a);
  const std::pair<const char*, int> cases[] = {{"a", -12},        {"b", 0},  {"c", 7},      {"d", 0},
                                               {"e", 2147483647}, {"f", 42}, {"missing", 0}};
  for (auto [key, value] : cases) EXPECT_EQ(AttributeInt(a, key), value) << key;
}

TEST(LenientConversions, FloatsReadPlainDecimalsAndSaturate) {
  const std::pair<const char*, float> cases[] = {
      {"  -1.5xyz", -1.5f}, {".5", 0.5f},     {"2.5E-1", 0.25f},    {"7e+", 7.0f},
      {"-", 0.0f},          {"inf", 0.0f},    {"0x10", 0.0f},       {"1e999", FLT_MAX},
      {"-1e60", -FLT_MAX},  {"1e-999", 0.0f}, {"0.000e99999", 0.0f}};
  for (auto [text, value] : cases) {
    // Zero and the saturated ends must be exact: infinity is one step past FLT_MAX.
    if (value == 0.0f || value == FLT_MAX || value == -FLT_MAX) {
      EXPECT_EQ(LenientDecimal(text), value) << text;
    } else {
      EXPECT_FLOAT_EQ(LenientDecimal(text), value) << text;
    }
  }
}

}  // namespace
}  // namespace nb
