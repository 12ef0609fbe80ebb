#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/file_io.h"

namespace nb {

// Little-endian reading and writing of the game's binary files.
class ByteReader {
 public:
  explicit ByteReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}
  bool ReadInt32(int32_t& value);
  bool ReadBytes(void* out, size_t count);
  size_t Remaining() const { return bytes_.size() - offset_; }

 private:
  std::span<const unsigned char> bytes_;
  size_t offset_ = 0;
};

void AppendInt32(std::string& out, int32_t value);

}  // namespace nb
