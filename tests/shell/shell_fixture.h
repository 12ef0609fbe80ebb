#pragma once
// A fresh game in a scratch directory with a language file, short sounds on
// the dummy audio driver, and the real input handler.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../audio/audio_test_support.h"
#include "shell/game.h"
#include "shell/input.h"
#include "shell/screen_table.h"
#include "support/scratch_dir.h"

namespace nb::test {

// 10 pixels a character on 32-pixel lines.
inline void MeasureTenPerChar(const std::string& text, float& width, float& lineHeight) {
  width = 10.0f * static_cast<float>(text.size());
  lineHeight = 32;
}

inline const char* kTestLanguage =
    "[Menu]\ncount=7\nname0=Play\nname1=Players\nname2=Options\nname3=Records\nname4=About\n"
    "name5=Help\nname6=Exit\n"
    "[start]\ncount=3\nname0=Continue\nname1=New game\nname2=Levels\n"
    "[new_game]\ncount=3\nname0=Easy\nname1=Normal\nname2=Hard\n"
    "[exit]\ncount=2\nname0=Quit\nname1=Stay\n"
    "[pause]\ncount=5\nname0=Resume\nname1=Restart\nname2=Options\nname3=Quit\nname4=Help\n"
    "[timeleft]\ncount=2\nname0=Again\nname1=Menu\n"
    "[winner]\ncount=1\nname0=Fine\n"
    "[textes]\ncount=60\nname36=Full screen\nname37=Window\nname39=Back\nname47=Next\nname48=Prev\n"
    "[help]\nnumpages=3\npage0=one\npage1=two\npage2=three\n";

class ShellScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    UseDummyAudioDriver();
    std::string sounds = "[Sounds]\n";
    for (int i = 0; i < kSampleCount; ++i) {
      std::string file = std::string("s") + std::to_string(i) + ".wav";
      dir.Write(file, SineWav(0.05));
      sounds += std::string(kSampleKeys[i]) + "=" + file + "\n";
    }
    dir.Write("settings.ini", sounds);
    dir.Write("data/textes_xx.ini", kTestLanguage);
    game = std::make_unique<Game>();
    game->settings.soundVolume = 50;
    LoadLocalizedTexts(game->texts, "", "xx", 800, 600, MeasureTenPerChar);
    LoadSoundCatalogue(game->audio, GameFolders{}, 50);
    game->screen.gameState = GameState::MainMenu;
  }
  void TearDown() override { CloseAudio(game->audio); }

  uint64_t Plays() const { return game->audio.device.playCount; }

  void Send(const InputEvent& event) { HandleInputEvent(*game, event); }
  void Press(Key key) { Send({.type = InputEvent::Type::KeyDown, .key = key, .text = {}}); }
  void Type(const std::string& utf8) { Send({.type = InputEvent::Type::Text, .text = utf8}); }
  void Click(int x, int y, InputEvent::Type type = InputEvent::Type::ButtonDown) {
    Send({.type = type, .button = MouseButton::Left, .x = x, .y = y, .text = {}});
  }
  // Chooses item `highlight` of the screen `state` with Enter.
  void Choose(GameState state, int32_t highlight) {
    game->screen.gameState = state;
    game->screen.*ScreenOf(state).highlight = highlight;
    Press(Key::Enter);
  }
  void AddPlayers(int count) {
    for (int i = 0; i < count; ++i) AddProfile(game->profiles, "P" + std::string(1, char('a' + i)), 0, 1, 3);
  }

  ScratchDir dir;
  std::unique_ptr<Game> game;
};

}  // namespace nb::test
