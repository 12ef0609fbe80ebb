#include "shell/input.h"

#include <cstring>

#include "shell/menu_commands.h"
#include "shell/practice.h"
#include "shell/run_recording.h"
#include "shell/screen_table.h"
#include "shell/screenshot.h"
#include "shell/window_mode.h"

namespace nb {
namespace {

bool NameTaken(const ProfileTable& profiles, const char* name) {
  for (int i = 0; i < profiles.count; ++i)
    if (std::strcmp(profiles.profiles[i].name, name) == 0) return true;
  return false;
}

}  // namespace

void KeyboardNavigation(Game& game, Key key) {
  if (void (*arrows)(Game&, Key) = ScreenOf(game.screen.gameState).arrows) arrows(game, key);
}

void HandleMenuClick(Game& game, int x, int y) {
  if (void (*click)(Game&, int, int) = ScreenOf(game.screen.gameState).click) click(game, x, y);
}

void HandleNameCharacter(Game& game, unsigned char ch) {
  NameEntry& entry = game.screen.nameEntry;
  if (game.screen.gameState != GameState::PlayersScreen || !entry.active) return;
  size_t length = std::strlen(entry.text);
  if (ch == kNameBackspace) {
    entry.nameExists = false;
    if (length > 0) entry.text[length - 1] = '\0';
  } else if (ch == kNameConfirm) {
    if (length == 0) return;
    entry.nameExists = false;
    if (NameTaken(game.profiles, entry.text)) {
      entry.nameExists = true;
      return;
    }
    entry.active = false;
    AddProfile(game.profiles, entry.text, 0, 1, kNewProfileLives);
    std::memset(entry.text, 0, sizeof entry.text);
    EnableTextInput(false);
  } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch >= 0xC0) {
    entry.nameExists = false;
    if (length < sizeof entry.text - 1) {
      entry.text[length] = static_cast<char>(ch);
      entry.text[length + 1] = '\0';
    }
  }
}

std::string Utf8ToNameBytes(const std::string& utf8) {
  std::string bytes;
  size_t i = 0;
  while (i < utf8.size()) {
    unsigned char lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      bytes += static_cast<char>(lead);
      ++i;
      continue;
    }
    size_t extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    uint32_t code = lead & (0x3Fu >> extra);
    bool valid = extra > 0;
    for (size_t k = 1; valid && k <= extra; ++k) {
      if (i + k >= utf8.size()) {
        valid = false;
        break;
      }
      unsigned char next = static_cast<unsigned char>(utf8[i + k]);
      valid = (next & 0xC0) == 0x80;
      code = code << 6 | (next & 0x3Fu);
    }
    // A stray or cut-short sequence is skipped a byte at a time.
    i += valid ? extra + 1 : 1;
    // А..я sit at 0xC0..0xFF in Windows-1251.
    if (valid && code >= 0x410 && code <= 0x44F) bytes += static_cast<char>(0xC0 + (code - 0x410));
  }
  return bytes;
}

void HandleInputEvent(Game& game, const InputEvent& event) {
  if (HandleWatchInput(game, event)) return;
  ScreenState& s = game.screen;
  switch (event.type) {
    case InputEvent::Type::Quit: game.quitRequested = true; return;
    case InputEvent::Type::KeyDown:
      switch (event.key) {
        case Key::Enter:
          ExecuteMenuCommand(game);
          HandleNameCharacter(game, kNameConfirm);
          return;
        case Key::Backspace: HandleNameCharacter(game, kNameBackspace); return;
        case Key::F1: game.settings.showFps = !game.settings.showFps; return;
        case Key::F2:
          game.settings.fullscreen = !game.settings.fullscreen;
          SwitchWindowMode(game, game.settings.width, game.settings.height, game.settings.fullscreen);
          return;
        case Key::F12: TakeScreenshot(game); return;
        case Key::Delete:
          if (s.gameState == GameState::PlayersScreen && !s.nameEntry.active && s.playersSelection >= 1 &&
              s.playersSelection <= game.profiles.count) {
            ForgetProfileRuns(game, s.playersSelection - 1);
            DeleteProfile(game.profiles, s.playersSelection - 1);
          }
          return;
        case Key::Up:
        case Key::Down:
        case Key::Left:
        case Key::Right: KeyboardNavigation(game, event.key); return;
        case Key::Escape: HandleEscape(game); return;
        default: return;
      }
    case InputEvent::Type::Text:
      for (char ch : Utf8ToNameBytes(event.text)) HandleNameCharacter(game, static_cast<unsigned char>(ch));
      return;
    case InputEvent::Type::ButtonDown:
      if (event.button == MouseButton::Left) {
        const PixelPoint at = WindowToPicture(GameLetterbox(game), event.x, event.y);
        HandleMenuClick(game, at.x, at.y);
      } else if (event.button == MouseButton::Right && s.gameState == GameState::Playing) {
        PlayClick(game, ReplayInput::Remove);
      }
      return;
    case InputEvent::Type::ButtonUp:
      if (event.button == MouseButton::Left)
        for (bool& drag : game.menus.sliderDrag) drag = false;
      return;
    case InputEvent::Type::FocusLost:
      // Away from the window the level's clock must not run on: the pause
      // overlay opens as with Esc, but the pointer, now elsewhere, stays put.
      if (s.gameState == GameState::Playing) {
        GoTo(game, GameState::PauseMenu);
        s.menuHighlight = kPauseResume;
      }
      return;
    default: return;
  }
}

}  // namespace nb
