#pragma once
#include <cstdint>
#include <vector>

#include "core/vertex_formats.h"
#include "d3dhelpers/image_file.h"

namespace nb {

// Where a picture is less than fully opaque: for each texel corner, how many
// texels above and to the left of it have alpha under 255, so that any
// rectangle is counted from four entries.
struct TranslucentTexels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> sums;  // (width + 1) x (height + 1), row by row
};

TranslucentTexels CountTranslucentTexels(const Image& image);

// Orders the mesh's faces so that those which can only ever sample opaque
// texels come first, and returns how many they are. A face's footprint is
// the box of its texture coordinates, wrapped, widened by the texels that
// bilinear filtering of the top level reads around it (and one more against
// rounding). With no picture no face counts as opaque.
uint32_t PutOpaqueFacesFirst(MeshData& mesh, const TranslucentTexels& texels);

}  // namespace nb
