// Replay files: what is accepted has no fault, and writing it again gives the
// very bytes it came from.
#include <algorithm>
#include <cstdlib>

#include "fuzz_input.h"
#include "persistence/binary_io.h"
#include "persistence/replay_file.h"

namespace {

void Check(const std::vector<unsigned char>& bytes) {
  nb::Replay replay;
  replay.seed = 77;
  if (!nb::ParseReplay(bytes, replay)) {
    if (replay.seed != 77) std::abort();  // a refusal leaves the replay as it was
    return;
  }
  if (!nb::ReplayFault(replay).empty() || replay.events.size() > nb::kMaxReplayEvents) std::abort();
  if (nb::EncodeReplay(replay) != bytes) std::abort();
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
