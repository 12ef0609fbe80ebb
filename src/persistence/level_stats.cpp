#include "persistence/level_stats.h"

#include <cstdio>

#include "persistence/binary_io.h"

namespace nb {

bool AppendLevelStatistics(const LevelStats& stats, const std::string& path) {
  std::string record;
  for (int32_t counter : stats.counters) AppendInt32(record, counter);
  AppendInt32(record, kLevelStatsMarker);
  std::FILE* file = std::fopen(path.c_str(), "ab");
  if (!file) return false;
  bool ok = std::fwrite(record.data(), 1, record.size(), file) == record.size();
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

std::vector<LevelStats> ParseLevelStatistics(std::span<const unsigned char> bytes) {
  std::vector<LevelStats> records;
  ByteReader in(bytes);
  while (in.Remaining() >= static_cast<size_t>(kLevelStatsRecordBytes)) {
    LevelStats stats;
    for (int32_t& counter : stats.counters) in.ReadInt32(counter);
    int32_t marker = 0;
    if (!in.ReadInt32(marker) || marker != kLevelStatsMarker) break;
    records.push_back(stats);
  }
  return records;
}

std::vector<LevelStats> ReadLevelStatistics(const std::string& path) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes, kMaxLevelStatsFileBytes)) return {};
  return ParseLevelStatistics(bytes);
}

}  // namespace nb
