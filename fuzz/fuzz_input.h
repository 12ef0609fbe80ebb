#pragma once
// What every fuzz target gets: the fuzzer's bytes as the string or stream a
// reader takes.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace nb::fuzz {

inline std::string Text(const uint8_t* data, size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}
// The bytes in place, for readers that parse from memory.
inline std::string_view View(const uint8_t* data, size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}
inline std::vector<unsigned char> Bytes(const uint8_t* data, size_t size) { return {data, data + size}; }

}  // namespace nb::fuzz
