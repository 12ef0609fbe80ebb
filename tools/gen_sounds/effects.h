#pragma once
#include <string>
#include <vector>

#include "synth.h"

namespace gen {

struct NamedSound {
  std::string key;  // the Sounds key, also the file's name
  Buffer samples;
};

// Every sound effect of the Sounds section, in the catalogue's order.
std::vector<NamedSound> MakeEffects();

}  // namespace gen
