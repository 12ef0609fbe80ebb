// Level start and setup from real level files in a scratch directory.
#include <set>

#include "gameplay/level_file.h"
#include "gameplay_fixture.h"
#include "support/scratch_dir.h"

namespace nb::test {
namespace {

class SetupTest : public GameplayTest {
 public:
  SetupTest() { dir.Write("data/levels/.keep", ""); }

  // Writes the drawn grid as level file N.
  void WriteLevel(int n, const std::vector<std::string>& rows, int32_t timeLimit,
                  void (*adjust)(LevelRecord&) = nullptr) {
    std::unique_ptr<LevelRecord> record = DrawLevel(rows, timeLimit);
    if (adjust) adjust(*record);
    dir.Write("data/levels/" + std::to_string(n) + ".ilf", EncodeLevelFile(*record));
  }

  ScratchDir dir;
  CapturedMessages messages;
};

TEST_F(SetupTest, DerivesCountersStartHomeViewAndElementStates) {
  WriteLevel(3, {"######", "##s#o#", "#bS\\/#", "#mBso#", "######"}, 90, [](LevelRecord& l) {
    l.cells[2][1].state = 2;  // a brick with hits from the file
    l.cells[3][1].state = 1;  // a "sunk" movable brick
    l.cells[3][2] = {Bonus, BonusTime, 3, 0};
  });
  world->stats.counters[StatPoints] = 99;
  world->play.levelWon = true;
  rng.queued = {5001, 5000};
  ASSERT_TRUE(SetupLevel(*world, ctx, 3));
  const LevelRecord& l = world->level;
  EXPECT_EQ((V{Stat(StatLevelNumber), Stat(StatPoints), world->play.levelWon}), (V{3, 99, false}));
  EXPECT_EQ((V{l.timeLimit, l.switchesTotal, l.switchesOn, l.stonesLeft}), (V{90, 2, 0, 2}));
  // Draw 5001 gives a stone the second look, 5000 the file's; bricks start whole.
  EXPECT_EQ((V{l.cells[1][4].state, l.cells[3][4].state, l.cells[2][1].state, l.cells[3][1].state}),
            (V{1, 0, 0, 0}));
  EXPECT_EQ(KSV(l.cells[3][2]), (V{Bonus, BonusTime, 800}));
  EXPECT_EQ(KSV(l.cells[2][3]), (V{ReflectorMain, 3, 20}));
  EXPECT_EQ(KSV(l.cells[2][4]), (V{ReflectorAnti, 1, 0}));
  EXPECT_EQ((V{l.cells[2][3].count, l.cells[2][4].count}), (V{5, 5}));
  EXPECT_EQ((V{l.startRow, l.startCol, Ball().rowPos, Ball().colPos, Ball().dRow, Ball().dCol, Ball().speed}),
            (V{100, 100, 100, 100, 1, 0, kBaseSpeed}));
  // The home view looks straight down on the grid's middle.
  EXPECT_EQ((std::vector<float>{l.homeEye.x, l.homeEye.z, l.homeTarget.x, l.homeTarget.y, l.homeTarget.z}),
            (std::vector<float>{100, 125, 100, 0, 125}));
  EXPECT_GT(l.homeEye.y, 500.0f);
  EXPECT_EQ(events.meshes, 1);
  EXPECT_TRUE(messages.calls().empty());
}

TEST_F(SetupTest, StartLevelResetsPlayAndCutsTheCameraAboveHome) {
  WriteLevel(1, {"######", "#S.o.#", "#....#", "######"}, 60);
  Profile().level[0] = 0;
  Profile().lives[0] = -1;
  LevelPlayState& play = world->play;
  play.fades[FadeHelp] = 77;
  play.fades[FadeGameOver] = 200;
  play.warned = true;
  play.introFrames = 300;
  play.speedTimer = 9;
  world->stats.counters[StatHoles] = 4;
  Roll(0, 0, 0, 1);  // a restart during a fall with the gates on the move starts afresh
  Ball().falling = Ball().ready = play.gatesLowering = true;
  ShowStatusMessage(world->messages, "old");
  ASSERT_TRUE(StartLevel(*world, ctx));
  EXPECT_EQ((V{Profile().level[0], Profile().lives[0], play.fades[FadeHelp], play.fades[FadeGameOver],
               play.warned}),
            (V{1, 0, 77, 0, false}));
  EXPECT_EQ((V{play.introFrames, play.speedTimer, Stat(StatHoles), Stat(StatLevelNumber)}), (V{0, 0, 0, 1}));
  EXPECT_EQ((V{Ball().moving, Ball().falling, Ball().ready, play.gatesLowering, Ball().dCol}),
            (V{0, 0, 0, 0, 0}));
  EXPECT_LT(world->messages.slots[0].timer, 0);
  EXPECT_EQ(events.states, std::vector<GameState>{GameState::Playing});
  EXPECT_EQ(std::set<MusicId>(events.stopped.begin(), events.stopped.end()),
            (std::set<MusicId>{MusicId::Menu, MusicId::Game}));
  EXPECT_EQ(events.meshes, 1);
  // The intro starts high above the home view and looks at its target.
  ASSERT_EQ(events.cuts.size(), 1u);
  EXPECT_GT(events.cuts[0].eye.y, world->level.homeEye.y);
  EXPECT_FLOAT_EQ(events.cuts[0].target.x, world->level.homeTarget.x);
  EXPECT_FLOAT_EQ(events.cuts[0].target.z, world->level.homeTarget.z);
}

TEST_F(SetupTest, StartAndSetupNeedAChosenProfileAndAPlayableFile) {
  WriteLevel(1, {"#####", "#So #", "#####"}, 60);  // void inside the walls
  for (int current : {0, -1, 4}) {  // the file refused; none chosen; a stale index beyond the count
    profiles.current = current;
    EXPECT_FALSE(StartLevel(*world, ctx));
  }
  EXPECT_FALSE(SetupLevel(*world, ctx, 1));
  EXPECT_TRUE(events.states.empty() && events.cuts.empty() && events.stopped.empty() && events.meshes == 0);
  EXPECT_EQ((V{world->level.rows, Stat(StatLevelNumber)}), (V{0, 0}));
  EXPECT_EQ(messages.calls().size(), 2u);
}

}  // namespace
}  // namespace nb::test
