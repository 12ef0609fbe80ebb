// bests.dat: what is accepted stays within the bounds a reader checks, and
// writing it again gives the very bytes it came from.
#include <cstdlib>
#include <cstring>

#include "framed_input.h"
#include "persistence/bests.h"

namespace {

void Check(const std::vector<unsigned char>& bytes) {
  nb::BestsTable table;
  if (!nb::ParseBests(bytes, table)) {
    if (!table.entries.empty()) std::abort();  // a refusal leaves the table as it was
    return;
  }
  if (table.entries.size() > nb::kMaxBests) std::abort();
  for (const nb::LevelBest& entry : table.entries)
    if (std::memchr(entry.name, 0, sizeof entry.name) == nullptr || entry.level < 1 ||
        entry.level > nb::kMaxLevelNumber || entry.points < 0 || entry.secondsLeft < 0)
      std::abort();
  if (nb::EncodeBests(table) != bytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nb::fuzz::CheckFramed(data, size, Check);
  return 0;
}
