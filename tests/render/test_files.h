#pragma once
// Mesh files and pictures for the catalogue tests, written the way the game's data tools write them.
#include <cstdint>
#include <string>
#include <vector>

namespace nb::test {

// A text .x file with a row of `quads` unit squares in the XZ plane: four
// vertices and one upward normal per square, texture coordinates 0..1.
inline std::string QuadRowXFile(int quads) {
  std::string positions, faces, normals, uvs;
  for (int q = 0; q < quads; ++q) {
    const std::string a = std::to_string(q), b = std::to_string(q + 1), end = q == quads - 1 ? ";\n" : ",\n";
    positions += a + ";0;0;, " + a + ";0;1;, " + b + ";0;1;, " + b + ";0;0;" + end;
    faces += "4;" + std::to_string(4 * q) + "," + std::to_string(4 * q + 1) + "," +
             std::to_string(4 * q + 2) + "," + std::to_string(4 * q + 3) + ";" + end;
    normals += "4;0,0,0,0;" + end;
    uvs += "0;0;, 0;1;, 1;1;, 1;0;" + end;
  }
  const std::string n = std::to_string(quads), vertices = std::to_string(4 * quads);
  return "xof 0303txt 0032\nMesh row {\n" + vertices + ";\n" + positions + n + ";\n" + faces +
         "MeshNormals {\n1;\n0.0;1.0;0.0;;\n" + n + ";\n" + normals + "}\nMeshTextureCoords {\n" + vertices +
         ";\n" + uvs + "}\n}\n";
}

// A picture whose texels differ from their neighbours.
inline std::vector<uint8_t> PatternPixels(int width, int height, int channels) {
  std::vector<uint8_t> px(size_t(width) * height * channels);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < channels; ++c)
        px[(size_t(y) * width + x) * channels + c] =
            static_cast<uint8_t>(c == 3 ? 255 : (x * 37 + y * 11 + c * 80) & 0xFF);
  return px;
}

}  // namespace nb::test
