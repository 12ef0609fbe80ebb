#pragma once
// Helpers of the audio tests: the dummy output driver and small WAV files.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace nb::test {

// The tests run on SDL's dummy driver unless the caller chose another.
inline void UseDummyAudioDriver() { setenv("SDL_AUDIODRIVER", "dummy", 0); }

// A mono 16-bit WAV of a quiet sine.
inline std::string SineWav(double seconds, double freq = 440.0, int rate = 22050) {
  int count = static_cast<int>(seconds * rate);
  std::string out;
  auto put32 = [&out](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto put16 = [&out](std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
  };
  out += "RIFF";
  put32(36 + count * 2);
  out += "WAVEfmt ";
  put32(16);
  put16(1);
  put16(1);
  put32(rate);
  put32(rate * 2);
  put16(2);
  put16(16);
  out += "data";
  put32(count * 2);
  for (int i = 0; i < count; ++i) {
    double v = 8000.0 * std::sin(2 * 3.14159265358979 * freq * i / rate);
    put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
  }
  return out;
}

// The 16-bit samples of a mono PCM WAV as the generator writes it (empty when
// the bytes are not one).
inline std::vector<int> WavSamples(const std::string& bytes) {
  std::vector<int> samples;
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(36, 4, "data") != 0) {
    return samples;
  }
  for (size_t i = 44; i + 1 < bytes.size(); i += 2) {
    auto lo = static_cast<unsigned char>(bytes[i]);
    auto hi = static_cast<unsigned char>(bytes[i + 1]);
    samples.push_back(static_cast<std::int16_t>(lo | (hi << 8)));
  }
  return samples;
}

}  // namespace nb::test
