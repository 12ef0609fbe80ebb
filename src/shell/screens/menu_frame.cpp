#include "shell/screens/menu_frame.h"

#include <cstdio>
#include <cstring>

#include "platform/window.h"
#include "render/sprites.h"
#include "shell/game.h"
#include "shell/levels_screen.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_pages.h"
#include "shell/screens/play_screen.h"
#include "shell/screens/pointer_tracking.h"
#include "shell/screens/scene.h"
#include "shell/screens/splash_frame.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

// The GameState of each screen, in MenuScreen order.
constexpr GameState kScreenStates[kMenuScreens] = {GameState::MainMenu,        GameState::InfoPage,
                                                   GameState::OptionsFromMenu, GameState::RecordsScreen,
                                                   GameState::PlayersScreen,   GameState::StartGameScreen,
                                                   GameState::NewGameScreen,   GameState::HelpFromMenu,
                                                   GameState::ExitConfirm,     GameState::LevelsScreen};

// The screens over the main menu, in the order they are drawn.
struct PageDraw {
  MenuScreen screen;
  void (*draw)(const Game&, int);
};
constexpr PageDraw kPages[] = {
    {MenuPlayers, DrawPlayersPage}, {MenuHelp, DrawHelpPage},           {MenuInfo, DrawInfoPage},
    {MenuRecords, DrawRecordsPage}, {MenuStartGame, DrawStartGamePage}, {MenuNewGame, DrawNewGamePage},
    {MenuOptions, DrawOptionsPage}, {MenuExit, DrawQuitPage},           {MenuLevels, DrawLevelsPage},
};

// Point light 0 above the islands; light 1 off.
void LightMenuScene(GraphicsDevice& device) {
  Light light;
  light.type = LightType::Point;
  light.diffuse = {1, 1, 1, 1};
  light.specular = {1, 1, 1, 1};
  light.ambient = {1, 1, 1, 1};
  light.position = {0, 500, 0};
  light.range = 50000;
  light.attenuation0 = 1;
  device.SetLight(0, light);
  device.LightEnable(0, true);
  device.LightEnable(1, false);
}

void DrawPlayerLine(const Game& game) {
  const ProfileTable& profiles = game.profiles;
  if (profiles.current < 0 || profiles.current >= profiles.count || profiles.current >= kMaxProfiles) return;
  const char* name = profiles.profiles[profiles.current].name;
  std::string line =
      game.texts.Text(TextId::PlayerLabel) + " " + std::string(name, strnlen(name, kNameBytes));
  DrawMenuText(line, static_cast<float>(game.settings.width) / 2, 10, game.fonts.SmallFont.get(), AlignCenter,
               WithAlpha(kShadowBlack, game.menus.fades[MenuMain]), false);
}

}  // namespace

int32_t DecayFadeLevel(int32_t level) {
  // The single-precision factor lies just below 10/11; the product is taken
  // in double so that 231 gives 209, not a rounded 210.
  if (level > 0) return static_cast<int32_t>(static_cast<double>(level) * static_cast<double>(0.90909088f));
  return level;
}

int32_t StepFadeLevel(int32_t level, bool current) {
  if (current) return level < 254 ? level + 5 : level;
  return DecayFadeLevel(level);
}

void StepMenuFades(MenuState& menus, GameState gameState) {
  for (int k = 0; k < kMenuScreens; ++k)
    menus.fades[k] = StepFadeLevel(menus.fades[k], gameState == kScreenStates[k]);
}

void AdvanceMenuFadeIn(MenuState& menus) {
  if (++menus.fadeInCounter >= 600) menus.fadeInCounter = 61;
}

int MenuFadeInAlpha(const MenuState& menus) {
  return menus.fadeInCounter < 61 ? 255 - 4 * menus.fadeInCounter : -1;
}

int MainMenuItemOffset(int index, int o) {
  // The sign flips before every even item, starting from +o.
  return (index / 2) % 2 == 0 ? -o : o;
}

void DrawMenuLogo(const Game& game) {
  GraphicsDevice* device = Device(game);
  if (!device) return;
  int t = TitleLift(game, game.menus.fades[MenuMain]);
  SpriteRect logo{static_cast<float>(game.settings.width / 2 - 161),
                  static_cast<float>(100 - t),
                  323,
                  73,
                  0.013f,
                  0.751f,
                  0.328f,
                  0.823f,
                  0xFFFFFFFF};
  device->SetTexture(0, game.catalogue.Texture(TextureKey::Texture));
  RefillSprite(game.store, *device, SpritePanel, logo);
  DrawSprite(*device, game.store, SpritePanel, true);
}

void DrawMainMenuItems(const Game& game) {
  int o = ItemOffset(game, game.menus.fades[MenuMain]);
  const ItemList<kListCapacity>& list = game.texts.menu;
  PageLayout items = MainMenuLayout(MenuLayoutOf(game));
  for (int i = 0; i < list.count; ++i) {
    bool lit = i == game.screen.menuHighlight;
    DrawMenuText(list.items[i].text, items[i].x + static_cast<float>(MainMenuItemOffset(i, o)), items[i].y,
                 game.fonts.LargeFont.get(), AlignCenter, lit ? kHighlightOrange : kItemWhite);
  }
}

void UpdateMenus(Game& game, const FrameInput& input) {
  ShowSystemPointer(PointerOffPicture(game, input));
  TrackMenuPointerAt(game, input.pointerX, input.pointerY);
  FollowLevelsHighlight(game.screen);
  StepMenuFades(game.menus, game.screen.gameState);
  MoveCameraTo(game.camera, {0, 0, -1500}, {0, -150, 0}, 90);
  StepCamera(game.camera, game.settings.width, game.settings.height);
  AdvanceCloudCounter(game.scene);
  AdvanceMenuFadeIn(game.menus);
  AgeStatusMessages(game.world.messages);
  const int32_t* fades = game.menus.fades;
  UpdateSharedPages(game, input, fades[MenuOptions] > 1 ? fades[MenuOptions] : -1,
                    fades[MenuHelp] > 1 ? fades[MenuHelp] : -1);
  if (fades[MenuPlayers] > 1 && game.screen.nameEntry.active) UpdateCaret(game.menus, input.nowMs);
}

void DrawMenus(const Game& game, const FrameInput& input) {
  GraphicsDevice* device = Device(game);
  if (!device) return;
  LightMenuScene(*device);
  ApplyCamera(game.camera, *device);
  device->Clear(ClearFlags::ZBuffer, 0, 1.0f, 0);
  if (Succeeded(device->BeginScene())) {
    DrawMenuBackground(game, input.nowMs);
    DrawMenuLogo(game);
    DrawMainMenuItems(game);
    for (const PageDraw& page : kPages)
      if (game.menus.fades[page.screen] > 1) page.draw(game, game.menus.fades[page.screen]);
    DrawPlayerLine(game);
    DrawStatusTexts(game);
    const int black = MenuFadeInAlpha(game.menus);
    if (black >= 0)
      DrawFadeRect(*device, game.store, black, 0, 0, static_cast<float>(game.settings.width),
                   static_cast<float>(game.settings.height));
    DrawFpsCounter(game);
    device->SetTexture(0, game.catalogue.Texture(TextureKey::Texture));
    DrawMouseCursor(*device, game.store, SpriteCursor, input.pointerX, input.pointerY);
    device->EndScene();
  }
  device->Present();
}

}  // namespace nb
