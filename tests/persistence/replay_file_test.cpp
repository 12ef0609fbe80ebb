// Replay files written, read back and refused through the real reader.
#include "persistence/replay_file.h"

#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "core/screen_state.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

Replay Sample() {
  Replay r;
  r.level = 12, r.levelChecksum = 0xDEADBEEF, r.mode = 2, r.seed = 0x80000001, r.practice = true;
  r.startScore = 4500, r.startLives = 2, r.stepsSinceStone = 7, r.bonusSeconds = 255, r.winTick = 9000;
  r.secondsLeft = 33, r.points = 810;
  const int32_t pause = int32_t(GameState::PauseMenu), play = int32_t(GameState::Playing);
  r.events = {{0, ReplayInput::Place, 0, 127, 5},
              {0, ReplayInput::Screen, 0, 0, pause},
              {40, ReplayInput::Screen, 0, 0, play},
              {41, ReplayInput::Remove, 127, 0, 0},
              {9000, ReplayInput::Place, 64, 3, 6}};
  return r;
}

auto Head(const Replay& r) {
  return std::tuple(r.level, r.levelChecksum, r.mode, r.seed, r.practice, r.startScore, r.startLives,
                    r.stepsSinceStone, r.bonusSeconds, r.winTick, r.secondsLeft, r.points);
}
auto Events(const Replay& r) {
  std::vector<std::tuple<uint32_t, int, int32_t, int32_t, int32_t>> events;
  for (const ReplayEvent& e : r.events) events.emplace_back(e.tick, int(e.input), e.row, e.col, e.value);
  return events;
}

TEST(ReplayFile, ASavedReplayLoadsBackFromTheFolderTheSaveMade) {
  test::ScratchDir dir;
  const std::string path = dir.File(ReplayFileName("Ann", 2, 12));
  ASSERT_FALSE(dir.Exists("replays"));
  ASSERT_TRUE(SaveReplayFile(Sample(), path));
  Replay loaded;
  std::string why;
  ASSERT_TRUE(LoadReplayFile(path, loaded, &why)) << why;
  EXPECT_EQ(Head(loaded), Head(Sample()));
  EXPECT_EQ(Events(loaded), Events(Sample()));
  for (const std::string& bytes : {std::string(kMaxReplayFileBytes + 1, '\0'), std::string()}) {
    dir.Write("replays/bad.nbr", bytes);
    EXPECT_FALSE(LoadReplayFile(dir.File("replays/bad.nbr"), loaded, &why)) << bytes.size();
    EXPECT_FALSE(why.empty());
  }
  EXPECT_FALSE(LoadReplayFile(dir.File("replays/none.nbr"), loaded, &why));
  Replay spoilt = Sample();
  spoilt.events[2].col = -1;
  EXPECT_FALSE(SaveReplayFile(spoilt, path));  // never a file the reader would refuse
  EXPECT_TRUE(LoadReplayFile(path, loaded, &why)) << why;
}

TEST(ReplayFile, AnythingButAWholeFileWithinBoundsIsRefusedWithAReason) {
  const std::vector<unsigned char> good = EncodeReplay(Sample());
  std::vector<std::pair<std::string, std::vector<unsigned char>>> cases;
  for (size_t n = 0; n < good.size(); ++n) {  // every cut, every byte flipped
    cases.push_back({"cut", {good.begin(), good.begin() + n}});
    cases.push_back({"flipped " + std::to_string(n), good});
    cases.back().second[n] ^= 0x04;
  }
  cases.push_back({"extra byte", good});
  cases.back().second.push_back(0);
  cases.push_back({"version 2", good});
  cases.back().second[4] = 2;  // the version follows the magic
  const std::pair<const char*, std::function<void(Replay&)>> faults[] = {
      {"tick going back", [](Replay& r) { r.events[3].tick = 39; }},
      {"tick after the win", [](Replay& r) { r.events[4].tick = r.winTick + 1; }},
      {"row 128", [](Replay& r) { r.events[0].row = 128; }},
      {"input 3", [](Replay& r) { r.events[1].input = static_cast<ReplayInput>(3); }},
      {"diagonal 7", [](Replay& r) { r.events[0].value = 7; }},
      {"screen 9", [](Replay& r) { r.events[1].value = 9; }},
      {"level 0", [](Replay& r) { r.level = 0; }},
      {"too many inputs", [](Replay& r) { r.events.resize(kMaxReplayEvents + 1, r.events.back()); }},
  };
  for (const auto& [name, spoil] : faults) {
    Replay r = Sample();
    spoil(r);
    EXPECT_NE(ReplayFault(r), "") << name;
    cases.push_back({name, EncodeReplay(r)});
  }
  for (const auto& [name, bytes] : cases) {
    Replay kept;
    kept.seed = 77;
    std::string why;
    EXPECT_FALSE(ParseReplay(bytes, kept, &why)) << name << ", " << bytes.size() << " bytes";
    EXPECT_FALSE(why.empty()) << name;
    EXPECT_EQ(kept.seed, 77u) << name;
  }
}

}  // namespace
}  // namespace nb
