#include "gameplay/level_setup.h"

#include "gameplay/element_animations.h"
#include "gameplay/level_file.h"
#include "gameplay/level_geometry.h"

namespace nb {
namespace {

// Every other Teleport of the grid is a candidate; the last one found in
// visiting order becomes the partner.
void LinkTeleports(LevelRecord& level, int rows, int cols) {
  int lastRow = -1, lastCol = -1, secondLastRow = -1, secondLastCol = -1;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      if (level.cells[r][c].kind != Teleport) continue;
      secondLastRow = lastRow;
      secondLastCol = lastCol;
      lastRow = r;
      lastCol = c;
    }
  }
  if (secondLastRow < 0) return;  // a lone teleport keeps the file's values
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      GridCell& cell = level.cells[r][c];
      if (cell.kind != Teleport) continue;
      const bool isLast = r == lastRow && c == lastCol;
      cell.state = isLast ? secondLastRow : lastRow;
      cell.value = isLast ? secondLastCol : lastCol;
    }
  }
}

// A cell as the level starts: the counts and the start position it adds, and
// the look and animation it begins with.
void PrepareCell(World& world, GameplayContext& ctx, int r, int c) {
  LevelRecord& level = world.level;
  BallState& ball = world.ball;
  GridCell& cell = level.cells[r][c];
  switch (cell.kind) {
    case Brick: cell.state = 0; break;
    case Start:
      level.startCol = kCellSize * c;
      level.startRow = kCellSize * r;
      ball.colPos = level.startCol;
      ball.rowPos = level.startRow;
      ball.height = kRollingHeight;
      break;
    case Switch: level.switchesTotal += 1; break;
    case Stone:
      // Most stones show the second look; the file's look stays otherwise.
      if (ctx.rng.Rand() > 5000) cell.state = 1;
      level.stonesLeft += 1;
      break;
    case ReflectorAnti:
      StartReflectorPhase(cell, ReflectorAppearingAnti);
      cell.count = 5;
      break;
    case ReflectorMain:
      // From the file a Main Reflector appears and runs on through the
      // turn to its own kind.
      cell.state = ReflectorTurningToMain;
      cell.value = kReflectorSegments[ReflectorAppearingMain].start;
      cell.count = 5;
      break;
    case MovableBrick: cell.state = 0; break;
    case Bonus: cell.value = 800; break;
    default: break;
  }
}

// The level just read from file N, made ready to play.
void BeginLoadedLevel(World& world, GameplayContext& ctx, int32_t levelNumber) {
  world.stats.counters[StatLevelNumber] = levelNumber;
  world.play.levelWon = false;
  world.play.startSoundPlayed = false;
  PrepareLoadedLevel(world, ctx);
}

}  // namespace

bool StartLevel(World& world, GameplayContext& ctx) {
  if (!PlayerProfile(ctx.profiles)) return false;
  if (CurrentLevel(ctx) < 1) SetCurrentLevel(ctx, 1);
  // A missing or damaged file is reported and nothing of the play changes.
  if (!LoadLevelFile(world.level, LevelFileName(CurrentLevel(ctx)), ctx.dataDir)) return false;
  ctx.events.StopMusic(MusicId::Menu);
  ctx.events.StopMusic(MusicId::Game);
  ctx.events.ClearParticles();
  world.ball.speed = kBaseSpeed;
  ClearStatusMessages(world.messages);
  world.stats = LevelStats{};
  ctx.events.SetGameState(GameState::Playing);
  world.play.warned = false;
  world.ball.dCol = 0;
  world.play.speedTimer = 0;

  BeginLoadedLevel(world, ctx, CurrentLevel(ctx));

  const LevelRecord& level = world.level;
  ctx.events.SetCameraNow({level.homeEye.x, level.homeEye.y + 1500, level.homeEye.z - 300}, level.homeTarget,
                          45.0f);
  for (int f : {FadeOptions, FadePause, FadeGameOver, FadeTimeUp, FadeCompleted}) world.play.fades[f] = 0;
  world.ball.moving = false;
  // A level restarted from the pause menu during a fall, or after a fall
  // left the ball waiting, starts afresh: no fall carries over to cost a
  // life, and the ball waits for the intro before a click can roll it.
  world.ball.falling = false;
  world.ball.ready = false;
  world.play.startSoundPlayed = false;
  if (CurrentLives(ctx) < 0) SetCurrentLives(ctx, 0);
  world.play.introFrames = 0;
  return true;
}

bool SetupLevel(World& world, GameplayContext& ctx, int32_t levelNumber) {
  if (!LoadLevelFile(world.level, LevelFileName(levelNumber), ctx.dataDir)) return false;
  BeginLoadedLevel(world, ctx, levelNumber);
  return true;
}

void PrepareLoadedLevel(World& world, GameplayContext& ctx) {
  LevelRecord& level = world.level;
  BallState& ball = world.ball;
  LevelPlayState& play = world.play;

  level.timeLimit -= 15 * CurrentMode(ctx);

  const float midRow = static_cast<float>((level.rows - 1) * 25);
  const float midCol = static_cast<float>((level.cols - 1) * 25);
  level.homeEye = {midRow, 1200.0f, midCol};
  level.homeTarget = {midRow, 0.0f, midCol};

  level.switchesTotal = 0;
  level.switchesOn = 0;
  level.stonesLeft = 0;
  play.gatesOpen = 0;
  // Gates of the previous attempt that were still moving stay shut here.
  play.gatesLowering = false;
  play.gatesRising = false;
  play.slide.sliding = false;

  const int rows = level.rows < kGridSize ? level.rows : kGridSize;
  const int cols = level.cols < kGridSize ? level.cols : kGridSize;
  LinkTeleports(level, rows, cols);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) PrepareCell(world, ctx, r, c);

  BuildLevelGeometry(level, ctx.meshes, world.levelMesh);
  level.levelVertexCount = static_cast<int32_t>(world.levelMesh.vertices.size());
  ctx.events.ReplaceLevelMesh(world.levelMesh);

  ball.speed = kBaseSpeed;
  ball.dRow = 1;
  ball.dCol = 0;
}

}  // namespace nb
