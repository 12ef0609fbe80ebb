#include "shell/save_loop.h"

#include <cstdlib>
#include <string>

#include "persistence/records.h"

namespace nb {

bool RunSaveLoopIfAsked(const SettingsFile& settingsFile, const std::string& recordsPath,
                        GeneralSettings settings) {
  const char* rounds = std::getenv("NB_SAVE_LOOP");
  if (rounds == nullptr || *rounds == '\0') return false;
  ProfileTable profiles;
  RecordsTable records;
  LoadRecordsFile(profiles, records, recordsPath);
  const long count = std::atol(rounds);
  for (long round = 1; round <= count; ++round) {
    // 0..6 profiles and 0..10 records, so one save's size differs from the next.
    const int32_t value = static_cast<int32_t>(round % 1000);
    profiles.count = 0;
    for (int p = 0; p < static_cast<int>(round % (kMaxProfiles + 1)); ++p)
      AddProfile(profiles, "Player " + std::to_string(round) + "-" + std::to_string(p), value, p, 3);
    profiles.current = profiles.count - 1;
    records.count = static_cast<int32_t>(round % (kMaxRecords + 1));
    for (int r = 0; r < records.count; ++r) records.entries[r].score = value * 10 + r;
    SaveRecordsFile(profiles, records, recordsPath);
    // Volumes of one, two and three digits.
    settings.musicVolume = static_cast<int32_t>(round % 101);
    settings.soundVolume = static_cast<int32_t>((round * 7) % 101);
    settings.masterVolume = static_cast<int32_t>((round * 13) % 101);
    WriteBackGeneralSettings(settingsFile, settings);
  }
  return true;
}

}  // namespace nb
