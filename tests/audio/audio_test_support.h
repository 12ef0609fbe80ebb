#pragma once
// Helpers of the audio tests: the dummy output driver and small WAV files.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/general_settings.h"

namespace nb::test {

// The tests run on SDL's dummy driver unless the caller chose another.
inline void UseDummyAudioDriver() { setenv("SDL_AUDIODRIVER", "dummy", 0); }

// A mono 16-bit WAV of a sine at amplitude 8000.
inline std::string SineWav(double seconds, double freq = 440.0, int rate = 22050) {
  int count = static_cast<int>(seconds * rate);
  std::string out;
  auto put = [&out](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  out += "RIFF";
  put(36 + count * 2, 4);
  out += "WAVEfmt ";
  put(16, 4), put(1, 2), put(1, 2);  // format chunk size, PCM, mono
  put(rate, 4), put(rate * 2, 4), put(2, 2), put(16, 2);
  out += "data";
  put(count * 2, 4);
  for (int i = 0; i < count; ++i)
    put(static_cast<std::uint16_t>(static_cast<std::int16_t>(8000.0 * std::sin(2 * M_PI * freq * i / rate))),
        2);
  return out;
}

inline GeneralSettings Volumes(int music, int sound, int master) {
  GeneralSettings settings;
  settings.musicVolume = music, settings.soundVolume = sound, settings.masterVolume = master;
  return settings;
}

}  // namespace nb::test
