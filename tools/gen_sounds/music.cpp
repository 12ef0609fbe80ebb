#include "music.h"

#include <cmath>

namespace gen {
namespace {

struct Chord {
  double bass;                // root, low octave
  std::vector<double> tones;  // the chord in the middle octave
};

// {note, length in beats}; note 0 is a rest.
struct Note {
  double note, beats;
};

const std::vector<Partial> kBell = {{1.0, 1.0, 0.9}, {2.0, 0.2, 0.4}, {3.0, 0.08, 0.25}};
const std::vector<Partial> kMallet = {{1.0, 1.0, 0.22}, {3.93, 0.18, 0.04}};
const std::vector<Partial> kPluckBass = {{1.0, 1.0, 0.4}, {2.0, 0.35, 0.18}, {3.0, 0.1, 0.1}};
const std::vector<Partial> kLead = {{1.0, 1.0, 1.5}, {2.0, 0.3, 1.0}, {3.0, 0.18, 0.6}};
const std::vector<Partial> kChime = {{1.0, 1.0, 1.6}, {2.76, 0.3, 0.5}, {5.4, 0.1, 0.2}};

ToneShape Shape(double attack, double release, double vibratoDepth = 0.0) {
  ToneShape s;
  s.attack = attack;
  s.release = release;
  s.vibratoHz = 5.0;
  s.vibratoDepth = vibratoDepth;
  return s;
}

void AddMelody(Buffer& b, const std::vector<Note>& notes, double startBeat, double beat,
               const std::vector<Partial>& timbre, double level, double vibrato) {
  double at = startBeat;
  for (const Note& n : notes) {
    if (n.note > 0) {
      double f = NoteFrequency(n.note);
      AddTone(b, at * beat, n.beats * beat * 0.9, f, f, level, timbre, Shape(0.015, 0.12, vibrato), true);
    }
    at += n.beats;
  }
}

void AddKick(Buffer& b, double t) {
  AddTone(b, t, 0.14, 120, 44, 0.7, {{1.0, 1.0, 0.09}}, Shape(0.002, 0.04), true);
}

// A light theme for the menus: bells over a marimba, 100 beats a minute.
Buffer MenuTheme() {
  const double beat = 0.6;
  const std::vector<Chord> chords = {{48, {60, 64, 67}}, {45, {60, 64, 69}}, {41, {60, 65, 69}},
                                     {43, {59, 62, 67}}, {48, {60, 64, 67}}, {45, {60, 64, 69}},
                                     {50, {62, 65, 69}}, {43, {59, 62, 67}}};
  const int bars = static_cast<int>(chords.size());
  Buffer b(Samples(bars * 4 * beat), 0.0f);
  Noise noise(501);
  const int arp[8] = {0, 1, 2, 1, 0, 2, 1, 2};
  for (int bar = 0; bar < bars; ++bar) {
    const Chord& c = chords[bar];
    double t0 = bar * 4 * beat;
    for (double tone : c.tones) AddPad(b, t0, 4 * beat, NoteFrequency(tone), 0.05, true);
    for (int k : {0, 2}) {
      double f = NoteFrequency(c.bass);
      AddTone(b, t0 + k * beat, 1.6 * beat, f, f, 0.35, kPluckBass, Shape(0.005, 0.1), true);
    }
    for (int e = 0; e < 8; ++e) {
      double f = NoteFrequency(c.tones[arp[e]] + 12);
      AddTone(b, t0 + e * beat / 2, beat * 0.45, f, f, e % 2 ? 0.1 : 0.14, kMallet, Shape(0.002, 0.08), true);
      if (e % 2) {
        AddNoiseBurst(b, noise, t0 + e * beat / 2, 0.08, 5000, 10000, 0.018, 0.08, true);
      }
    }
  }
  const std::vector<Note> melody = {{76, 1}, {79, 1}, {84, 2},               // C
                                    {83, 1}, {81, 1}, {76, 2},               // Am
                                    {77, 1}, {81, 1}, {84, 1.5}, {81, 0.5},  // F
                                    {79, 3}, {74, 1},                        // G
                                    {76, 1}, {79, 1}, {84, 1},   {88, 1},    // C
                                    {86, 2}, {84, 1}, {81, 1},               // Am
                                    {77, 1}, {81, 1}, {86, 1},   {84, 1},    // Dm
                                    {83, 2}, {79, 1}, {0, 1}};               // G
  AddMelody(b, melody, 0, beat, kBell, 0.3, 0.004);
  LoopReverb(b, 0.22, 0.5);
  Normalize(b, 0.7);
  return b;
}

// A steadier theme for play: a pulse of kick, hat and bass, 120 beats a minute.
Buffer GameTheme() {
  const double beat = 0.5;
  const std::vector<Chord> cycle = {
      {45, {57, 60, 64}}, {41, {57, 60, 65}}, {48, {55, 60, 64}}, {43, {55, 59, 62}}};
  const int bars = 16;
  Buffer b(Samples(bars * 4 * beat), 0.0f);
  Noise noise(601);
  for (int bar = 0; bar < bars; ++bar) {
    const Chord& c = cycle[bar % 4];
    double t0 = bar * 4 * beat;
    for (double tone : c.tones) AddPad(b, t0, 4 * beat, NoteFrequency(tone), 0.045, true);
    for (int k = 0; k < 4; ++k) {
      AddKick(b, t0 + k * beat);
      if (bar >= 4 && (k == 1 || k == 3)) {
        AddNoiseBurst(b, noise, t0 + k * beat, 0.15, 300, 6000, 0.045, 0.3, true);
      }
    }
    for (int e = 0; e < 8; ++e) {
      double t = t0 + e * beat / 2;
      if (e % 2) AddNoiseBurst(b, noise, t, 0.06, 6000, 10500, 0.012, 0.12, true);
      double note = c.bass - 12 + ((e == 3 || e == 7) ? 12 : 0);
      double f = NoteFrequency(note);
      AddTone(b, t, beat * 0.4, f, f, 0.4, kPluckBass, Shape(0.004, 0.05), true);
      if (bar >= 4) {
        const int arp[8] = {0, 1, 2, 1, 2, 1, 0, 1};
        double g = NoteFrequency(c.tones[arp[e]] + 12);
        AddTone(b, t, beat * 0.4, g, g, bar >= 8 ? 0.06 : 0.1, kMallet, Shape(0.002, 0.06), true);
      }
    }
  }
  const std::vector<Note> lead = {{81, 1.5}, {84, 0.5}, {88, 1}, {86, 1},  // Am
                                  {84, 2},   {81, 1},   {77, 1},           // F
                                  {79, 1.5}, {76, 0.5}, {79, 1}, {84, 1},  // C
                                  {83, 2},   {86, 2},                      // G
                                  {88, 1.5}, {86, 0.5}, {84, 1}, {83, 1},  // Am
                                  {81, 2},   {84, 1},   {81, 1},           // F
                                  {79, 1},   {76, 1},   {79, 1}, {84, 1},  // C
                                  {83, 3},   {0, 1}};                      // G
  AddMelody(b, lead, 8 * 4, beat, kLead, 0.22, 0.006);
  LoopReverb(b, 0.15, 0.4);
  Normalize(b, 0.7);
  return b;
}

// A calm opening over the splash (about five seconds): slow pads and
// distant chimes, faded out by the time the menu music takes over.
Buffer IntroTheme() {
  const double bar = 1.2;
  const std::vector<Chord> chords = {
      {50, {62, 66, 69, 73}}, {47, {59, 62, 66, 69}}, {43, {55, 59, 62, 66}}, {45, {57, 61, 64, 69}}};
  Buffer b(Samples(chords.size() * bar + 1.2), 0.0f);
  const int pattern[4] = {0, 2, 1, 3};
  for (size_t i = 0; i < chords.size(); ++i) {
    const Chord& c = chords[i];
    double t0 = i * bar;
    for (double tone : c.tones) AddPad(b, t0, bar, NoteFrequency(tone), 0.08);
    double f = NoteFrequency(c.bass - 12);
    AddTone(b, t0, bar * 0.9, f, f, 0.25, {{1.0, 1.0, 0}, {2.0, 0.2, 0}}, Shape(0.3, 0.4));
    for (int k = 0; k < 4; ++k) {
      double g = NoteFrequency(c.tones[pattern[(k + i) % 4]] + 12);
      AddTone(b, t0 + k * bar / 4, 0.9, g, g, k % 2 ? 0.08 : 0.12, kChime, Shape(0.004, 0.3));
    }
  }
  Reverb(b, 0.45, 0.6);
  FadeIn(b, 0.15);
  FadeOut(b, 1.8);
  Normalize(b, 0.65);
  return b;
}

}  // namespace

std::vector<NamedSound> MakeMusic() {
  return {{"gamemusic", GameTheme()}, {"menumusic", MenuTheme()}, {"intromusic", IntroTheme()}};
}

}  // namespace gen
