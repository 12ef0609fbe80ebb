#include "persistence/records.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "persistence/binary_io.h"

namespace nb {
namespace {

// After the records, a newer file keeps the progress of modes 1 and 2: this
// tag, then per profile score, level and lives of mode 1 and of mode 2.
// Older readers stop reading after the records and never see it.
constexpr int32_t kModeTrailerTag = 0x3244'4D4E;  // "NMD2"

void ReadName(ByteReader& in, char (&name)[kNameBytes]) {
  in.ReadBytes(name, kNameBytes);
  name[kNameBytes - 1] = '\0';  // a name never runs past its buffer
}

void ReadModeTrailer(ByteReader& in, ProfileTable& profiles) {
  int32_t tag = 0;
  if (!in.ReadInt32(tag) || tag != kModeTrailerTag) return;
  if (in.Remaining() < static_cast<size_t>(profiles.count) * 6 * 4) return;
  for (int p = 0; p < profiles.count; ++p) {
    ProfileRecord& profile = profiles.profiles[p];
    for (int mode = 1; mode < kGameModes; ++mode) {
      in.ReadInt32(profile.score[mode]);
      in.ReadInt32(profile.level[mode]);
      in.ReadInt32(profile.lives[mode]);
    }
  }
}

}  // namespace

ProfileRecord* CurrentProfile(ProfileTable& table) {
  if (table.current < 0 || table.current >= table.count || table.current >= kMaxProfiles) return nullptr;
  return &table.profiles[table.current];
}

bool AddProfile(ProfileTable& table, const std::string& name, int32_t score, int32_t level, int32_t lives) {
  if (table.count < 0 || table.count >= kMaxProfiles) return false;
  ProfileRecord& profile = table.profiles[table.count];
  std::memset(profile.name, 0, sizeof profile.name);
  std::strncpy(profile.name, name.c_str(), kNameBytes - 1);
  for (int mode = 0; mode < kGameModes; ++mode) {
    profile.score[mode] = score;
    profile.level[mode] = level;
    profile.lives[mode] = lives;
  }
  ++table.count;
  return true;
}

void LoadRecordsFile(ProfileTable& profiles, RecordsTable& records, const std::string& path) {
  // A read-only file is still read: the player's profiles are shown, and the
  // save at exit reports that it could not write the file.
  std::vector<unsigned char> bytes;
  if (ReadWholeFile(path, bytes, kMaxRecordsFileBytes)) ParseRecordsFile(bytes, profiles, records);
}

bool ParseRecordsFile(const std::vector<unsigned char>& bytes, ProfileTable& profiles,
                      RecordsTable& records) {
  ByteReader in(bytes);

  // Read into copies and keep them only when the counts fit the tables;
  // fields a short file does not cover keep their previous values.
  ProfileTable newProfiles = profiles;
  RecordsTable newRecords = records;
  int32_t profileCount = 0;
  if (!in.ReadInt32(profileCount) || profileCount < 0 || profileCount > kMaxProfiles) return false;
  newProfiles.count = profileCount;
  for (int p = 0; p < profileCount; ++p) {
    ProfileRecord& profile = newProfiles.profiles[p];
    ReadName(in, profile.name);
    in.ReadInt32(profile.score[0]);
    in.ReadInt32(profile.level[0]);
    in.ReadInt32(profile.lives[0]);
    in.ReadInt32(profile.mode);
    // Modes 1 and 2 are only kept by the trailer; without it they start over.
    for (int mode = 1; mode < kGameModes; ++mode)
      profile.score[mode] = profile.level[mode] = profile.lives[mode] = 0;
    if (profile.mode < 0 || profile.mode >= kGameModes) profile.mode = 0;
  }
  in.ReadInt32(newProfiles.current);

  int32_t recordCount = 0;
  if (in.ReadInt32(recordCount)) {
    if (recordCount < 0 || recordCount > kMaxRecords) return false;
    newRecords.count = recordCount;
    for (int r = 0; r < recordCount; ++r) {
      ReadName(in, newRecords.entries[r].name);
      in.ReadInt32(newRecords.entries[r].score);
    }
    ReadModeTrailer(in, newProfiles);
  }
  profiles = newProfiles;
  records = newRecords;
  return true;
}

bool SaveRecordsFile(const ProfileTable& profiles, const RecordsTable& records, const std::string& path) {
  // A file the player made read-only keeps its contents.
  if (access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0) return false;
  int profileCount = profiles.count < 0 ? 0 : (profiles.count > kMaxProfiles ? kMaxProfiles : profiles.count);
  int recordCount = records.count < 0 ? 0 : (records.count > kMaxRecords ? kMaxRecords : records.count);

  std::string out;
  AppendInt32(out, profileCount);
  for (int p = 0; p < profileCount; ++p) {
    const ProfileRecord& profile = profiles.profiles[p];
    out.append(profile.name, kNameBytes);
    AppendInt32(out, profile.score[0]);
    AppendInt32(out, profile.level[0]);
    AppendInt32(out, profile.lives[0]);
    AppendInt32(out, profile.mode);
  }
  AppendInt32(out, profiles.current);
  AppendInt32(out, recordCount);
  for (int r = 0; r < recordCount; ++r) {
    out.append(records.entries[r].name, kNameBytes);
    AppendInt32(out, records.entries[r].score);
  }
  if (profileCount > 0) AppendInt32(out, kModeTrailerTag);
  for (int p = 0; p < profileCount; ++p) {
    const ProfileRecord& profile = profiles.profiles[p];
    for (int mode = 1; mode < kGameModes; ++mode) {
      AppendInt32(out, profile.score[mode]);
      AppendInt32(out, profile.level[mode]);
      AppendInt32(out, profile.lives[mode]);
    }
  }
  return WriteFileAtomically(path, out);
}

}  // namespace nb
