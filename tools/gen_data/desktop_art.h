#pragma once
#include <string>
#include <vector>

#include "raster.h"

namespace gen {

// The pictures the desktop shows for the game, painted from the game's own
// atlas (`Texture`) and clouds.

// The application icon at size x size: a floor slab, the ball rolling at a
// Reflector that turns it up.
Image MakeIcon(const Image& atlas, int size);

// A view of a level from above, as the game's first level looks: the sky and
// clouds behind, the island's cells from the atlas tiles, the ball at the
// start, the logo. `grid` holds the level source's grid lines without their
// '|'.
Image MakeScreenshot(const Image& atlas, const Image& clouds, const std::vector<std::string>& grid);

}  // namespace gen
