#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "audio/sound_catalogue.h"
#include "core/animation_file.h"
#include "core/frame_timing.h"
#include "core/general_settings.h"
#include "core/paths.h"
#include "core/random.h"
#include "core/screen_state.h"
#include "gameplay/play_actions.h"
#include "gameplay/world.h"
#include "menus/levels_page.h"
#include "menus/localized_texts.h"
#include "menus/menu_state.h"
#include "persistence/bests.h"
#include "persistence/records.h"
#include "render/camera.h"
#include "render/geometry_store.h"
#include "render/particles.h"
#include "render/render_device.h"
#include "render/resource_catalogue.h"
#include "render/scene_state.h"
#include "shell/level_run.h"
#include "text/game_fonts.h"

namespace nb {

struct PlatformWindow;
struct Game;

// The world step's outside effects, carried out on the game's own audio,
// particles, camera and screen state.
struct ShellEvents : GameplayEvents {
  explicit ShellEvents(Game& owner) : game(owner) {}
  void PlaySample(SoundId sound) override;
  void StopMusic(MusicId music) override;
  void EmitBurst(BurstTemplate which, Vec3 at, int count) override;
  void ClearParticles() override;
  void MoveCameraTo(Vec3 eye, Vec3 target, float fov) override;
  void SetCameraNow(Vec3 eye, Vec3 target, float fov) override;
  void SetGameState(GameState state) override;
  void ReplaceLevelMesh(const LevelGeometry& geometry) override;
  Game& game;
};

// Everything the running game knows, owned in one place. Frame functions and
// input handlers receive it; a test builds a fresh one.
struct Game {
  Game() : events(*this) {}
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  GameFolders folders;  // the shipped data and the player's files
  GeneralSettings settings;
  int32_t levelCount = 0;
  ScreenState screen;
  MenuState menus;
  LevelsPage levelsPage;  // read when the Levels page opens

  PlatformWindow* window = nullptr;
  uint32_t startTimeMs = 0;  // taken just before the main loop
  RateMeter drawRate;        // drawn frames
  RateMeter updateRate;      // updates (ticks)
  // Since the screen group last changed, for the log's pace lines.
  struct {
    int32_t group = -1;
    uint32_t startMs = 0;
    uint64_t draws = 0, updates = 0;
  } paceSegment;
  GameState loggedState = static_cast<GameState>(-1);  // the screen last named in the log
  bool quitRequested = false;

  Rng rng;
  ProfileTable profiles;
  RecordsTable records;
  bool recordsLoaded = false;  // records are saved at exit only after a load
  BestsTable bests;            // bests.dat
  LevelRun run;                // practice, replays, and the attempt's recording

  RenderDevice render;
  ResourceCatalogue catalogue;
  GeometryStore store;
  int levelMeshRecord = -1;  // the geometry-store record of the current level
  Fonts fonts;

  World world;
  CursorCell cursor;
  LocalizedTexts texts;
  AnimationSet animations;
  CameraState camera;
  ParticleSystem particles;
  SceneState scene;  // the scene passes' frame counters and element rig
  AudioState audio;
  ShellEvents events;
};

// The rules' view of the game: profiles, random numbers, effects.
GameplayContext Gameplay(Game& game);

// The graphics device, or nullptr before it exists (tests without one). A
// draw reads the game through a const view and still draws on the device.
GraphicsDevice* Device(const Game& game);

// One of the player's files (settings.ini, record.dat, stat.stt) by its name.
std::string PlayerFile(const Game& game, const std::string& name);

// Plays a sound effect at the current sound volume.
void PlaySound(Game& game, SoundId sound);

}  // namespace nb
