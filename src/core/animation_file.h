#pragma once
#include <istream>
#include <string>

#include "core/keyframe_curve.h"

namespace nb {

// A channel never grows past this many keys, whatever a count line says.
constexpr int kMaxKeysPerChannel = 65536;

// The eight curves the game reads from anim.txt, filled once at start-up.
struct AnimationSet {
  Animation logo;      // splash: alpha of the maker's name, clock in ms
  Animation logo1;     // splash: alpha of the black fade; 255 ends the splash
  Animation timeleft;  // pulsing warning texts, 8-bit counter
  Animation bonus;     // scale of bonus elements, 8-bit counter plus phase
  Animation clouds;    // cloud layer offset, counter 0..1024
  Animation rotation;  // angle of spinning objects, 8-bit counter
  Animation input;     // horizontal slide of menu items, by fade level
  Animation up;        // lift of screen titles, by fade level
};

// Fills the animation from the sections of the stream whose `info face`
// equals name exactly. Reads to the end; always true.
bool LoadAnimation(Animation& animation, const std::string& name, std::istream& in);

// Opens the file anew for each of the eight names and loads that curve. A
// missing file leaves every curve empty (each then evaluates to 0). Returns
// the name of the first curve left without keys, "" when every one has some.
std::string LoadAnimations(AnimationSet& animations, const std::string& path = "anim.txt");

}  // namespace nb
