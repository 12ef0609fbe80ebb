// The level compiler run as the build runs it: sources in a scratch
// directory, the real levelc program, the files read back with LoadLevelFile.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "gameplay/level_file.h"
#include "support/scratch_dir.h"
#include "tools/levelc/level_source.h"

namespace nb {
namespace {

struct CompileResult {
  int status = 0;
  std::string errors;
};

// Runs levelc on the named sources with a settings file that ships `count`
// levels; output goes to out/.
CompileResult Compile(const test::ScratchDir& dir, const std::vector<std::string>& sources, int count) {
  dir.Write("settings.ini", "[Levels]\ncount=" + std::to_string(count) + "\n");
  std::string command = std::string(NB_BINARY_DIR) + "/tools/levelc/levelc settings.ini out";
  for (const std::string& s : sources) command += " " + s;
  CompileResult result;
  result.status = std::system((command + " 2> errors.txt").c_str());
  result.errors = dir.Read("errors.txt");
  return result;
}

const std::string kHead = "title: A\ntime: 60\n";
const std::string kSolution = "solution:\n0 / 1 1\n";
// A three-line grid: the given middle line between walls as wide.
std::string Grid(const std::string& middle) {
  const std::string wall = "|" + std::string(middle.size(), '#') + "\n";
  return "grid:\n" + wall + "|" + middle + "\n" + wall;
}
const std::string kOk = kHead + Grid("#S.*#") + kSolution;

TEST(LevelCompiler, GridComesBackAsDrawn) {
  // Drawn as seen: position along the line = row, lines = columns from the top down.
  test::ScratchDir dir;
  dir.Write("1-everything.lvl",
            "# every element once\ntitle: Everything\ntime: 123\ngrid:\n"
            "|   ######\n|  ##*?tfr##\n|###.lOSBM.#\n|#T.^>v<GX.#\n|#./\\.T....#\n|###########\n"
            "solution:\n0 / 3 2\n15 \\ 4 1\n20 x 4 1\n");
  CompileResult result = Compile(dir, {"1-everything.lvl"}, 1);
  ASSERT_EQ(result.status, 0) << result.errors;
  LevelRecord level;
  test::CapturedMessages messages;
  ASSERT_TRUE(LoadLevelFile(level, dir.File("out/1.ilf")));
  // Rows: the widest line; columns: the number of lines.
  EXPECT_EQ((std::vector<int>{level.timeLimit, level.rows, level.cols, level.trailer}),
            (std::vector<int>{123, 11, 6, 0}));
  EXPECT_STREQ(dir.Read("out/1.ilf").c_str(), "Everything");  // the title opens the header

  struct Expect {
    int row, col, kind, state;
  } expected[] = {
      {0, 5, Void, 0},
      {3, 5, Wall, 0},
      {8, 5, Wall, 0},
      {9, 5, Void, 0},
      {10, 5, Void, 0},  // short line: void
      {4, 4, Stone, 0},
      {5, 4, Bonus, BonusRandom},
      {6, 4, Bonus, BonusTime},
      {7, 4, Bonus, BonusSpeed},
      {8, 4, Bonus, BonusTurnAround},
      {3, 3, Floor, 0},
      {4, 3, Bonus, BonusLife},
      {5, 3, Hole, 0},
      {6, 3, Start, 0},
      {7, 3, Brick, 0},
      {8, 3, MovableBrick, 0},
      {3, 2, Valve, ValveTowardsHigherCols},
      {4, 2, Valve, ValveTowardsHigherRows},
      {5, 2, Valve, ValveTowardsLowerCols},
      {6, 2, Valve, ValveTowardsLowerRows},
      {7, 2, Gate, 0},
      {8, 2, Switch, 0},
      {2, 1, ReflectorMain, 0},
      {3, 1, ReflectorAnti, 0},
      {0, 0, Wall, 0},
      {10, 0, Wall, 0},
      {10, 2, Wall, 0},
      {1, 2, Teleport, 5},
      {5, 1, Teleport, 1},  // linked to their partner as level setup would
  };
  for (const Expect& e : expected) {
    EXPECT_EQ((std::vector<int>{level.cells[e.row][e.col].kind, level.cells[e.row][e.col].state}),
              (std::vector<int>{e.kind, e.state}))
        << "row " << e.row << " col " << e.col;
  }
  EXPECT_EQ((std::vector<int>{level.cells[1][2].value, level.cells[5][1].value}), (std::vector<int>{1, 2}));
}

TEST(LevelCompiler, MalformedSourcesAreRefusedWithLineAndReason) {
  const struct {
    const char* name;
    std::string source;
    int line;
    const char* reason;
  } cases[] = {
      {"unknown element", kHead + Grid("#S&*#") + kSolution, 5, "unknown element '&'"},
      {"no start", kHead + Grid("#..*#") + kSolution, 4, "exactly one start"},
      {"no stone", kHead + Grid("#S..#") + kSolution, 4, "no stone"},
      {"open to the void", kHead + "grid:\n|#####\n|#S.*  \n|#####\n" + kSolution, 5,
       "open to the edge or the void"},
      {"lone teleport", kHead + Grid("#S.*T#") + kSolution, 5, "lone teleport"},
      {"gate without switch", kHead + Grid("#S.*G#") + kSolution, 4, "gates without a switch"},
      {"tab in grid", kHead + Grid("#S\t*#") + kSolution, 5, "tab"},
      {"too wide", kHead + "grid:\n|" + std::string(129, '#') + "\n" + kSolution, 4, "larger than 128"},
      {"time not a number", "title: A\ntime: soon\n" + Grid("#S.*#") + kSolution, 2, "time must be"},
      {"huge time", "title: A\ntime: 99999999999\n" + Grid("#S.*#") + kSolution, 2, "time must be"},
      {"unknown key", kHead + "size: 4\n" + Grid("#S.*#") + kSolution, 3, "unknown key 'size'"},
      {"long title", "title: " + std::string(64, 'x') + "\ntime: 60\n" + Grid("#S.*#") + kSolution, 1,
       "longer than 63"},
      {"control character in title",
       "title: A\x01"
       "B\ntime: 60\n" +
           Grid("#S.*#") + kSolution,
       1, "control character"},
      {"no title", "time: 60\n" + Grid("#S.*#") + kSolution, 0, "no title"},
      {"no time", "title: A\n" + Grid("#S.*#") + kSolution, 0, "no time limit"},
      {"no solution", kHead + Grid("#S.*#"), 0, "no solution"},
      {"move outside", kOk + "5 / 9 1\n", 9, "outside the grid"},
      {"moves out of order", kHead + Grid("#S.*#") + "solution:\n8 / 1 1\n5 / 2 1\n", 9, "step order"},
      {"bad move", kHead + Grid("#S.*#") + "solution:\n0 | 1 1\n", 8, "unknown move"},
      {"short move", kHead + Grid("#S.*#") + "solution:\n0 /\n", 8, "a move is"},
      {"negative step", kHead + Grid("#S.*#") + "solution:\n-5 / 1 1\n", 8, "not a number 0 or above"},
      {"grid line astray", kOk + "|###\n", 9, "grid line outside"},
  };
  for (const auto& c : cases) {
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

}  // namespace
}  // namespace nb
