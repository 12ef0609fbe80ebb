#include "persistence/binary_io.h"

#include <unistd.h>

#include <cstdio>
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

bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bytes.clear();
  unsigned char chunk[4096];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
  std::fclose(file);
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  std::string temp = path + ".tmp";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = fsync(fileno(file)) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace nb
