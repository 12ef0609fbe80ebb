#pragma once
// The Levels page: the level numbers in a grid, the open ones chosen for
// practice, each with a Watch label under its number when a best run of it is
// stored; below the grid the highlighted level's title and the profile's best.
#include <cstdint>
#include <string>
#include <vector>

#include "menus/menu_boxes.h"

namespace nb {

// The grid holds at most 11 columns of 6 rows; a level set larger than that
// shows its first 66 levels only (the shipped set has 32: 8 x 4).
constexpr int kMaxLevelColumns = 11;
constexpr int kMaxLevelRows = 6;
constexpr int kMaxLevelsShown = kMaxLevelColumns * kMaxLevelRows;

// What the page shows of one level, gathered once when the page opens.
struct LevelEntry {
  std::string title;    // from the level file's header; empty when unreadable
  bool replay = false;  // a stored best run can be watched
  bool won = false;     // the profile has won it in this mode
  int32_t secondsLeft = 0, points = 0;
};

struct LevelsPage {
  std::vector<LevelEntry> levels;  // level 1 first, at most kMaxLevelsShown
  int32_t open = 0;                // levels 1..open can be chosen
  int32_t mode = 0;                // the profile's game mode, 0..2
};

// Where the page's parts sit for a level count: the cells' pitch and the
// lines above and below the grid, in picture pixels.
struct LevelsGrid {
  int shown = 0, columns = 1, rows = 0;
  float left = 0, top = 0, pitchX = 0, pitchY = 0;
  float cellWidth = 0, cellHeight = 0, numberHeight = 0;  // a cell: the number, then its Watch label
  float titleY = 0, modeY = 0, levelTitleY = 0, bestY = 0, backY = 0;
};

LevelsGrid LevelsGeometry(int levelCount, float windowWidth);

// The levels' numbers (open ones hover and click, locked ones neither), the
// Watch labels of the open levels with a replay, and Back.
PageLayout LevelsLayout(const MenuLayoutInput& in);

// The level a highlight value stands for (0 for Back).
int32_t LevelOfHighlight(int32_t highlight);

// Where an arrow (dx or dy of -1 or +1) takes the highlight: left and right
// along the open levels; down from a number onto its Watch label, then to
// the number a row below, and from the last row onto Back; up the same way
// back, from Back to the level last highlighted (`remembered`).
int32_t StepLevelsHighlight(const LevelsPage& page, int32_t highlight, int32_t remembered, int dx, int dy);

// "Best: 42 s left, 1230 points" from the language's pattern, whose %1 and
// %2 take the numbers.
std::string FillNumbers(const std::string& pattern, int first, int second);

}  // namespace nb
