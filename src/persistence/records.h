#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace nb {

enum GameMode : int32_t { ModeNormal = 0, ModeHard = 1, ModeExpert = 2 };
constexpr int kGameModes = 3;
// The highest level number a bests entry or a replay may name.
constexpr int32_t kMaxLevelNumber = 1000;

// Lives a profile starts with: a new profile, and one whose player gives up
// after a game over, has 3; a new game gives 5, 3 or 2 by mode (easy, normal,
// hard); continuing after a game over gives 1.
constexpr int32_t kNewProfileLives = 3;
constexpr int32_t kNewGameLives[kGameModes] = {5, 3, 2};
constexpr int32_t kContinueLives = 1;
constexpr int kMaxProfiles = 6;
constexpr int kMaxRecords = 10;
constexpr int kNameBytes = 64;  // zero-terminated, 63 characters at most

struct ProfileRecord {
  char name[kNameBytes]{};
  int32_t score[kGameModes]{};
  int32_t level[kGameModes]{};
  int32_t lives[kGameModes]{};
  int32_t mode = 0;
};

struct ProfileTable {
  ProfileRecord profiles[kMaxProfiles]{};
  int32_t count = 0;
  int32_t current = -1;  // -1: none chosen
};

struct RecordEntry {
  char name[kNameBytes]{};
  int32_t score = 0;
};

struct RecordsTable {
  RecordEntry entries[kMaxRecords]{};
  int32_t count = 0;
};

// The current profile, or nullptr when none is chosen or the index is stale.
ProfileRecord* CurrentProfile(ProfileTable& table);

// Appends a profile with the given values in all three modes; false when the
// table is full. The mode field keeps what the slot held.
bool AddProfile(ProfileTable& table, const std::string& name, int32_t score, int32_t level, int32_t lives);

// Reads "record.dat" (or the given path). A missing file leaves both tables as
// they are; a read-only one is read. Counts outside 0..6 and 0..10 are refused: the
// file is not read at all. An optional trailer after the records restores the
// progress of modes 1 and 2.
void LoadRecordsFile(ProfileTable& profiles, RecordsTable& records, const std::string& path = "record.dat");
// The same on the file's bytes; false (tables untouched) when they are refused.
bool ParseRecordsFile(const std::vector<unsigned char>& bytes, ProfileTable& profiles, RecordsTable& records);
// The largest file of 6 profiles, 10 records and the modes trailer is under
// 1.5 KB; anything far larger is not a records file.
constexpr size_t kMaxRecordsFileBytes = 64u << 10;

// Writes the tables atomically: a temporary file, then a rename. False when
// the file could not be written (the old file is then untouched).
bool SaveRecordsFile(const ProfileTable& profiles, const RecordsTable& records,
                     const std::string& path = "record.dat");

}  // namespace nb
