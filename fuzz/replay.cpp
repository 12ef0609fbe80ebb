// Replay files: what is accepted has no fault, and writing it again gives the
// very bytes it came from.
#include <cstdlib>

#include "fuzz_input.h"
#include "persistence/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<unsigned char> bytes = nb::fuzz::Bytes(data, size);
  nb::Replay replay;
  replay.seed = 77;
  if (!nb::ParseReplay(bytes, replay)) {
    if (replay.seed != 77) std::abort();  // a refusal leaves the replay as it was
    return 0;
  }
  if (!nb::ReplayFault(replay).empty() || replay.events.size() > nb::kMaxReplayEvents) std::abort();
  if (nb::EncodeReplay(replay) != bytes) std::abort();
  return 0;
}
