// The level compiler run as the build runs it: sources in a scratch
// directory, the real levelc program, the written files read back with the
// game's own LoadLevelFile.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gameplay/level_file.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

const std::string kCompiler = std::string(NB_BINARY_DIR) + "/tools/levelc/levelc";

struct CompileResult {
  int status = 0;
  std::string errors;
};

// Runs levelc on the named sources of the scratch directory with a settings
// file that ships `count` levels; output goes to out/.
CompileResult Compile(const test::ScratchDir& dir, const std::vector<std::string>& sources, int count) {
  dir.Write("settings.ini", "[Levels]\ncount=" + std::to_string(count) + "\n");
  std::string command = kCompiler + " settings.ini out";
  for (const std::string& s : sources) command += " " + s;
  command += " 2> errors.txt";
  CompileResult result;
  result.status = std::system(command.c_str());
  result.errors = dir.Read("errors.txt");
  return result;
}

LevelRecord LoadCompiled(const test::ScratchDir& dir, int number) {
  LevelRecord level;
  test::CapturedMessages messages;
  EXPECT_TRUE(LoadLevelFile(level, dir.File("out/" + std::to_string(number) + ".ilf")));
  EXPECT_TRUE(messages.texts().empty());
  return level;
}

// An island with void around it and one of every element. Drawn as seen:
// position along the line = row, lines = columns from the top down.
const char* kEveryElement =
    "# every element once\n"
    "title: Everything\n"
    "time: 123\n"
    "grid:\n"
    "|   ######\n"
    "|  ##*?tfr##\n"
    "|###.lOSBM.#\n"
    "|#T.^>v<GX.#\n"
    "|#./\\.T....#\n"
    "|###########\n"
    "solution:\n"
    "0 / 3 2\n"
    "15 \\ 4 1\n"
    "20 x 4 1\n";

TEST(LevelCompiler, GridComesBackAsDrawn) {
  test::ScratchDir dir;
  dir.Write("1-everything.lvl", kEveryElement);
  CompileResult result = Compile(dir, {"1-everything.lvl"}, 1);
  ASSERT_EQ(result.status, 0) << result.errors;
  LevelRecord level = LoadCompiled(dir, 1);

  EXPECT_EQ(level.timeLimit, 123);
  EXPECT_EQ(level.rows, 11);  // the widest line
  EXPECT_EQ(level.cols, 6);   // the number of lines
  EXPECT_EQ(level.trailer, 0);

  struct Expect {
    int row, col, kind, state;
  };
  // Top line is column 5, bottom line column 0.
  const Expect expected[] = {
      {0, 5, Void, 0},       {3, 5, Wall, 0},           {8, 5, Wall, 0},          {9, 5, Void, 0},
      {10, 5, Void, 0},      {4, 4, Stone, 0},          {5, 4, Bonus, BonusRandom}, {6, 4, Bonus, BonusTime},
      {7, 4, Bonus, BonusSpeed}, {8, 4, Bonus, BonusTurnAround}, {3, 3, Floor, 0},  {4, 3, Bonus, BonusLife},
      {5, 3, Hole, 0},       {6, 3, Start, 0},          {7, 3, Brick, 0},         {8, 3, MovableBrick, 0},
      {1, 2, Teleport, 0},   {3, 2, Valve, ValveTowardsHigherCols}, {4, 2, Valve, ValveTowardsHigherRows},
      {5, 2, Valve, ValveTowardsLowerCols}, {6, 2, Valve, ValveTowardsLowerRows}, {7, 2, Gate, 0},
      {8, 2, Switch, 0},     {2, 1, ReflectorMain, 0},  {3, 1, ReflectorAnti, 0}, {5, 1, Teleport, 0},
      {0, 0, Wall, 0},       {10, 0, Wall, 0},          {10, 2, Wall, 0},
  };
  for (const Expect& e : expected) {
    SCOPED_TRACE("row " + std::to_string(e.row) + " col " + std::to_string(e.col));
    EXPECT_EQ(level.cells[e.row][e.col].kind, e.kind);
    if (e.kind != Teleport) {
      EXPECT_EQ(level.cells[e.row][e.col].state, e.state);
    }
  }
  // A line shorter than the widest is padded with void.
  EXPECT_EQ(level.cells[9][5].kind, Void);
  EXPECT_EQ(level.cells[10][5].kind, Void);
  // Teleports carry their partner, as level setup would link them.
  EXPECT_EQ(level.cells[1][2].state, 5);
  EXPECT_EQ(level.cells[1][2].value, 1);
  EXPECT_EQ(level.cells[5][1].state, 1);
  EXPECT_EQ(level.cells[5][1].value, 2);
}

TEST(LevelCompiler, FileLayoutHasTitleHeaderAndReversedColumns) {
  test::ScratchDir dir;
  dir.Write("1-tiny.lvl",
            "title: Tiny Title\ntime: 40\ngrid:\n|####\n|#*S#\n|#..#\n|####\nsolution:\n0 / 1 1\n");
  CompileResult result = Compile(dir, {"1-tiny.lvl"}, 1);
  ASSERT_EQ(result.status, 0) << result.errors;
  std::string bytes = dir.Read("out/1.ilf");
  // Header of 129 bytes, no extra records, time, rows, cols, cells, trailer.
  ASSERT_EQ(bytes.size(), 129u + 4 + 12 + 12u * 4 * 4 + 4);
  EXPECT_EQ(bytes.substr(0, 11), std::string("Tiny Title") + '\0');
  EXPECT_EQ(bytes.substr(129, 4), test::Int32Bytes(0));
  EXPECT_EQ(bytes.substr(133, 4), test::Int32Bytes(40));
  EXPECT_EQ(bytes.substr(137, 4), test::Int32Bytes(4));
  EXPECT_EQ(bytes.substr(141, 4), test::Int32Bytes(4));
  // Row 1 is the second record row; its first record is column 3 (a wall),
  // then column 2 (the stone), column 1 (floor), column 0 (wall).
  const size_t row1 = 145 + 12 * 4;
  EXPECT_EQ(bytes.substr(row1, 4), test::Int32Bytes(Wall));
  EXPECT_EQ(bytes.substr(row1 + 12, 4), test::Int32Bytes(Stone));
  EXPECT_EQ(bytes.substr(row1 + 24, 4), test::Int32Bytes(Floor));
  EXPECT_EQ(bytes.substr(row1 + 36, 4), test::Int32Bytes(Wall));
}

struct Malformed {
  const char* name;
  std::string source;
  int line;
  const char* reason;
};

const std::string kOkGrid = "grid:\n|#####\n|#S.*#\n|#####\n";

TEST(LevelCompiler, MalformedSourcesAreRefusedWithLineAndReason) {
  const Malformed cases[] = {
      {"unknown element", "title: A\ntime: 60\ngrid:\n|#####\n|#S&*#\n|#####\nsolution:\n0 / 1 1\n", 5,
       "unknown element '&'"},
      {"no start", "title: A\ntime: 60\ngrid:\n|#####\n|#..*#\n|#####\nsolution:\n0 / 1 1\n", 4,
       "exactly one start"},
      {"two starts", "title: A\ntime: 60\ngrid:\n|#####\n|#SS*#\n|#####\nsolution:\n0 / 1 1\n", 4,
       "exactly one start"},
      {"no stone", "title: A\ntime: 60\ngrid:\n|#####\n|#S..#\n|#####\nsolution:\n0 / 1 1\n", 4, "no stone"},
      {"open to the void", "title: A\ntime: 60\ngrid:\n|#####\n|#S.*  \n|#####\nsolution:\n0 / 1 1\n", 5,
       "open to the edge or the void"},
      {"open to the edge", "title: A\ntime: 60\ngrid:\n|#####\n|S..*#\n|#####\nsolution:\n0 / 1 1\n", 5,
       "open to the edge or the void"},
      {"time not a number", "title: A\ntime: soon\n" + kOkGrid + "solution:\n0 / 1 1\n", 2, "time must be"},
      {"time zero", "title: A\ntime: 0\n" + kOkGrid + "solution:\n0 / 1 1\n", 2, "time must be"},
      {"unknown key", "title: A\ntime: 60\nsize: 4\n" + kOkGrid + "solution:\n0 / 1 1\n", 3, "unknown key 'size'"},
      {"move outside", "title: A\ntime: 60\n" + kOkGrid + "solution:\n0 / 1 1\n5 / 9 1\n", 9, "outside the grid"},
      {"moves out of order", "title: A\ntime: 60\n" + kOkGrid + "solution:\n8 / 1 1\n5 / 2 1\n", 9, "step order"},
      {"bad move", "title: A\ntime: 60\n" + kOkGrid + "solution:\n0 | 1 1\n", 8, "unknown move"},
      {"short move", "title: A\ntime: 60\n" + kOkGrid + "solution:\n0 /\n", 8, "a move is"},
      {"lone teleport", "title: A\ntime: 60\ngrid:\n|######\n|#S.*T#\n|######\nsolution:\n0 / 1 1\n", 4,
       "lone teleport"},
      {"gate without switch", "title: A\ntime: 60\ngrid:\n|######\n|#S.*G#\n|######\nsolution:\n0 / 1 1\n", 4,
       "gates without a switch"},
      {"long title", "title: " + std::string(64, 'x') + "\ntime: 60\n" + kOkGrid + "solution:\n0 / 1 1\n", 1,
       "longer than 63"},
      {"tab in grid", "title: A\ntime: 60\ngrid:\n|#####\n|#S\t*#\n|#####\nsolution:\n0 / 1 1\n", 5, "tab"},
      {"grid line astray", "title: A\ntime: 60\n" + kOkGrid + "solution:\n0 / 1 1\n|###\n", 9,
       "grid line outside"},
      {"no title", "time: 60\n" + kOkGrid + "solution:\n0 / 1 1\n", 0, "no title"},
      {"no time", "title: A\n" + kOkGrid + "solution:\n0 / 1 1\n", 0, "no time limit"},
      {"no solution", "title: A\ntime: 60\n" + kOkGrid, 0, "no solution"},
      {"control character in title", std::string("title: A\x01B\ntime: 60\n") + kOkGrid + "solution:\n0 / 1 1\n", 1,
       "control character"},
      {"huge time", "title: A\ntime: 99999999999\n" + kOkGrid + "solution:\n0 / 1 1\n", 2, "time must be"},
      {"negative step", "title: A\ntime: 60\n" + kOkGrid + "solution:\n-5 / 1 1\n", 8, "not a number 0 or above"},
      {"negative row", "title: A\ntime: 60\n" + kOkGrid + "solution:\n0 / -1 1\n", 8, "outside the grid"},
      {"too wide", "title: A\ntime: 60\ngrid:\n|" + std::string(129, '#') + "\nsolution:\n0 / 1 1\n", 4,
       "larger than 128"},
  };
  for (const Malformed& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchDir dir;
    dir.Write("3-broken.lvl", c.source);
    CompileResult result = Compile(dir, {"3-broken.lvl"}, 1);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.errors.find("3-broken.lvl:" + std::to_string(c.line) + ": "), std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find(c.reason), std::string::npos) << result.errors;
    EXPECT_FALSE(dir.Exists("out/3.ilf"));
  }
}

TEST(LevelCompiler, GarbageIsRefusedWithoutACrash) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
  const std::string inputs[] = {
      garbage,
      "title: A\ntime: 60\ngrid:\n" + std::string(300, '|') + "\n",
      "title: A\ntime: 60\ngrid:\n|" + std::string(5000, '.') + "\n",
      std::string("title: A\0\0\ntime: 60\n", 20),
  };
  for (const std::string& input : inputs) {
    test::ScratchDir dir;
    dir.Write("1-garbage.lvl", input);
    CompileResult result = Compile(dir, {"1-garbage.lvl"}, 1);
    ASSERT_TRUE(WIFEXITED(result.status));  // refused, not killed by a signal
    EXPECT_EQ(WEXITSTATUS(result.status), 1);
    EXPECT_NE(result.errors.find("1-garbage.lvl:"), std::string::npos) << result.errors;
    EXPECT_FALSE(dir.Exists("out/1.ilf"));
  }
  test::ScratchDir dir;
  CompileResult missing = Compile(dir, {"7-missing.lvl"}, 1);
  EXPECT_NE(missing.errors.find("7-missing.lvl: cannot be read"), std::string::npos) << missing.errors;
}

TEST(LevelCompiler, SetMustBeNumberedWithoutGapsAndMatchTheShippedCount) {
  const std::string ok = "title: A\ntime: 60\n" + kOkGrid + "solution:\n0 / 1 1\n";
  {
    test::ScratchDir dir;
    dir.Write("1-a.lvl", ok);
    dir.Write("3-c.lvl", ok);
    CompileResult result = Compile(dir, {"1-a.lvl", "3-c.lvl"}, 2);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.errors.find("without gaps"), std::string::npos) << result.errors;
    EXPECT_FALSE(dir.Exists("out/1.ilf"));
  }
  {
    test::ScratchDir dir;
    dir.Write("1-a.lvl", ok);
    dir.Write("2-b.lvl", ok);
    CompileResult result = Compile(dir, {"1-a.lvl", "2-b.lvl"}, 3);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.errors.find("count is 3 but there are 2"), std::string::npos) << result.errors;
  }
  {
    test::ScratchDir dir;
    dir.Write("1-a.lvl", ok);
    dir.Write("01-again.lvl", ok);
    CompileResult result = Compile(dir, {"1-a.lvl", "01-again.lvl"}, 1);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.errors.find("level 1 is also"), std::string::npos) << result.errors;
  }
  {
    test::ScratchDir dir;
    dir.Write("level.lvl", ok);
    CompileResult result = Compile(dir, {"level.lvl"}, 1);
    EXPECT_NE(result.status, 0);
    EXPECT_NE(result.errors.find("must start with the level number"), std::string::npos) << result.errors;
  }
  {
    test::ScratchDir dir;
    dir.Write("01-a.lvl", ok);
    dir.Write("02-b.lvl", ok);
    CompileResult result = Compile(dir, {"02-b.lvl", "01-a.lvl"}, 2);
    ASSERT_EQ(result.status, 0) << result.errors;
    EXPECT_TRUE(dir.Exists("out/1.ilf"));
    EXPECT_TRUE(dir.Exists("out/2.ilf"));
  }
}

}  // namespace
}  // namespace nb
