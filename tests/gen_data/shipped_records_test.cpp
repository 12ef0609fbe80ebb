// The default records table: written and read by the game's own records
// code, and installed only where the player has no record.dat.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "core/file_io.h"
#include "data_files.h"
#include "persistence/records.h"

namespace fs = std::filesystem;

namespace nb {
namespace {

TEST(ShippedRecords, TenNamedEntriesFallingAndAPlayersOwnFileIsNeverReplaced) {
  const std::string shippedPath = test::GameFile("data/record.dat");
  std::vector<unsigned char> shipped;
  ASSERT_TRUE(ReadWholeFile(shippedPath, shipped, kMaxRecordsFileBytes));
  ProfileTable profiles;
  RecordsTable records;
  ASSERT_TRUE(ParseRecordsFile(shipped, profiles, records));
  EXPECT_EQ(profiles.count, 0);
  ASSERT_EQ(records.count, kMaxRecords);
  std::set<std::string> names;
  for (int i = 0; i < records.count; ++i) {
    names.insert(records.entries[i].name);
    EXPECT_GT(std::strlen(records.entries[i].name), 2u) << i;
    EXPECT_LT(records.entries[i].score, i > 0 ? records.entries[i - 1].score : INT32_MAX) << i;
  }
  EXPECT_EQ(names.size(), static_cast<size_t>(kMaxRecords));
  EXPECT_TRUE(fs::exists(test::GameFile("record.dat"))) << "the build installs it";

  // The build's install step on a game folder without and with a record.dat.
  test::ScratchDir dir;
  dir.Write("record.dat", "the player's own");
  const std::string install =
      std::string(NB_BINARY_DIR) + "/tools/install_records/install_records " + shippedPath;
  for (const char* target : {"fresh.dat", "record.dat", "fresh.dat"})
    EXPECT_EQ(std::system((install + " " + target).c_str()), 0) << target;
  EXPECT_EQ(dir.Read("fresh.dat"), std::string(shipped.begin(), shipped.end()));
  EXPECT_EQ(dir.Read("record.dat"), "the player's own");
}

}  // namespace
}  // namespace nb
