// The level designer's helper.
//
//   levelsolve check <source>...       replays each stored solution, prints the
//                                     steps, seconds and spare time per mode,
//                                     and whether the ball alone would win
//   levelsolve trace <source>          the ball's path under the stored solution
//   levelsolve plan <source> <move>... times a route: each move ("/ R C",
//                                     "\ R C", "x R C") in the order the ball
//                                     meets it, each optionally followed by
//                                     "@N": not before step N; prints a
//                                     solution block
//
// The seconds assume 60 world steps per second; the first second is counted
// at the first click.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sim.h"

namespace {

using namespace nb::levels;

constexpr int kStepsPerSecond = 60;

bool Load(const std::string& path, LevelSource& out, bool requireSolution = true) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", path.c_str());
    return false;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  SourceError error;
  std::optional<LevelSource> level = ParseLevelSource(text, error, requireSolution);
  if (!level) {
    std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), error.line, error.reason.c_str());
    return false;
  }
  out = std::move(*level);
  return true;
}

struct Outcome {
  bool won = false;
  int steps = 0;
  int falls = 0;
  int stonesLeft = 0;
  int extraSeconds = 0;
  bool unmodelled = false;
};

const char* DirName(int dRow, int dCol) {
  if (dRow > 0) return "right";
  if (dRow < 0) return "left";
  if (dCol > 0) return "up";
  if (dCol < 0) return "down";
  return "still";
}

Outcome Replay(const LevelSource& level, const std::vector<SolutionMove>& moves, int maxSteps, bool trace) {
  Sim s = SetupSim(level);
  size_t next = 0;
  int lastRow = -1, lastCol = -1;
  for (int step = 0; step < maxSteps; ++step) {
    if (step == 0) SimClick(s, MoveAction::Remove, 0, 0);  // the click that starts the ball
    while (next < moves.size() && moves[next].step == step) {
      SimClick(s, moves[next].action, moves[next].row, moves[next].col);
      if (trace) {
        const char* what = moves[next].action == MoveAction::Remove ? "x" : moves[next].action == MoveAction::PlaceMain ? "/" : "\\";
        std::printf("  step %5d: click %s at %d %d\n", step, what, moves[next].row, moves[next].col);
      }
      ++next;
    }
    if (s.ready && s.falls > 0) SimClick(s, MoveAction::Remove, 0, 0);
    if (trace && s.rowPos % 50 == 0 && s.colPos % 50 == 0 && (s.rowPos / 50 != lastRow || s.colPos / 50 != lastCol)) {
      lastRow = s.rowPos / 50, lastCol = s.colPos / 50;
      std::printf("  step %5d: at %2d %2d going %s\n", step, lastRow, lastCol, DirName(s.dRow, s.dCol));
    }
    SimStep(s);
    SimAnimate(s);
    if (s.won) return {true, step, s.falls, 0, s.extraSeconds, s.unmodelled};
  }
  return {false, maxSteps, s.falls, s.stonesLeft, s.extraSeconds, s.unmodelled};
}

int Check(const std::vector<std::string>& paths) {
  int failures = 0;
  for (const std::string& path : paths) {
    LevelSource level;
    if (!Load(path, level)) {
      ++failures;
      continue;
    }
    const int maxSteps = level.timeLimit * kStepsPerSecond;
    Outcome run = Replay(level, level.solution, maxSteps, false);
    Outcome idle = Replay(level, {}, maxSteps, false);
    int seconds = 1 + run.steps / kStepsPerSecond;
    int spare2 = level.timeLimit + run.extraSeconds - 30 - seconds;
    bool ok = run.won && run.falls == 0 && !idle.won && spare2 >= 5 && !run.unmodelled;
    std::printf("%-40s %s  %3dx%-3d time %4d  steps %6d  seconds %4d  spare0 %4d  spare2 %4d  falls %d  idle %s%s\n",
                path.c_str(), ok ? "ok  " : "FAIL", level.rows, level.cols, level.timeLimit, run.steps, seconds,
                level.timeLimit + run.extraSeconds - seconds, spare2, run.falls, idle.won ? "WINS" : "no",
                run.won ? "" : (" stones left " + std::to_string(run.stonesLeft)).c_str());
    if (!ok) ++failures;
  }
  return failures == 0 ? 0 : 1;
}

int Trace(const std::string& path) {
  LevelSource level;
  if (!Load(path, level)) return 1;
  Outcome run = Replay(level, level.solution, level.timeLimit * kStepsPerSecond, true);
  std::printf("%s after %d steps\n", run.won ? "won" : "not won", run.steps);
  return run.won ? 0 : 1;
}

// Clicks each planned move once the ball heads straight for its cell and is
// at most two cells away; a removal once the ball has left the cell.
int Plan(const std::string& path, const std::vector<std::string>& args) {
  LevelSource level;
  if (!Load(path, level, false)) return 1;
  std::vector<SolutionMove> plan;
  std::vector<int> notBefore;
  for (size_t i = 0; i + 2 < args.size(); i += 3) {
    SolutionMove m;
    m.action = args[i] == "/" ? MoveAction::PlaceMain : args[i] == "x" ? MoveAction::Remove : MoveAction::PlaceAnti;
    m.row = std::atoi(args[i + 1].c_str());
    m.col = std::atoi(args[i + 2].c_str());
    plan.push_back(m);
    notBefore.push_back(0);
    if (i + 3 < args.size() && args[i + 3][0] == '@') notBefore.back() = std::atoi(args[i + 3].c_str() + 1), ++i;
  }
  Sim s = SetupSim(level);
  std::vector<SolutionMove> timed;
  size_t next = 0;
  const int maxSteps = level.timeLimit * kStepsPerSecond;
  bool visitedSince = false;
  for (int step = 0; step < maxSteps && !s.won; ++step) {
    if (step == 0) SimClick(s, MoveAction::Remove, 0, 0);
    if (next < plan.size()) {
      SolutionMove& m = plan[next];
      const int tr = 50 * m.row, tc = 50 * m.col;
      if (s.rowPos == tr && s.colPos == tc) visitedSince = true;
      bool fire = false;
      if (step < notBefore[next]) {
      } else if (m.action == MoveAction::Remove) {
        int dist = std::abs(s.rowPos - tr) + std::abs(s.colPos - tc);
        fire = visitedSince && dist >= 25;
      } else {
        int along = s.dRow != 0 ? (tr - s.rowPos) * s.dRow : (tc - s.colPos) * s.dCol;
        bool inLine = s.dRow != 0 ? s.colPos == tc : s.rowPos == tr;
        const int kind = s.At(m.row, m.col).kind;
        using namespace nb;
        const bool placeable = kind == Floor || kind == Start || kind == ReflectorAnti || kind == ReflectorMain;
        fire = kind >= 0 && placeable && inLine && along >= 0 && along <= 100;
      }
      if (fire) {
        m.step = step;
        SimClick(s, m.action, m.row, m.col);
        timed.push_back(m);
        ++next;
        visitedSince = false;
      }
    }
    SimStep(s);
    SimAnimate(s);
  }
  std::printf("solution:\n");
  for (const SolutionMove& m : timed) {
    const char* what = m.action == MoveAction::Remove ? "x" : m.action == MoveAction::PlaceMain ? "/" : "\\";
    std::printf("%d %s %d %d\n", m.step, what, m.row, m.col);
  }
  std::printf("# %s after %d steps, %zu of %zu moves used\n", s.won ? "won" : "NOT WON", s.steps, timed.size(), plan.size());
  return s.won && timed.size() == plan.size() ? 0 : 1;
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
  if (command == "trace") return Trace(rest[0]);
  if (command == "plan") return Plan(rest[0], std::vector<std::string>(rest.begin() + 1, rest.end()));
  std::fprintf(stderr, "unknown command %s\n", command.c_str());
  return 2;
}
