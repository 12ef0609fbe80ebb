#include "gameplay/level_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "core/file_io.h"
#include "core/paths.h"
#include "gameplay/level_rules.h"
#include "persistence/binary_io.h"
#include "platform/message_box.h"

namespace nb {
namespace {

constexpr size_t kHeaderBytes = 129;
constexpr size_t kMaxTitleBytes = 63;  // the title and its terminator fill the first 64 bytes
constexpr size_t kExtraRecordBytes = 160;
constexpr size_t kCellBytes = 12;

int32_t ReadInt32(std::span<const unsigned char> bytes, size_t offset) {
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

std::string ParseLevelFile(std::span<const unsigned char> bytes, LevelRecord& level) {
  if (bytes.size() < kHeaderBytes + 4) return "too short";
  const int32_t extra = ReadInt32(bytes, kHeaderBytes);
  if (extra < 0) return "negative record count";
  size_t offset = kHeaderBytes + 4;
  if (static_cast<uint64_t>(extra) * kExtraRecordBytes > bytes.size()) return "too short";
  offset += static_cast<size_t>(extra) * kExtraRecordBytes;
  if (bytes.size() < offset + 12) return "too short";

  const int32_t timeLimit = ReadInt32(bytes, offset);
  const int32_t rows = ReadInt32(bytes, offset + 4), cols = ReadInt32(bytes, offset + 8);
  offset += 12;
  if (rows < 1 || rows > kGridSize || cols < 1 || cols > kGridSize) return "grid size outside 1..128";
  const size_t cellBytes = static_cast<size_t>(rows) * static_cast<size_t>(cols) * kCellBytes;
  if (bytes.size() < offset + cellBytes + 4) return "too short";
  // The cells are checked before any of them reaches the record. Within a
  // row the file lists the columns from the last to the first.
  std::vector<GridCell> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
  for (int r = 0; r < rows; ++r) {
    for (int k = 0; k < cols; ++k) {
      cells[static_cast<size_t>(r) * cols + (cols - 1 - k)] = {
          ReadInt32(bytes, offset), ReadInt32(bytes, offset + 4), ReadInt32(bytes, offset + 8), 0};
      offset += kCellBytes;
    }
  }
  if (std::optional<LevelFault> fault = FindLevelFault(GridView{rows, cols, cols, cells.data()}))
    return fault->reason;

  level.timeLimit = timeLimit;
  level.rows = rows;
  level.cols = cols;
  level.trailer = ReadInt32(bytes, offset);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const GridCell& from = cells[static_cast<size_t>(r) * cols + c];
      GridCell& to = level.cells[r][c];
      to.kind = from.kind, to.state = from.state, to.value = from.value;  // the count stays
    }
  }
  return "";
}

bool LoadLevelFile(LevelRecord& level, const std::string& path, const std::string& folder) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(NativePath(folder, path), bytes, kMaxLevelFileBytes)) {
    if (std::filesystem::exists(NativePath(folder, path))) return Refuse(path, "larger than 1 MiB");
    ShowMessageBox("Could not find level file: " + path, "ERROR");
    return false;
  }
  const std::string reason = ParseLevelFile(bytes, level);
  return reason.empty() || Refuse(path, reason);
}

std::string ReadLevelTitle(const std::string& path, const std::string& folder) {
  std::ifstream in(NativePath(folder, path), std::ios::binary);
  char header[kHeaderBytes];
  if (!in.read(header, kHeaderBytes)) return "";
  std::string title;
  for (size_t i = 0; i < kMaxTitleBytes && header[i] != '\0'; ++i)
    if (static_cast<unsigned char>(header[i]) >= 32) title += header[i];
  return title;
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
