#include "gameplay/world_step.h"

#include <cmath>

#include "gameplay/element_animations.h"
#include "gameplay/scoring.h"

namespace nb {
namespace {

constexpr float kRollAngle = 0.017361112f;  // radians per rolling unit

int Sign(int v) { return (v > 0) - (v < 0); }

struct Stepper {
  World& world;
  GameplayContext& ctx;
  LevelRecord& level;
  BallState& ball;
  LevelPlayState& play;
  int r = 0;
  int c = 0;

  // Cells outside the used grid hold nothing that acts on the ball: stale
  // cells of an earlier, larger level stay inert and nothing is read or
  // written past the grid.
  GridCell* Front() { return InsideGrid(level, r, c) ? &level.cells[r][c] : nullptr; }
  int32_t FrontKind() {
    const GridCell* cell = Front();
    return cell ? cell->kind : Void;
  }
  bool AtCentre() const { return ball.colPos == kCellSize * c && ball.rowPos == kCellSize * r; }

  void Sound(SoundId id) { ctx.events.PlaySample(id); }
  void Burst(BurstTemplate t, int row, int col, int count) {
    ctx.events.EmitBurst(t, CellCentre(row, col), count);
  }
  void HitEffects() {
    Sound(SoundId::WallHit);
    Burst(BurstTemplate::ImpactBurst, r, c, 5);
  }
  void Bounce() {
    HitEffects();
    ball.dCol = -ball.dCol;
    ball.dRow = -ball.dRow;
  }

  void FinishSlide() {
    SlidingBrick& s = play.slide;
    GridCell& target = level.cells[s.targetRow][s.targetCol];
    const bool intoHole = target.kind == Hole;
    target.kind = MovableBrick;
    target.state = intoHole ? 1 : 0;
    s.sliding = false;
  }

  void AdvanceSlide() {
    SlidingBrick& s = play.slide;
    if (!s.sliding) return;
    s.rowPos -= (s.rowPos - s.targetRowPos) * 0.25f;
    s.colPos -= (s.colPos - s.targetColPos) * 0.25f;
    if (std::fabs(s.rowPos - s.targetRowPos) <= 1.0f && std::fabs(s.colPos - s.targetColPos) <= 1.0f)
      FinishSlide();
  }

  void PushMovableBrick() {
    GridCell& brick = level.cells[r][c];
    HitEffects();
    if (brick.state == 0) {
      // One brick slides at a time: a brick still on its way is put down at
      // its target first, so it is never lost.
      if (play.slide.sliding) FinishSlide();
      const int nr = r + Sign(ball.dRow);
      const int nc = c + Sign(ball.dCol);
      // A push towards the outside of the grid leaves the brick in place.
      if (InsideGrid(level, nr, nc)) {
        const int32_t next = level.cells[nr][nc].kind;
        if (next == Floor || next == Start || next == Hole) {
          brick.kind = Floor;
          brick.state = 0;
          SlidingBrick& s = play.slide;
          s.sliding = true;
          s.rowPos = static_cast<float>(kCellSize * r);
          s.colPos = static_cast<float>(kCellSize * c);
          s.targetRow = nr;
          s.targetCol = nc;
          s.targetRowPos = static_cast<float>(kCellSize * nr);
          s.targetColPos = static_cast<float>(kCellSize * nc);
        }
      }
    }
    ball.dCol = -ball.dCol;
    ball.dRow = -ball.dRow;
  }

  void ReverseCol() {
    HitEffects();
    ball.dCol = -ball.dCol;
  }
  void ReverseRow() {
    HitEffects();
    ball.dRow = -ball.dRow;
  }

  void PassValve(int32_t open) {
    switch (open) {
      case ValveTowardsHigherCols:
        if (ball.dCol < 0) ReverseCol();
        if (ball.dCol == 0) ReverseRow();
        break;
      case ValveTowardsHigherRows:
        if (ball.dRow < 0) ReverseRow();
        if (ball.dRow == 0) ReverseCol();
        break;
      case ValveTowardsLowerCols:
        if (ball.dCol > 0) ReverseCol();
        if (ball.dCol == 0) ReverseRow();
        break;
      case ValveTowardsLowerRows:
        if (ball.dRow > 0) ReverseRow();
        if (ball.dRow == 0) ReverseCol();
        break;
      default: break;
    }
  }

  // Turn-around: every Reflector starts turning into the other kind. Scans
  // rows 0..rows and columns 0..cols inclusive, within the grid's bound. With
  // swapNow the kinds change at once (as the random bonus does).
  void TurnAroundReflectors(bool swapNow) {
    const int lastRow = level.rows < kGridSize - 1 ? level.rows : kGridSize - 1;
    const int lastCol = level.cols < kGridSize - 1 ? level.cols : kGridSize - 1;
    for (int row = 0; row <= lastRow; ++row) {
      for (int col = 0; col <= lastCol; ++col) {
        GridCell& cell = level.cells[row][col];
        if (cell.kind == ReflectorAnti) {
          if (swapNow) cell.kind = ReflectorMain;
          StartReflectorPhase(cell, ReflectorTurningToMain);
          cell.count = 5;
        } else if (cell.kind == ReflectorMain) {
          if (swapNow) cell.kind = ReflectorAnti;
          StartReflectorPhase(cell, ReflectorTurningToAnti);
          cell.count = 5;
        }
      }
    }
    ShowStatusMessage(world.messages, world.texts.turnAround);
  }

  void TimeBonus() {
    level.timeLimit += 15;
    world.stats.counters[StatTimeBonuses] += 1;
    ShowStatusMessage(world.messages, world.texts.timeBonus);
  }
  void SpeedBonus() {
    world.stats.counters[StatSpeedBonuses] += 1;
    ApplySpeedBonus(world, ctx);
  }
  void LifeBonus() {
    world.stats.counters[StatExtraLives] += 1;
    SetCurrentLives(ctx, CurrentLives(ctx) + 1);
    ShowStatusMessage(world.messages, world.texts.extraLife);
  }

  void TakeBonus(GridCell& cell) {
    AddScore(world, ctx, 50);
    Burst(BurstTemplate::PickupBurst, r, c, 10);
    Sound(SoundId::PickUpBonus);
    cell.kind = Floor;
    switch (cell.state) {
      case BonusTime: TimeBonus(); break;
      case BonusSpeed: SpeedBonus(); break;
      case BonusTurnAround:
        world.stats.counters[StatTurnAroundBonuses] += 1;
        TurnAroundReflectors(false);
        break;
      case BonusLife: LifeBonus(); break;
      case BonusRandom: {
        world.stats.counters[StatRandomBonuses] += 1;
        const int draw = ctx.rng.Rand();
        if (draw < 8191) {
          SpeedBonus();
        } else if (draw < 16383) {
          TimeBonus();
        } else if (draw < 24575) {
          world.stats.counters[StatTurnAroundBonuses] += 1;
          TurnAroundReflectors(true);
        } else {
          LifeBonus();
        }
        break;
      }
      default: break;
    }
  }

  void TakeStone(GridCell& cell) {
    Sound(SoundId::PickUpStone);
    Burst(BurstTemplate::PickupBurst, r, c, 10);
    cell.kind = Floor;
    level.stonesLeft -= 1;
    AddScore(world, ctx, 10);
    if (play.stepsSinceStone < 20) {
      ShowStatusMessage(world.messages, world.texts.quickPickup);
      AddScore(world, ctx, 100);
    }
    play.stepsSinceStone = 0;
    if (level.stonesLeft == 0) {
      world.stats.counters[StatCompleted] = 1;
      Sound(SoundId::End);
      ctx.events.StopMusic(MusicId::Game);
      play.levelWon = true;
      ball.moving = false;
      ball.speed = kBaseSpeed;
      ball.dRow = 1;
      ball.dCol = 0;
    }
  }

  void Teleport(const GridCell& cell) {
    // A lone teleport whose file names no cell of the grid leads nowhere.
    if (!InsideGrid(level, cell.state, cell.value)) return;
    Sound(SoundId::BallDown);
    Burst(BurstTemplate::PickupBurst, r, c, 5);
    ball.colPos = kCellSize * cell.value;
    ball.rowPos = kCellSize * cell.state;
    Burst(BurstTemplate::PickupBurst, cell.state, cell.value, 5);
  }

  void PressSwitch(GridCell& cell) {
    Sound(SoundId::OnButton);
    Burst(BurstTemplate::ImpactBurst, r, c, 5);
    if (cell.state == 0) {
      cell.state = 1;
      level.switchesOn += 1;
    } else {
      cell.state = 0;
      level.switchesOn -= 1;
      if (play.gatesLowering) {
        Sound(SoundId::ActorUp);
        play.gatesRising = true;
        play.gatesLowering = false;
      }
    }
    if (level.switchesOn == level.switchesTotal && play.gatesOpen == 0) {
      Sound(SoundId::ActorDown);
      play.gatesLowering = true;
      play.gatesRising = false;
    }
    if (play.gatesOpen == 1 && level.switchesOn != level.switchesTotal) {
      Sound(SoundId::ActorUp);
      play.gatesOpen = 0;
      play.gatesRising = true;
      play.gatesLowering = false;
    }
  }

  void Reflect(GridCell& cell, bool main) {
    cell.count -= 1;
    if (cell.count < 0) {
      // The last hit still turns the ball.
      cell.kind = Floor;
      cell.state = 0;
      cell.value = 0;
      cell.count = 0;
    }
    Burst(BurstTemplate::ImpactBurst, r, c, 5);
    Sound(SoundId::ReflectHit);
    const int turn = main ? 1 : -1;
    if (ball.dCol != 0) {
      ball.dRow = (ball.dCol > 0 ? 1 : -1) * turn;
      ball.dCol = 0;
    } else {
      ball.dCol = (ball.dRow > 0 ? 1 : -1) * turn;
      ball.dRow = 0;
    }
  }

  // Returns true when the ball is back at the start after a fall and the rest
  // of the movement is skipped.
  bool AdvanceFall() {
    if (!ball.falling) return false;
    ball.height -= 2 * ball.speed;
    if (ball.height >= -200) return false;
    ball.colPos = level.startCol;
    ball.rowPos = level.startRow;
    ball.height = kRollingHeight;
    ball.dRow = 1;
    ball.dCol = 0;
    ball.falling = false;
    SetCurrentLives(ctx, CurrentLives(ctx) - 1);
    if (CurrentLives(ctx) >= 0) {
      ball.ready = true;
      ctx.events.MoveCameraTo(level.homeEye, level.homeTarget, 45.0f);
      ball.moving = false;
      return true;
    }
    ctx.events.SetGameState(GameState::GameOverScreen);
    return false;
  }

  void Move() {
    if (!ball.moving) return;
    ball.trailCounter += 1;
    if (ball.trailCounter > 1) {
      ctx.events.EmitBurst(BurstTemplate::TrailBurst,
                           {static_cast<float>(ball.rowPos), 0.0f, static_cast<float>(ball.colPos)}, 1);
      ball.trailCounter = 0;
    }
    ball.colPos += ball.speed * ball.dCol;
    ball.rowPos += ball.speed * ball.dRow;
    ball.rollA = static_cast<float>(ball.speed * ball.dCol) * 1.5f;
    ball.rollB = -static_cast<float>(ball.speed * ball.dRow) * 1.5f;
  }

  void UpdateMatrices() {
    ball.orientation =
        MatrixMultiply(MatrixMultiply(ball.orientation, MatrixRotationX(ball.rollA * kRollAngle)),
                       MatrixRotationZ(ball.rollB * kRollAngle));
    ball.world = MatrixMultiply(
        ball.orientation, MatrixTranslation(static_cast<float>(ball.rowPos), static_cast<float>(ball.height),
                                            static_cast<float>(ball.colPos)));
  }

  void Run() {
    const FrontCell front = FrontCellOf(ball);
    r = front.row;
    c = front.col;

    if (FrontKind() == Wall) Bounce();
    AdvanceSlide();
    if (FrontKind() == MovableBrick) PushMovableBrick();
    if (FrontKind() == Gate && play.gatesOpen == 0) Bounce();
    if (FrontKind() == Brick && Front()->state < 3) {
      Bounce();
      GridCell& brick = *Front();
      brick.state += 1;
      if (brick.state == 3) {
        Sound(SoundId::BrickCrash);
        Burst(BurstTemplate::CrashBurst, r, c, 10);
        brick.kind = Floor;
      }
    }
    if (FrontKind() == Valve) PassValve(Front()->state);
    if (AtCentre() && play.speedTimer < 0) ball.speed = kBaseSpeed;
    if (FrontKind() == Bonus && AtCentre() && Front()->value <= 0) TakeBonus(*Front());
    play.stepsSinceStone += 1;
    if (FrontKind() == Stone && AtCentre()) TakeStone(*Front());
    if (FrontKind() == Hole && AtCentre()) {
      if (!ball.falling) {
        world.stats.counters[StatHoles] += 1;
        Sound(SoundId::BallDown);
        Burst(BurstTemplate::ImpactBurst, r, c, 5);
      }
      ball.dCol = 0;
      ball.dRow = 0;
      ball.falling = true;
    }
    if (FrontKind() == nb::Teleport && AtCentre()) Teleport(*Front());
    if (FrontKind() == Switch && AtCentre()) PressSwitch(*Front());
    // Reflectors turn a rolling ball only: one standing on a Reflector at the
    // start (after a fall) leaves it alone until the click.
    if (FrontKind() == ReflectorMain && AtCentre() && ball.moving) Reflect(*Front(), true);
    if (FrontKind() == ReflectorAnti && AtCentre() && ball.moving) Reflect(*Front(), false);
    if (!AdvanceFall()) Move();
    UpdateMatrices();
  }
};

}  // namespace

FrontCell FrontCellOf(const BallState& ball) {
  const int c = (ball.colPos + (ball.dCol >= 0 ? 40 : 10)) / kCellSize;
  const int r = (ball.rowPos + (ball.dRow >= 0 ? 40 : 10)) / kCellSize;
  return {r, c};
}

void StepWorld(World& world, GameplayContext& ctx) {
  Stepper step{world, ctx, world.level, world.ball, world.play};
  step.Run();
}

}  // namespace nb
