#pragma once
// A compact model of the world step used while designing levels: the ball,
// the grid elements and the per-frame element animations, without sound,
// particles, camera or score. The shipped solutions are proven against the
// game's own StepWorld in test_levels; this model drives the level designer's
// traces and the placement search.

#include <cstdint>
#include <vector>

#include "../levelc/level_source.h"

namespace nb::levels {

struct SimCell {
  int32_t kind = Void;
  int32_t state = 0;
  int32_t value = 0;
  int32_t count = 0;
};

struct Sim {
  int rows = 0, cols = 0;
  std::vector<SimCell> cells;
  int colPos = 0, rowPos = 0, height = 12, dCol = 0, dRow = 1, speed = 5;
  bool moving = false, falling = false, ready = true, won = false;
  int startRow = 0, startCol = 0;
  int stonesLeft = 0, switchesOn = 0, switchesTotal = 0;
  int gatesOpen = 0;
  bool gatesLowering = false, gatesRising = false;
  bool sliding = false;
  float slideRow = 0, slideCol = 0, targetRowPos = 0, targetColPos = 0;
  int targetRow = 0, targetCol = 0;
  int falls = 0;
  int extraSeconds = 0;     // from time bonuses
  bool unmodelled = false;  // a random or speed bonus was taken
  int steps = 0;

  SimCell& At(int r, int c) { return cells[static_cast<size_t>(r) * cols + c]; }
  const SimCell& At(int r, int c) const { return cells[static_cast<size_t>(r) * cols + c]; }
  bool Inside(int r, int c) const { return r >= 0 && c >= 0 && r < rows && c < cols; }
};

// Level setup: links, counters, the ball on the start cell.
inline Sim SetupSim(const LevelSource& src) {
  Sim s;
  s.rows = src.rows;
  s.cols = src.cols;
  s.cells.resize(src.cells.size());
  for (size_t i = 0; i < src.cells.size(); ++i) s.cells[i] = {src.cells[i].kind, src.cells[i].state, src.cells[i].value, 0};
  for (int r = 0; r < s.rows; ++r) {
    for (int c = 0; c < s.cols; ++c) {
      SimCell& cell = s.At(r, c);
      switch (cell.kind) {
        case Brick: cell.state = 0; break;
        case Start: s.startCol = 50 * c; s.startRow = 50 * r; s.colPos = s.startCol; s.rowPos = s.startRow; break;
        case Switch: ++s.switchesTotal; break;
        case Stone: ++s.stonesLeft; break;
        case ReflectorAnti: cell.state = 1; cell.value = 0; cell.count = 5; break;
        case ReflectorMain: cell.state = 3; cell.value = 20; cell.count = 5; break;
        case MovableBrick: cell.state = 0; break;
        case Bonus: cell.value = 800; break;
        default: break;
      }
    }
  }
  return s;
}

inline void SimClick(Sim& s, MoveAction action, int r, int c) {
  if (s.ready) {
    s.ready = false;
    s.moving = true;
  }
  if (!s.Inside(r, c)) return;
  SimCell& cell = s.At(r, c);
  if (action == MoveAction::Remove) {
    if (cell.kind == ReflectorMain) cell.state = 6, cell.value = 120;
    else if (cell.kind == ReflectorAnti) cell.state = 4, cell.value = 70;
    return;
  }
  if (!s.moving) return;
  const bool main = action == MoveAction::PlaceMain;
  if (cell.kind == Floor || cell.kind == Start) {
    if (main) cell = {ReflectorMain, 2, 20, 5};
    else cell = {ReflectorAnti, 1, 0, 5};
  } else if (cell.kind == ReflectorAnti) {
    if (main) cell.state = 3, cell.value = 40, cell.count = 5;
    else cell.count = 5;
  } else if (cell.kind == ReflectorMain) {
    if (main) cell.count = 5;
    else cell.state = 5, cell.value = 90, cell.count = 5;
  }
}

// The per-frame element animations.
inline void SimAnimate(Sim& s) {
  static const int kEnd[7] = {0, 10, 30, 60, 80, 110, 130};
  for (SimCell& cell : s.cells) {
    if (cell.kind == ReflectorAnti || cell.kind == ReflectorMain) {
      if (cell.state < 1 || cell.state > 6) continue;
      int end = kEnd[cell.state];
      if (cell.value < end) cell.value += 2;
      if (cell.value >= end) {
        cell.value = end;
        if (cell.state == 3) cell.kind = ReflectorMain;
        else if (cell.state == 5) cell.kind = ReflectorAnti;
        else if (cell.state == 4 || cell.state == 6) cell.kind = Floor;
      }
    } else if (cell.kind == Gate) {
      if (s.gatesLowering) {
        ++cell.value;
        if (cell.value > 20) cell.value = 20, s.gatesLowering = false, s.gatesOpen = 1;
      }
      if (s.gatesRising) {
        --cell.value;
        if (cell.value < 0) cell.value = 0, s.gatesRising = false, s.gatesOpen = 0;
      }
    } else if (cell.kind == Bonus) {
      if (cell.value > 0) cell.value -= 5;
    }
  }
}

inline void SimStep(Sim& s) {
  ++s.steps;
  const int c = (s.colPos + (s.dCol >= 0 ? 40 : 10)) / 50;
  const int r = (s.rowPos + (s.dRow >= 0 ? 40 : 10)) / 50;
  if (!s.Inside(r, c)) return;
  auto bounce = [&] { s.dCol = -s.dCol; s.dRow = -s.dRow; };
  SimCell& front = s.At(r, c);
  if (front.kind == Wall) bounce();
  if (s.sliding) {
    s.slideRow -= (s.slideRow - s.targetRowPos) * 0.25f;
    s.slideCol -= (s.slideCol - s.targetColPos) * 0.25f;
    float a = s.slideRow - s.targetRowPos, b = s.slideCol - s.targetColPos;
    if ((a < 0 ? -a : a) <= 1.0f && (b < 0 ? -b : b) <= 1.0f) {
      SimCell& t = s.At(s.targetRow, s.targetCol);
      int sunk = t.kind == Hole ? 1 : 0;
      t = {MovableBrick, sunk, 0, 0};
      s.sliding = false;
    }
  }
  if (front.kind == MovableBrick) {
    if (front.state == 0) {
      int nr = r + (s.dRow > 0) - (s.dRow < 0), nc = c + (s.dCol > 0) - (s.dCol < 0);
      if (s.Inside(nr, nc)) {
        int k = s.At(nr, nc).kind;
        if (k == Floor || k == Start || k == Hole) {
          front = {Floor, 0, 0, 0};
          s.sliding = true;
          s.slideRow = 50.0f * r, s.slideCol = 50.0f * c;
          s.targetRowPos = 50.0f * nr, s.targetColPos = 50.0f * nc;
          s.targetRow = nr, s.targetCol = nc;
        }
      }
    }
    bounce();
  }
  if (front.kind == Gate && s.gatesOpen == 0) bounce();
  if (front.kind == Brick && front.state < 3) {
    bounce();
    if (++front.state == 3) front = {Floor, 0, 0, 0};
  }
  if (front.kind == Valve) {
    switch (front.state) {
      case 1: if (s.dCol < 0) s.dCol = -s.dCol; if (s.dCol == 0) s.dRow = -s.dRow; break;
      case 2: if (s.dRow < 0) s.dRow = -s.dRow; if (s.dRow == 0) s.dCol = -s.dCol; break;
      case 3: if (s.dCol > 0) s.dCol = -s.dCol; if (s.dCol == 0) s.dRow = -s.dRow; break;
      case 4: if (s.dRow > 0) s.dRow = -s.dRow; if (s.dRow == 0) s.dCol = -s.dCol; break;
      default: break;
    }
  }
  const bool centre = s.colPos == 50 * c && s.rowPos == 50 * r;
  if (centre && front.kind == Bonus && front.value == 0) {
    const int kind = front.state;
    front = {Floor, 0, 0, 0};
    if (kind == BonusTime) {
      s.extraSeconds += 15;
    } else if (kind == BonusTurnAround) {
      for (SimCell& cell : s.cells) {
        if (cell.kind == ReflectorAnti) cell.state = 3, cell.value = 40, cell.count = 5;
        else if (cell.kind == ReflectorMain) cell.state = 5, cell.value = 90, cell.count = 5;
      }
    } else if (kind != BonusLife) {
      s.unmodelled = true;  // random and speed bonuses depend on the random numbers
    }
  }
  if (centre && front.kind == Stone) {
    front = {Floor, 0, 0, 0};
    if (--s.stonesLeft == 0) {
      s.won = true;
      s.moving = false;
      s.dRow = 1, s.dCol = 0;
    }
  }
  if (centre && front.kind == Hole) {
    s.dCol = s.dRow = 0;
    s.falling = true;
  }
  if (centre && front.kind == Teleport) {
    s.colPos = 50 * front.value;
    s.rowPos = 50 * front.state;
  }
  if (centre && front.kind == Switch) {
    if (front.state == 0) {
      front.state = 1, ++s.switchesOn;
    } else {
      front.state = 0, --s.switchesOn;
      if (s.gatesLowering) s.gatesRising = true, s.gatesLowering = false;
    }
    if (s.switchesOn == s.switchesTotal && s.gatesOpen == 0) s.gatesLowering = true, s.gatesRising = false;
    if (s.gatesOpen == 1 && s.switchesOn != s.switchesTotal) s.gatesOpen = 0, s.gatesRising = true, s.gatesLowering = false;
  }
  if (centre && front.kind == ReflectorMain) {
    if (--front.count < 0) front = {Floor, 0, 0, 0};
    if (s.dCol != 0) s.dRow = s.dCol > 0 ? 1 : -1, s.dCol = 0;
    else s.dCol = s.dRow > 0 ? 1 : -1, s.dRow = 0;
  } else if (centre && front.kind == ReflectorAnti) {
    if (--front.count < 0) front = {Floor, 0, 0, 0};
    if (s.dCol != 0) s.dRow = s.dCol > 0 ? -1 : 1, s.dCol = 0;
    else s.dCol = s.dRow > 0 ? -1 : 1, s.dRow = 0;
  }
  if (s.falling) {
    s.height -= 2 * s.speed;
    if (s.height < -200) {
      s.colPos = s.startCol, s.rowPos = s.startRow, s.height = 12;
      s.dRow = 1, s.dCol = 0;
      s.falling = false;
      ++s.falls;
      s.ready = true;
      s.moving = false;
      return;
    }
  }
  if (s.moving) {
    s.colPos += s.speed * s.dCol;
    s.rowPos += s.speed * s.dRow;
  }
}

}  // namespace nb::levels
