#pragma once
#include <cstdint>
#include <vector>

#include "gameplay/world.h"

namespace nb {

// Appends the static walls and floor of the used grid as a plain triangle
// list, row by row: for a Wall the "right", "left", "back" and "front" faces
// where the neighbour in the next row, previous row, next column, previous
// column is not a Wall (outside the grid counts as not a Wall), then always
// "up"; every other cell but Void, Hole, Switch and Gate gets a "pol" tile.
// Each mesh is moved by 50 x row along X and 50 x column along Z. Triangles
// whose indices fall outside their mesh are skipped.
std::vector<VertexPNT> AppendLevelVertices(const LevelRecord& level, const LevelMeshSources& meshes);

// For each vertex, in order, the index of the first vertex whose eight
// components compare equal to its own (a vertex with a NaN matches only
// itself). Linear time: one hash lookup per vertex.
std::vector<uint32_t> WeldVertices(const std::vector<VertexPNT>& vertices);

// Both steps together: the level's merged mesh.
LevelGeometry BuildLevelGeometry(const LevelRecord& level, const LevelMeshSources& meshes);
// The same into an existing mesh, reusing its storage (level after level).
void BuildLevelGeometry(const LevelRecord& level, const LevelMeshSources& meshes, LevelGeometry& out);
void AppendLevelVertices(const LevelRecord& level, const LevelMeshSources& meshes,
                         std::vector<VertexPNT>& out);
void WeldVertices(const std::vector<VertexPNT>& vertices, std::vector<uint32_t>& indices);

}  // namespace nb
