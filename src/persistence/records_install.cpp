#include "persistence/records_install.h"

#include <filesystem>
#include <vector>

#include "core/file_io.h"
#include "persistence/records.h"

namespace nb {

bool InstallShippedRecords(const std::string& shipped, const std::string& target, std::string& error) {
  std::error_code status;
  if (std::filesystem::exists(std::filesystem::symlink_status(target, status))) return true;
  std::vector<unsigned char> bytes;
  ProfileTable profiles;
  RecordsTable records;
  if (!ReadWholeFile(shipped, bytes, kMaxRecordsFileBytes) || !ParseRecordsFile(bytes, profiles, records)) {
    error = shipped + " is not a records file";
    return false;
  }
  if (!WriteFileAtomically(target, std::string(bytes.begin(), bytes.end()))) {
    error = "cannot write " + target;
    return false;
  }
  return true;
}

}  // namespace nb
