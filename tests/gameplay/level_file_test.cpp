#include "gameplay/level_file.h"

#include <memory>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace nb {
namespace {

using test::Int32Bytes;
using V = std::vector<int32_t>;

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
  std::vector<Cell> largest(128 * 128, Cell{1, 0, 0});
  largest.front() = {9, 0, 0};  // row 0, column 127
  largest.back() = {7, 0, 0};   // row 127, column 0
  dir.Write("big.ilf", LevelBytes(0, 60, 128, 128, largest));
  ASSERT_TRUE(LoadLevelFile(*level, "big.ilf"));
  EXPECT_EQ((V{level->cells[0][127].kind, level->cells[127][0].kind}), (V{Hole, Stone}));
  level->cells[0][0].count = 5;  // count never comes from the file
  for (int extra : {0, 2}) {
    SCOPED_TRACE(extra);
    dir.Write("data/levels/1.ilf",
              LevelBytes(extra, 90, 2, 3,
                         {{9, 0, 0}, {7, 1, 0}, {10, 0, 0}, {13, 2, 5}, {14, 0, 0}, {9, 0, 0}}, 1234));
    ASSERT_TRUE(LoadLevelFile(*level, LevelFileName(1)));
    EXPECT_EQ((V{level->timeLimit, level->rows, level->cols, level->trailer}), (V{90, 2, 3, 1234}));
    const auto& c = level->cells;  // a row's first record is its last column
    EXPECT_EQ((V{c[0][2].kind, c[0][1].kind, c[0][1].state, c[0][0].kind, c[0][0].count}),
              (V{Hole, Stone, 1, Start, 5}));
    EXPECT_EQ((V{c[1][2].kind, c[1][2].state, c[1][2].value, c[1][0].kind}), (V{Valve, 2, 5, Hole}));
    EXPECT_EQ((V{c[2][0].kind, c[2][2].kind}), (V{Wall, Wall}));  // left from the larger level
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

  const std::string full = LevelBytes(0, 60, 2, 2, std::vector<Cell>(4, Cell{1, 0, 0}));
  const std::pair<const char*, std::string> refused[] = {
      {"rows0", LevelBytes(0, 60, 0, 2, {})},
      {"rows129", LevelBytes(0, 60, 129, 1, std::vector<Cell>(129, Cell{1, 0, 0}))},
      {"negcols", LevelBytes(0, 60, 2, -1, {})},
      {"negextra", LevelBytes(0, 60, 1, 1, {{1, 0, 0}}).replace(129, 4, Int32Bytes(-1))},
      {"hugeextra", LevelBytes(0, 60, 1, 1, {{1, 0, 0}}).replace(129, 4, Int32Bytes(0x7FFFFFFF))},
      {"short", full.substr(0, full.size() - 5)},
      {"header", std::string(100, 'h')},
  };
  for (const auto& [name, bytes] : refused) {
    dir.Write(name, bytes);
    EXPECT_FALSE(LoadLevelFile(*level, name)) << name;
    EXPECT_EQ((V{level->rows, level->cols, level->timeLimit, level->cells[0][1].kind}), (V{1, 2, 60, Stone}))
        << name;
  }
  EXPECT_EQ(messages.calls().size(), 1u + std::size(refused));
}

}  // namespace
}  // namespace nb
