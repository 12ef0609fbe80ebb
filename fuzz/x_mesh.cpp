// Text meshes: every index the reader accepts must name one of its vertices.
// fuzz flags: -max_len=4096
#include <cstdlib>

#include "d3dhelpers/x_mesh.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nb::MeshData mesh;
  if (nb::ParseXMesh(nb::fuzz::View(data, size), mesh)) {
    for (uint16_t index : mesh.indices)
      if (index >= mesh.vertices.size()) std::abort();
  }
  return 0;
}
