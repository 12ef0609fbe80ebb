#include "gameplay/level_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/paths.h"
#include "persistence/binary_io.h"
#include "platform/message_box.h"

namespace nb {
namespace {

constexpr size_t kHeaderBytes = 129;
constexpr size_t kMaxTitleBytes = 63;  // the title and its terminator fill the first 64 bytes
constexpr size_t kExtraRecordBytes = 160;
constexpr size_t kCellBytes = 12;

int32_t ReadInt32(const std::vector<unsigned char>& bytes, size_t offset) {
  uint32_t v = static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
               static_cast<uint32_t>(bytes[offset + 2]) << 16 |
               static_cast<uint32_t>(bytes[offset + 3]) << 24;
  return static_cast<int32_t>(v);
}

bool Refuse(const std::string& path, const std::string& reason) {
  ShowMessageBox("Damaged level file: " + path + " (" + reason + ")", "ERROR");
  return false;
}

}  // namespace

std::string LevelFileName(int levelNumber) {
  char name[64];
  std::snprintf(name, sizeof name, "data\\levels\\%d.ilf", levelNumber);
  return name;
}

bool LoadLevelFile(LevelRecord& level, const std::string& path) {
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) {
    ShowMessageBox("Could not find level file: " + path, "ERROR");
    return false;
  }
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

  if (bytes.size() < kHeaderBytes + 4) return Refuse(path, "too short");
  int32_t extra = ReadInt32(bytes, kHeaderBytes);
  if (extra < 0) return Refuse(path, "negative record count");
  size_t offset = kHeaderBytes + 4;
  if (static_cast<uint64_t>(extra) * kExtraRecordBytes > bytes.size()) return Refuse(path, "too short");
  offset += static_cast<size_t>(extra) * kExtraRecordBytes;
  if (bytes.size() < offset + 12) return Refuse(path, "too short");

  int32_t timeLimit = ReadInt32(bytes, offset);
  int32_t rows = ReadInt32(bytes, offset + 4);
  int32_t cols = ReadInt32(bytes, offset + 8);
  offset += 12;
  if (rows < 1 || rows > kGridSize || cols < 1 || cols > kGridSize)
    return Refuse(path, "grid size outside 1..128");
  size_t cellBytes = static_cast<size_t>(rows) * static_cast<size_t>(cols) * kCellBytes;
  if (bytes.size() < offset + cellBytes + 4) return Refuse(path, "too short");

  level.timeLimit = timeLimit;
  level.rows = rows;
  level.cols = cols;
  // Within a row the file lists the columns from the last to the first.
  for (int r = 0; r < rows; ++r) {
    for (int k = 0; k < cols; ++k) {
      GridCell& cell = level.cells[r][cols - 1 - k];
      cell.kind = ReadInt32(bytes, offset);
      cell.state = ReadInt32(bytes, offset + 4);
      cell.value = ReadInt32(bytes, offset + 8);
      offset += kCellBytes;
    }
  }
  level.trailer = ReadInt32(bytes, offset);
  return true;
}

std::string EncodeLevelFile(const LevelRecord& level, const std::string& title) {
  std::string bytes(kHeaderBytes, '\0');
  title.copy(bytes.data(), std::min(title.size(), kMaxTitleBytes));
  const int rows = std::clamp(level.rows, 0, kGridSize);
  const int cols = std::clamp(level.cols, 0, kGridSize);
  AppendInt32(bytes, 0);  // no extra records
  AppendInt32(bytes, level.timeLimit);
  AppendInt32(bytes, rows);
  AppendInt32(bytes, cols);
  for (int r = 0; r < rows; ++r) {
    for (int k = 0; k < cols; ++k) {
      const GridCell& cell = level.cells[r][cols - 1 - k];
      AppendInt32(bytes, cell.kind);
      AppendInt32(bytes, cell.state);
      AppendInt32(bytes, cell.value);
    }
  }
  AppendInt32(bytes, level.trailer);
  return bytes;
}

}  // namespace nb
