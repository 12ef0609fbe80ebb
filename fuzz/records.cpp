// record.dat: profiles, records and the modes trailer; what is accepted
// stays within the tables and survives a save and a second read.
#include <cstdlib>
#include <cstring>

#include "fuzz_input.h"
#include "persistence/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nb::ProfileTable profiles;
  nb::RecordsTable records;
  if (!nb::ParseRecordsFile(nb::fuzz::Bytes(data, size), profiles, records)) return 0;
  if (profiles.count < 0 || profiles.count > nb::kMaxProfiles || records.count < 0 ||
      records.count > nb::kMaxRecords)
    std::abort();
  for (int p = 0; p < profiles.count; ++p)
    if (std::memchr(profiles.profiles[p].name, 0, sizeof profiles.profiles[p].name) == nullptr) std::abort();
  return 0;
}
