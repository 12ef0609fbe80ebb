#include "gameplay/level_rules.h"

namespace nb {
namespace {

std::string At(int row, int col) { return "row " + std::to_string(row) + ", column " + std::to_string(col); }

bool KnownKind(int32_t kind) { return kind >= Floor && kind <= MovableBrick && kind != UnusedKind4; }

// The element counts a level needs; the rows and columns are within the grid.
std::optional<LevelFault> CheckCounts(const GridView& grid) {
  int counts[MovableBrick + 1] = {};
  for (int r = 0; r < grid.rows; ++r) {
    for (int c = 0; c < grid.cols; ++c) {
      const int32_t kind = grid.At(r, c).kind;
      if (!KnownKind(kind))
        return LevelFault{r, c, "unknown element " + std::to_string(kind) + " at " + At(r, c)};
      ++counts[kind];
    }
  }
  if (counts[Start] != 1)
    return LevelFault{-1, -1,
                      "the grid needs exactly one start 'S', it has " + std::to_string(counts[Start])};
  if (counts[Stone] == 0) return LevelFault{-1, -1, "the grid has no stone '*'"};
  if (counts[Gate] > 0 && counts[Switch] == 0) return LevelFault{-1, -1, "gates without a switch never open"};
  return std::nullopt;
}

// The ball rolls on over nothing and off the grid where a rollable cell
// touches the void or the edge.
bool OpenToTheVoid(const GridView& grid, int r, int c) {
  const int dr[4] = {1, -1, 0, 0}, dc[4] = {0, 0, 1, -1};
  for (int k = 0; k < 4; ++k) {
    const int nr = r + dr[k], nc = c + dc[k];
    if (!grid.Inside(nr, nc) || grid.At(nr, nc).kind == Void) return true;
  }
  return false;
}

}  // namespace

std::optional<LevelFault> FindLevelFault(const GridView& grid) {
  if (grid.rows < 1 || grid.cols < 1 || grid.rows > kGridSize || grid.cols > kGridSize)
    return LevelFault{-1, -1, "grid size outside 1..128"};
  if (std::optional<LevelFault> fault = CheckCounts(grid)) return fault;
  int teleports = 0;
  for (int r = 0; r < grid.rows; ++r)
    for (int c = 0; c < grid.cols; ++c) teleports += grid.At(r, c).kind == Teleport;
  for (int r = 0; r < grid.rows; ++r) {
    for (int c = 0; c < grid.cols; ++c) {
      const GridCell& cell = grid.At(r, c);
      if (!Rollable(cell.kind)) continue;
      if (OpenToTheVoid(grid, r, c))
        return LevelFault{r, c,
                          "cell at " + At(r, c) + " is open to the edge or the void; close it with a wall"};
      // Linked teleports lead to each other; a lone one where its file says.
      const bool strands =
          cell.kind == Teleport && teleports == 1 &&
          (!grid.Inside(cell.state, cell.value) || !Rollable(grid.At(cell.state, cell.value).kind));
      if (strands)
        return LevelFault{r, c,
                          "teleport at " + At(r, c) +
                              " leads to no cell the ball can stand on (a lone teleport has no partner)"};
    }
  }
  return std::nullopt;
}

}  // namespace nb
