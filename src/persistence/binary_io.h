#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nb {

// Little-endian reading and writing of the game's binary files.
class ByteReader {
 public:
  explicit ByteReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}
  bool ReadInt32(int32_t& value);
  bool ReadBytes(void* out, size_t count);
  size_t Remaining() const { return bytes_.size() - offset_; }

 private:
  const std::vector<unsigned char>& bytes_;
  size_t offset_ = 0;
};

void AppendInt32(std::string& out, int32_t value);

// The whole file; false when it cannot be opened.
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes);

// Writes a temporary file beside the target and renames it over the target,
// so the target is either the old file or the whole new one.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace nb
