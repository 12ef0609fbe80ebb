// What the menu frame draws where, read back from the recording device.
#include <gtest/gtest.h>

#include "menu_drawing_fixture.h"
#include "shell/screens/menu_frame.h"
#include "shell/screens/menu_pages.h"
#include "render/sprites.h"

namespace nb {
namespace {

using test::DrawnBox;

class MenuFrameDrawing : public test::MenuDrawing {};

TEST_F(MenuFrameDrawing, MainMenuItemsSlideInPairsFromAlternatingSides) {
  game->menus.fadeInCounter = 100;
  game->menus.fades[MenuMain] = 95;  // 100 once the frame has stepped it
  game->screen.menuHighlight = 2;
  RunMenuFrame(*game);
  int o = ItemOffset(*game, 100);
  ASSERT_GT(o, 50);
  std::vector<DrawnBox> white = TextBoxes(kItemWhite), orange = TextBoxes(kHighlightOrange);
  ASSERT_EQ(white.size(), 6u);
  ASSERT_EQ(orange.size(), 1u);
  std::vector<DrawnBox> items{white[0], white[1], orange[0], white[2], white[3], white[4], white[5]};
  for (int i = 0; i < 7; ++i) {
    EXPECT_NEAR(items[i].CentreX(), 400 + MainMenuItemOffset(i, o), 4) << "item " << i;
    EXPECT_NEAR(items[i].top, game->texts.menu.items[i].top, 12) << "item " << i;
  }
  // Each item's shadow comes first, two pixels down and right.
  std::vector<DrawnBox> shadows = TextBoxes(kShadowBlack);
  ASSERT_GE(shadows.size(), 7u);
  EXPECT_FLOAT_EQ(shadows[0].left, items[0].left + 2);
}

TEST_F(MenuFrameDrawing, LogoHangsFromTheTopAndTheCursorIsDrawnLast) {
  game->menus.fades[MenuMain] = 255;
  RunMenuFrame(*game);
  std::vector<DrawnBox> boxes = Boxes();
  ASSERT_FALSE(boxes.empty());
  int t = TitleLift(*game, 255);
  bool logo = false;
  for (const DrawnBox& b : boxes)
    if (b.Width() == 323 && b.texture == game->catalogue.Texture(TextureKey::Texture)) {
      logo = true;
      EXPECT_FLOAT_EQ(b.left, 400 - 161);
      EXPECT_FLOAT_EQ(b.top, static_cast<float>(100 - t));
      EXPECT_FLOAT_EQ(b.bottom - b.top, 73);
    }
  EXPECT_TRUE(logo);
  EXPECT_FLOAT_EQ(boxes.back().Width(), 18);
  EXPECT_FLOAT_EQ(boxes.back().bottom - boxes.back().top, 33);
  EXPECT_FLOAT_EQ(game->camera.eyeTarget.z, -1500);  // the camera flies towards the menu view
  EXPECT_EQ(device->presentCount, 1);
}

TEST_F(MenuFrameDrawing, PagesAboveLevelOneAreDrawnInTheirOrder) {
  game->menus.fadeInCounter = 100;
  for (MenuScreen page : {MenuPlayers, MenuHelp, MenuInfo, MenuRecords, MenuStartGame, MenuNewGame,
                          MenuOptions, MenuExit})
    game->menus.fades[page] = 200;  // 181 once stepped on the main menu
  RunMenuFrame(*game);
  std::vector<DrawnBox> titles = TextBoxes(WithAlpha(kTitleRed, 181));
  ASSERT_EQ(titles.size(), 8u);
  int u = TitleLift(*game, 181);
  // players, help, information, records, start game, new game, options, quit
  const float expectedTop[8] = {200, 45, 200, 60, 180, 180, 200, 250};
  for (int i = 0; i < 8; ++i) EXPECT_NEAR(titles[i].top + u, expectedTop[i], 14) << "page " << i;
  EXPECT_NEAR(titles[1].top - titles[0].top, -155, 4);
  EXPECT_NEAR(titles[7].top - titles[4].top, 70, 4);

  // A page whose level falls to 1 is no longer drawn.
  Reset();
  for (int32_t& f : game->menus.fades) f = 2;
  game->menus.fades[MenuMain] = 255;
  RunMenuFrame(*game);
  EXPECT_TRUE(TextBoxes(WithAlpha(kTitleRed, 1)).empty());
}

TEST_F(MenuFrameDrawing, ThePlayerLineShowsTheChosenProfileInBlack) {
  game->menus.fadeInCounter = 100;
  game->menus.fades[MenuMain] = 250;
  AddProfile(game->profiles, "Ann", 0, 1, 3);
  RunMenuFrame(*game);
  size_t before = TextBoxes(WithAlpha(kShadowBlack, 255)).size();
  EXPECT_EQ(before, 7u);  // the items' shadows; no profile chosen yet
  game->profiles.current = 0;
  Reset();
  RunMenuFrame(*game);
  std::vector<DrawnBox> black = TextBoxes(WithAlpha(kShadowBlack, 255));
  ASSERT_EQ(black.size(), before + 1);
  const DrawnBox& line = black.back();  // after the items, before the fade-in
  EXPECT_NEAR(line.CentreX(), 400, 4);
  EXPECT_LT(line.top, 40);
  // A stale index draws nothing.
  game->profiles.current = 3;
  Reset();
  RunMenuFrame(*game);
  EXPECT_EQ(TextBoxes(WithAlpha(kShadowBlack, 255)).size(), before);
}

}  // namespace
}  // namespace nb
