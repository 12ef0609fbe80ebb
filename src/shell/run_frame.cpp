#include "shell/run_frame.h"

#include <cstdio>

#include "core/log.h"
#include "platform/input_events.h"
#include "platform/window.h"
#include "shell/input.h"
#include "shell/screen_table.h"
#include "shell/screens/menu_frame.h"
#include "shell/screens/play_screen.h"
#include "shell/screens/splash_frame.h"

namespace nb {

const FrameScreens& GameScreens() {
  static constexpr FrameScreens kScreens{
      {UpdatePlayScreen, DrawPlayScreen}, {UpdateSplash, DrawSplash}, {UpdateMenus, DrawMenus}};
  return kScreens;
}

namespace {

const ScreenPasses* PassesOf(const FrameScreens& screens, FrameGroup group) {
  switch (group) {
    case FrameGroup::Play: return &screens.play;
    case FrameGroup::Splash: return &screens.splash;
    case FrameGroup::Menu: return &screens.menu;
    case FrameGroup::None: break;
  }
  return nullptr;
}

// The pace of the whole run, so that a player on a slow machine can see
// that the updates kept up with real time while fewer frames were drawn.
void LogPace(const Game& game, uint32_t elapsedMs) {
  const double seconds = elapsedMs > 0 ? elapsedMs / 1000.0 : 1.0;
  char line[160];
  std::snprintf(line, sizeof line,
                "Pace: %llu frames drawn (%.1f a second), %llu updates (%.1f a second) in %.1f s\n",
                static_cast<unsigned long long>(game.drawRate.total),
                static_cast<double>(game.drawRate.total) / seconds,
                static_cast<unsigned long long>(game.updateRate.total),
                static_cast<double>(game.updateRate.total) / seconds, seconds);
  LogWrite(line);
}

void HandleWaitingEvents(Game& game) {
  InputEvent event;
  while (!game.quitRequested && EventWaiting())
    if (TakeEvent(event)) HandleInputEvent(game, event);
}

}  // namespace

void UpdateFrame(Game& game, const FrameScreens& screens, const FrameInput& input) {
  CountRate(game.updateRate, input.nowMs);
  for (FrameGroup group : {FrameGroup::Play, FrameGroup::Splash, FrameGroup::Menu}) {
    const ScreenPasses* passes = PassesOf(screens, group);
    if (passes->update && ScreenOf(game.screen.gameState).frame == group) passes->update(game, input);
  }
}

void DrawFrame(Game& game, const FrameScreens& screens, const FrameInput& input) {
  if (game.render.device) RestoreDeviceIfLost(game.render);
  CountRate(game.drawRate, input.nowMs);
  const ScreenPasses* passes = PassesOf(screens, ScreenOf(game.screen.gameState).frame);
  if (passes && passes->draw) passes->draw(game, input);
}

FrameInput ReadFrameInput(const Game& game, uint32_t nowMs) {
  FrameInput input;
  input.nowMs = nowMs;
  GetPointerPosition(game.window, input.pointerX, input.pointerY);
  return input;
}

void RunMainLoop(Game& game) {
  TickClock clock;
  StartTickClock(clock, TimerMs());
  const FrameScreens& screens = GameScreens();
  TickLoopHooks hooks;
  hooks.now = TimerMs;
  hooks.handleEvents = [&game] { HandleWaitingEvents(game); };
  hooks.wait = [](uint32_t ms) { WaitForEvent(static_cast<int>(ms)); };
  hooks.update = [&](uint32_t now) { UpdateFrame(game, screens, ReadFrameInput(game, now)); };
  hooks.draw = [&](uint32_t now) { DrawFrame(game, screens, ReadFrameInput(game, now)); };
  hooks.done = [&game] { return game.quitRequested; };
  const uint32_t startMs = TimerMs();
  RunTickLoop(clock, hooks);
  LogPace(game, TimerMs() - startMs);
}

void GoToMainMenu(Game& game) {
  MusicToMainMenu(game.audio);
  // The menus then ease the camera towards their own view: it flies in.
  SetCameraNow(game.camera, {0, 0, -5000}, {0, -50, 0}, 45);
  for (MenuScreen page : {MenuInfo, MenuOptions, MenuStartGame, MenuNewGame, MenuRecords, MenuExit})
    game.menus.fades[page] = 0;
  game.menus.fadeInCounter = 0;
  game.screen.gameState = GameState::MainMenu;
}

}  // namespace nb
