// bests.dat: what is accepted stays within the bounds a reader checks, and
// writing it again gives the very bytes it came from.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "fuzz_input.h"
#include "persistence/bests.h"
#include "persistence/binary_io.h"

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
  std::vector<unsigned char> bytes = nb::fuzz::Bytes(data, size);
  Check(bytes);
  // Again with the checksum made to hold, so that the fields behind it are
  // fuzzed too and not only the checksum.
  if (size < nb::kFrameEndBytes) return 0;
  const size_t body = size - nb::kFrameEndBytes;
  std::string end;
  nb::AppendUint32(end, nb::Fnv1a({bytes.data(), body}));
  std::copy(end.begin(), end.end(), bytes.begin() + static_cast<std::ptrdiff_t>(body));
  Check(bytes);
  return 0;
}
