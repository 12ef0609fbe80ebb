// Replay files: see docs/REPLAYS.md for the layout and the bounds.
#include "persistence/replay_file.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/screen_state.h"
#include "persistence/binary_io.h"
#include "persistence/records.h"

namespace nb {
namespace {

constexpr char kReplayMagic[5] = "NBRP";
constexpr size_t kHeadBytes = 4 * 4 + 1 + 7 * 4 + 4;  // the fields up to and with the event count
constexpr size_t kEventBytes = 4 + 1 + 3 * 4;
constexpr int32_t kGridCells = 128;  // rows and columns of the largest grid

bool Refuse(std::string* why, const std::string& reason) {
  if (why) *why = reason;
  return false;
}

bool IsScreen(int32_t value) {
  // 9 and 15 name no screen.
  return value >= 0 && value < kGameStateCount && value != 9 && value != 15;
}

std::string EventFault(const ReplayEvent& event, uint32_t previousTick, uint32_t winTick) {
  if (event.tick < previousTick) return "tick " + std::to_string(event.tick) + " goes back";
  if (event.tick > winTick) return "tick " + std::to_string(event.tick) + " after the win";
  if (event.row < 0 || event.row >= kGridCells || event.col < 0 || event.col >= kGridCells)
    return "cell " + std::to_string(event.row) + "," + std::to_string(event.col) + " off the grid";
  const int32_t v = event.value;
  switch (event.input) {
    case ReplayInput::Place: return v == 5 || v == 6 ? "" : "placing " + std::to_string(v);
    case ReplayInput::Remove: return v == 0 ? "" : "removing with value " + std::to_string(v);
    case ReplayInput::Screen: return IsScreen(v) ? "" : "screen " + std::to_string(v);
  }
  return "input " + std::to_string(static_cast<int>(event.input));
}

bool ReadHead(ByteReader& in, Replay& replay, uint8_t& practice) {
  return in.ReadInt32(replay.level) && in.ReadUint32(replay.levelChecksum) && in.ReadInt32(replay.mode) &&
         in.ReadUint32(replay.seed) && in.ReadUint8(practice) && in.ReadInt32(replay.startScore) &&
         in.ReadInt32(replay.startLives) && in.ReadInt32(replay.stepsSinceStone) &&
         in.ReadInt32(replay.bonusSeconds) && in.ReadUint32(replay.winTick) &&
         in.ReadInt32(replay.secondsLeft) && in.ReadInt32(replay.points);
}

}  // namespace

std::string ReplayFault(const Replay& r) {
  if (r.level < 1 || r.level > kMaxLevelNumber) return "level " + std::to_string(r.level);
  if (r.mode < 0 || r.mode >= kGameModes) return "mode " + std::to_string(r.mode);
  if (r.startScore < 0 || r.startLives < 0 || r.stepsSinceStone < 0 || r.secondsLeft < 0 || r.points < 0)
    return "a negative count";
  if (r.bonusSeconds < 0 || r.bonusSeconds > 255) return "bonus seconds " + std::to_string(r.bonusSeconds);
  if (r.winTick > kMaxReplayTicks) return "won at tick " + std::to_string(r.winTick);
  if (r.events.size() > kMaxReplayEvents) return std::to_string(r.events.size()) + " inputs";
  uint32_t previousTick = 0;
  for (size_t i = 0; i < r.events.size(); ++i) {
    if (std::string fault = EventFault(r.events[i], previousTick, r.winTick); !fault.empty())
      return "input " + std::to_string(i) + ": " + fault;
    previousTick = r.events[i].tick;
  }
  return "";
}

std::vector<unsigned char> EncodeReplay(const Replay& r) {
  std::string out;
  AppendFrameStart(out, kReplayMagic, kReplayVersion);
  AppendInt32(out, r.level);
  AppendUint32(out, r.levelChecksum);
  AppendInt32(out, r.mode);
  AppendUint32(out, r.seed);
  AppendUint8(out, r.practice ? 1 : 0);
  for (int32_t value : {r.startScore, r.startLives, r.stepsSinceStone, r.bonusSeconds})
    AppendInt32(out, value);
  AppendUint32(out, r.winTick);
  AppendInt32(out, r.secondsLeft);
  AppendInt32(out, r.points);
  AppendUint32(out, static_cast<uint32_t>(r.events.size()));
  for (const ReplayEvent& event : r.events) {
    AppendUint32(out, event.tick);
    AppendUint8(out, static_cast<uint8_t>(event.input));
    for (int32_t value : {event.row, event.col, event.value}) AppendInt32(out, value);
  }
  AppendFrameEnd(out);
  return {out.begin(), out.end()};
}

bool ParseReplay(const std::vector<unsigned char>& bytes, Replay& replay, std::string* why) {
  ByteReader in(bytes);
  if (std::string fault = ReadFrameStart(in, kReplayMagic, kReplayVersion); !fault.empty())
    return Refuse(why, fault);
  Replay read;
  uint8_t practice = 0;
  uint32_t count = 0;
  if (!ReadHead(in, read, practice) || !in.ReadUint32(count)) return Refuse(why, "too short");
  if (count > kMaxReplayEvents)
    return Refuse(why, std::to_string(count) + " inputs, more than a replay holds");
  const size_t expected = kFrameStartBytes + kHeadBytes + count * kEventBytes + kFrameEndBytes;
  if (bytes.size() != expected)
    return Refuse(
        why, std::to_string(bytes.size()) + " bytes where " + std::to_string(expected) + " were expected");
  if (!FrameEndHolds(bytes)) return Refuse(why, "the checksum does not match");
  if (practice > 1) return Refuse(why, "practice " + std::to_string(practice));
  read.practice = practice == 1;
  read.events.resize(count);
  for (ReplayEvent& event : read.events) {
    uint8_t input = 0;
    in.ReadUint32(event.tick);
    in.ReadUint8(input);
    event.input = static_cast<ReplayInput>(input);
    in.ReadInt32(event.row);
    in.ReadInt32(event.col);
    in.ReadInt32(event.value);
  }
  if (std::string fault = ReplayFault(read); !fault.empty()) return Refuse(why, fault);
  replay = std::move(read);
  return true;
}

bool LoadReplayFile(const std::string& path, Replay& replay, std::string* why) {
  if (!FileExists(path)) return Refuse(why, "no such file");
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes, kMaxReplayFileBytes))
    return Refuse(why, "unreadable, or larger than " + std::to_string(kMaxReplayFileBytes) + " bytes");
  return ParseReplay(bytes, replay, why);
}

bool SaveReplayFile(const Replay& replay, const std::string& path) {
  if (!ReplayFault(replay).empty()) return false;
  const std::string folder = std::filesystem::path(path).parent_path().string();
  if (!folder.empty() && !MakeFolders(folder)) return false;
  const std::vector<unsigned char> bytes = EncodeReplay(replay);
  return WriteFileAtomically(path, std::string(bytes.begin(), bytes.end()));
}

std::string ReplayFileName(const char* profileName, int mode, int level) {
  std::string name = "replays/";
  for (size_t i = 0; i < 63 && profileName[i] != '\0'; ++i) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(profileName[i]));
    name += hex;
  }
  return name + "-" + std::to_string(mode) + "-" + std::to_string(level) + ".nbr";
}

uint32_t ContentChecksum(const std::vector<unsigned char>& bytes) { return Fnv1a(bytes); }

}  // namespace nb
