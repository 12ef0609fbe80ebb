#include "shell/startup.h"

#include "core/log.h"
#include "core/paths.h"
#include "core/settings_file.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "render/font_reset_hooks.h"
#include "shell/startup_checks.h"
#include "text/text_drawing.h"

namespace nb {

void TakeStatusTexts(Game& game) {
  StatusTexts& t = game.world.texts;
  t.timeBonus = game.texts.Text(TextId::ExtraTime);
  t.speedFast = game.texts.Text(TextId::FullSpeed);
  t.speedSlow = game.texts.Text(TextId::SlowDown);
  t.turnAround = game.texts.Text(TextId::TurnedAround);
  t.extraLife = game.texts.Text(TextId::ExtraLife);
  t.quickPickup = game.texts.Text(TextId::QuickPickUp);
}

void LoadGameTexts(Game& game, const std::string& language) {
  LoadLocalizedTexts(game.texts, game.folders.data, language, game.settings.width, game.settings.height,
                     [&game](const std::string& text, float& w, float& h) {
                       TextSize size;
                       if (game.fonts.LargeFont) MeasureText(*game.fonts.LargeFont, text.c_str(), &size);
                       w = static_cast<float>(size.width);
                       h = static_cast<float>(size.height);
                     });
  TakeStatusTexts(game);
}

void LoadGameResources(Game& game) {
  GraphicsDevice& device = *game.render.device;
  int width = game.settings.width, height = game.settings.height;
  const GameFolders& folders = game.folders;
  LoadResourceCatalogue(game.catalogue, game.store, game.camera, device, folders, width, height);
  CreateParticleSystem(game.particles, device);
  game.levelCount = ReadLevelCount(GameSettingsFile(folders.player));
  LoadFonts(game.fonts, device, folders.data);
  HookFontsIntoDeviceReset(game.fonts, game.render.hooks);
  LoadGameTexts(game, ChooseLanguage(folders.data, game.settings.language));
  CheckAnimationFile(folders.data, "anim.txt",
                     LoadAnimations(game.animations, NativePath(folders.data, "anim.txt")));
}

bool StartUpSubsystems(Game& game) {
  if (!CreateRenderDevice(game.render, game.settings, game.window)) return false;
  LoadGameResources(game);
  LoadRecordsFile(game.profiles, game.records, PlayerFile(game, "record.dat"));
  game.recordsLoaded = true;
  game.bests = LoadBestsFile(PlayerFile(game, "bests.dat"));
  LoadSoundCatalogue(game.audio, game.folders, game.settings.musicVolume);
  MusicAtStartUp(game.audio);
  LogWrite("Start-up complete\n");
  return true;
}

void ReportFailedSave(const std::string& fileName) {
  ShowMessageBox("Could not write " + fileName, "ERROR", MessageIcon::Exclamation);
}

void ShutdownApplication(Game& game) {
  // A save that fails keeps the old file whole; the player is told which.
  if (game.recordsLoaded && !SaveRecordsFile(game.profiles, game.records, PlayerFile(game, "record.dat")))
    ReportFailedSave("record.dat");
  MusicAtShutdown(game.audio);
  DeleteFonts(game.fonts);
  if (GraphicsDevice* device = Device(game)) {
    ReleaseParticleSystem(game.particles, *device);
    ReleaseResourceCatalogue(game.catalogue, game.store, *device);
  }
  ReleaseRenderDevice(game.render);
  CloseAudio(game.audio);
  DestroyGameWindow(game.window);
  game.window = nullptr;
  ShutdownPlatform();
}

}  // namespace nb
