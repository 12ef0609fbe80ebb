#include "text/line_tokenizer.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <sstream>

namespace nb {
namespace {

TEST(TokenizeLine, SplitsKeywordAndBareAndQuotedValues) {
  LineAttributes a;
  EXPECT_EQ(TokenizeLine("  \tinfo face=\"Arial Black\" size=32\tbold=1", a), "info");
  ASSERT_EQ(a.size(), 3u);
  EXPECT_EQ(a["face"], "Arial Black");
  EXPECT_EQ(a["size"], "32");
  EXPECT_EQ(a["bold"], "1");

  // A quote in the middle keeps what came before it and ends the value.
  EXPECT_EQ(TokenizeLine("page file=ab\"c d\" id=1", a), "page");
  EXPECT_EQ(a["file"], "abc d");
  EXPECT_EQ(a["id"], "1");

  // An empty value is present and empty; '=' inside a value is kept.
  EXPECT_EQ(TokenizeLine("x bold= expr=a=b", a), "x");
  ASSERT_EQ(a.count("bold"), 1u);
  EXPECT_EQ(a["bold"], "");
  EXPECT_EQ(a["expr"], "a=b");
}

TEST(TokenizeLine, DuplicateKeysKeepTheFirstValue) {
  LineAttributes a;
  TokenizeLine("char id=65 id=66 id=\"67\"", a);
  EXPECT_EQ(a.size(), 1u);
  EXPECT_EQ(a["id"], "65");
}

TEST(TokenizeLine, KeysWithoutEqualsAndOpenQuotesAreDropped) {
  LineAttributes a;
  TokenizeLine("char id=5 lonely", a);
  EXPECT_EQ(a.size(), 1u);
  EXPECT_EQ(a.count("lonely"), 0u);

  // A key runs up to the next '=', blanks included.
  TokenizeLine("common orphan lineHeight=10", a);
  EXPECT_EQ(a.count("lineHeight"), 0u);
  EXPECT_EQ(a["orphan lineHeight"], "10");

  TokenizeLine("info size=3 face=\"Arial Bl", a);
  EXPECT_EQ(a.count("face"), 0u);
  EXPECT_EQ(a["size"], "3");
}

TEST(TokenizeLine, BlankLinesAndPreviousAttributes) {
  LineAttributes a;
  TokenizeLine("kerning first=1", a);
  EXPECT_EQ(TokenizeLine(" \t ", a), "");
  EXPECT_TRUE(a.empty());
  EXPECT_EQ(TokenizeLine("", a), "");
  EXPECT_EQ(TokenizeLine("chars", a), "chars");
  EXPECT_TRUE(a.empty());
  // Keys compare byte-wise: case matters.
  TokenizeLine("info Face=x", a);
  EXPECT_EQ(AttributeText(a, "face"), "");
  EXPECT_EQ(AttributeText(a, "Face"), "x");
}

TEST(LenientConversions, IntegersStopAtTheFirstMisfit) {
  LineAttributes a;
  TokenizeLine("x a=-12abc b= c=+7 d=abc e=99999999999 f=\"  42\"", a);
  EXPECT_EQ(AttributeInt(a, "a"), -12);
  EXPECT_EQ(AttributeInt(a, "b"), 0);
  EXPECT_EQ(AttributeInt(a, "c"), 7);
  EXPECT_EQ(AttributeInt(a, "d"), 0);
  EXPECT_EQ(AttributeInt(a, "e"), 2147483647);
  EXPECT_EQ(AttributeInt(a, "f"), 42);
  EXPECT_EQ(AttributeInt(a, "missing"), 0);
}

TEST(LenientConversions, FloatsReadPlainDecimalsOnly) {
  EXPECT_FLOAT_EQ(LenientDecimal("  -1.5xyz"), -1.5f);
  EXPECT_FLOAT_EQ(LenientDecimal(".5"), 0.5f);
  EXPECT_FLOAT_EQ(LenientDecimal("+2."), 2.0f);
  EXPECT_FLOAT_EQ(LenientDecimal("3e2"), 300.0f);
  EXPECT_FLOAT_EQ(LenientDecimal("2.5E-1"), 0.25f);
  EXPECT_FLOAT_EQ(LenientDecimal("1e"), 1.0f);
  EXPECT_FLOAT_EQ(LenientDecimal("7e+"), 7.0f);
  EXPECT_EQ(LenientDecimal(""), 0.0f);
  EXPECT_EQ(LenientDecimal("-"), 0.0f);
  EXPECT_EQ(LenientDecimal("."), 0.0f);
  EXPECT_EQ(LenientDecimal("inf"), 0.0f);
  EXPECT_EQ(LenientDecimal("nan"), 0.0f);
  EXPECT_EQ(LenientDecimal("0x10"), 0.0f);
  // Out of range saturates or vanishes instead of becoming infinite.
  EXPECT_EQ(LenientDecimal("1e999"), FLT_MAX);
  EXPECT_EQ(LenientDecimal("-1e60"), -FLT_MAX);
  EXPECT_EQ(LenientDecimal("1e-999"), 0.0f);
  EXPECT_EQ(LenientDecimal("0.000e99999"), 0.0f);
}

TEST(ReadTextLine, BehavesLikeA500ByteLineBuffer) {
  const std::string fits(499, 'a');
  const std::string tooLong(500, 'b');
  std::istringstream in("first\r\n\nsecond\n" + fits + "\n" + tooLong + "\nafter\n");
  std::string line;
  ASSERT_TRUE(ReadTextLine(in, line));
  EXPECT_EQ(line, "first");  // the carriage return goes
  ASSERT_TRUE(ReadTextLine(in, line));
  EXPECT_EQ(line, "");
  ASSERT_TRUE(ReadTextLine(in, line));
  EXPECT_EQ(line, "second");
  ASSERT_TRUE(ReadTextLine(in, line));
  EXPECT_EQ(line, fits);
  EXPECT_FALSE(ReadTextLine(in, line));  // 500 characters do not fit
  EXPECT_FALSE(ReadTextLine(in, line));  // and the stream stays failed

  std::istringstream noFinalFeed("last");
  ASSERT_TRUE(ReadTextLine(noFinalFeed, line));
  EXPECT_EQ(line, "last");
  EXPECT_FALSE(ReadTextLine(noFinalFeed, line));
}

}  // namespace
}  // namespace nb
