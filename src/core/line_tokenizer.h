#pragma once
#include <istream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nb {

// The attributes of one line in line order, each key once, keyed byte-wise
// and case-sensitively. A line holds a dozen at most, so a list reused from
// line to line is searched faster than a map is rebuilt.
using LineAttributes = std::vector<std::pair<std::string, std::string>>;

// Reads one line of a game text file the way a 500-byte line buffer does:
// at most 499 characters up to a line feed (which is not kept). A line that
// does not fit, the end of the file and a read error all fail. A trailing
// carriage return is dropped so files written with CR LF read alike.
bool ReadTextLine(std::istream& in, std::string& line);
// The same on a text in memory: takes the line off the front of `rest`.
bool ReadTextLine(std::string_view& rest, std::string& line);

// Splits a line such as `char id=65 x="1 2"` into its keyword ("char") and
// key=value attributes. Quoted values may hold blanks; quotes are not kept.
// A key without '=' and a quoted value left open are dropped; when a key
// occurs twice the first value stays. A blank line yields an empty keyword.
std::string TokenizeLine(const std::string& line, LineAttributes& attributes);

// The value of a key, or the empty string when the line lacks it.
const std::string& AttributeText(const LineAttributes& attributes, const std::string& key);

// Lenient conversions: leading blanks, an optional sign, then digits (or a
// decimal number); anything after that is ignored; empty or absent reads 0.
int AttributeInt(const LineAttributes& attributes, const std::string& key);
float AttributeFloat(const LineAttributes& attributes, const std::string& key);
float LenientDecimal(const std::string& text);

}  // namespace nb
