#include "persistence/binary_io.h"

#include <cstring>

namespace nb {

bool ByteReader::ReadInt32(int32_t& value) {
  if (Remaining() < 4) return false;
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes_[offset_ + i]) << (8 * i);
  offset_ += 4;
  value = static_cast<int32_t>(v);
  return true;
}

bool ByteReader::ReadBytes(void* out, size_t count) {
  if (Remaining() < count) return false;
  std::memcpy(out, bytes_.data() + offset_, count);
  offset_ += count;
  return true;
}

void AppendInt32(std::string& out, int32_t value) {
  auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace nb
