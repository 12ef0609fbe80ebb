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

}  // namespace nb
