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
#include <string_view>
#include <vector>

#include "core/file_io.h"
#include "gameplay/level_record.h"
#include "gameplay/level_rules.h"

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

constexpr int kMaxTitleLength = 63;  // fits the file header with its terminator
constexpr int kLargestTimeLimit = 3600;
// A full 128 x 128 grid with a long solution stays far below this.
constexpr size_t kMaxLevelSourceBytes = 1u << 20;

// The legend: one character per element. Valves point the way the ball may
// pass on screen; bonus letters name their kind.
inline std::optional<SourceCell> CellForChar(char ch) {
  switch (ch) {
    case ' ':
    case '~': return SourceCell{Void, 0, 0};
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

inline bool Fail(SourceError& error, int line, const std::string& reason) {
  error.line = line;
  error.reason = reason;
  return false;
}

inline std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The text of a source line by line: the header keys, the grid lines kept for
// later and the solution's moves.
struct SourceReader {
  SourceReader(LevelSource& into, SourceError& errorOut) : level(into), error(errorOut) {}
  LevelSource& level;
  SourceError& error;
  enum class Block { Header, Grid, Solution } block = Block::Header;
  bool haveTitle = false, haveTime = false, haveGrid = false, haveSolution = false;
  std::vector<std::string> gridLines;
  int gridFirstLine = 0;

  bool ReadLine(int lineNo, const std::string& raw) {
    const bool gridLine = !raw.empty() && raw[0] == '|';
    if (gridLine && raw.find('\t') != std::string::npos)
      return Fail(error, lineNo, "tab in a grid line (use spaces or '~' for void)");
    if (block == Block::Grid) {
      if (gridLine) {
        gridLines.push_back(raw.substr(1));
        return true;
      }
      block = Block::Header;
    }
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') return true;
    if (gridLine) return Fail(error, lineNo, "grid line outside the grid block");
    return block == Block::Solution ? ReadMove(lineNo, line) : ReadKey(lineNo, line);
  }

  bool ReadMove(int lineNo, const std::string& line) {
    std::vector<std::string> parts = SplitBlanks(line);
    if (parts.size() != 4)
      return Fail(error, lineNo, "a move is 'STEP / ROW COL', 'STEP \\ ROW COL' or 'STEP x ROW COL'");
    SolutionMove move;
    move.line = lineNo;
    if (!ParseWholeInt(parts[0], move.step) || move.step < 0)
      return Fail(error, lineNo, "step '" + parts[0] + "' is not a number 0 or above");
    if (parts[1] == "/")
      move.action = MoveAction::PlaceMain;
    else if (parts[1] == "\\")
      move.action = MoveAction::PlaceAnti;
    else if (parts[1] == "x")
      move.action = MoveAction::Remove;
    else
      return Fail(error, lineNo, "unknown move '" + parts[1] + "' (use /, \\ or x)");
    if (!ParseWholeInt(parts[2], move.row) || !ParseWholeInt(parts[3], move.col))
      return Fail(error, lineNo, "row and column must be numbers");
    if (!level.solution.empty() && move.step < level.solution.back().step)
      return Fail(error, lineNo, "moves must be listed in step order");
    level.solution.push_back(move);
    return true;
  }

  bool ReadKey(int lineNo, const std::string& line) {
    size_t colon = line.find(':');
    if (colon == std::string::npos)
      return Fail(error, lineNo, "expected 'key: value', 'grid:' or 'solution:'");
    const std::string key = Trim(line.substr(0, colon));
    const std::string value = Trim(line.substr(colon + 1));
    if (key == "title") return ReadTitle(lineNo, value);
    if (key == "idea") {
      level.idea = value;
    } else if (key == "time") {
      if (haveTime) return Fail(error, lineNo, "second time limit");
      if (!ParseWholeInt(value, level.timeLimit) || level.timeLimit < 1 ||
          level.timeLimit > kLargestTimeLimit)
        return Fail(error, lineNo, "time must be a whole number of seconds from 1 to 3600");
      haveTime = true;
    } else if (key == "grid") {
      if (haveGrid) return Fail(error, lineNo, "second grid");
      if (!value.empty()) return Fail(error, lineNo, "the grid starts on the line after 'grid:'");
      haveGrid = true;
      block = Block::Grid;
      gridFirstLine = lineNo + 1;
    } else if (key == "solution") {
      if (haveSolution) return Fail(error, lineNo, "second solution");
      if (!value.empty()) return Fail(error, lineNo, "the moves start on the line after 'solution:'");
      haveSolution = true;
      block = Block::Solution;
    } else {
      return Fail(error, lineNo, "unknown key '" + key + "'");
    }
    return true;
  }

  bool ReadTitle(int lineNo, const std::string& value) {
    if (haveTitle) return Fail(error, lineNo, "second title");
    if (value.empty()) return Fail(error, lineNo, "empty title");
    if (value.size() > static_cast<size_t>(kMaxTitleLength))
      return Fail(error, lineNo, "title longer than 63 characters");
    for (char ch : value)
      if (static_cast<unsigned char>(ch) < 32) return Fail(error, lineNo, "control character in the title");
    level.title = value;
    haveTitle = true;
    return true;
  }

  bool CheckComplete(bool requireSolution) {
    if (!haveTitle) return Fail(error, 0, "no title");
    if (!haveTime) return Fail(error, 0, "no time limit");
    if (!haveGrid || gridLines.empty()) return Fail(error, 0, "no grid");
    if (requireSolution && (!haveSolution || level.solution.empty())) return Fail(error, 0, "no solution");
    return true;
  }
};

// The grid lines turned into cells (text position -> row, text line from the
// bottom -> column).
inline bool ReadGrid(LevelSource& level, const std::vector<std::string>& gridLines, int firstLine,
                     SourceError& error) {
  size_t width = 0;
  for (const std::string& g : gridLines) width = std::max(width, g.size());
  if (width > static_cast<size_t>(kGridSize) || gridLines.size() > static_cast<size_t>(kGridSize))
    return Fail(error, firstLine, "grid larger than 128 x 128");
  if (width == 0) return Fail(error, firstLine, "empty grid");
  level.rows = static_cast<int>(width);
  level.cols = static_cast<int>(gridLines.size());
  level.cells.assign(static_cast<size_t>(level.rows) * level.cols, SourceCell{});
  for (size_t y = 0; y < gridLines.size(); ++y) {
    const int col = level.cols - 1 - static_cast<int>(y);
    for (size_t x = 0; x < gridLines[y].size(); ++x) {
      std::optional<SourceCell> cell = CellForChar(gridLines[y][x]);
      if (!cell) {
        return Fail(error, firstLine + static_cast<int>(y),
                    std::string("unknown element '") + gridLines[y][x] + "' at row " + std::to_string(x) +
                        ", column " + std::to_string(col));
      }
      level.At(static_cast<int>(x), col) = *cell;
    }
  }
  return true;
}

// Partners as level setup links them: the last other teleport in row-major
// order.
inline void LinkTeleports(LevelSource& level) {
  std::vector<std::pair<int, int>> teleports;
  for (int r = 0; r < level.rows; ++r)
    for (int c = 0; c < level.cols; ++c)
      if (level.At(r, c).kind == Teleport) teleports.push_back({r, c});
  for (auto [r, c] : teleports) {
    std::pair<int, int> partner{-1, -1};
    for (auto [r2, c2] : teleports)
      if (r2 != r || c2 != c) partner = {r2, c2};
    level.At(r, c).state = partner.first;
    level.At(r, c).value = partner.second;
  }
}

// The rules the game's loader applies to the compiled grid, told by the line
// of the cell at fault (column c is drawn on text line cols - 1 - c).
inline bool CheckPlayable(const LevelSource& level, int firstLine, SourceError& error) {
  std::vector<GridCell> cells;
  for (const SourceCell& cell : level.cells) cells.push_back({cell.kind, cell.state, cell.value, 0});
  std::optional<LevelFault> fault =
      FindLevelFault(GridView{level.rows, level.cols, level.cols, cells.data()});
  if (!fault) return true;
  return Fail(error, fault->col < 0 ? firstLine : firstLine + (level.cols - 1 - fault->col), fault->reason);
}

}  // namespace detail

// Parses and checks a source (a draft being designed may leave out its
// solution). On failure fills `error` with the line and the
// reason and returns nothing.
inline std::optional<LevelSource> ParseLevelSource(std::string_view text, SourceError& error,
                                                   bool requireSolution = true) {
  using namespace detail;
  LevelSource level;
  SourceReader reader(level, error);
  const std::vector<std::string> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i)
    if (!reader.ReadLine(static_cast<int>(i) + 1, lines[i])) return std::nullopt;
  if (!reader.CheckComplete(requireSolution) ||
      !ReadGrid(level, reader.gridLines, reader.gridFirstLine, error))
    return std::nullopt;
  LinkTeleports(level);
  if (!CheckPlayable(level, reader.gridFirstLine, error)) return std::nullopt;
  for (const SolutionMove& move : level.solution) {
    if (move.row < 0 || move.row >= level.rows || move.col < 0 || move.col >= level.cols) {
      Fail(error, move.line, "move outside the grid");
      return std::nullopt;
    }
  }
  return level;
}

// The same on a file, at most kMaxLevelSourceBytes of it.
inline std::optional<LevelSource> ReadLevelSource(const std::string& path, SourceError& error,
                                                  bool requireSolution = true) {
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes, kMaxLevelSourceBytes)) {
    detail::Fail(error, 0, "cannot be read (missing, or larger than 1 MiB)");
    return std::nullopt;
  }
  return ParseLevelSource(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error,
                          requireSolution);
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
