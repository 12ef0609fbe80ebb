// Each profile's bests: the figures a won level keeps, and bests.dat written
// and read back through real files.
#include "persistence/bests.h"

#include <sys/stat.h>

#include <algorithm>
#include <regex>
#include <tuple>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace nb {
namespace {

using Row = std::tuple<std::string, int, int, int, int>;

std::vector<Row> Rows(const BestsTable& table) {
  std::vector<Row> rows;
  for (const LevelBest& e : table.entries)
    rows.emplace_back(e.name, e.mode, e.level, e.secondsLeft, e.points);
  return rows;
}

BestsTable Sample() {
  BestsTable table;
  UpdateBest(table, "Ann", 0, 1, 41, 1200);
  UpdateBest(table, std::string(63, 'L').c_str(), 2, kMaxLevelNumber, kMaxBestSeconds, kMaxBestPoints);
  UpdateBest(table, "Bob", 1, 7, 0, 0);
  return table;
}

TEST(Bests, EachFigureIsKeptOnlyWhenItImprovesAndForgettingTakesOneProfile) {
  const std::tuple<int, int, bool, Row> cases[] = {{60, 600, true, {"Ann", 1, 3, 60, 700}},
                                                   {40, 900, true, {"Ann", 1, 3, 50, 900}},
                                                   {40, 600, false, {"Ann", 1, 3, 50, 700}},
                                                   {50, 700, false, {"Ann", 1, 3, 50, 700}}};
  for (const auto& [seconds, points, changed, kept] : cases) {
    BestsTable table;
    ASSERT_TRUE(UpdateBest(table, "Ann", 1, 3, 50, 700));
    EXPECT_EQ(UpdateBest(table, "Ann", 1, 3, seconds, points), changed) << seconds << "/" << points;
    EXPECT_EQ(Rows(table), std::vector<Row>{kept});
  }
  BestsTable table;
  for (const char* name : {"Ann", "Annie", "Bob"}) UpdateBest(table, name, 0, 1, 10, 10);
  UpdateBest(table, "Ann", 2, 4, 10, 10);
  ForgetBests(table, "Ann");
  EXPECT_EQ(Rows(table), (std::vector<Row>{{"Annie", 0, 1, 10, 10}, {"Bob", 0, 1, 10, 10}}));
}

TEST(BestsFile, ASavedTableLoadsBackAFailedSaveKeepsTheOldAndOnlyWhatAReaderTakesIsWritten) {
  test::ScratchDir dir;
  EXPECT_TRUE(LoadBestsFile("bests.dat").entries.empty());  // missing: quietly empty
  EXPECT_FALSE(dir.Exists("Log.txt"));
  BestsTable table = Sample();
  ASSERT_TRUE(SaveBestsFile(table, "bests.dat"));
  EXPECT_EQ(Rows(LoadBestsFile("bests.dat")), Rows(table));
  const std::string saved = dir.Read("bests.dat");
  ASSERT_EQ(mkdir(dir.File("bests.dat.tmp").c_str(), 0755), 0);  // the new file cannot be written
  UpdateBest(table, "New", 0, 2, 1, 1);
  EXPECT_FALSE(SaveBestsFile(table, "bests.dat"));
  EXPECT_EQ(dir.Read("bests.dat"), saved);  // the old one is whole

  table = Sample();
  table.entries[0].points = -5;
  table.entries[2].secondsLeft = kMaxBestSeconds + 1;
  UpdateBest(table, "Eve", kGameModes, 1, 1, 1);
  UpdateBest(table, "Eve", 0, kMaxLevelNumber + 1, 1, 1);
  BestsTable parsed;
  std::string why;
  ASSERT_TRUE(ParseBests(EncodeBests(table), parsed, &why)) << why;
  std::vector<Row> expected = Rows(Sample());  // figures at their bounds, the two strays left out
  std::get<4>(expected[0]) = 0;
  std::get<3>(expected[2]) = kMaxBestSeconds;
  EXPECT_EQ(Rows(parsed), expected);
}

TEST(BestsFile, EveryDamagedFileLoadsEmptyWithOneLogLineAndIsKeptAside) {
  test::ScratchDir dir;
  ASSERT_TRUE(SaveBestsFile(Sample(), "bests.dat"));
  const std::string good = dir.Read("bests.dat");
  std::vector<std::string> damaged = {good + '\0', good + std::string(kMaxBestsFileBytes, '\0')};
  for (size_t n = 0; n < good.size(); ++n)  // every cut, every byte flipped
    damaged.insert(damaged.end(),
                   {good.substr(0, n), good.substr(0, n) + char(good[n] ^ 0x10) + good.substr(n + 1)});
  const std::regex line("Damaged bests\\.dat \\(.+\\), kept as bests\\.dat\\.damaged: .+\n");
  long lines = 0;
  for (const std::string& bytes : damaged) {
    dir.Write("bests.dat", bytes);
    EXPECT_TRUE(LoadBestsFile("bests.dat").entries.empty()) << bytes.size();
    const std::string log = dir.Read("Log.txt");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), ++lines);
    EXPECT_TRUE(std::regex_match(log.substr(log.rfind('\n', log.size() - 2) + 1), line)) << log;
    EXPECT_EQ(dir.Read("bests.dat.damaged"), bytes);
  }
}

}  // namespace
}  // namespace nb
