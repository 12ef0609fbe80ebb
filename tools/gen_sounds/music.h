#pragma once
#include <vector>

#include "effects.h"

namespace gen {

// The three music streams: gamemusic and menumusic loop without a seam,
// intromusic plays once through the splash.
std::vector<NamedSound> MakeMusic();

}  // namespace gen
