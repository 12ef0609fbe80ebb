#pragma once
#include <string>
#include <vector>

#include "geometry.h"

namespace gen {

struct NamedMesh {
  std::string key;  // the catalogue key; the file is data/meshes/<key>.x
  Mesh mesh;
};

// Every mesh of the catalogue, in catalogue order. A cell is 50 units square
// and centred on the origin; Y is up and the floor's top is at y = 0.
std::vector<NamedMesh> BuildMeshes();

}  // namespace gen
