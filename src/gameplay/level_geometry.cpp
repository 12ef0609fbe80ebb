#include "gameplay/level_geometry.h"

#include <cstring>

namespace nb {
namespace {

void AppendMesh(std::vector<VertexPNT>& out, const MeshData* mesh, int row, int col) {
  if (!mesh) return;
  const size_t vertexCount = mesh->vertices.size();
  const size_t triangles = mesh->indices.size() / 3;
  const float dx = static_cast<float>(kCellSize * row);
  const float dz = static_cast<float>(kCellSize * col);
  for (size_t t = 0; t < triangles; ++t) {
    const uint16_t* tri = &mesh->indices[3 * t];
    if (tri[0] >= vertexCount || tri[1] >= vertexCount || tri[2] >= vertexCount) continue;
    for (int k = 0; k < 3; ++k) {
      VertexPNT v = mesh->vertices[tri[k]];
      v.x += dx;
      v.z += dz;
      out.push_back(v);
    }
  }
}

bool IsWall(const LevelRecord& level, int row, int col) {
  return InsideGrid(level, row, col) && level.cells[row][col].kind == Wall;
}

size_t TrianglesOf(const MeshData* mesh) { return mesh ? mesh->indices.size() / 3 : 0; }

// The bit pattern of a float with -0 folded onto +0, so that values that
// compare equal hash equally.
uint32_t KeyBits(float f) {
  if (f == 0.0f) return 0;
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

uint64_t HashVertex(const VertexPNT& v) {
  const float parts[8] = {v.x, v.y, v.z, v.nx, v.ny, v.nz, v.u, v.v};
  uint64_t h = 0;
  for (float f : parts) {
    h = (h ^ KeyBits(f)) * 0x9E3779B97F4A7C15ull;
    h = (h << 29) | (h >> 35);
  }
  // Final avalanche so that the low bits used by the table depend on all.
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return h;
}

bool SameVertex(const VertexPNT& a, const VertexPNT& b) {
  return a.x == b.x && a.y == b.y && a.z == b.z && a.nx == b.nx && a.ny == b.ny && a.nz == b.nz &&
         a.u == b.u && a.v == b.v;
}

}  // namespace

std::vector<VertexPNT> AppendLevelVertices(const LevelRecord& level, const LevelMeshSources& meshes) {
  std::vector<VertexPNT> out;
  AppendLevelVertices(level, meshes, out);
  return out;
}

void AppendLevelVertices(const LevelRecord& level, const LevelMeshSources& meshes,
                         std::vector<VertexPNT>& out) {
  const int rows = level.rows < kGridSize ? level.rows : kGridSize;
  const int cols = level.cols < kGridSize ? level.cols : kGridSize;

  // Count first so the array is allocated once.
  size_t triangles = 0;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const int32_t kind = level.cells[r][c].kind;
      if (kind == Wall) {
        if (!IsWall(level, r + 1, c)) triangles += TrianglesOf(meshes.right);
        if (!IsWall(level, r - 1, c)) triangles += TrianglesOf(meshes.left);
        if (!IsWall(level, r, c + 1)) triangles += TrianglesOf(meshes.back);
        if (!IsWall(level, r, c - 1)) triangles += TrianglesOf(meshes.front);
        triangles += TrianglesOf(meshes.up);
      } else if (kind != Void && kind != Hole && kind != Switch && kind != Gate) {
        triangles += TrianglesOf(meshes.pol);
      }
    }
  }

  out.clear();
  out.reserve(3 * triangles);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      const int32_t kind = level.cells[r][c].kind;
      if (kind == Wall) {
        if (!IsWall(level, r + 1, c)) AppendMesh(out, meshes.right, r, c);
        if (!IsWall(level, r - 1, c)) AppendMesh(out, meshes.left, r, c);
        if (!IsWall(level, r, c + 1)) AppendMesh(out, meshes.back, r, c);
        if (!IsWall(level, r, c - 1)) AppendMesh(out, meshes.front, r, c);
        AppendMesh(out, meshes.up, r, c);
      } else if (kind != Void && kind != Hole && kind != Switch && kind != Gate) {
        AppendMesh(out, meshes.pol, r, c);
      }
    }
  }
}

std::vector<uint32_t> WeldVertices(const std::vector<VertexPNT>& vertices) {
  std::vector<uint32_t> indices;
  WeldVertices(vertices, indices);
  return indices;
}

void WeldVertices(const std::vector<VertexPNT>& vertices, std::vector<uint32_t>& indices) {
  const size_t n = vertices.size();
  indices.resize(n);
  if (n == 0) return;

  // Open addressing; each slot keeps the vertex number and the upper half of
  // its hash, so most mismatches are told apart without reading the vertex.
  // The table stays at most half full.
  size_t capacity = 16;
  while (capacity < 2 * n) capacity <<= 1;
  const size_t mask = capacity - 1;
  constexpr uint64_t kEmpty = ~0ull;
  std::vector<uint64_t> table(capacity, kEmpty);

  // The table is read at random; hashing a few vertices ahead lets their
  // slots be fetched while the current one is compared.
  constexpr size_t kAhead = 16;
  uint64_t ahead[kAhead];
  for (size_t i = 0; i < kAhead && i < n; ++i) {
    ahead[i] = HashVertex(vertices[i]);
    __builtin_prefetch(&table[ahead[i] & mask]);
  }
  for (size_t i = 0; i < n; ++i) {
    const VertexPNT& v = vertices[i];
    const uint64_t h = ahead[i % kAhead];
    if (i + kAhead < n) {
      const uint64_t next = HashVertex(vertices[i + kAhead]);
      ahead[i % kAhead] = next;
      __builtin_prefetch(&table[next & mask]);
    }
    const uint64_t tag = h & 0xFFFFFFFF00000000ull;
    size_t slot = h & mask;
    uint32_t found = static_cast<uint32_t>(i);
    for (;;) {
      const uint64_t entry = table[slot];
      if (entry == kEmpty) {
        // The first of its kind (or a vertex with a NaN, which equals nothing).
        table[slot] = tag | i;
        break;
      }
      if ((entry & 0xFFFFFFFF00000000ull) == tag) {
        const uint32_t j = static_cast<uint32_t>(entry);
        if (SameVertex(vertices[j], v)) {
          found = j;
          break;
        }
      }
      slot = (slot + 1) & mask;
    }
    indices[i] = found;
  }
}

LevelGeometry BuildLevelGeometry(const LevelRecord& level, const LevelMeshSources& meshes) {
  LevelGeometry geometry;
  BuildLevelGeometry(level, meshes, geometry);
  return geometry;
}

void BuildLevelGeometry(const LevelRecord& level, const LevelMeshSources& meshes, LevelGeometry& out) {
  AppendLevelVertices(level, meshes, out.vertices);
  WeldVertices(out.vertices, out.indices);
}

}  // namespace nb
