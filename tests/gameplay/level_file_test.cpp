#include "gameplay/level_file.h"

#include <memory>

#include <gtest/gtest.h>

#include "gameplay_fixture.h"
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

// The drawn grid's file, after an optional change to its record.
std::string Drawn(const std::vector<std::string>& rows, void (*adjust)(LevelRecord&) = nullptr) {
  std::unique_ptr<LevelRecord> level = test::DrawLevel(rows);
  if (adjust) adjust(*level);
  return EncodeLevelFile(*level);
}

TEST(LevelFile, ReadsCellsInReversedColumnsSkipsExtraRecordsAndKeepsCellsOutsideTheLevel) {
  test::ScratchDir dir;
  test::CapturedMessages messages;  // a refusal reports instead of waiting on a message box
  auto level = std::make_unique<LevelRecord>();
  std::vector<Cell> largest(128 * 128, Cell{Wall, 0, 0});
  largest[128 + 1] = {Start, 0, 0};          // row 1, column 126
  largest[126 * 128 + 126] = {Stone, 0, 0};  // row 126, column 1
  dir.Write("big.ilf", LevelBytes(0, 60, 128, 128, largest));
  ASSERT_TRUE(LoadLevelFile(*level, "big.ilf"));
  EXPECT_EQ((V{level->cells[1][126].kind, level->cells[126][1].kind}), (V{Start, Stone}));
  level->cells[1][1].count = 5;  // count never comes from the file
  const Cell w{Wall, 0, 0};
  for (int extra : {0, 2}) {
    SCOPED_TRACE(extra);
    dir.Write(
        "data/levels/1.ilf",
        LevelBytes(
            extra, 90, 4, 4,
            {w, w, w, w, w, {Stone, 1, 0}, {Start, 0, 0}, w, w, {Hole, 0, 0}, {Valve, 2, 5}, w, w, w, w, w},
            1234));
    ASSERT_TRUE(LoadLevelFile(*level, LevelFileName(1)));
    EXPECT_EQ((V{level->timeLimit, level->rows, level->cols, level->trailer}), (V{90, 4, 4, 1234}));
    const auto& c = level->cells;  // a row's first record is its last column
    EXPECT_EQ((V{c[1][2].kind, c[1][2].state, c[1][1].kind, c[1][1].count}), (V{Stone, 1, Start, 5}));
    EXPECT_EQ((V{c[2][1].kind, c[2][1].state, c[2][1].value, c[2][2].kind}), (V{Valve, 2, 5, Hole}));
    EXPECT_EQ((V{c[4][4].kind, c[126][1].kind}), (V{Wall, Stone}));  // left from the larger level
  }
  EXPECT_TRUE(messages.calls().empty());
}

TEST(LevelFile, MissingDamagedAndUnplayableFilesAreRefusedAndKeepThePreviousLevel) {
  test::ScratchDir dir;
  test::CapturedMessages messages;
  dir.Write("good.ilf", Drawn({"####", "#So#", "####"}));
  auto level = std::make_unique<LevelRecord>();
  ASSERT_TRUE(LoadLevelFile(*level, "good.ilf"));
  EXPECT_FALSE(LoadLevelFile(*level, "data\\levels\\99.ilf"));
  ASSERT_EQ(messages.calls().size(), 1u);
  EXPECT_EQ(messages.calls()[0].text, "Could not find level file: data\\levels\\99.ilf");

  const std::string full = Drawn({"####", "#So#", "####"});
  const std::pair<const char*, std::string> refused[] = {
      {"rows0", LevelBytes(0, 60, 0, 2, {})},
      {"rows129", LevelBytes(0, 60, 129, 1, std::vector<Cell>(129, Cell{1, 0, 0}))},
      {"negcols", LevelBytes(0, 60, 2, -1, {})},
      {"negextra", std::string(full).replace(129, 4, Int32Bytes(-1))},
      {"hugeextra", std::string(full).replace(129, 4, Int32Bytes(0x7FFFFFFF))},
      {"short", full.substr(0, full.size() - 5)},
      {"header", std::string(100, 'h')},
      {"huge", full + std::string(kMaxLevelFileBytes, '\0')},
      {"opening in the outer wall", Drawn({"####", "#So.", "####"})},
      {"void inside", Drawn({"#####", "#S o#", "#####"})},
      {"no start", Drawn({"####", "#.o#", "####"})},
      {"unknown element", Drawn({"####", "#So#", "####"}, [](LevelRecord& l) { l.cells[1][1].kind = 4; })},
      {"lone teleport into a wall",
       Drawn({"#####", "#SoT#", "#####"}, [](LevelRecord& l) { l.cells[1][3].state = 0; })},
      {"lone teleport off the grid",
       Drawn({"#####", "#SoT#", "#####"}, [](LevelRecord& l) { l.cells[1][3].state = 7; })},
  };
  for (const auto& [name, bytes] : refused) {
    dir.Write(name, bytes);
    EXPECT_FALSE(LoadLevelFile(*level, name)) << name;
    EXPECT_EQ((V{level->rows, level->cols, level->timeLimit, level->cells[1][2].kind}), (V{3, 4, 60, Stone}))
        << name;
    EXPECT_EQ(messages.texts().back().rfind(std::string("Damaged level file: ") + name + " (", 0), 0u)
        << name;
  }
  EXPECT_EQ(messages.calls().size(), 1u + std::size(refused));
  // A lone teleport leading onto the floor is played as its file says.
  dir.Write("teleport.ilf", Drawn({"#####", "#SoT#", "#####"},
                                  [](LevelRecord& l) { l.cells[1][3].state = l.cells[1][3].value = 1; }));
  EXPECT_TRUE(LoadLevelFile(*level, "teleport.ilf"));
}

}  // namespace
}  // namespace nb
