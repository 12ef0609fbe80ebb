// Replay files: what is accepted has no fault, and writing it again gives the
// very bytes it came from.
#include <cstdlib>

#include "framed_input.h"
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
  nb::fuzz::CheckFramed(data, size, Check);
  return 0;
}
