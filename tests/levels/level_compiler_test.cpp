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
  const std::vector<std::string> lines = {"   ######",   "  ##*?tfr##",  "###.lOSBM.#",
                                          "#T.^>v<GX.#", "#./\\.T....#", "###########"};
  std::string source = "# every element once\ntitle: Everything\ntime: 123\ngrid:\n";
  for (const std::string& line : lines) source += "|" + line + "\n";
  test::ScratchDir dir;
  dir.Write("1-everything.lvl", source + "solution:\n0 / 3 2\n15 \\ 4 1\n20 x 4 1\n");
  CompileResult result = Compile(dir, {"1-everything.lvl"}, 1);
  ASSERT_EQ(result.status, 0) << result.errors;
  LevelRecord level;
  test::CapturedMessages messages;
  ASSERT_TRUE(LoadLevelFile(level, dir.File("out/1.ilf")));
  // Rows: the widest line; columns: the number of lines.
  EXPECT_EQ((std::vector<int>{level.timeLimit, level.rows, level.cols, level.trailer}),
            (std::vector<int>{123, 11, 6, 0}));
  EXPECT_STREQ(dir.Read("out/1.ilf").c_str(), "Everything");  // the title opens the header
  // Each character's kind; past the end of a short line is void. Bonuses and
  // valves give their state in the order of BonusKind and ValveDirection.
  const std::string chars = " #*.OSBMGX/\\T", bonuses = "?tfrl", valves = "^>v<";
  const int kinds[] = {Void,         Wall, Stone,  Floor,         Hole,          Start,   Brick,
                       MovableBrick, Gate, Switch, ReflectorMain, ReflectorAnti, Teleport};
  for (int col = 0; col < 6; ++col) {
    for (int row = 0; row < 11; ++row) {
      const std::string& line = lines[5 - col];
      const char ch = row < int(line.size()) ? line[row] : ' ';
      const GridCell& cell = level.cells[row][col];
      std::vector<int> want = {Bonus, int(bonuses.find(ch)) + BonusRandom};
      if (valves.find(ch) != std::string::npos) want = {Valve, int(valves.find(ch)) + ValveTowardsHigherCols};
      if (chars.find(ch) != std::string::npos) want = {kinds[chars.find(ch)], 0};
      if (ch == 'T') continue;  // linked below
      EXPECT_EQ((std::vector<int>{cell.kind, cell.state}), want) << "row " << row << " col " << col;
    }
  }
  // The two teleports are linked to each other as level setup would.
  const GridCell &t1 = level.cells[1][2], &t2 = level.cells[5][1];
  EXPECT_EQ((std::vector<int>{t1.kind, t1.state, t1.value, t2.kind, t2.state, t2.value}),
            (std::vector<int>{Teleport, 5, 1, Teleport, 1, 2}));
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
