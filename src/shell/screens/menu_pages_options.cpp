// The options page (from the main menu and over a paused level) and the help
// page (likewise), with their sprites.
#include <cstdio>

#include "audio/volume_controls.h"
#include "render/sprites.h"
#include "shell/game.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_pages.h"
#include "shell/screens/pointer_tracking.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

int Volume(const GeneralSettings& s, int row) {
  return row == 0 ? s.musicVolume : row == 1 ? s.soundVolume : s.masterVolume;
}

// A sprite moved to rect and drawn blended: a black copy at (+2, +2) first.
void DrawShadowedSprite(GraphicsDevice& device, const GeometryStore& store, int sprite, SpriteRect rect,
                        int level) {
  uint32_t colour = rect.color;
  rect.x += 2;
  rect.y += 2;
  rect.color = WithAlpha(kShadowBlack, level);
  RefillSprite(store, device, sprite, rect);
  DrawSprite(device, store, sprite, true);
  rect.x -= 2;
  rect.y -= 2;
  rect.color = colour;
  RefillSprite(store, device, sprite, rect);
  DrawSprite(device, store, sprite, true);
}

void DrawSliders(const Game& game, GraphicsDevice& device, int level, int o) {
  device.SetTexture(0, game.catalogue.Texture(TextureKey::Texture));
  for (int row = 0; row < 3; ++row) {
    float y = kSliderLineY[row];
    uint32_t colour = WithAlpha(game.screen.optionsRow == row ? kHighlightOrange : kItemWhite, level);
    SpriteRect bar{kSliderLeft + static_cast<float>(o), y, 210, 16, 0, 0.7f, 0.205f, 0.714f, colour};
    DrawShadowedSprite(device, game.store, SpriteSliderBar, bar, level);
    float knobX = static_cast<float>(SliderKnobX(Volume(game.settings, row), o));
    SpriteRect knob{knobX, y - 5, 15, 30, 0.005f, 0.718f, 0.018f, 0.742f, WithAlpha(kItemWhite, level)};
    DrawShadowedSprite(device, game.store, SpriteSliderKnob, knob, level);
  }
}

}  // namespace

void DragHeldSliders(Game& game, int pointerX, int pointerY, int offset) {
  for (int row = 0; row < 3; ++row) {
    if (!game.menus.sliderDrag[row]) continue;
    TrackMenuPointerAt(game, pointerX, pointerY);
    DragVolumeSlider(game.audio, game.settings, row, pointerX, static_cast<int>(kSliderLeft) + offset);
  }
}

void DrawOptionsPage(const Game& game, int level) {
  float mid = static_cast<float>(game.settings.width) / 2;
  int u = TitleLift(game, level), o = ItemOffset(game, level);
  int row = game.screen.optionsRow;
  BitmapFont* large = game.fonts.LargeFont.get();

  DrawMenuText(game.texts.Text(TextId::OptionsTitle), mid, 200 - static_cast<float>(u),
               game.fonts.ExtraLargeFont.get(), AlignCenter, WithAlpha(kTitleRed, level));
  // The first items of the layout are the rows' labels, in row order.
  PageLayout items = OptionsLayout(MenuLayoutOf(game));
  for (int r = kRowMusic; r <= kRowMaster; ++r)
    DrawMenuText(game.texts.Text(SliderLabel(r)), items[r].x - static_cast<float>(o), items[r].y, large,
                 AlignLeft, WithAlpha(row == r ? kHighlightOrange : kItemWhite, level));
  const PageItem& screenMode = *FindItem(items, kRowFullscreen);
  DrawMenuText(game.texts.Text(game.settings.fullscreen ? TextId::FullScreen : TextId::WindowMode),
               screenMode.x + static_cast<float>(o), screenMode.y, large, AlignCenter,
               WithAlpha(row == kRowFullscreen ? kHighlightOrange : kItemWhite, level));
  const PageItem& language = *FindItem(items, kRowLanguage);
  DrawMenuText(game.texts.Text(TextId::Language), language.x - static_cast<float>(o), language.y, large,
               AlignCenter, WithAlpha(row == kRowLanguage ? kHighlightOrange : kItemWhite, level));
  const PageItem& back = *FindItem(items, kRowBack);
  DrawMenuText(game.texts.Text(TextId::Back), back.x, back.y + static_cast<float>(o), large, AlignCenter,
               WithAlpha(row == kRowBack ? kHighlightOrange : kItemWhite, level));
  if (GraphicsDevice* device = Device(game)) DrawSliders(game, *device, level, o);
}

int HelpPictureSprite(const MenuState& menus, int page) {
  // The counter has 8 bits: it wraps every 256 updates.
  if (page == 0) return menus.helpPictureFrames >= 128 ? SpriteHelpColumn1 + 1 : SpriteHelpColumn1;
  if (page < 0 || page > 4) return -1;
  return SpriteHelpColumn1 + 1 + page;
}

void UpdateSharedPages(Game& game, const FrameInput& input, int optionsLevel, int helpLevel) {
  if (optionsLevel >= 0)
    DragHeldSliders(game, input.pointerX, input.pointerY, ItemOffset(game, optionsLevel));
  if (helpLevel >= 0 && game.screen.helpPage == 0) ++game.menus.helpPictureFrames;
  // The pictures are there while the page shows, in the menus as in play.
  if (GraphicsDevice* device = Device(game))
    KeepTexture(game.catalogue, *device, TextureKey::Helptexture, helpLevel > 0);
}

void DrawHelpPage(const Game& game, int level) {
  float mid = static_cast<float>(game.settings.width) / 2;
  int u = TitleLift(game, level), o = ItemOffset(game, level);
  float fo = static_cast<float>(o);
  int page = game.screen.helpPage, button = game.screen.helpButton;
  BitmapFont* large = game.fonts.LargeFont.get();

  DrawMenuText(game.texts.Text(TextId::HelpTitle), mid, 45 - static_cast<float>(u),
               game.fonts.ExtraLargeFont.get(), AlignCenter, WithAlpha(kTitleRed, level));
  char counter[48];
  std::snprintf(counter, sizeof counter, "Page %i of %i", page + 1, game.texts.help.count);
  DrawMenuText(counter, mid, 470 + fo, game.fonts.SmallFont.get(), AlignCenter,
               WithAlpha(kShadowBlack, level), false);

  int sprite = HelpPictureSprite(game.menus, page);
  GraphicsDevice* device = Device(game);
  if (device && sprite >= 0) {
    SpriteRect picture = StartupSpriteRect(sprite, game.settings.width, game.settings.height);
    picture.x = 50 - fo;
    picture.y = 100;
    picture.color = WithAlpha(kItemWhite, level);
    device->SetTexture(0, game.catalogue.Texture(TextureKey::Helptexture));
    RefillSprite(game.store, *device, sprite, picture);
    DrawSprite(*device, game.store, sprite, true);
  }
  if (page >= 0 && page < game.texts.help.count)
    DrawMenuText(game.texts.help.pages[page], 200 + 1.3f * fo, 130, large, AlignLeft,
                 WithAlpha(kItemWhite, level));
  PageLayout buttons = HelpLayout(MenuLayoutOf(game));
  const PageItem &previous = *FindItem(buttons, kHelpPrevious), &next = *FindItem(buttons, kHelpNext);
  const PageItem& back = *FindItem(buttons, kHelpBack);
  DrawMenuText(game.texts.Text(TextId::Previous), previous.x - fo, previous.y, large, AlignRight,
               WithAlpha(button == kHelpPrevious ? kHighlightOrange : kItemWhite, level));
  DrawMenuText(game.texts.Text(TextId::Next), next.x + fo, next.y, large, AlignLeft,
               WithAlpha(button == kHelpNext ? kHighlightOrange : kItemWhite, level));
  DrawMenuText(game.texts.Text(TextId::Back), back.x, back.y + fo, large, AlignCenter,
               WithAlpha(button == kHelpBack ? kHighlightOrange : kItemWhite, level));
}

}  // namespace nb
