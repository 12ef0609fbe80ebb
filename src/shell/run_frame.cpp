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
#include "shell/window_mode.h"

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

// The pace since a screen group began, so that a player on a slow machine
// can see that the updates kept up with real time while fewer frames were
// drawn. Stretches under a second say nothing and are left out.
void LogPace(const Game& game, uint32_t nowMs) {
  const auto& from = game.paceSegment;
  const uint32_t elapsedMs = nowMs - from.startMs;
  if (from.group < 0 || elapsedMs < 1000) return;
  static constexpr const char* kWhere[] = {"elsewhere", "in play", "on the splash", "in the menus"};
  const int where = from.group < 4 ? from.group : 0;
  const double seconds = elapsedMs / 1000.0;
  char line[200];
  std::snprintf(line, sizeof line, "Pace %s: %.1f frames drawn and %.1f updates a second over %.1f s\n",
                kWhere[where], static_cast<double>(game.drawRate.total - from.draws) / seconds,
                static_cast<double>(game.updateRate.total - from.updates) / seconds, seconds);
  LogWrite(line);
}

void TrackPaceSegment(Game& game, uint32_t nowMs) {
  const int32_t group = static_cast<int32_t>(ScreenOf(game.screen.gameState).frame);
  if (group == game.paceSegment.group) return;
  LogPace(game, nowMs);
  game.paceSegment = {group, nowMs, game.drawRate.total, game.updateRate.total};
}

// Each change of screen is one log line, so that a report (or a test driving
// the binary) can follow the player's way through the menus.
void LogScreenChange(Game& game) {
  if (game.loggedState == game.screen.gameState) return;
  game.loggedState = game.screen.gameState;
  LogPrintf("Screen: %s\n", ScreenName(game.loggedState));
}

void HandleWaitingEvents(Game& game) {
  InputEvent event;
  while (!game.quitRequested && EventWaiting())
    if (TakeEvent(event)) HandleInputEvent(game, event);
}

}  // namespace

void UpdateFrame(Game& game, const FrameScreens& screens, const FrameInput& input) {
  CountRate(game.updateRate, input.nowMs);
  TrackPaceSegment(game, input.nowMs);
  ReleaseEndedMusic(game.audio);
  LogScreenChange(game);
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
  int x = 0, y = 0;
  GetPointerPosition(game.window, x, y);
  const PixelPoint inPicture = WindowToPicture(GameLetterbox(game), x, y);
  input.pointerX = inPicture.x;
  input.pointerY = inPicture.y;
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
  RunTickLoop(clock, hooks);
  LogPace(game, TimerMs());
}

void GoToMainMenu(Game& game) {
  MusicToMainMenu(game.audio);
  // The menus then ease the camera towards their own view: it flies in.
  SetCameraNow(game.camera, {0, 0, -5000}, {0, -50, 0}, 45);
  for (MenuScreen page :
       {MenuInfo, MenuOptions, MenuStartGame, MenuNewGame, MenuRecords, MenuExit, MenuLevels})
    game.menus.fades[page] = 0;
  game.menus.fadeInCounter = 0;
  // The level's texts stay behind; the menus show only their own.
  ClearStatusMessages(game.world.messages);
  game.screen.gameState = GameState::MainMenu;
}

}  // namespace nb
