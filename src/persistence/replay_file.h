#pragma once
// A won level's run, enough to play it again through the real update: the
// level (and its file's checksum, so a changed level is refused), the mode,
// the random generator's seed, the values the level started from, and each
// input with the play-screen update it came before.
#include <cstdint>
#include <string>
#include <vector>

namespace nb {

constexpr uint32_t kReplayVersion = 1;

enum class ReplayInput : uint8_t {
  Place = 0,   // a left click on (row, col) with a diagonal (value: 5 or 6)
  Remove = 1,  // a right click on (row, col)
  Screen = 2,  // the screen became value (play, pause, options or help in play)
};

struct ReplayEvent {
  uint32_t tick = 0;  // play-screen updates since the level started
  ReplayInput input = ReplayInput::Place;
  int32_t row = 0, col = 0;
  int32_t value = 0;
};

struct Replay {
  int32_t level = 0;
  uint32_t levelChecksum = 0;  // of the level file's bytes
  int32_t mode = 0;
  uint32_t seed = 0;
  bool practice = false;
  // What the rules carry into a level besides its file.
  int32_t startScore = 0;
  int32_t startLives = 1;
  int32_t stepsSinceStone = 1000;
  int32_t bonusSeconds = 0;
  // The outcome, at the update the level was won.
  uint32_t winTick = 0;
  int32_t secondsLeft = 0;
  int32_t points = 0;
  std::vector<ReplayEvent> events;
};

// A level of at most two hours at 62.5 updates a second never needs more.
constexpr size_t kMaxReplayEvents = 1u << 16;
// Four times those two hours: a longer run is not kept.
constexpr uint32_t kMaxReplayTicks = 1'800'000;
// The longest replay is about 1.1 MB; a larger file is refused unread.
constexpr size_t kMaxReplayFileBytes = 4u << 20;

// Why the replay could not be kept: the first field out of its bounds or
// input out of order (docs/REPLAYS.md lists them), or "" when it can.
std::string ReplayFault(const Replay& replay);

std::vector<unsigned char> EncodeReplay(const Replay& replay);
// False (replay untouched, the reason in why) for anything but a whole file
// of this version within the bounds above.
bool ParseReplay(const std::vector<unsigned char>& bytes, Replay& replay, std::string* why = nullptr);

// False with the reason when the file is missing or refused.
bool LoadReplayFile(const std::string& path, Replay& replay, std::string* why = nullptr);
// Atomically; creates the folder it goes in. False when it could not be
// written or the replay has a fault (an old file is then untouched).
bool SaveReplayFile(const Replay& replay, const std::string& path);

// The replay's file name inside the player's folder for a profile, mode and
// level: "replays/<the name's bytes in hex>-<mode>-<level>.nbr".
std::string ReplayFileName(const char* profileName, int mode, int level);

// FNV-1a of a file's bytes: what a replay keeps of its level file.
uint32_t ContentChecksum(const std::vector<unsigned char>& bytes);

}  // namespace nb
