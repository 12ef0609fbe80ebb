#pragma once
#include <string>
#include <string_view>

#include "core/vertex_formats.h"

namespace nb {

// Reader of DirectX .x mesh files in their text form ("xof 0303txt 0032").
//
// Every Mesh of the file is read, with the transforms of the Frames that
// enclose it applied, and all of them are merged into one triangle list:
// polygons become fans, MeshNormals and MeshTextureCoords fill the vertices,
// and a position that carries several normals is split into one vertex per
// normal (the split copies go after the file's own vertices). Templates and
// data objects the game does not use are skipped. A mesh without normals gets
// the averaged normals of its faces; one without texture coordinates gets 0, 0.
//
// Bad input never crashes: counts are bounded by the text that is left, every
// index is checked, and the result must fit 16-bit indices. On failure the
// output is empty and `error` (when given) says what was wrong.
bool ParseXMesh(std::string_view text, MeshData& out, std::string* error = nullptr);

// Reads the file (at most 64 MiB) and parses it.
bool LoadXMeshFile(const std::string& path, MeshData& out, std::string* error = nullptr);

}  // namespace nb
