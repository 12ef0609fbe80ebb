#include "persistence/binary_io.h"

#include <cstring>

namespace nb {

bool ByteReader::ReadInt32(int32_t& value) {
  uint32_t v = 0;
  if (!ReadUint32(v)) return false;
  value = static_cast<int32_t>(v);
  return true;
}

bool ByteReader::ReadUint32(uint32_t& value) {
  if (Remaining() < 4) return false;
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(bytes_[offset_ + i]) << (8 * i);
  offset_ += 4;
  value = v;
  return true;
}

bool ByteReader::ReadUint8(uint8_t& value) {
  if (Remaining() < 1) return false;
  value = bytes_[offset_++];
  return true;
}

bool ByteReader::ReadBytes(void* out, size_t count) {
  if (Remaining() < count) return false;
  std::memcpy(out, bytes_.data() + offset_, count);
  offset_ += count;
  return true;
}

void AppendInt32(std::string& out, int32_t value) { AppendUint32(out, static_cast<uint32_t>(value)); }

void AppendUint32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AppendUint8(std::string& out, uint8_t value) { out.push_back(static_cast<char>(value)); }

uint32_t Fnv1a(std::span<const unsigned char> bytes) {
  uint32_t hash = 2166136261u;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 16777619u;
  return hash;
}

void AppendFrameStart(std::string& out, const char (&magic)[5], uint32_t version) {
  out.append(magic, 4);
  AppendUint32(out, version);
}

void AppendFrameEnd(std::string& out) {
  AppendUint32(out, Fnv1a({reinterpret_cast<const unsigned char*>(out.data()), out.size()}));
}

std::string ReadFrameStart(ByteReader& in, const char (&magic)[5], uint32_t version) {
  char found[4];
  uint32_t foundVersion = 0;
  if (!in.ReadBytes(found, 4) || !in.ReadUint32(foundVersion)) return "too short";
  if (std::memcmp(found, magic, 4) != 0) return std::string("not starting with ") + magic;
  if (foundVersion != version) return "version " + std::to_string(foundVersion) + " is not known";
  return "";
}

bool FrameEndHolds(std::span<const unsigned char> bytes) {
  if (bytes.size() < kFrameEndBytes) return false;
  const size_t body = bytes.size() - kFrameEndBytes;
  ByteReader end(bytes.subspan(body));
  uint32_t stored = 0;
  return end.ReadUint32(stored) && stored == Fnv1a(bytes.first(body));
}

}  // namespace nb
