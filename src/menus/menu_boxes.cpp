#include "menus/menu_boxes.h"

namespace nb {
namespace {

const MenuItem* General(const MenuLayoutInput& in, TextId id) {
  int index = static_cast<int>(id);
  return index >= 0 && index < in.texts->texts.count ? &in.texts->texts.items[index] : nullptr;
}
float TextWidth(const MenuLayoutInput& in, TextId id) { return General(in, id) ? General(in, id)->width : 0; }
float TextHeight(const MenuLayoutInput& in, TextId id) {
  return General(in, id) ? General(in, id)->height : 0;
}
float Middle(const MenuLayoutInput& in) { return in.width / 2.0f; }

// A general text centred on the window's middle from the given top.
PageItem CentredText(const MenuLayoutInput& in, TextId id, float top, int value) {
  float w = TextWidth(in, id), middle = Middle(in);
  return {{middle - w / 2, top, middle + w / 2, top + TextHeight(in, id)}, middle, top, value};
}

PageItem BackButton(const MenuLayoutInput& in, float top, int value) {
  return CentredText(in, TextId::Back, top, value);
}

// The items of a laid-out list, each hit around its centre.
template <int N>
PageLayout ListItems(const ItemList<N>& list) {
  PageLayout out;
  for (int i = 0; i < list.count; ++i) {
    const MenuItem& item = list.items[i];
    out.push_back({{item.x - item.width / 2, item.top, item.x + item.width / 2, item.top + item.height},
                   item.x,
                   item.top,
                   i});
  }
  return out;
}

// A list followed by a back button that only a click reaches.
template <int N>
PageLayout ListWithBack(const MenuLayoutInput& in, const ItemList<N>& list) {
  PageLayout out = ListItems(list);
  PageItem back = BackButton(in, 500, list.count);
  back.hover = false;
  out.push_back(back);
  return out;
}

PageLayout OnlyBack(const MenuLayoutInput& in, float top) {
  PageItem back = BackButton(in, top, 0);
  back.hover = false;
  return {back};
}

// The knob's box for a volume (0..100) on its slider's line.
Box SliderKnobBox(int row, int volume) {
  float left = kSliderLeft + 5 + 1.85f * static_cast<float>(volume);
  float y = kSliderLineY[row];
  return {left, y - 5, left + 15, y + 25};
}

}  // namespace

const PageItem* FindItem(const PageLayout& layout, int value) {
  for (const PageItem& item : layout)
    if (item.value == value) return &item;
  return nullptr;
}

PageLayout MainMenuLayout(const MenuLayoutInput& in) { return ListItems(in.texts->menu); }
PageLayout InfoLayout(const MenuLayoutInput& in) { return OnlyBack(in, 500); }
PageLayout RecordsLayout(const MenuLayoutInput& in) { return OnlyBack(in, 530); }
PageLayout StartGameLayout(const MenuLayoutInput& in) { return ListWithBack(in, in.texts->start); }
PageLayout NewGameLayout(const MenuLayoutInput& in) { return ListWithBack(in, in.texts->newGame); }
PageLayout ExitLayout(const MenuLayoutInput& in) { return ListItems(in.texts->exit); }
const ItemList<kListCapacity>& PauseItems(const MenuLayoutInput& in) {
  return in.practice && in.texts->practice.count > 0 ? in.texts->practice : in.texts->pause;
}
PageLayout PauseLayout(const MenuLayoutInput& in) { return ListItems(PauseItems(in)); }
PageLayout RetryLayout(const MenuLayoutInput& in) { return ListItems(in.texts->timeLeft); }
PageLayout CompletedLayout(const MenuLayoutInput& in) { return ListItems(in.texts->winner); }

PageLayout OptionsLayout(const MenuLayoutInput& in) {
  PageLayout out;
  // The labels end a gap before their sliders; hovering anywhere up to the slider's end picks the row.
  for (int row = kRowMusic; row <= kRowMaster; ++row) {
    float top = 270.0f + 40 * row, left = kSliderLeft - kSliderLabelGap - TextWidth(in, SliderLabel(row));
    PageItem label{{left, top, kSliderLeft + 210, top + TextHeight(in, SliderLabel(row))}, left, top, row};
    label.click = false;
    out.push_back(label);
  }
  for (int row = kRowMusic; row <= kRowMaster; ++row) {
    Box knob = SliderKnobBox(row, in.volumes[row]);
    PageItem item{knob, knob.left, knob.top, row};
    item.hover = false;
    item.knob = true;
    out.push_back(item);
  }
  TextId screenMode = in.fullscreen ? TextId::FullScreen : TextId::WindowMode;
  out.push_back(CentredText(in, screenMode, 390, kRowFullscreen));
  out.push_back(CentredText(in, TextId::Language, 430, kRowLanguage));
  out.push_back(BackButton(in, 500, kRowBack));
  for (PageItem& item : out) item.silent = true;
  return out;
}

PageLayout PlayersLayout(const MenuLayoutInput& in) {
  PageLayout out;
  float middle = Middle(in);
  // Row 0 is the new player, then one row per profile.
  for (int r = 0; r <= in.profileCount; ++r)
    out.push_back(
        {{middle - 100, 270.0f + 40 * r, middle + 100, 300.0f + 40 * r}, middle, 270.0f + 40 * r, r});
  PageItem back = BackButton(in, 500, in.profileCount + 1);
  back.silent = true;
  out.push_back(back);
  // While a name is typed the rows are not shown: the pointer highlights none, a click still lands.
  if (in.nameEntry)
    for (PageItem& item : out) item.hover = false;
  return out;
}

PageLayout HelpLayout(const MenuLayoutInput& in) {
  float middle = Middle(in);
  float previousWidth = TextWidth(in, TextId::Previous), nextWidth = TextWidth(in, TextId::Next);
  PageLayout out{BackButton(in, 500, kHelpBack),
                 {{middle - 150 - previousWidth, 500, middle - 150, 500 + TextHeight(in, TextId::Previous)},
                  middle - 150,
                  500,
                  kHelpPrevious},
                 {{middle + 150, 500, middle + 150 + nextWidth, 500 + TextHeight(in, TextId::Next)},
                  middle + 150,
                  500,
                  kHelpNext}};
  for (PageItem& item : out) item.silent = true;
  return out;
}

}  // namespace nb
