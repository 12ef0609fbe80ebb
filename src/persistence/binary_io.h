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
  bool ReadUint32(uint32_t& value);
  bool ReadUint8(uint8_t& value);
  bool ReadBytes(void* out, size_t count);
  size_t Remaining() const { return bytes_.size() - offset_; }

 private:
  std::span<const unsigned char> bytes_;
  size_t offset_ = 0;
};

void AppendInt32(std::string& out, int32_t value);
void AppendUint32(std::string& out, uint32_t value);
void AppendUint8(std::string& out, uint8_t value);

// FNV-1a, 32 bits: a single changed byte always changes it.
uint32_t Fnv1a(std::span<const unsigned char> bytes);

// The newer files (bests, replays) are framed: a 4-byte magic and a uint32
// version first, and last a uint32 FNV-1a of every byte before it.
constexpr size_t kFrameStartBytes = 8;
constexpr size_t kFrameEndBytes = 4;
void AppendFrameStart(std::string& out, const char (&magic)[5], uint32_t version);
void AppendFrameEnd(std::string& out);
// Reads the magic and version; the reason when they are not the ones asked
// for. A reader refuses a version it does not know before anything else, as
// a later version may lay out even the checksum differently.
std::string ReadFrameStart(ByteReader& in, const char (&magic)[5], uint32_t version);
// Whether the last four bytes are the checksum of the others.
bool FrameEndHolds(std::span<const unsigned char> bytes);

}  // namespace nb
