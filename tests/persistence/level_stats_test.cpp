#include "persistence/level_stats.h"

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace nb {
namespace {

TEST(LevelStatistics, RecordsAre52BytesWithTheMarkerAndAnUnwritableFileIsNotFatal) {
  test::ScratchDir dir;
  LevelStats stats;
  for (int i = 0; i < 12; ++i) stats.counters[i] = i + 1;
  stats.counters[StatSecondsLeft] = 37;
  ASSERT_TRUE(AppendLevelStatistics(stats));
  stats.counters[StatLevelNumber] = 9;
  ASSERT_TRUE(AppendLevelStatistics(stats));
  const std::string bytes = dir.Read("stat.stt");
  const std::string marker("\x91\xFF\xFF\xFF", 4);
  ASSERT_EQ(bytes.size(), 104u);
  EXPECT_EQ(bytes.substr(0, 4) + bytes.substr(8, 4) + bytes.substr(44, 8) + bytes.substr(52, 4) + bytes.substr(100),
            test::Int32Bytes(1) + test::Int32Bytes(37) + test::Int32Bytes(12) + marker + test::Int32Bytes(9) + marker);
  EXPECT_FALSE(AppendLevelStatistics(stats, dir.File("missing-dir/stat.stt")));
}

}  // namespace
}  // namespace nb
