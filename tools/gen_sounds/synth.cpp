#include "synth.h"

#include <algorithm>
#include <cmath>

namespace gen {

int Samples(double seconds) { return static_cast<int>(std::lround(seconds * kRate)); }

double NoteFrequency(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

void AddAt(Buffer& out, long index, float value, bool wrap) {
  long size = static_cast<long>(out.size());
  if (size == 0) return;
  if (wrap) {
    index %= size;
    if (index < 0) index += size;
  } else if (index < 0 || index >= size) {
    return;
  }
  out[index] += value;
}

void AddTone(Buffer& out, double t, double hold, double f0, double f1, double level,
             const std::vector<Partial>& partials, const ToneShape& shape, bool wrap) {
  long start = Samples(t);
  long holdLen = std::max(1, Samples(hold));
  long total = holdLen + Samples(shape.release);
  std::vector<double> phase(partials.size(), 0.0);
  double logRatio = std::log(f1 / f0);
  for (long i = 0; i < total; ++i) {
    double time = static_cast<double>(i) / kRate;
    double along = std::min(1.0, static_cast<double>(i) / holdLen);
    double freq = f0 * std::exp(logRatio * along);
    if (shape.vibratoDepth > 0) {
      freq *= 1.0 + shape.vibratoDepth * std::sin(2 * kPi * shape.vibratoHz * time);
    }
    double env = shape.attack > 0 ? std::min(1.0, time / shape.attack) : 1.0;
    if (i >= holdLen) env *= 1.0 - static_cast<double>(i - holdLen) / (total - holdLen + 1);
    double sum = 0;
    for (size_t p = 0; p < partials.size(); ++p) {
      const Partial& part = partials[p];
      double f = freq * part.ratio;
      phase[p] += 2 * kPi * f / kRate;
      if (f >= kRate / 2.0) continue;
      double amp = part.level;
      if (part.decay > 0) amp *= std::exp(-time / part.decay);
      sum += amp * std::sin(phase[p]);
    }
    AddAt(out, start + i, static_cast<float>(level * env * sum), wrap);
  }
}

void AddBrass(Buffer& out, double t, double hold, double freq, double level, bool wrap) {
  long start = Samples(t);
  long holdLen = std::max(1, Samples(hold));
  long total = holdLen + Samples(0.12);
  double phase = 0;
  for (long i = 0; i < total; ++i) {
    double time = static_cast<double>(i) / kRate;
    double env = std::min(1.0, time / 0.03);
    if (i >= holdLen) env *= 1.0 - static_cast<double>(i - holdLen) / (total - holdLen + 1);
    // The tone brightens as it speaks, then settles a little.
    double bright = 0.25 + 0.55 * std::min(1.0, time / 0.06) - 0.15 * std::min(1.0, time / 0.5);
    double f = freq * (1.0 + 0.004 * std::sin(2 * kPi * 5.5 * time) * std::min(1.0, time / 0.3));
    phase += 2 * kPi * f / kRate;
    double sum = 0;
    for (int n = 1; n <= 12 && n * f < kRate / 2.0; ++n) {
      sum += std::pow(bright, n - 1) / n * std::sin(n * phase);
    }
    AddAt(out, start + i, static_cast<float>(level * env * sum), wrap);
  }
}

void AddPad(Buffer& out, double t, double hold, double freq, double level, bool wrap) {
  const double detune[3] = {0.997, 1.0, 1.004};
  long start = Samples(t);
  long holdLen = std::max(1, Samples(hold));
  long rel = Samples(std::min(1.2, hold * 0.6));
  long total = holdLen + rel;
  double attack = std::min(0.8, hold * 0.4);
  double phase[3] = {0.0, 2.1, 4.2};
  for (long i = 0; i < total; ++i) {
    double time = static_cast<double>(i) / kRate;
    double env = std::min(1.0, time / attack);
    if (i >= holdLen) env *= 1.0 - static_cast<double>(i - holdLen) / (rel + 1);
    double sum = 0;
    for (int v = 0; v < 3; ++v) {
      double f = freq * detune[v];
      phase[v] += 2 * kPi * f / kRate;
      for (int n = 1; n <= 6 && n * f < kRate / 2.0; ++n) {
        sum += (1.0 / (n * n)) * std::sin(n * phase[v]);
      }
    }
    AddAt(out, start + i, static_cast<float>(level * env * sum / 3.0), wrap);
  }
}

void AddNoiseBurst(Buffer& out, Noise& noise, double t, double length, double lowCut, double highCut,
                   double decay, double level, bool wrap) {
  long start = Samples(t);
  long total = std::max(1, Samples(length));
  double aLow = 1.0 - std::exp(-2 * kPi * highCut / kRate);
  double aHigh = 1.0 - std::exp(-2 * kPi * lowCut / kRate);
  double lp = 0, hp = 0;
  for (long i = 0; i < total; ++i) {
    double time = static_cast<double>(i) / kRate;
    lp += aLow * (noise.Next() - lp);
    hp += aHigh * (lp - hp);
    double band = lp - hp;
    double env = std::exp(-time / decay) * std::min(1.0, time / 0.001);
    AddAt(out, start + i, static_cast<float>(level * env * band), wrap);
  }
}

void LowPass(Buffer& buffer, double cutoffHz) {
  double a = 1.0 - std::exp(-2 * kPi * cutoffHz / kRate);
  double y = 0;
  for (float& x : buffer) {
    y += a * (x - y);
    x = static_cast<float>(y);
  }
}

namespace {

struct Comb {
  std::vector<float> line;
  size_t pos = 0;
  double feedback;
  double damp;
  double store = 0;
  float Process(float in) {
    float out = line[pos];
    store = out * (1 - damp) + store * damp;
    line[pos] = static_cast<float>(in + store * feedback);
    pos = (pos + 1) % line.size();
    return out;
  }
};

struct AllPass {
  std::vector<float> line;
  size_t pos = 0;
  float Process(float in) {
    float delayed = line[pos];
    float out = delayed - 0.5f * in;
    line[pos] = in + 0.5f * delayed;
    pos = (pos + 1) % line.size();
    return out;
  }
};

// Runs the reverb over `passes` copies of the buffer; the last pass is kept.
void RunReverb(Buffer& buffer, double wet, double roomSize, int passes) {
  const int combLengths[4] = {1116, 1188, 1277, 1356};
  const int allLengths[2] = {556, 441};
  std::vector<Comb> combs;
  for (int len : combLengths) {
    combs.push_back(Comb{std::vector<float>(len / 2, 0.0f), 0, 0.7 + 0.28 * roomSize, 0.3});
  }
  std::vector<AllPass> alls;
  for (int len : allLengths) alls.push_back(AllPass{std::vector<float>(len / 2, 0.0f), 0});
  Buffer result(buffer.size());
  for (int pass = 0; pass < passes; ++pass) {
    for (size_t i = 0; i < buffer.size(); ++i) {
      float in = buffer[i] * 0.25f;
      float sum = 0;
      for (Comb& c : combs) sum += c.Process(in);
      for (AllPass& a : alls) sum = a.Process(sum);
      result[i] = static_cast<float>(buffer[i] * (1.0 - wet * 0.5) + sum * wet);
    }
  }
  buffer = result;
}

}  // namespace

void Reverb(Buffer& buffer, double wet, double roomSize) { RunReverb(buffer, wet, roomSize, 1); }

void LoopReverb(Buffer& buffer, double wet, double roomSize) { RunReverb(buffer, wet, roomSize, 2); }

void FadeIn(Buffer& buffer, double seconds) {
  size_t n = std::min(buffer.size(), static_cast<size_t>(Samples(seconds)));
  for (size_t i = 0; i < n; ++i) buffer[i] *= static_cast<float>(i) / n;
}

void FadeOut(Buffer& buffer, double seconds) {
  size_t n = std::min(buffer.size(), static_cast<size_t>(Samples(seconds)));
  for (size_t i = 0; i < n; ++i) buffer[buffer.size() - 1 - i] *= static_cast<float>(i) / n;
}

void Normalize(Buffer& buffer, double peak) {
  float most = 0;
  for (float x : buffer) most = std::max(most, std::fabs(x));
  if (most <= 0) return;
  float gain = static_cast<float>(peak / most);
  for (float& x : buffer) x *= gain;
}

std::string WavBytes(const Buffer& buffer) {
  std::string out;
  auto put32 = [&out](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto put16 = [&out](std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
  };
  std::uint32_t dataBytes = static_cast<std::uint32_t>(buffer.size() * 2);
  out += "RIFF";
  put32(36 + dataBytes);
  out += "WAVEfmt ";
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(kRate);
  put32(kRate * 2);
  put16(2);
  put16(16);
  out += "data";
  put32(dataBytes);
  for (float x : buffer) {
    long v = std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
    put16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
  }
  return out;
}

}  // namespace gen
