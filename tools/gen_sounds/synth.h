#pragma once
// A small deterministic synthesiser: float buffers at one rate, a handful of
// voices, filters and a reverb. The same input always gives the same bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace gen {

inline constexpr int kRate = 22050;
inline constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<float>;

// xorshift32: the noise of every sound, seeded per sound.
struct Noise {
  std::uint32_t state;
  explicit Noise(std::uint32_t seed) : state(seed ? seed : 1u) {}
  std::uint32_t NextBits() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  float Next() { return static_cast<float>(NextBits() >> 8) / 8388608.0f - 1.0f; }  // -1..1
  double Uniform(double lo, double hi) { return lo + (hi - lo) * (NextBits() >> 8) / 16777216.0; }
};

int Samples(double seconds);
double NoteFrequency(double midiNote);

// Adds into a buffer at time t; with wrap the index runs modulo the length
// (for loops whose notes carry over the end), otherwise it stops at the end.
void AddAt(Buffer& out, long index, float value, bool wrap);

// One partial of a struck or blown tone: frequency ratio, level and decay
// time (seconds to fall to 1/e; 0 holds the level).
struct Partial {
  double ratio;
  double level;
  double decay;
};

struct ToneShape {
  double attack = 0.005;  // seconds of linear rise
  double release = 0.05;  // seconds of linear fall after the hold
  double vibratoHz = 0.0;
  double vibratoDepth = 0.0;  // fraction of the frequency
};

// A tone of the given partials from t for `hold` seconds (then its release),
// its frequency gliding exponentially from f0 to f1 over the hold.
void AddTone(Buffer& out, double t, double hold, double f0, double f1, double level,
             const std::vector<Partial>& partials, const ToneShape& shape, bool wrap = false);

// A brass-like tone whose upper harmonics open during the attack.
void AddBrass(Buffer& out, double t, double hold, double freq, double level, bool wrap = false);
// A soft pad: detuned, band-limited saw voices with a slow swell.
void AddPad(Buffer& out, double t, double hold, double freq, double level, bool wrap = false);

// A burst of noise through a band (low and high cut in Hz) with exponential decay.
void AddNoiseBurst(Buffer& out, Noise& noise, double t, double length, double lowCut, double highCut,
                   double decay, double level, bool wrap = false);

void LowPass(Buffer& buffer, double cutoffHz);
// A small room: parallel combs into series all-passes, mixed with the dry sound.
void Reverb(Buffer& buffer, double wet, double roomSize);
// The same reverb on a loop, wrapped so the tail of the end sounds at the
// start and the loop joins seamlessly.
void LoopReverb(Buffer& buffer, double wet, double roomSize);
void FadeIn(Buffer& buffer, double seconds);
void FadeOut(Buffer& buffer, double seconds);
void Normalize(Buffer& buffer, double peak);

// 16-bit mono PCM WAV.
std::string WavBytes(const Buffer& buffer);

}  // namespace gen
