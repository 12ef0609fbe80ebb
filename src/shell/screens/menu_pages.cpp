#include "shell/screens/menu_pages.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "core/keyframe_curve.h"
#include "shell/game.h"
#include "shell/screen_table.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

float HalfWidth(const Game& game) { return static_cast<float>(game.settings.width) / 2; }
float HalfHeight(const Game& game) { return static_cast<float>(game.settings.height) / 2; }

// A fixed name buffer as text, even when it lacks its terminator.
std::string NameText(const char (&name)[kNameBytes]) { return std::string(name, strnlen(name, kNameBytes)); }

uint32_t ItemColour(bool highlighted, int level) {
  return WithAlpha(highlighted ? kHighlightOrange : kItemWhite, level);
}

void DrawTitle(const Game& game, TextId id, float y, int level) {
  DrawMenuText(game.texts.Text(id), HalfWidth(game), y, game.fonts.ExtraLargeFont.get(), AlignCenter,
               WithAlpha(kTitleRed, level));
}

// A centred item list (the first items of its page's layout) slid by s * o
// per item; returns the signed offset of the last item (or `none` for an
// empty list).
template <int N>
int DrawSlidingList(const Game& game, const ItemList<N>& list, const PageLayout& layout, int highlight,
                    int level, int none) {
  int o = ItemOffset(game, level), last = none;
  for (int i = 0; i < list.count; ++i) {
    last = SlideSign(i) * o;
    DrawMenuText(list.items[i].text, layout[i].x + static_cast<float>(last), layout[i].y,
                 game.fonts.LargeFont.get(), AlignCenter, ItemColour(i == highlight, level));
  }
  return last;
}

// The back text of a page, centred on its item and dropped by `drop`.
void DrawBack(const Game& game, const PageLayout& layout, int value, int drop, bool lit, int level) {
  if (const PageItem* back = FindItem(layout, value))
    DrawMenuText(game.texts.Text(TextId::Back), back->x, back->y + static_cast<float>(drop),
                 game.fonts.LargeFont.get(), AlignCenter, ItemColour(lit, level));
}

void DrawStartOrNewGame(const Game& game, int level, TextId title, const ItemList<kListCapacity>& list,
                        PageLayout (*layoutOf)(const MenuLayoutInput&), int highlight, int backSign) {
  int u = TitleLift(game, level);
  DrawTitle(game, title, HalfHeight(game) - 120 - static_cast<float>(u), level);
  PageLayout layout = layoutOf(MenuLayoutOf(game));
  int last = DrawSlidingList(game, list, layout, highlight, level, u);
  DrawBack(game, layout, list.count, backSign * last, highlight == list.count, level);
}

}  // namespace

uint32_t WithAlpha(uint32_t colour, int level) {
  uint32_t alpha = static_cast<uint32_t>(std::clamp(level, 0, 255));
  return alpha << 24 | (colour & 0xFFFFFF);
}

int TitleLift(const Game& game, int level) {
  return EvaluateCurveInt(game.animations.up, static_cast<float>(level));
}
int ItemOffset(const Game& game, int level) {
  return EvaluateCurveInt(game.animations.input, static_cast<float>(level));
}

void DrawMenuText(const std::string& text, float x, float y, BitmapFont* font, int alignment, uint32_t colour,
                  bool shadow) {
  if (!font || text.empty()) return;
  float offset = shadow ? 2.0f : 0.0f;
  DrawTextAligned(text.c_str(), x, y, *font, alignment, colour, offset, offset);
}

float GeneralTextWidth(const Game& game, TextId id) {
  const int index = static_cast<int>(id);
  return index >= 0 && index < game.texts.texts.count ? game.texts.texts.items[index].width : 0.0f;
}

std::vector<RecordEntry> RecordsForDisplay(const RecordsTable& records) {
  int count = std::clamp(records.count, 0, kMaxRecords);
  std::vector<RecordEntry> sorted(records.entries, records.entries + count);
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const RecordEntry& a, const RecordEntry& b) { return a.score > b.score; });
  return sorted;
}

bool UpdateCaret(MenuState& menus, uint32_t nowMs) {
  if (nowMs - menus.caretToggledMs > 100) {
    menus.caretOn = !menus.caretOn;
    menus.caretToggledMs = nowMs;
  }
  return menus.caretOn;
}

void DrawInfoPage(const Game& game, int level) {
  float mid = HalfWidth(game);
  int u = TitleLift(game, level), o = ItemOffset(game, level);
  DrawTitle(game, TextId::InfoTitle, 200 - static_cast<float>(u), level);
  for (int k = 0; k < 4; ++k) {
    float x = mid + static_cast<float>(k % 2 == 0 ? o : -o);
    DrawMenuText(game.texts.Text(InfoLine(k)), x, 270.0f + 40 * k, game.fonts.LargeFont.get(), AlignCenter,
                 ItemColour(false, level));
  }
  DrawBack(game, InfoLayout(MenuLayoutOf(game)), 0, o, true, level);
}

void DrawQuitPage(const Game& game, int level) {
  int u = TitleLift(game, level);
  DrawTitle(game, TextId::QuitQuestion, HalfHeight(game) - 50 - static_cast<float>(u), level);
  DrawSlidingList(game, game.texts.exit, ExitLayout(MenuLayoutOf(game)), game.screen.exitChoice, level, 0);
}

void DrawStartGamePage(const Game& game, int level) {
  DrawStartOrNewGame(game, level, TextId::StartGame, game.texts.start, StartGameLayout,
                     game.screen.startGameHighlight, +1);
}

void DrawNewGamePage(const Game& game, int level) {
  DrawStartOrNewGame(game, level, TextId::NewGame, game.texts.newGame, NewGameLayout,
                     game.screen.newGameHighlight, -1);
}

void DrawRecordsPage(const Game& game, int level) {
  float mid = HalfWidth(game);
  int u = TitleLift(game, level), o = ItemOffset(game, level);
  DrawTitle(game, TextId::RecordsCaption, 60 - static_cast<float>(u), level);
  std::vector<RecordEntry> sorted = RecordsForDisplay(game.records);
  for (size_t i = 0; i < sorted.size(); ++i) {
    float y = 140.0f + 35.0f * static_cast<float>(i);
    char score[16];
    std::snprintf(score, sizeof score, "%i", sorted[i].score);
    DrawMenuText(NameText(sorted[i].name), mid - 100 - static_cast<float>(o), y, game.fonts.LargeFont.get(),
                 AlignLeft, ItemColour(false, level));
    DrawMenuText(score, mid + static_cast<float>(o) + 100, y, game.fonts.LargeFont.get(), AlignLeft,
                 ItemColour(false, level));
  }
  DrawBack(game, RecordsLayout(MenuLayoutOf(game)), 0, o, true, level);
}

void DrawPlayersPage(const Game& game, int level) {
  float mid = HalfWidth(game), middleY = HalfHeight(game);
  const NameEntry& entry = game.screen.nameEntry;
  BitmapFont* large = game.fonts.LargeFont.get();
  if (entry.active) {
    DrawMenuText(game.texts.Text(TextId::TypeYourName), mid, middleY - 100, large, AlignCenter,
                 ItemColour(false, level));
    std::string typed = NameText(entry.text);
    if (game.menus.caretOn) typed += "_";
    DrawMenuText(typed, mid - 100, middleY, large, AlignLeft, ItemColour(false, level));
    if (entry.nameExists)
      DrawMenuText(game.texts.Text(TextId::NameExists), mid, middleY + 100, large, AlignCenter,
                   WithAlpha(kTitleRed, level));
    return;
  }
  int u = TitleLift(game, level), o = ItemOffset(game, level);
  int selection = game.screen.playersSelection;
  int count = std::clamp(game.profiles.count, 0, kMaxProfiles);
  DrawTitle(game, TextId::PlayersTitle, 200 - static_cast<float>(u), level);
  // Row 0 is the new player, row i + 1 profile i.
  PageLayout rows = PlayersLayout(MenuLayoutOf(game));
  DrawMenuText(game.texts.Text(TextId::NewPlayer), rows[0].x + static_cast<float>(o), rows[0].y, large,
               AlignCenter, ItemColour(selection == 0, level));
  for (int i = 0; i < count; ++i)
    DrawMenuText(NameText(game.profiles.profiles[i].name),
                 rows[i + 1].x + static_cast<float>(SlideSign(i) * o), rows[i + 1].y, large, AlignCenter,
                 ItemColour(selection == i + 1, level));
  DrawBack(game, rows, count + 1, o, selection == count + 1, level);
}

}  // namespace nb
