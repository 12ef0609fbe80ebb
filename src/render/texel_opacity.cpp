#include "render/texel_opacity.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace nb {
namespace {

// Translucent texels in columns [x0, x1) and rows [y0, y1), all in range.
uint32_t CountIn(const TranslucentTexels& t, int x0, int y0, int x1, int y1) {
  const size_t stride = static_cast<size_t>(t.width) + 1;
  auto at = [&](int x, int y) { return t.sums[static_cast<size_t>(y) * stride + static_cast<size_t>(x)]; };
  return at(x1, y1) - at(x0, y1) - at(x1, y0) + at(x0, y0);
}

// The texel span [first, last] that coordinates from lo to hi read on a side
// of `size` texels, as at most two ranges [begin, end) once wrapped.
int WrappedRanges(float lo, float hi, int size, std::array<std::pair<int, int>, 2>& ranges) {
  const double first = std::floor(static_cast<double>(lo) * size - 0.5) - 1;
  const double last = std::floor(static_cast<double>(hi) * size - 0.5) + 2;
  // The whole side; also for coordinates too large to wrap exactly, or not numbers.
  if (!(last - first < size) || !(std::fabs(first) < 1e9)) {
    ranges[0] = {0, size};
    return 1;
  }
  const int begin = static_cast<int>(first - std::floor(first / size) * size);
  const int end = begin + static_cast<int>(last - first) + 1;
  if (end <= size) {
    ranges[0] = {begin, end};
    return 1;
  }
  ranges[0] = {begin, size};
  ranges[1] = {0, end - size};
  return 2;
}

bool FaceIsOpaque(const MeshData& mesh, size_t face, const TranslucentTexels& t) {
  float u0 = mesh.vertices[mesh.indices[face]].u, u1 = u0;
  float v0 = mesh.vertices[mesh.indices[face]].v, v1 = v0;
  for (size_t k = 1; k < 3; ++k) {
    const VertexPNT& vertex = mesh.vertices[mesh.indices[face + k]];
    u0 = std::min(u0, vertex.u), u1 = std::max(u1, vertex.u);
    v0 = std::min(v0, vertex.v), v1 = std::max(v1, vertex.v);
  }
  std::array<std::pair<int, int>, 2> columns, rows;
  const int nc = WrappedRanges(u0, u1, t.width, columns), nr = WrappedRanges(v0, v1, t.height, rows);
  for (int c = 0; c < nc; ++c)
    for (int r = 0; r < nr; ++r)
      if (CountIn(t, columns[c].first, rows[r].first, columns[c].second, rows[r].second) != 0) return false;
  return true;
}

}  // namespace

TranslucentTexels CountTranslucentTexels(const Image& image) {
  TranslucentTexels t;
  if (image.width <= 0 || image.height <= 0 ||
      image.rgba.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height) * 4)
    return t;
  t.width = image.width;
  t.height = image.height;
  const size_t stride = static_cast<size_t>(t.width) + 1;
  t.sums.assign(stride * (static_cast<size_t>(t.height) + 1), 0);
  for (size_t y = 0; y < static_cast<size_t>(t.height); ++y) {
    uint32_t row = 0;
    for (size_t x = 0; x < static_cast<size_t>(t.width); ++x) {
      row += image.rgba[(y * static_cast<size_t>(t.width) + x) * 4 + 3] < 255;
      t.sums[(y + 1) * stride + x + 1] = t.sums[y * stride + x + 1] + row;
    }
  }
  return t;
}

uint32_t PutOpaqueFacesFirst(MeshData& mesh, const TranslucentTexels& texels) {
  if (texels.sums.empty() || mesh.indices.size() % 3 != 0) return 0;
  for (uint16_t index : mesh.indices)
    if (index >= mesh.vertices.size()) return 0;
  std::vector<uint16_t> opaque, rest;
  for (size_t face = 0; face < mesh.indices.size(); face += 3) {
    std::vector<uint16_t>& to = FaceIsOpaque(mesh, face, texels) ? opaque : rest;
    to.insert(to.end(), mesh.indices.begin() + static_cast<long>(face),
              mesh.indices.begin() + static_cast<long>(face) + 3);
  }
  const uint32_t count = static_cast<uint32_t>(opaque.size() / 3);
  opaque.insert(opaque.end(), rest.begin(), rest.end());
  mesh.indices = std::move(opaque);
  return count;
}

}  // namespace nb
