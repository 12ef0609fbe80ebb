// What the menu pages and the play overlays draw where, at full level (no
// slide) and part-way in (slid by the curves), read back from the recording
// device.
#include <gtest/gtest.h>

#include <cstring>

#include "menu_drawing_fixture.h"
#include "shell/screens/menu_pages.h"
#include "shell/screens/play_overlays.h"
#include "platform/window.h"
#include "render/sprites.h"
#include "core/keyframe_curve.h"

namespace nb {
namespace {

using test::DrawnBox;
using Page = void (*)(Game&, int);

class PageDrawing : public test::MenuDrawing {
 protected:
  static constexpr int kPart = 100;  // a level part-way in
  void SetUp() override {
    MenuDrawing::SetUp();
    o = ItemOffset(*game, kPart);
  }
  // The texts one call of a page draws in the colour at the page's level.
  std::vector<DrawnBox> Texts(Page page, int level, uint32_t colour) {
    Draw(page, level);
    return TextBoxes(WithAlpha(colour, level));
  }
  void Draw(Page page, int level) {
    Reset();
    page(*game, level);
  }
  std::vector<DrawnBox> SpritesOfWidth(float width) const {
    std::vector<DrawnBox> out;
    for (const DrawnBox& b : Boxes())
      if (b.Width() == width) out.push_back(b);
    return out;
  }
  int o = 0;  // the items' slide at kPart
};

TEST_F(PageDrawing, InformationPageSlidesItsLinesFromAlternatingSides) {
  ASSERT_GT(o, 50);
  ASSERT_EQ(ItemOffset(*game, 255), 0);
  auto full = Texts(DrawInfoPage, 255, kItemWhite), part = Texts(DrawInfoPage, kPart, kItemWhite);
  ASSERT_EQ(full.size(), 4u);
  ASSERT_EQ(part.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    EXPECT_FLOAT_EQ(part[k].left - full[k].left, k % 2 == 0 ? o : -o) << k;
    EXPECT_NEAR(full[k].CentreX(), 400, 4);
  }
  EXPECT_NEAR(full[1].top - full[0].top, 40, 4);
  auto back = Texts(DrawInfoPage, kPart, kHighlightOrange), backFull = Texts(DrawInfoPage, 255, kHighlightOrange);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_FLOAT_EQ(back[0].top - backFull[0].top, o);  // the back text drops in
  // The title is lifted by the up curve.
  auto title = Texts(DrawInfoPage, kPart, kTitleRed), titleFull = Texts(DrawInfoPage, 255, kTitleRed);
  ASSERT_EQ(title.size(), 1u);
  EXPECT_FLOAT_EQ(titleFull[0].top - title[0].top, TitleLift(*game, kPart) - TitleLift(*game, 255));
}

TEST_F(PageDrawing, QuitStartAndNewGamePagesSlideTheirButtons) {
  game->screen.exitChoice = 1;
  auto yes = Texts(DrawQuitPage, kPart, kItemWhite), no = Texts(DrawQuitPage, kPart, kHighlightOrange);
  ASSERT_EQ(yes.size(), 1u);
  ASSERT_EQ(no.size(), 1u);
  EXPECT_NEAR(yes[0].CentreX(), game->texts.exit.items[0].x - o, 4);
  EXPECT_NEAR(no[0].CentreX(), game->texts.exit.items[1].x + o, 4);

  // The back texts follow the last item's offset: two start items (the last
  // slides +o), three new-game items (-o); with four, the back text rises.
  ASSERT_EQ(game->texts.start.count, 2);
  ASSERT_EQ(game->texts.newGame.count, 3);
  game->screen.startGameHighlight = 2;
  game->screen.newGameHighlight = 3;
  const std::tuple<Page, bool, int> cases[] = {{DrawStartGamePage, false, o}, {DrawNewGamePage, false, o},
                                               {DrawNewGamePage, true, -o}};
  for (auto [page, fourItems, drop] : cases) {
    if (fourItems) {
      game->texts.newGame.count = 4;
      game->texts.newGame.items[3] = game->texts.newGame.items[2];
      game->texts.newGame.items[3].top += 40;
      game->screen.newGameHighlight = 4;
    }
    auto full = Texts(page, 255, kHighlightOrange), part = Texts(page, kPart, kHighlightOrange);
    ASSERT_EQ(full.size(), 1u);
    ASSERT_EQ(part.size(), 1u);
    EXPECT_FLOAT_EQ(part[0].top - full[0].top, drop);
    if (!fourItems) {
      EXPECT_NEAR(full[0].CentreX(), 400, 4);
    }
  }
}

TEST_F(PageDrawing, RecordsPageShowsTheHighestScoreOnTop) {
  const std::pair<const char*, int> entries[] = {{"Low", 7}, {"Top", 98765}, {"Mid", 432}};
  for (auto [name, score] : entries) {
    std::strcpy(game->records.entries[game->records.count].name, name);
    game->records.entries[game->records.count++].score = score;
  }
  auto white = Texts(DrawRecordsPage, 255, kItemWhite);
  ASSERT_EQ(white.size(), 6u);  // name, score per entry
  // Scores right of the middle, one row of 35 pixels each, widest (98765) first.
  EXPECT_GE(white[1].left, 500 - 2);
  EXPECT_GT(white[1].Width(), white[3].Width());
  EXPECT_GT(white[3].Width(), white[5].Width());
  EXPECT_NEAR(white[2].top - white[0].top, 35, 3);
  EXPECT_NEAR(white[0].left, 300, 3);
  EXPECT_STREQ(game->records.entries[0].name, "Low");  // the table itself stays
}

TEST_F(PageDrawing, PlayersPageListsProfilesAndTheNameEntryBlinks) {
  AddProfile(game->profiles, "Ann", 0, 1, 3);
  AddProfile(game->profiles, "Bob", 0, 1, 3);
  game->screen.playersSelection = 2;  // Bob
  auto white = Texts(DrawPlayersPage, kPart, kItemWhite), orange = Texts(DrawPlayersPage, kPart, kHighlightOrange);
  ASSERT_EQ(white.size(), 3u);  // new player, Ann, back
  ASSERT_EQ(orange.size(), 1u);
  EXPECT_NEAR(white[1].top - white[0].top, 40, 4);
  EXPECT_NEAR(orange[0].top - white[1].top, 40, 4);
  EXPECT_GT(orange[0].CentreX() - white[1].CentreX(), 2 * o - 8);  // Ann from the left, Bob from the right

  game->screen.nameEntry.active = true;
  std::strcpy(game->screen.nameEntry.text, "Zed");
  std::vector<float> widths;
  for (int i = 0; i < 2; ++i) {
    game->menus.caretToggledMs = TimerMs() - 1000;  // long ago: the caret toggles now
    auto typed = Texts(DrawPlayersPage, 255, kItemWhite);
    ASSERT_EQ(typed.size(), 2u);  // the prompt, the name
    EXPECT_NEAR(typed[1].left, 300, 3);
    EXPECT_NEAR(typed[1].top - typed[0].top, 100, 6);
    widths.push_back(typed[1].Width());
  }
  EXPECT_NE(widths[0], widths[1]) << "the caret shows on one frame and not the next";
  EXPECT_TRUE(Texts(DrawPlayersPage, 255, kTitleRed).empty());
  game->screen.nameEntry.nameExists = true;
  auto warning = Texts(DrawPlayersPage, 255, kTitleRed);
  ASSERT_EQ(warning.size(), 1u);
  EXPECT_NEAR(warning[0].CentreX(), 400, 4);
}

TEST_F(PageDrawing, OptionsSlidersShowTheVolumesAndTheHighlightedRow) {
  game->settings.musicVolume = 0;
  game->settings.soundVolume = 50;
  game->settings.masterVolume = 100;
  game->screen.optionsRow = 1;
  Draw(DrawOptionsPage, 255);
  std::vector<DrawnBox> knobs = SpritesOfWidth(15), bars = SpritesOfWidth(210);
  ASSERT_EQ(knobs.size(), 6u);  // shadow and knob for each slider
  EXPECT_EQ((std::vector<float>{knobs[0].left, knobs[1].left, knobs[3].left, knobs[5].left}),
            (std::vector<float>{407, 405, 405 + 92, 405 + 185}));  // the shadow first
  EXPECT_FLOAT_EQ(knobs[1].top, 279 - 5);
  EXPECT_FLOAT_EQ(knobs[5].top, 359 - 5);
  ASSERT_EQ(bars.size(), 6u);
  EXPECT_EQ((std::vector<uint32_t>{bars[1].colour, bars[2].colour, bars[3].colour}),
            (std::vector<uint32_t>{kItemWhite, kShadowBlack, kHighlightOrange}));
  EXPECT_FLOAT_EQ(bars[3].top, 319);
  // The row labels end where the sliders begin, slid by o.
  auto labels = Texts(DrawOptionsPage, kPart, kItemWhite);
  ASSERT_GE(labels.size(), 2u);
  EXPECT_NEAR(labels[0].right, 400 - o, 4);
  EXPECT_FLOAT_EQ(SpritesOfWidth(15).at(1).left, 405 + o);
  EXPECT_FLOAT_EQ(SpritesOfWidth(210).at(1).left, 400 + o);
}

TEST_F(PageDrawing, AHeldSliderFollowsThePointerFromItsCurrentLeftEdge) {
  game->settings.musicVolume = 10;
  DragHeldSliders(*game, 400 + o + 10 + 185 / 2, 285, o);
  EXPECT_EQ(game->settings.musicVolume, 10) << "no knob held";
  game->menus.sliderDrag[0] = true;
  game->screen.gameState = GameState::OptionsFromMenu;
  game->screen.optionsRow = 4;
  // Over the music label: the highlight follows once more.
  DragHeldSliders(*game, static_cast<int>(400 - game->texts.texts.items[2].width / 2), 270 + 5, 0);
  EXPECT_EQ(game->screen.optionsRow, 0);
  EXPECT_EQ(game->settings.musicVolume, 0);  // left of the slider
  DragHeldSliders(*game, 400 + o + 10 + 185 / 2, 285, o);
  EXPECT_EQ(game->settings.musicVolume, 49);
  DragHeldSliders(*game, 2000, 285, o);
  EXPECT_EQ(game->settings.musicVolume, 100);
  EXPECT_EQ(game->settings.soundVolume, 50);  // the other sliders stay
}

TEST_F(PageDrawing, HelpPageTextSlidesFasterThanItsButtons) {
  game->screen.helpPage = 2;
  game->screen.helpButton = 3;
  auto text = Texts(DrawHelpPage, kPart, kItemWhite), fullText = Texts(DrawHelpPage, 255, kItemWhite);
  ASSERT_EQ(text.size(), 3u);  // page text, previous, back
  EXPECT_NEAR(text[0].left - fullText[0].left, 1.3f * o, 1);
  EXPECT_NEAR(fullText[0].left, 200, 4);
  EXPECT_NEAR(text[1].right - fullText[1].right, -o, 1);  // previous ends at W/2 - 150 - o
  EXPECT_NEAR(fullText[1].right, 250, 4);
  auto next = Texts(DrawHelpPage, 255, kHighlightOrange);
  ASSERT_EQ(next.size(), 1u);
  EXPECT_NEAR(next[0].left, 550, 4);
  // The page counter in the small font, black without a shadow.
  auto counter = Texts(DrawHelpPage, 255, kShadowBlack);
  ASSERT_GE(counter.size(), 2u);  // the title's shadow, then the counter
  EXPECT_NEAR(counter[1].CentreX(), 400, 6);
  EXPECT_NEAR(counter[1].top, 470, 12);
  // The picture: this page's column of the help texture, slid the other way.
  Draw(DrawHelpPage, kPart);
  std::vector<DrawnBox> pictures = SpritesOfWidth(115);
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_FLOAT_EQ(pictures[0].left, 50 - o);
  EXPECT_FLOAT_EQ(pictures[0].top, 100);
  EXPECT_NEAR(pictures[0].uMin, 0.339f, 1e-4);
  EXPECT_TRUE(pictures[0].texture == game->catalogue.Texture(TextureKey::Helptexture));
}

TEST_F(PageDrawing, TimeUpDarkensPulsesAndSlidesTheHighlightTheOtherWay) {
  game->screen.menuHighlight = 1;
  Draw(DrawTimeUpScreen, kPart);
  bool dark = false;
  for (const DrawnBox& b : BoxesOf(WithAlpha(0, kPart / 2)))
    dark |= b.left <= 0 && b.right >= 800 && b.top <= 0 && b.bottom >= 600;
  EXPECT_TRUE(dark);
  EXPECT_EQ(game->menus.timeUpPulse, 5);
  auto caption = TextBoxes(WithAlpha(kItemWhite, kPart)), lit = TextBoxes(WithAlpha(kHighlightOrange, kPart));
  ASSERT_EQ(caption.size(), 2u);  // the caption, item 0
  ASSERT_EQ(lit.size(), 1u);
  EXPECT_NEAR(caption[0].top + TitleLift(*game, kPart), 300 - 60, 14);
  EXPECT_NEAR(caption[1].CentreX(), game->texts.timeLeft.items[0].x - o, 4);
  EXPECT_NEAR(lit[0].CentreX(), game->texts.timeLeft.items[1].x + o, 4);
  // The red pulse over the caption takes its alpha from the timeleft curve.
  int pulse = EvaluateCurveInt(game->animations.timeleft, 5) & 0xFF;
  Draw(DrawTimeUpScreen, kPart);
  EXPECT_EQ(TextBoxes(WithAlpha(0xFF0000, pulse)).size(), 1u);
  EXPECT_EQ(game->menus.timeUpPulse, 10);
  EXPECT_EQ(game->menus.gameOverPulse, 0);  // each screen has its own pulse
  // Game over is the same screen with its own caption and counter.
  EXPECT_EQ(Texts(DrawGameOverScreen, kPart, kHighlightOrange).size(), 1u);
  EXPECT_EQ(game->menus.gameOverPulse, 5);
}

TEST_F(PageDrawing, PauseItemsAlternateAndCompletedItemsStayPut) {
  game->screen.menuHighlight = 0;
  auto white = Texts(DrawPauseScreen, kPart, kItemWhite);
  ASSERT_EQ(white.size(), 4u);
  for (int i = 1; i < 5; ++i)
    EXPECT_NEAR(white[i - 1].CentreX(), game->texts.pause.items[i].x + SlideSign(i) * o, 4) << i;
  auto title = Texts(DrawPauseScreen, kPart, kTitleRed);
  ASSERT_EQ(title.size(), 1u);
  EXPECT_NEAR(title[0].top + TitleLift(*game, kPart), 300 - 120, 14);
  EXPECT_TRUE(BoxesOf(WithAlpha(0, kPart / 2)).empty());  // no darkening behind the pause menu

  auto captions = Texts(DrawGameCompletedScreen, kPart, kItemWhite);
  auto item = TextBoxes(WithAlpha(kHighlightOrange, kPart));
  ASSERT_EQ(captions.size(), 2u);
  EXPECT_NEAR(captions[1].top - captions[0].top, 60, 6);
  ASSERT_EQ(item.size(), 1u);
  EXPECT_NEAR(item[0].CentreX(), game->texts.winner.items[0].x, 4);  // no slide
  EXPECT_EQ(game->menus.completedPulse, 5);
}

}  // namespace
}  // namespace nb
