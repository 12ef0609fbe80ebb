#include "gameplay/level_file.h"

#include <memory>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace nb {
namespace {

using test::Int32Bytes;

struct Cell {
  int kind, state, value;
};

// A level file as the game reads it: the cells of each row in file order
// (which lists the columns from the last to the first).
std::string LevelBytes(int extra, int timeLimit, int rows, int cols, const std::vector<Cell>& fileOrder,
                       int trailer = 77) {
  std::string bytes(129, 'h');
  bytes += Int32Bytes(extra) + std::string(160 * static_cast<size_t>(extra), 'e');
  bytes += Int32Bytes(timeLimit) + Int32Bytes(rows) + Int32Bytes(cols);
  for (const Cell& c : fileOrder) bytes += Int32Bytes(c.kind) + Int32Bytes(c.state) + Int32Bytes(c.value);
  return bytes + Int32Bytes(trailer);
}

TEST(LevelFile, ReadsCellsInReversedColumnsSkipsExtraRecordsAndKeepsCellsOutsideTheLevel) {
  test::ScratchDir dir;
  test::CapturedMessages messages;  // a refusal reports instead of waiting on a message box
  auto level = std::make_unique<LevelRecord>();
  dir.Write("big.ilf", LevelBytes(0, 60, 3, 3, std::vector<Cell>(9, Cell{1, 0, 0})));
  ASSERT_TRUE(LoadLevelFile(*level, "big.ilf"));
  level->cells[0][0].count = 5;  // count never comes from the file
  for (int extra : {0, 2}) {
    SCOPED_TRACE(extra);
    dir.Write("data/levels/1.ilf",
              LevelBytes(extra, 90, 2, 3, {{9, 0, 0}, {7, 1, 0}, {10, 0, 0}, {13, 2, 5}, {14, 0, 0}, {9, 0, 0}}, 1234));
    ASSERT_TRUE(LoadLevelFile(*level, LevelFileName(1)));
    EXPECT_EQ(level->timeLimit, 90);
    EXPECT_EQ(level->rows, 2);
    EXPECT_EQ(level->cols, 3);
    EXPECT_EQ(level->trailer, 1234);
    EXPECT_EQ(level->cells[0][2].kind, Hole);  // a row's first record: its last column
    EXPECT_EQ(level->cells[0][1].kind, Stone);
    EXPECT_EQ(level->cells[0][1].state, 1);
    EXPECT_EQ(level->cells[0][0].kind, Start);
    EXPECT_EQ(level->cells[0][0].count, 5);
    EXPECT_EQ(level->cells[1][2].kind, Valve);
    EXPECT_EQ(level->cells[1][2].state, 2);
    EXPECT_EQ(level->cells[1][2].value, 5);
    EXPECT_EQ(level->cells[1][0].kind, Hole);
    EXPECT_EQ(level->cells[2][0].kind, Wall);  // left from the larger level
    EXPECT_EQ(level->cells[2][2].kind, Wall);
  }
  EXPECT_TRUE(messages.calls().empty());
}

TEST(LevelFile, MissingAndDamagedFilesAreRefusedAndKeepThePreviousLevel) {
  test::ScratchDir dir;
  test::CapturedMessages messages;
  dir.Write("good.ilf", LevelBytes(0, 60, 1, 2, {{7, 0, 0}, {10, 0, 0}}));
  auto level = std::make_unique<LevelRecord>();
  ASSERT_TRUE(LoadLevelFile(*level, "good.ilf"));

  EXPECT_FALSE(LoadLevelFile(*level, "data\\levels\\99.ilf"));
  ASSERT_EQ(messages.calls().size(), 1u);
  EXPECT_EQ(messages.calls()[0].text, "Could not find level file: data\\levels\\99.ilf");
  EXPECT_EQ(messages.calls()[0].caption, "ERROR");

  const std::string full = LevelBytes(0, 60, 2, 2, std::vector<Cell>(4, Cell{1, 0, 0}));
  const std::pair<const char*, std::string> refused[] = {
      {"rows0", LevelBytes(0, 60, 0, 2, {})},
      {"rows129", LevelBytes(0, 60, 129, 1, std::vector<Cell>(129, Cell{1, 0, 0}))},
      {"negcols", LevelBytes(0, 60, 2, -1, {})},
      {"negextra", LevelBytes(0, 60, 1, 1, {{1, 0, 0}}).replace(129, 4, Int32Bytes(-1))},
      {"hugeextra", LevelBytes(0, 60, 1, 1, {{1, 0, 0}}).replace(129, 4, Int32Bytes(0x7FFFFFFF))},
      {"short", full.substr(0, full.size() - 5)},
      {"header", std::string(100, 'h')},
      {"empty", std::string()},
  };
  for (const auto& [name, bytes] : refused) {
    dir.Write(name, bytes);
    EXPECT_FALSE(LoadLevelFile(*level, name)) << name;
    EXPECT_EQ(level->rows, 1) << name;
    EXPECT_EQ(level->cols, 2) << name;
    EXPECT_EQ(level->timeLimit, 60) << name;
    EXPECT_EQ(level->cells[0][1].kind, Stone) << name;
  }
  EXPECT_EQ(messages.calls().size(), 1u + std::size(refused));
}

TEST(LevelFile, TheLargestGridReadsWhole) {
  test::ScratchDir dir;
  std::vector<Cell> cells(128 * 128, Cell{0, 0, 0});
  cells.front() = {9, 0, 0};  // row 0, column 127
  cells.back() = {7, 0, 0};   // row 127, column 0
  dir.Write("max.ilf", LevelBytes(0, 600, 128, 128, cells));
  auto level = std::make_unique<LevelRecord>();
  ASSERT_TRUE(LoadLevelFile(*level, "max.ilf"));
  EXPECT_EQ(level->cells[0][127].kind, Hole);
  EXPECT_EQ(level->cells[127][0].kind, Stone);
}

}  // namespace
}  // namespace nb
