// stat.stt: every record read is whole and marked, and writing them again
// gives the bytes they came from.
#include <cstdlib>

#include "fuzz_input.h"
#include "persistence/binary_io.h"
#include "persistence/level_stats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<nb::LevelStats> records = nb::ParseLevelStatistics({data, size});
  if (records.size() * nb::kLevelStatsRecordBytes > size) std::abort();
  std::string again;
  for (const nb::LevelStats& stats : records) {
    for (int32_t counter : stats.counters) nb::AppendInt32(again, counter);
    nb::AppendInt32(again, nb::kLevelStatsMarker);
  }
  if (again.compare(0, std::string::npos, reinterpret_cast<const char*>(data), again.size()) != 0)
    std::abort();
  return 0;
}
