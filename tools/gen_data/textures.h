#pragma once
#include "raster.h"

namespace gen {

class FontFace;

// The common atlas `Texture`: tiles of the playfield, the logo, the pointer
// and the slider (see atlas_layout.h).
Image MakeAtlas(const FontFace& logoFont);
// `particle`: a 4 x 4 atlas of white glows, sparks and rings in the alpha.
Image MakeParticles();
// `sun`: the island's grass, hanging grass fringe and rock.
Image MakeIslandTexture();
// `clouds`: white clouds on black, seamless, for a screen-like blend.
Image MakeClouds();
// `skybox`: the six faces of the sky.
Image MakeSkybox();
// `Spheremap`: the reflection picture of the shiny elements.
Image MakeSpheremap();
// `helptexture`: one 115 x 374 picture per help page (two for the first).
Image MakeHelpTexture(const Image& atlas, const FontFace& labelFont);

}  // namespace gen
