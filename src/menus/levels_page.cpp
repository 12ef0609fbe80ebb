#include "menus/levels_page.h"

#include <algorithm>

namespace nb {
namespace {

constexpr float kGridTop = 140;
constexpr float kRowPitch = 50;
constexpr float kCellGap = 6;

float BackWidth(const MenuLayoutInput& in) {
  const int index = static_cast<int>(TextId::Back);
  return in.texts && index < in.texts->texts.count ? in.texts->texts.items[index].width : 0;
}
float BackHeight(const MenuLayoutInput& in) {
  const int index = static_cast<int>(TextId::Back);
  return in.texts && index < in.texts->texts.count ? in.texts->texts.items[index].height : 0;
}

}  // namespace

LevelsGrid LevelsGeometry(int levelCount, float windowWidth) {
  LevelsGrid g;
  g.shown = std::clamp(levelCount, 0, kMaxLevelsShown);
  // Eight columns up to 32 levels, wider rows beyond, fewer when fewer levels.
  const int wanted = std::max(8, (g.shown + 3) / 4);
  g.columns = std::max(1, std::min({g.shown, wanted, kMaxLevelColumns}));
  g.rows = (g.shown + g.columns - 1) / g.columns;
  g.pitchX = std::min(80.0f, 730.0f / static_cast<float>(g.columns));
  g.pitchY = kRowPitch;
  g.cellWidth = g.pitchX - kCellGap;
  g.cellHeight = kRowPitch - 4;
  g.numberHeight = 28;
  g.left = windowWidth / 2 - g.pitchX * static_cast<float>(g.columns) / 2;
  g.top = kGridTop;
  g.titleY = 40;
  g.modeY = 95;
  g.levelTitleY = kGridTop + kRowPitch * static_cast<float>(g.rows) + 10;
  g.bestY = g.levelTitleY + 32;
  g.backY = std::max(500.0f, g.bestY + 40);
  return g;
}

PageLayout LevelsLayout(const MenuLayoutInput& in) {
  PageLayout out;
  const int count = in.levels ? static_cast<int>(in.levels->levels.size()) : 0;
  const LevelsGrid g = LevelsGeometry(count, static_cast<float>(in.width));
  for (int i = 0; i < g.shown; ++i) {
    const float left = g.left + kCellGap / 2 + g.pitchX * static_cast<float>(i % g.columns);
    const float top = g.top + g.pitchY * static_cast<float>(i / g.columns);
    const Box cell{left, top, left + g.cellWidth, top + g.cellHeight};
    const bool open = i < in.levels->open;
    PageItem number{cell, cell.MiddleX(), top + 2, i + 1};
    number.hover = number.click = open;
    if (open && in.levels->levels[i].replay) {
      // The Watch label's own box inside the cell: the pointer reaches it from
      // its number without crossing another level.
      number.box.bottom = top + g.numberHeight;
      out.push_back(number);
      out.push_back({{left, top + g.numberHeight, cell.right, cell.bottom},
                     cell.MiddleX(),
                     top + g.numberHeight,
                     kLevelsWatch + i + 1});
      continue;
    }
    out.push_back(number);
  }
  const float middle = static_cast<float>(in.width) / 2, w = BackWidth(in);
  out.push_back(
      {{middle - w / 2, g.backY, middle + w / 2, g.backY + BackHeight(in)}, middle, g.backY, kLevelsBack});
  return out;
}

int32_t LevelOfHighlight(int32_t highlight) {
  return highlight > kLevelsWatch ? highlight - kLevelsWatch : std::max(highlight, 0);
}

int32_t StepLevelsHighlight(const LevelsPage& page, int32_t highlight, int32_t remembered, int dx, int dy) {
  // The columns depend on the count alone, not on the window's width.
  const LevelsGrid g = LevelsGeometry(static_cast<int>(page.levels.size()), 800);
  const int open = std::min(page.open, g.shown);
  if (open < 1) return kLevelsBack;
  if (highlight == kLevelsBack) return dy < 0 ? std::clamp(remembered, 1, open) : kLevelsBack;
  const bool onWatch = highlight > kLevelsWatch;
  const int level = std::clamp(LevelOfHighlight(highlight), 1, open);
  auto watchable = [&](int l) { return page.levels[static_cast<size_t>(l - 1)].replay; };
  if (dx != 0) return std::clamp(level + dx, 1, open);
  if (dy > 0) {
    if (!onWatch && watchable(level)) return kLevelsWatch + level;
    return level + g.columns <= open ? level + g.columns : kLevelsBack;
  }
  if (dy < 0) {
    if (onWatch) return level;
    const int above = level - g.columns;
    if (above < 1) return level;
    return watchable(above) ? kLevelsWatch + above : above;
  }
  return onWatch ? kLevelsWatch + level : level;
}

std::string FillNumbers(const std::string& pattern, int first, int second) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
      out += std::to_string(pattern[++i] == '1' ? first : second);
      continue;
    }
    out += pattern[i];
  }
  return out;
}

}  // namespace nb
