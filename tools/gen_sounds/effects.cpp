#include "effects.h"

#include <cmath>

namespace gen {
namespace {

Buffer Silence(double seconds) { return Buffer(Samples(seconds), 0.0f); }

const std::vector<Partial> kGlass = {
    {1.0, 1.0, 0.45}, {2.76, 0.45, 0.22}, {5.40, 0.22, 0.1}, {8.93, 0.10, 0.05}};
const std::vector<Partial> kBlip = {{1.0, 1.0, 0}, {2.0, 0.15, 0}};
const std::vector<Partial> kWood = {{1.0, 1.0, 0.03}, {2.57, 0.35, 0.015}, {4.1, 0.15, 0.01}};

ToneShape Shape(double attack, double release) {
  ToneShape s;
  s.attack = attack;
  s.release = release;
  return s;
}

// The Reflector lands: a short, soft click with a hint of pitch.
Buffer ReflectorSet() {
  Buffer b = Silence(0.09);
  Noise n(11);
  AddNoiseBurst(b, n, 0.0, 0.02, 300, 3500, 0.004, 0.7);
  AddTone(b, 0.0, 0.03, 1100, 900, 0.35, {{1.0, 1.0, 0.012}}, Shape(0.001, 0.02));
  Normalize(b, 0.55);
  return b;
}

Buffer ReflectorRemove() {
  Buffer b = Silence(0.16);
  Noise n(12);
  AddNoiseBurst(b, n, 0.0, 0.02, 200, 2500, 0.004, 0.5);
  AddTone(b, 0.005, 0.09, 760, 340, 0.5, {{1.0, 1.0, 0.05}, {2.0, 0.1, 0.03}}, Shape(0.002, 0.04));
  Normalize(b, 0.55);
  return b;
}

Buffer ReflectorTurn() {
  Buffer b = Silence(0.16);
  Noise n(13);
  AddNoiseBurst(b, n, 0.0, 0.03, 800, 6000, 0.006, 0.6);
  AddNoiseBurst(b, n, 0.06, 0.03, 800, 6000, 0.006, 0.5);
  Normalize(b, 0.5);
  return b;
}

// The ball turns on a Reflector: a bright, short metallic ping.
Buffer ReflectHit() {
  Buffer b = Silence(0.4);
  Noise n(14);
  AddNoiseBurst(b, n, 0.0, 0.01, 1500, 8000, 0.002, 0.4);
  AddTone(b, 0.0, 0.3, 1250, 1250, 0.8, {{1.0, 1.0, 0.09}, {2.41, 0.5, 0.05}, {4.07, 0.25, 0.03}},
          Shape(0.001, 0.08));
  Normalize(b, 0.6);
  return b;
}

// A Reflector shatters: glassy splinters over hiss.
Buffer ReflectorCrash() {
  Buffer b = Silence(0.6);
  Noise n(15);
  AddNoiseBurst(b, n, 0.0, 0.5, 2000, 9000, 0.12, 0.6);
  for (int i = 0; i < 9; ++i) {
    double t = n.Uniform(0.0, 0.25);
    double f = n.Uniform(2200, 5200);
    AddTone(b, t, 0.2, f, f, 0.25, kGlass, Shape(0.001, 0.05));
  }
  Normalize(b, 0.7);
  return b;
}

// A wall: a low thud, also the tick of each second counted into the score.
Buffer WallHit() {
  Buffer b = Silence(0.26);
  Noise n(21);
  AddTone(b, 0.0, 0.2, 120, 52, 1.0, {{1.0, 1.0, 0.07}, {2.0, 0.2, 0.03}}, Shape(0.002, 0.05));
  AddNoiseBurst(b, n, 0.0, 0.04, 80, 1200, 0.008, 0.6);
  Normalize(b, 0.8);
  return b;
}

// A brick breaks: a knock and a crumble of falling grains.
Buffer BrickCrash() {
  Buffer b = Silence(0.7);
  Noise n(22);
  AddTone(b, 0.0, 0.15, 95, 55, 0.8, {{1.0, 1.0, 0.06}}, Shape(0.002, 0.05));
  AddNoiseBurst(b, n, 0.0, 0.12, 100, 2500, 0.03, 0.9);
  for (int i = 0; i < 45; ++i) {
    double t = 0.02 + 0.5 * std::pow(n.Uniform(0, 1), 1.6);
    double fade = 1.0 - t / 0.6;
    double lo = n.Uniform(150, 600);
    AddNoiseBurst(b, n, t, 0.05, lo, lo * n.Uniform(3, 8), n.Uniform(0.005, 0.015), 0.7 * fade, false);
  }
  Normalize(b, 0.8);
  return b;
}

// A stone is taken: a glassy two-note chime.
Buffer PickUpStone() {
  Buffer b = Silence(1.0);
  AddTone(b, 0.0, 0.8, NoteFrequency(88), NoteFrequency(88), 0.6, kGlass, Shape(0.001, 0.15));
  AddTone(b, 0.07, 0.8, NoteFrequency(95), NoteFrequency(95), 0.5, kGlass, Shape(0.001, 0.15));
  Reverb(b, 0.25, 0.4);
  FadeOut(b, 0.1);
  Normalize(b, 0.7);
  return b;
}

// A chime arpeggio; the bonus sounds differ in key and direction.
Buffer Arpeggio(const std::vector<double>& notes, double step, double level, double length) {
  Buffer b = Silence(length);
  for (size_t i = 0; i < notes.size(); ++i) {
    double f = NoteFrequency(notes[i]);
    AddTone(b, i * step, 0.35, f, f, level, kGlass, Shape(0.002, 0.1));
  }
  Reverb(b, 0.25, 0.4);
  FadeOut(b, 0.08);
  Normalize(b, 0.7);
  return b;
}

Buffer OnButton() {
  Buffer b = Silence(0.22);
  Noise n(31);
  AddNoiseBurst(b, n, 0.0, 0.015, 1000, 7000, 0.003, 0.6);
  AddTone(b, 0.02, 0.12, 210, 180, 0.8, {{1.0, 1.0, 0.05}, {3.0, 0.3, 0.03}, {5.0, 0.12, 0.02}},
          Shape(0.002, 0.04));
  Normalize(b, 0.7);
  return b;
}

// Gates moving: a motor hum gliding down or up, over a rumble.
Buffer Actor(double from, double to, std::uint32_t seed) {
  Buffer b = Silence(1.0);
  Noise n(seed);
  std::vector<Partial> hum;
  for (int k = 1; k <= 8; ++k) hum.push_back({static_cast<double>(k), 1.0 / k, 0});
  ToneShape s = Shape(0.08, 0.2);
  s.vibratoHz = 11;
  s.vibratoDepth = 0.01;
  AddTone(b, 0.0, 0.72, from, to, 0.6, hum, s);
  AddNoiseBurst(b, n, 0.0, 0.95, 40, 400, 0.5, 0.5);
  LowPass(b, 1500);
  FadeOut(b, 0.15);
  Normalize(b, 0.65);
  return b;
}

// The ball drops into a hole: a falling whistle.
Buffer BallDown() {
  Buffer b = Silence(1.15);
  ToneShape s = Shape(0.01, 0.12);
  s.vibratoHz = 7;
  s.vibratoDepth = 0.015;
  AddTone(b, 0.0, 0.95, 1700, 170, 0.8, {{1.0, 1.0, 1.2}, {2.0, 0.12, 0.8}}, s);
  FadeOut(b, 0.2);
  Normalize(b, 0.65);
  return b;
}

// Ten seconds left: a clock ticking faster, high and low in turn.
Buffer TimeEnd() {
  Buffer b = Silence(1.7);
  double t = 0;
  for (int i = 0; i < 9; ++i) {
    double f = i % 2 ? 1480 : 1980;
    AddTone(b, t, 0.08, f, f, 0.8, kWood, Shape(0.0005, 0.02));
    t += 0.2 - 0.01 * i;
  }
  Normalize(b, 0.7);
  return b;
}

// A sequence of brass notes: {note, start, length}.
struct BrassNote {
  double note, start, length;
};

Buffer Brass(const std::vector<BrassNote>& notes, double length, double level) {
  Buffer b = Silence(length);
  for (const BrassNote& n : notes) AddBrass(b, n.start, n.length, NoteFrequency(n.note), level);
  LowPass(b, 4500);
  Reverb(b, 0.3, 0.5);
  FadeOut(b, 0.25);
  Normalize(b, 0.75);
  return b;
}

Buffer MenuOnClick() {
  Buffer b = Silence(0.05);
  AddTone(b, 0.0, 0.03, 1568, 1568, 0.6, kBlip, Shape(0.002, 0.015));
  Normalize(b, 0.4);
  return b;
}

Buffer MenuOnEnter() {
  Buffer b = Silence(0.3);
  AddTone(b, 0.0, 0.07, NoteFrequency(76), NoteFrequency(76), 0.5, kBlip, Shape(0.003, 0.03));
  AddTone(b, 0.08, 0.14, NoteFrequency(83), NoteFrequency(83), 0.5, kBlip, Shape(0.003, 0.06));
  Normalize(b, 0.5);
  return b;
}

Buffer MenuMov() {
  Buffer b = Silence(0.22);
  Noise n(41);
  AddNoiseBurst(b, n, 0.0, 0.2, 400, 2500, 0.06, 0.4);
  AddTone(b, 0.0, 0.12, 520, 700, 0.35, kBlip, Shape(0.01, 0.06));
  FadeOut(b, 0.05);
  Normalize(b, 0.45);
  return b;
}

Buffer SwichMenu() {
  Buffer b = Silence(0.14);
  AddTone(b, 0.0, 0.04, 880, 880, 0.5, kBlip, Shape(0.002, 0.02));
  AddTone(b, 0.06, 0.04, 1175, 1175, 0.5, kBlip, Shape(0.002, 0.02));
  Normalize(b, 0.45);
  return b;
}

Buffer TestTone() {
  Buffer b = Silence(0.4);
  AddTone(b, 0.0, 0.3, 440, 440, 0.5, kBlip, Shape(0.01, 0.08));
  Normalize(b, 0.5);
  return b;
}

}  // namespace

std::vector<NamedSound> MakeEffects() {
  std::vector<NamedSound> all;
  all.push_back({"BrickCrash", BrickCrash()});
  all.push_back({"WallHit", WallHit()});
  all.push_back({"ReflectHit", ReflectHit()});
  all.push_back({"ReflectorTurn", ReflectorTurn()});
  all.push_back({"ReflectorSet", ReflectorSet()});
  all.push_back({"ReflectorRemove", ReflectorRemove()});
  all.push_back({"ReflectorCrash", ReflectorCrash()});
  all.push_back({"PickUpStone", PickUpStone()});
  all.push_back({"PickUpBonus", Arpeggio({84, 88, 91, 96}, 0.06, 0.5, 0.75)});
  all.push_back({"OnButton", OnButton()});
  all.push_back({"ActorDown", Actor(150, 70, 32)});
  all.push_back({"ActorUp", Actor(70, 150, 33)});
  all.push_back({"swichMenu", SwichMenu()});
  all.push_back({"BallDown", BallDown()});
  all.push_back({"TimeEnd", TimeEnd()});
  all.push_back({"bonus1", Arpeggio({79, 84, 88}, 0.07, 0.5, 0.6)});
  all.push_back({"bonus2", Arpeggio({81, 86, 89}, 0.07, 0.5, 0.6)});
  all.push_back({"bonus3", Arpeggio({91, 86, 83}, 0.07, 0.5, 0.6)});
  all.push_back({"bonus4", Arpeggio({84, 91, 96, 100}, 0.05, 0.5, 0.65)});
  all.push_back({"lost", Brass({{67, 0.0, 0.3}, {63, 0.35, 0.3}, {60, 0.7, 0.8}}, 1.7, 0.5)});
  all.push_back(
      {"win", Brass({{67, 0.0, 0.15}, {72, 0.18, 0.15}, {76, 0.36, 0.9}, {79, 0.36, 0.9}}, 1.6, 0.45)});
  all.push_back({"menuonenter", MenuOnEnter()});
  all.push_back({"menuonclick", MenuOnClick()});
  all.push_back({"test", TestTone()});
  all.push_back({"menumov", MenuMov()});
  all.push_back({"start", Arpeggio({79, 84, 88, 91}, 0.09, 0.55, 0.9)});
  all.push_back({"end", Brass({{60, 0.0, 0.13},
                               {64, 0.15, 0.13},
                               {67, 0.30, 0.13},
                               {72, 0.45, 1.1},
                               {76, 0.45, 1.1},
                               {67, 0.45, 1.1}},
                              2.0, 0.4)});
  return all;
}

}  // namespace gen
