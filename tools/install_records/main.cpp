// Puts the shipped records table into the game directory when the player has
// no record.dat there (see InstallShippedRecords).
#include <cstdio>
#include <string>

#include "persistence/records_install.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: install_records SHIPPED TARGET\n");
    return 2;
  }
  std::string error;
  if (!nb::InstallShippedRecords(argv[1], argv[2], error)) {
    std::fprintf(stderr, "install_records: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
