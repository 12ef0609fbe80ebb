#pragma once
#include <cstdint>
#include <string>

namespace gen {

// The Unicode character of a code page 1251 byte; 0 for the one unused byte
// (0x98) and for control characters.
uint32_t Cp1251ToUnicode(uint8_t byte);

// Converts UTF-8 text to code page 1251. False (with the offending line in
// `error`) when the text holds a character that the code page lacks or is
// not valid UTF-8.
bool Utf8ToCp1251(const std::string& utf8, std::string& out, std::string& error);

// Decodes UTF-8 into code points (invalid bytes become U+FFFD).
std::u32string DecodeUtf8(const std::string& utf8);

}  // namespace gen
