#include "menus/menu_boxes.h"

#include "core/screen_state.h"

namespace nb {
namespace {

constexpr int kBackText = 39;
constexpr int kNextText = 47;
constexpr int kPreviousText = 48;

float TextWidth(const MenuLayoutInput& in, int index) {
  return index < in.texts->texts.count ? in.texts->texts.items[index].b : 0.0f;
}
float TextHeight(const MenuLayoutInput& in, int index) {
  return index < in.texts->texts.count ? in.texts->texts.items[index].d : 0.0f;
}

// A box of a text centred on the window's middle from the given top.
Box CentredTextBox(const MenuLayoutInput& in, int index, float top) {
  float w = TextWidth(in, index);
  return {in.width / 2.0f - w / 2, top, in.width / 2.0f + w / 2, top + TextHeight(in, index)};
}

// Items of a centred list: stored as anchor x, anchor x + width, top, bottom.
template <int N>
void AddCentredList(std::vector<MenuTarget>& out, const ItemList<N>& list) {
  for (int i = 0; i < list.count; ++i) {
    const MenuItem& item = list.items[i];
    float w = item.b - item.a;
    out.push_back({{item.a - w / 2, item.c, item.a + w / 2, item.d}, i});
  }
}

void AddMainMenu(std::vector<MenuTarget>& out, const LocalizedTexts& texts) {
  for (int i = 0; i < texts.menu.count; ++i) {
    const MenuItem& item = texts.menu.items[i];  // anchor x, width, top, height
    out.push_back({{item.a - item.b / 2, item.c, item.a + item.b / 2, item.c + item.d}, i});
  }
}

void AddHelpButtons(std::vector<MenuTarget>& out, const MenuLayoutInput& in) {
  float middle = in.width / 2.0f;
  out.push_back({BackButtonBox(in, 500), 2});
  out.push_back({{middle - 150 - TextWidth(in, kPreviousText), 500, middle - 150,
                  500 + TextHeight(in, kPreviousText)},
                 1});
  out.push_back(
      {{middle + 150, 500, middle + 150 + TextWidth(in, kNextText), 500 + TextHeight(in, kNextText)}, 3});
}

void AddPlayerRows(std::vector<MenuTarget>& out, const MenuLayoutInput& in) {
  float middle = in.width / 2.0f;
  for (int r = 0; r <= in.profileCount; ++r)
    out.push_back({{middle - 100, 270.0f + 40 * r, middle + 100, 300.0f + 40 * r}, r});
}

int FullscreenText(const MenuLayoutInput& in) { return in.fullscreen ? 37 : 36; }

}  // namespace

Box BackButtonBox(const MenuLayoutInput& in, float top) { return CentredTextBox(in, kBackText, top); }

Box SliderKnobBox(int row, int volume) {
  float left = kSliderLeft + 5 + 1.85f * static_cast<float>(volume);
  float y = kSliderLineY[row];
  return {left, y - 5, left + 15, y + 25};
}

std::vector<MenuTarget> HoverTargets(const MenuLayoutInput& in, GameState gameState) {
  std::vector<MenuTarget> out;
  const LocalizedTexts& texts = *in.texts;
  switch (gameState) {
    case GameState::MainMenu: AddMainMenu(out, texts); break;
    case GameState::ExitConfirm: AddCentredList(out, texts.exit); break;
    case GameState::StartGameScreen: AddCentredList(out, texts.start); break;
    case GameState::NewGameScreen: AddCentredList(out, texts.newGame); break;
    case GameState::PauseMenu: AddCentredList(out, texts.pause); break;
    case GameState::GameCompletedScreen: AddCentredList(out, texts.winner); break;
    case GameState::GameOverScreen:
    case GameState::TimeUpScreen: AddCentredList(out, texts.timeLeft); break;
    case GameState::PlayersScreen:
      AddPlayerRows(out, in);
      out.push_back({BackButtonBox(in, 500), in.profileCount + 1, true});
      break;
    case GameState::OptionsFromMenu:
    case GameState::OptionsInPlay:
      for (int row = 0; row < 3; ++row) {
        float top = 270.0f + 40 * row;
        out.push_back({{in.width / 2.0f - TextWidth(in, 2 + row), top, in.width / 2.0f + 210,
                        top + TextHeight(in, 2 + row)},
                       row, true});
      }
      out.push_back({CentredTextBox(in, FullscreenText(in), 390), 3, true});
      out.push_back({BackButtonBox(in, 500), 4, true});
      break;
    case GameState::HelpFromMenu:
    case GameState::HelpInPlay:
      AddHelpButtons(out, in);
      for (MenuTarget& t : out) t.silent = true;
      break;
    default: break;
  }
  return out;
}

std::vector<MenuTarget> ClickTargets(const MenuLayoutInput& in, GameState gameState) {
  std::vector<MenuTarget> out;
  const LocalizedTexts& texts = *in.texts;
  switch (gameState) {
    case GameState::InfoPage: out.push_back({BackButtonBox(in, 500), 0}); break;
    case GameState::RecordsScreen: out.push_back({BackButtonBox(in, 530), 0}); break;
    case GameState::OptionsFromMenu:
    case GameState::OptionsInPlay:
      for (int row = 0; row < 3; ++row) out.push_back({SliderKnobBox(row, in.volumes[row]), row});
      out.push_back({CentredTextBox(in, FullscreenText(in), 390), 3});
      out.push_back({BackButtonBox(in, 500), 4});
      break;
    case GameState::PlayersScreen:
      AddPlayerRows(out, in);
      out.push_back({BackButtonBox(in, 500), in.profileCount + 1});
      break;
    case GameState::StartGameScreen:
      AddCentredList(out, texts.start);
      out.push_back({BackButtonBox(in, 500), texts.start.count});
      break;
    case GameState::NewGameScreen:
      AddCentredList(out, texts.newGame);
      out.push_back({BackButtonBox(in, 500), texts.newGame.count});
      break;
    case GameState::HelpFromMenu:
    case GameState::HelpInPlay: AddHelpButtons(out, in); break;
    default: return HoverTargets(in, gameState);
  }
  return out;
}

}  // namespace nb
