#pragma once
// The player's framed files (a magic, a version, a closing checksum): each
// input is checked as it is, then again with its checksum made to hold, so
// that the fields behind the checksum are fuzzed too and not only it.
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "persistence/binary_io.h"

namespace nb::fuzz {

template <typename Check>
void CheckFramed(const uint8_t* data, size_t size, Check check) {
  std::vector<unsigned char> bytes = Bytes(data, size);
  check(bytes);
  if (size < kFrameEndBytes) return;
  const size_t body = size - kFrameEndBytes;
  std::string end;
  AppendUint32(end, Fnv1a({bytes.data(), body}));
  std::copy(end.begin(), end.end(), bytes.begin() + static_cast<std::ptrdiff_t>(body));
  check(bytes);
}

}  // namespace nb::fuzz
