// Puts the shipped records table into the game directory when the player has
// no record.dat there. An existing one is the player's and is never
// touched, whatever it holds. The shipped file is copied only when the
// game's reader accepts it, and is written whole or not at all.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_io.h"
#include "persistence/records.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: install_records SHIPPED TARGET\n");
    return 2;
  }
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(argv[2], error))) return 0;
  std::vector<unsigned char> bytes;
  nb::ProfileTable profiles;
  nb::RecordsTable records;
  if (!nb::ReadWholeFile(argv[1], bytes, nb::kMaxRecordsFileBytes) ||
      !nb::ParseRecordsFile(bytes, profiles, records)) {
    std::fprintf(stderr, "install_records: %s is not a records file\n", argv[1]);
    return 1;
  }
  if (!nb::WriteFileAtomically(argv[2], std::string(bytes.begin(), bytes.end()))) {
    std::fprintf(stderr, "install_records: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
