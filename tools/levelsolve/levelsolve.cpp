// The level designer's helper, running the game's own rules.
//
//   levelsolve check <source>...       replays each stored solution in the
//                                     three game modes; prints steps, seconds
//                                     and time left, and whether the ball
//                                     alone would win
//   levelsolve reach <rows> <cols>     the cells a player can point at
//   levelsolve trace <source>          the ball's path under the stored solution
//   levelsolve plan <source> <move>... times a route: each move ("/ R C",
//                                     "\ R C", "x R C") in the order the ball
//                                     meets it, each optionally followed by
//                                     "@N": not before step N; prints a
//                                     solution block; a second move on the
//                                     same cell waits for the ball to come
//                                     back (a Reflector turned while the ball
//                                     is away)
//
// Seconds are counted as the replay counts them: 60 world steps each, the
// first at the first click.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "replay.h"

namespace {

using namespace nb;
using namespace nb::levels;

constexpr int kMinimumSpare = 5;  // seconds left in the hardest mode

bool Load(const std::string& path, LevelSource& out, bool requireSolution = true) {
  SourceError error;
  std::optional<LevelSource> level = ReadLevelSource(path, error, requireSolution);
  if (!level) {
    std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), error.line, error.reason.c_str());
    return false;
  }
  out = std::move(*level);
  return true;
}

const char* DirName(int dRow, int dCol) {
  if (dRow > 0) return "right";
  if (dRow < 0) return "left";
  if (dCol > 0) return "up";
  if (dCol < 0) return "down";
  return "still";
}

const char* MoveName(MoveAction a) {
  return a == MoveAction::Remove ? "x" : a == MoveAction::PlaceMain ? "/" : "\\";
}

ReplayOutcome Run(const LevelSource& level, int mode, const std::vector<SolutionMove>& moves,
                  const ReplayObserver& observe = nullptr) {
  ReplayGame game(mode);
  game.PrepareFromSource(level);
  return ReplaySolution(*game.world, game.ctx, game.events, moves, (level.timeLimit + 120) * kStepsPerSecond,
                        observe);
}

int Check(const std::vector<std::string>& paths) {
  int failures = 0;
  for (const std::string& path : paths) {
    LevelSource level;
    if (!Load(path, level)) {
      ++failures;
      continue;
    }
    ReplayOutcome modes[3];
    bool ok = true;
    for (int mode = 0; mode < 3; ++mode) {
      modes[mode] = Run(level, mode, level.solution);
      ok = ok && modes[mode].won && modes[mode].falls == 0;
    }
    ReplayOutcome idle = Run(level, 0, {});
    const ClickableBox box = ClickableCells(level.rows, level.cols);
    int outOfReach = 0;
    for (const SolutionMove& m : level.solution) outOfReach += box.Contains(m.row, m.col) ? 0 : 1;
    ok = ok && outOfReach == 0;
    ok = ok && !idle.won && modes[2].timeLeft >= kMinimumSpare;
    std::printf("%-34s %s %3dx%-3d time %4d  steps %6d  seconds %4d  left %4d/%4d/%4d  falls %d  idle %s",
                path.c_str(), ok ? "ok  " : "FAIL", level.rows, level.cols, level.timeLimit, modes[0].steps,
                modes[0].secondsCounted, modes[0].timeLeft, modes[1].timeLeft, modes[2].timeLeft,
                modes[0].falls, idle.won ? "WINS" : "no");
    if (!modes[0].won) std::printf("  stones left %d", modes[0].stonesLeft);
    if (outOfReach)
      std::printf("  %d clicks out of reach (rows %d..%d, cols %d..%d)", outOfReach, box.minRow, box.maxRow,
                  box.minCol, box.maxCol);
    std::printf("\n");
    if (!ok) ++failures;
  }
  return failures == 0 ? 0 : 1;
}

int Trace(const std::string& path) {
  LevelSource level;
  if (!Load(path, level)) return 1;
  int lastRow = -1, lastCol = -1;
  size_t shown = 0;
  ReplayOutcome run = Run(level, 0, level.solution, [&](int step, const World& w) {
    while (shown < level.solution.size() && level.solution[shown].step <= step) {
      const SolutionMove& m = level.solution[shown++];
      std::printf("  step %5d: click %s at %d %d\n", step, MoveName(m.action), m.row, m.col);
    }
    const BallState& b = w.ball;
    if (b.rowPos % 50 == 0 && b.colPos % 50 == 0 && (b.rowPos / 50 != lastRow || b.colPos / 50 != lastCol)) {
      lastRow = b.rowPos / 50, lastCol = b.colPos / 50;
      std::printf("  step %5d: at %2d %2d going %s\n", step, lastRow, lastCol, DirName(b.dRow, b.dCol));
    }
  });
  std::printf("%s after %d steps, %d stones left, %d falls\n", run.won ? "won" : "not won", run.steps,
              run.stonesLeft, run.falls);
  return run.won ? 0 : 1;
}

// Clicks each planned move once the ball heads straight for its cell, is at
// most two cells away and the cell takes a Reflector; a removal once the
// ball has left the cell by half a cell.
int Plan(const std::string& path, const std::vector<std::string>& args) {
  LevelSource level;
  if (!Load(path, level, false)) return 1;
  std::vector<SolutionMove> plan;
  std::vector<int> notBefore;
  for (size_t i = 0; i + 2 < args.size(); i += 3) {
    SolutionMove m;
    m.action = args[i] == "/"   ? MoveAction::PlaceMain
               : args[i] == "x" ? MoveAction::Remove
                                : MoveAction::PlaceAnti;
    m.row = std::atoi(args[i + 1].c_str());
    m.col = std::atoi(args[i + 2].c_str());
    plan.push_back(m);
    notBefore.push_back(0);
    if (i + 3 < args.size() && args[i + 3][0] == '@')
      notBefore.back() = std::atoi(args[i + 3].c_str() + 1), ++i;
  }
  std::vector<SolutionMove> timed;
  size_t next = 0;
  bool visitedSince = false;
  ReplayOutcome run = Run(level, 0, timed, [&](int step, const World& w) {
    if (next >= plan.size()) return;
    SolutionMove& m = plan[next];
    const BallState& b = w.ball;
    const int tr = 50 * m.row, tc = 50 * m.col;
    if (b.rowPos == tr && b.colPos == tc) visitedSince = true;
    bool fire = false;
    if (step < notBefore[next] || !b.moving) {
    } else if (m.action == MoveAction::Remove) {
      fire = visitedSince && std::abs(b.rowPos - tr) + std::abs(b.colPos - tc) >= 25;
    } else {
      const int kind = w.level.cells[m.row][m.col].kind;
      const bool placeable = kind == Floor || kind == Start || kind == ReflectorAnti || kind == ReflectorMain;
      const int along = b.dRow != 0 ? (tr - b.rowPos) * b.dRow : (tc - b.colPos) * b.dCol;
      const bool inLine = b.dRow != 0 ? b.colPos == tc : b.rowPos == tr;
      // A second click on the same cell waits until the ball has been there.
      const bool sameCell = !timed.empty() && timed.back().row == m.row && timed.back().col == m.col;
      const bool atCell = b.rowPos == tr && b.colPos == tc;
      fire = placeable && inLine && along >= 0 && along <= 100 && (!sameCell || (visitedSince && !atCell));
    }
    if (fire) {
      m.step = step;
      timed.push_back(m);
      ++next;
      visitedSince = false;
    }
  });
  std::printf("solution:\n");
  for (const SolutionMove& m : timed) std::printf("%d %s %d %d\n", m.step, MoveName(m.action), m.row, m.col);
  std::printf("# %s after %d steps, %zu of %zu moves used\n", run.won ? "won" : "NOT WON", run.steps,
              timed.size(), plan.size());
  return run.won && timed.size() == plan.size() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: levelsolve check|trace|plan <source> ...\n");
    return 2;
  }
  std::string command = argv[1];
  std::vector<std::string> rest(argv + 2, argv + argc);
  if (command == "check") return Check(rest);
  if (command == "reach" && rest.size() == 2) {
    ClickableBox box = ClickableCells(std::atoi(rest[0].c_str()), std::atoi(rest[1].c_str()));
    std::printf("%d %d %d %d\n", box.minRow, box.maxRow, box.minCol, box.maxCol);
    return 0;
  }
  if (command == "trace") return Trace(rest[0]);
  if (command == "plan") return Plan(rest[0], std::vector<std::string>(rest.begin() + 1, rest.end()));
  std::fprintf(stderr, "unknown command %s\n", command.c_str());
  return 2;
}
