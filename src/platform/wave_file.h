#pragma once
// Sound files the mixer can play from the file itself: a RIFF wave already in
// the output format is mapped, not decoded, so its sound stays in the page
// cache (file-backed, shared and reclaimable) instead of the heap.
#include <cstdint>
#include <string>

struct Mix_Chunk;

namespace nb {

// What the chunks of a RIFF wave say, read a header at a time.
struct WaveLayout {
  bool riff = false;   // a RIFF WAVE file at all
  bool whole = false;  // its sound data ends within the file
  uint16_t format = 0, channels = 0, bits = 0;
  uint32_t rate = 0;
  uint64_t dataOffset = 0, dataLength = 0;
};
WaveLayout ReadWaveLayout(const std::string& path);

// The file's sound mapped as a chunk when it is 16-bit PCM at the mixer's own
// rate and channel count; null otherwise (decode it instead).
Mix_Chunk* MapWaveChunk(const std::string& path);
// Frees a chunk, mapped or decoded.
void FreeChunk(Mix_Chunk* chunk);

}  // namespace nb
