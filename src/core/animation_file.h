#pragma once
#include <cstddef>
#include <string>
#include <string_view>

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

// Fills the animation from the sections of the text whose `info face`
// equals name exactly, reading lines as the game's 500-byte line reader does.
void ParseAnimation(Animation& animation, const std::string& name, std::string_view text);

// The shipped curves are a few KB; a file far larger is not read.
constexpr size_t kMaxAnimationFileBytes = 1u << 20;

// Reads the file (at most kMaxAnimationFileBytes) and loads each of the eight
// curves from it. A missing or oversized file leaves every curve empty (each
// then evaluates to 0). Returns the name of the first curve left without
// keys, "" when every one has some.
std::string LoadAnimations(AnimationSet& animations, const std::string& path = "anim.txt");

}  // namespace nb
