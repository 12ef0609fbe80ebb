#pragma once
// Each profile's best results per game mode and level: the most seconds left
// and the most points scored in a won level (practice or game). Kept in
// "bests.dat" beside record.dat.
#include <cstdint>
#include <string>
#include <vector>

#include "persistence/records.h"

namespace nb {

struct LevelBest {
  char name[kNameBytes]{};  // the profile's name, zero-terminated
  int32_t mode = 0;         // 0..2
  int32_t level = 0;        // 1..
  int32_t secondsLeft = 0;  // the most seconds left at a win
  int32_t points = 0;       // the most points scored in play before the time bonus
};

struct BestsTable {
  std::vector<LevelBest> entries;
};

// Far more than six profiles can fill; a file claiming more is not a bests file.
constexpr size_t kMaxBests = 4096;

// The entry for a profile, mode and level, or nullptr.
const LevelBest* FindBest(const BestsTable& table, const char* name, int mode, int level);

// Counts a won level: each figure is kept when it beats the stored one (or
// there is none). True when the table changed. A full table takes no new
// entries.
bool UpdateBest(BestsTable& table, const char* name, int mode, int level, int secondsLeft, int points);

// Drops every entry of a profile (when it is deleted).
void ForgetBests(BestsTable& table, const char* name);

// What a bests file holds: levels 1..kMaxLevelNumber of modes 0..2, figures
// from 0 to these (far beyond any real run). A file over kMaxBestsFileBytes
// is refused unread. docs/REPLAYS.md lays the file out.
constexpr int32_t kMaxBestSeconds = 1'000'000;
constexpr int32_t kMaxBestPoints = 1'000'000'000;
constexpr size_t kMaxBestsFileBytes = 1u << 20;

// The file's bytes, and back. Encoding writes figures beyond the bounds as
// the bound and leaves out entries no reader would take (a mode or level out
// of range, a name without its zero), so a saved file always loads. Parsing
// refuses (false, table untouched, the reason in why) anything but a whole
// file of this version.
std::vector<unsigned char> EncodeBests(const BestsTable& table);
bool ParseBests(const std::vector<unsigned char>& bytes, BestsTable& table, std::string* why = nullptr);

// A missing file gives an empty table; a damaged one gives an empty table, a
// line in the log, and is renamed to "<path>.damaged" so that the next save
// does not write over it. Never throws.
BestsTable LoadBestsFile(const std::string& path);
// Atomically, like record.dat: false when it could not be written (the old
// file is then untouched).
bool SaveBestsFile(const BestsTable& table, const std::string& path);

}  // namespace nb
