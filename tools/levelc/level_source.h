#pragma once
// The readable level source: parsing it, checking it and turning it into the
// game's level record, which the game's own encoder writes as the binary level
// file. Header-only so that the compiler, the solver and the tests share one
// reading of the format.
//
// A source is a text file:
//
//   # comment
//   title: First Turn
//   idea: one Reflector turns the ball      (optional, for the level list)
//   time: 60
//   grid:
//   |#######
//   |#S..*.#
//   |#######
//   solution:
//   0 / 3 1
//
// The grid is drawn as the player sees it from the default camera: the
// character's position along a line is the row (0 at the left), the lines
// are the columns with column 0 at the bottom. Every grid line starts with
// '|'; a line shorter than the widest one is padded with void.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gameplay/level_record.h"

namespace nb::levels {

struct SourceCell {
  int32_t kind = Void;
  int32_t state = 0;
  int32_t value = 0;
};

// One player action of a stored solution: before world step `step` (the
// first click, which starts the ball, happens before step 0), a left click
// that places or turns a Reflector at (row, col), or a right click that
// removes one.
enum class MoveAction { PlaceMain, PlaceAnti, Remove };

struct SolutionMove {
  int step = 0;
  MoveAction action = MoveAction::PlaceMain;
  int row = 0;
  int col = 0;
  int line = 0;  // source line, for messages
};

struct LevelSource {
  std::string title;
  std::string idea;
  int timeLimit = 0;
  int rows = 0;
  int cols = 0;
  std::vector<SourceCell> cells;  // rows * cols, index row * cols + col
  std::vector<SolutionMove> solution;

  const SourceCell& At(int row, int col) const { return cells[static_cast<size_t>(row) * cols + col]; }
  SourceCell& At(int row, int col) { return cells[static_cast<size_t>(row) * cols + col]; }
};

struct SourceError {
  int line = 0;  // 0 when the fault belongs to the whole file
  std::string reason;
};

constexpr int kMaxTitleLength = 63;     // fits the file header with its terminator
constexpr int kLargestTimeLimit = 3600;

// The legend: one character per element. Valves point the way the ball may
// pass on screen; bonus letters name their kind.
inline std::optional<SourceCell> CellForChar(char ch) {
  switch (ch) {
    case ' ': case '~': return SourceCell{Void, 0, 0};
    case '.': return SourceCell{Floor, 0, 0};
    case '#': return SourceCell{Wall, 0, 0};
    case 'G': return SourceCell{Gate, 0, 0};
    case 'X': return SourceCell{Switch, 0, 0};
    case '\\': return SourceCell{ReflectorAnti, 0, 0};
    case '/': return SourceCell{ReflectorMain, 0, 0};
    case '*': return SourceCell{Stone, 0, 0};
    case '?': return SourceCell{Bonus, BonusRandom, 0};
    case 't': return SourceCell{Bonus, BonusTime, 0};
    case 'f': return SourceCell{Bonus, BonusSpeed, 0};
    case 'r': return SourceCell{Bonus, BonusTurnAround, 0};
    case 'l': return SourceCell{Bonus, BonusLife, 0};
    case 'O': return SourceCell{Hole, 0, 0};
    case 'S': return SourceCell{Start, 0, 0};
    case 'B': return SourceCell{Brick, 0, 0};
    case '^': return SourceCell{Valve, ValveTowardsHigherCols, 0};
    case '>': return SourceCell{Valve, ValveTowardsHigherRows, 0};
    case 'v': return SourceCell{Valve, ValveTowardsLowerCols, 0};
    case '<': return SourceCell{Valve, ValveTowardsLowerRows, 0};
    case 'T': return SourceCell{Teleport, 0, 0};
    case 'M': return SourceCell{MovableBrick, 0, 0};
    default: return std::nullopt;
  }
}

namespace detail {

inline std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

inline bool ParseWholeInt(const std::string& text, int& out) {
  if (text.empty() || text.size() > 9) return false;
  size_t i = 0;
  bool negative = false;
  if (text[0] == '-') {
    negative = true;
    i = 1;
    if (text.size() == 1) return false;
  }
  int v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    v = v * 10 + (text[i] - '0');
  }
  out = negative ? -v : v;
  return true;
}

inline std::vector<std::string> SplitBlanks(const std::string& s) {
  std::vector<std::string> parts;
  std::string cur;
  for (char ch : s) {
    if (ch == ' ' || ch == '\t' || ch == '\r') {
      if (!cur.empty()) parts.push_back(cur), cur.clear();
    } else {
      cur += ch;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

inline bool Walkable(int32_t kind) { return kind != Wall && kind != Void; }

}  // namespace detail

// Parses and checks a source (a draft being designed may leave out its
// solution). On failure fills `error` with the line and the
// reason and returns nothing.
inline std::optional<LevelSource> ParseLevelSource(const std::string& text, SourceError& error,
                                                   bool requireSolution = true) {
  using namespace detail;
  LevelSource level;
  auto fail = [&](int line, const std::string& reason) {
    error.line = line;
    error.reason = reason;
    return std::optional<LevelSource>();
  };

  std::vector<std::string> lines;
  {
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
      start = end + 1;
    }
  }

  enum class Block { Header, Grid, Solution } block = Block::Header;
  bool haveTitle = false, haveTime = false, haveGrid = false, haveSolution = false;
  std::vector<std::string> gridLines;
  int gridFirstLine = 0;

  for (size_t i = 0; i < lines.size(); ++i) {
    const int lineNo = static_cast<int>(i) + 1;
    const std::string& raw = lines[i];
    if (raw.find('\t') != std::string::npos && !raw.empty() && raw[0] == '|')
      return fail(lineNo, "tab in a grid line (use spaces or '~' for void)");
    if (block == Block::Grid) {
      if (!raw.empty() && raw[0] == '|') {
        gridLines.push_back(raw.substr(1));
        continue;
      }
      block = Block::Header;
    }
    std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    if (!raw.empty() && raw[0] == '|') return fail(lineNo, "grid line outside the grid block");

    if (block == Block::Solution) {
      std::vector<std::string> parts = SplitBlanks(line);
      if (parts.size() != 4) return fail(lineNo, "a move is 'STEP / ROW COL', 'STEP \\ ROW COL' or 'STEP x ROW COL'");
      SolutionMove move;
      move.line = lineNo;
      if (!ParseWholeInt(parts[0], move.step) || move.step < 0)
        return fail(lineNo, "step '" + parts[0] + "' is not a number 0 or above");
      if (parts[1] == "/") move.action = MoveAction::PlaceMain;
      else if (parts[1] == "\\") move.action = MoveAction::PlaceAnti;
      else if (parts[1] == "x") move.action = MoveAction::Remove;
      else return fail(lineNo, "unknown move '" + parts[1] + "' (use /, \\ or x)");
      if (!ParseWholeInt(parts[2], move.row) || !ParseWholeInt(parts[3], move.col))
        return fail(lineNo, "row and column must be numbers");
      if (!level.solution.empty() && move.step < level.solution.back().step)
        return fail(lineNo, "moves must be listed in step order");
      level.solution.push_back(move);
      continue;
    }

    size_t colon = line.find(':');
    if (colon == std::string::npos) return fail(lineNo, "expected 'key: value', 'grid:' or 'solution:'");
    std::string key = Trim(line.substr(0, colon));
    std::string value = Trim(line.substr(colon + 1));
    if (key == "title") {
      if (haveTitle) return fail(lineNo, "second title");
      if (value.empty()) return fail(lineNo, "empty title");
      if (value.size() > static_cast<size_t>(kMaxTitleLength))
        return fail(lineNo, "title longer than 63 characters");
      for (char ch : value)
        if (static_cast<unsigned char>(ch) < 32) return fail(lineNo, "control character in the title");
      level.title = value;
      haveTitle = true;
    } else if (key == "idea") {
      level.idea = value;
    } else if (key == "time") {
      if (haveTime) return fail(lineNo, "second time limit");
      if (!ParseWholeInt(value, level.timeLimit) || level.timeLimit < 1 || level.timeLimit > kLargestTimeLimit)
        return fail(lineNo, "time must be a whole number of seconds from 1 to 3600");
      haveTime = true;
    } else if (key == "grid") {
      if (haveGrid) return fail(lineNo, "second grid");
      if (!value.empty()) return fail(lineNo, "the grid starts on the line after 'grid:'");
      haveGrid = true;
      block = Block::Grid;
      gridFirstLine = lineNo + 1;
    } else if (key == "solution") {
      if (haveSolution) return fail(lineNo, "second solution");
      if (!value.empty()) return fail(lineNo, "the moves start on the line after 'solution:'");
      haveSolution = true;
      block = Block::Solution;
    } else {
      return fail(lineNo, "unknown key '" + key + "'");
    }
  }

  if (!haveTitle) return fail(0, "no title");
  if (!haveTime) return fail(0, "no time limit");
  if (!haveGrid || gridLines.empty()) return fail(0, "no grid");
  if (requireSolution && (!haveSolution || level.solution.empty())) return fail(0, "no solution");

  // The turn: text position -> row, text line from the bottom -> column.
  size_t width = 0;
  for (const std::string& g : gridLines) width = std::max(width, g.size());
  if (width > static_cast<size_t>(kGridSize) || gridLines.size() > static_cast<size_t>(kGridSize))
    return fail(gridFirstLine, "grid larger than 128 x 128");
  if (width == 0) return fail(gridFirstLine, "empty grid");
  level.rows = static_cast<int>(width);
  level.cols = static_cast<int>(gridLines.size());
  level.cells.assign(static_cast<size_t>(level.rows) * level.cols, SourceCell{});
  int starts = 0, stones = 0, switches = 0, gates = 0;
  std::vector<std::pair<int, int>> teleports;
  for (size_t y = 0; y < gridLines.size(); ++y) {
    const int lineNo = gridFirstLine + static_cast<int>(y);
    const int col = level.cols - 1 - static_cast<int>(y);
    for (size_t x = 0; x < gridLines[y].size(); ++x) {
      std::optional<SourceCell> cell = CellForChar(gridLines[y][x]);
      if (!cell) {
        return fail(lineNo, std::string("unknown element '") + gridLines[y][x] + "' at row " +
                                std::to_string(x) + ", column " + std::to_string(col));
      }
      level.At(static_cast<int>(x), col) = *cell;
      switch (cell->kind) {
        case Start: ++starts; break;
        case Stone: ++stones; break;
        case Switch: ++switches; break;
        case Gate: ++gates; break;
        default: break;
      }
    }
  }
  for (int r = 0; r < level.rows; ++r)
    for (int c = 0; c < level.cols; ++c)
      if (level.At(r, c).kind == Teleport) teleports.push_back({r, c});

  if (starts != 1) return fail(gridFirstLine, "the grid needs exactly one start 'S', it has " + std::to_string(starts));
  if (stones == 0) return fail(gridFirstLine, "the grid has no stone '*'");
  if (gates > 0 && switches == 0) return fail(gridFirstLine, "gates without a switch never open");
  if (teleports.size() == 1) return fail(gridFirstLine, "a lone teleport has no partner");

  // Nothing the ball can roll on may touch the void or the edge: the ball
  // would roll on over nothing and off the grid.
  for (int r = 0; r < level.rows; ++r) {
    for (int c = 0; c < level.cols; ++c) {
      if (!Walkable(level.At(r, c).kind)) continue;
      const int dr[4] = {1, -1, 0, 0}, dc[4] = {0, 0, 1, -1};
      for (int k = 0; k < 4; ++k) {
        int nr = r + dr[k], nc = c + dc[k];
        bool open = nr < 0 || nc < 0 || nr >= level.rows || nc >= level.cols || level.At(nr, nc).kind == Void;
        if (open) {
          int lineNo = gridFirstLine + (level.cols - 1 - c);
          return fail(lineNo, "cell at row " + std::to_string(r) + ", column " + std::to_string(c) +
                                  " is open to the edge or the void; close it with a wall");
        }
      }
    }
  }

  // Partners as level setup links them: the last other teleport in row-major
  // order.
  for (auto [r, c] : teleports) {
    std::pair<int, int> partner{-1, -1};
    for (auto [r2, c2] : teleports)
      if (r2 != r || c2 != c) partner = {r2, c2};
    level.At(r, c).state = partner.first;
    level.At(r, c).value = partner.second;
  }

  for (const SolutionMove& move : level.solution) {
    if (move.row < 0 || move.row >= level.rows || move.col < 0 || move.col >= level.cols)
      return fail(move.line, "move outside the grid");
  }
  return level;
}

// The level record the game reads from the compiled file: the cells of the
// source in the used rectangle of a fresh record.
inline void FillLevelRecord(const LevelSource& source, LevelRecord& level) {
  level.timeLimit = source.timeLimit;
  level.rows = source.rows;
  level.cols = source.cols;
  for (int r = 0; r < source.rows; ++r)
    for (int c = 0; c < source.cols; ++c)
      level.cells[r][c] = {source.At(r, c).kind, source.At(r, c).state, source.At(r, c).value, 0};
}

// "07-valves.lvl" -> 7; 0 when the name does not start with a number.
inline int LevelNumberFromFileName(const std::string& name) {
  size_t slash = name.find_last_of("/\\");
  std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
  int n = 0;
  size_t i = 0;
  while (i < base.size() && i < 4 && base[i] >= '0' && base[i] <= '9') n = n * 10 + (base[i++] - '0');
  if (i == 0 || i >= base.size() || base[i] != '-') return 0;
  return n;
}

}  // namespace nb::levels
