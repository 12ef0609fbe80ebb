#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace nb {

// The counters of the level in play, appended to stat.stt when an attempt ends.
enum LevelStatsIndex : int {
  StatLevelNumber = 0,
  StatSecondsPlayed = 1,
  StatSecondsLeft = 2,
  StatRightClicks = 3,
  StatCompleted = 4,
  StatPoints = 5,
  StatHoles = 6,
  StatRandomBonuses = 7,
  StatTimeBonuses = 8,
  StatSpeedBonuses = 9,
  StatTurnAroundBonuses = 10,
  StatExtraLives = 11,
};

struct LevelStats {
  int32_t counters[12]{};
};

constexpr int32_t kLevelStatsMarker = -111;
constexpr int kLevelStatsRecordBytes = 52;

// Appends one 52-byte record (the twelve counters and the marker) to the
// file; false when it could not be written. The caller clears the counters.
bool AppendLevelStatistics(const LevelStats& stats, const std::string& path = "stat.stt");

// The records of a stat.stt in file order: every whole record up to the first
// whose marker is not in place (a file out of step) or the short one an
// interrupted append leaves at the end.
std::vector<LevelStats> ParseLevelStatistics(std::span<const unsigned char> bytes);
// Years of play stay far below this; a larger file reads as no records.
constexpr size_t kMaxLevelStatsFileBytes = 16u << 20;
// The same on a file; a missing one holds no records.
std::vector<LevelStats> ReadLevelStatistics(const std::string& path = "stat.stt");

}  // namespace nb
