// The records file and the level statistics, written and read back from real files.
#include "persistence/records.h"

#include <cstring>

#include <gtest/gtest.h>

#include "persistence/level_stats.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

using test::Int32Bytes;

std::string Name64(std::string name) {
  name.resize(64, '\0');
  return name;
}

std::string Profile80(const std::string& name, int score, int level, int lives, int mode) {
  return Name64(name) + Int32Bytes(score) + Int32Bytes(level) + Int32Bytes(lives) + Int32Bytes(mode);
}

TEST(RecordsFile, ReadsTheExactLayout) {
  test::ScratchDir dir;
  dir.Write("record.dat", Int32Bytes(2) + Profile80("Ann", 120, 4, 3, 1) + Profile80("Bob", 5, 1, 5, 0) +
                              Int32Bytes(1) + Int32Bytes(1) + Name64("Top") + Int32Bytes(9000));
  ProfileTable profiles;
  RecordsTable records;
  LoadRecordsFile(profiles, records);
  ASSERT_EQ(profiles.count, 2);
  const ProfileRecord& ann = profiles.profiles[0];
  EXPECT_STREQ(ann.name, "Ann");
  // No trailer: modes 1 and 2 stay 0.
  EXPECT_EQ(
      (std::vector<int>{ann.score[0], ann.level[0], ann.lives[0], ann.mode, ann.level[1], ann.lives[2]}),
      (std::vector<int>{120, 4, 3, 1, 0, 0}));
  ASSERT_EQ(records.count, 1);
  EXPECT_EQ(std::string(records.entries[0].name) + " " + std::to_string(records.entries[0].score),
            "Top 9000");
  EXPECT_STREQ(CurrentProfile(profiles) ? CurrentProfile(profiles)->name : "none", "Bob");
}

TEST(RecordsFile, RoundTripFromAMissingFileKeepsAllModesThroughTheTrailer) {
  test::ScratchDir dir;
  ProfileTable profiles;
  RecordsTable records;
  LoadRecordsFile(profiles, records);
  EXPECT_EQ((std::vector<int>{profiles.count, profiles.current, records.count}),
            (std::vector<int>{0, -1, 0}));
  ASSERT_TRUE(AddProfile(profiles, "Player", 0, 1, 3));
  ASSERT_TRUE(AddProfile(profiles, "Second", 0, 1, 3));
  profiles.profiles[0].score[1] = 777;
  profiles.profiles[1].lives[2] = 2;
  profiles.profiles[1].mode = 2;
  profiles.current = 1;
  records.count = 2;
  std::strcpy(records.entries[1].name, "R2");
  records.entries[1].score = 42;
  ASSERT_TRUE(SaveRecordsFile(profiles, records));
  const std::string bytes = dir.Read("record.dat");
  EXPECT_EQ(bytes.size(), 12u + 80 * 2 + 68 * 2 + 4 + 2 * 24);
  // The classic fields come first, unchanged: the trailer follows the last record.
  EXPECT_EQ(bytes.substr(12 + 160 + 68 + 64, 4), Int32Bytes(42));
  EXPECT_FALSE(dir.Exists("record.dat.tmp"));
  ProfileTable loaded;
  RecordsTable loadedRecords;
  LoadRecordsFile(loaded, loadedRecords);
  const ProfileRecord &first = loaded.profiles[0], &second = loaded.profiles[1];
  EXPECT_EQ((std::vector<int>{loaded.count, loaded.current, first.score[1], second.lives[2], second.mode,
                              loadedRecords.count, loadedRecords.entries[1].score}),
            (std::vector<int>{2, 1, 777, 2, 2, 2, 42}));
  EXPECT_STREQ(loadedRecords.entries[1].name, "R2");
}

TEST(RecordsFile, DamagedFilesNeverOverrunTheTables) {
  test::ScratchDir dir;
  ProfileTable profiles;
  RecordsTable records;
  AddProfile(profiles, "Keep", 1, 2, 3);
  // Oversized or negative counts: the tables are left as they were.
  for (const std::string& bytes :
       {Int32Bytes(7) + std::string(80 * 7, 'x') + Int32Bytes(0) + Int32Bytes(0),
        Int32Bytes(-1) + Int32Bytes(0) + Int32Bytes(0),
        Int32Bytes(0) + Int32Bytes(-1) + Int32Bytes(11) + std::string(68 * 11, 'y'),
        Int32Bytes(1) + Profile80("New", 0, 1, 1, 0) + Int32Bytes(0) + Int32Bytes(-4)}) {
    dir.Write("record.dat", bytes);
    LoadRecordsFile(profiles, records);
    EXPECT_EQ((std::vector<int>{profiles.count, records.count}), (std::vector<int>{1, 0}));
    EXPECT_STREQ(profiles.profiles[0].name, "Keep");
  }
  // A name without its terminating zero, a mode out of range, a short file.
  dir.Write("record.dat", Int32Bytes(1) + std::string(64, 'N') + Int32Bytes(1) + Int32Bytes(1) +
                              Int32Bytes(1) + Int32Bytes(77));
  ProfileTable damaged;
  LoadRecordsFile(damaged, records);
  ASSERT_EQ(damaged.count, 1);
  EXPECT_EQ(std::strlen(damaged.profiles[0].name), 63u);
  EXPECT_EQ((std::vector<int>{damaged.profiles[0].mode, damaged.current}), (std::vector<int>{0, -1}));
  EXPECT_EQ(CurrentProfile(damaged), nullptr);
}

TEST(Profiles, AddProfileFillsAllModesStopsAtSixAndCutsLongNames) {
  ProfileTable profiles;
  profiles.profiles[0].mode = 2;
  for (int i = 0; i < kMaxProfiles; ++i) EXPECT_TRUE(AddProfile(profiles, "P" + std::to_string(i), 0, 1, 3));
  EXPECT_FALSE(AddProfile(profiles, "Seventh", 0, 1, 3));
  EXPECT_EQ(profiles.count, 6);
  EXPECT_EQ(profiles.profiles[0].mode, 2);  // the slot's mode is kept
  for (int mode = 0; mode < kGameModes; ++mode)
    EXPECT_TRUE(profiles.profiles[5].level[mode] == 1 && profiles.profiles[5].lives[mode] == 3) << mode;
  ProfileTable other;
  AddProfile(other, std::string(100, 'L'), 0, 1, 3);
  EXPECT_EQ(std::strlen(other.profiles[0].name), 63u);
}

TEST(LevelStatistics, AppendedRecordsReadBackAndADamagedTailIsLeftOut) {
  test::ScratchDir dir;
  LevelStats stats;
  for (int i = 0; i < 12; ++i) stats.counters[i] = i + 1;
  ASSERT_TRUE(AppendLevelStatistics(stats));
  stats.counters[StatLevelNumber] = 9;
  ASSERT_TRUE(AppendLevelStatistics(stats));
  const std::string bytes = dir.Read("stat.stt");
  ASSERT_EQ(bytes.size(), 104u);  // twelve counters and the marker each
  EXPECT_EQ(bytes.substr(48, 4), Int32Bytes(-111));
  const std::pair<std::string, std::vector<int>> cases[] = {
      {bytes, {1, 9}},
      {bytes + bytes.substr(0, 30), {1, 9}},         // an append cut short
      {bytes.substr(0, 52) + bytes.substr(4), {1}},  // out of step after the first
      {"", {}},
  };
  for (const auto& [file, levels] : cases) {
    dir.Write("case.stt", file);
    std::vector<int> read;
    for (const LevelStats& record : ReadLevelStatistics(dir.File("case.stt"))) {
      read.push_back(record.counters[StatLevelNumber]);
      EXPECT_EQ(record.counters[StatExtraLives], 12);
    }
    EXPECT_EQ(read, levels) << file.size();
  }
  EXPECT_TRUE(ReadLevelStatistics(dir.File("missing.stt")).empty());
  EXPECT_FALSE(AppendLevelStatistics(stats, dir.File("missing-dir/stat.stt")));
}

}  // namespace
}  // namespace nb
