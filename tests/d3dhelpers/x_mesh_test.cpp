#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "d3dhelpers/x_mesh.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

const char* kHeader = "xof 0303txt 0032\n";

// A unit square in the XZ plane as one quad, behind templates and a comment,
// with one normal, texture coordinates and a material list to skip.
std::string QuadFile() {
  return std::string(kHeader) + R"(
template Vector {
 <3d82ab5e-62da-11cf-ab39-0020af71e433>
 FLOAT x; FLOAT y; FLOAT z;
}
template MeshFace { <3d82ab5f-62da-11cf-ab39-0020af71e433> DWORD nFaceVertexIndices; array DWORD faceVertexIndices[nFaceVertexIndices]; }
// a comment { with a brace
Mesh quad {
 4; 0.0; 0.0; 0.0;, 0.0; 0.0; 1.0;, 1.0; 0.0; 1.0;, 1.0; 0.0; 0.0;;
 1; 4; 0, 1, 2, 3;;
 MeshMaterialList {
  1; 1; 0;;
  Material { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { "tex}ture.png"; } }
 }
 MeshNormals { 1; 0.0; 1.0; 0.0;; 1; 4; 0, 0, 0, 0;; }
 MeshTextureCoords { 4; 0.0; 0.0;, 0.0; 1.0;, 1.0; 1.0;, 1.0; 0.0;; }
}
)";
}

// A corner of a cube: three faces that share position 0, each with its own normal.
std::string CornerFile() {
  return std::string(kHeader) + R"(
Mesh corner {
 7; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 0;0;1;, 0;1;1;, 1;0;1;;
 3; 4;0,3,2,1;, 4;0,4,5,3;, 4;0,1,6,4;;
 MeshNormals { 3; 0;0;-1;, -1;0;0;, 0;-1;0;; 3; 4;0,0,0,0;, 4;1,1,1,1;, 4;2,2,2,2;; }
 MeshTextureCoords { 7; 0;0;, 1;0;, 1;1;, 0;1;, 0.5;0.5;, 0.25;0.75;, 0.75;0.25;; }
}
)";
}

std::tuple<float, float, float> Position(const VertexPNT& v) { return {v.x, v.y, v.z}; }
std::tuple<float, float, float> Normal(const VertexPNT& v) { return {v.nx, v.ny, v.nz}; }

TEST(XMesh, QuadFileBecomesTwoTrianglesOfAFanWithNormalsAndTextureCoordinates) {
  test::ScratchDir dir;
  dir.Write("meshes/quad.x", QuadFile());
  MeshData mesh;
  std::string error;
  EXPECT_FALSE(LoadXMeshFile("meshes/none.x", mesh, &error));
  EXPECT_NE(error.find("none.x"), std::string::npos);
  ASSERT_TRUE(LoadXMeshFile("meshes/quad.x", mesh, &error)) << error;
  ASSERT_EQ(mesh.vertices.size(), 4u);
  EXPECT_EQ(mesh.indices, (std::vector<uint16_t>{0, 1, 2, 0, 2, 3}));
  EXPECT_EQ(Position(mesh.vertices[2]), std::make_tuple(1.f, 0.f, 1.f));
  const float uv[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(std::make_tuple(Normal(mesh.vertices[i]), mesh.vertices[i].u, mesh.vertices[i].v),
              std::make_tuple(std::make_tuple(0.f, 1.f, 0.f), uv[i][0], uv[i][1]))
        << i;
}

TEST(XMesh, APositionWithSeveralNormalsIsSplitIntoOneVertexPerNormal) {
  MeshData mesh;
  std::string error;
  ASSERT_TRUE(ParseXMesh(CornerFile(), mesh, &error)) << error;
  // Position 0 is used with three normals, positions 1, 3 and 4 with two
  // each: 7 file vertices plus 2 + 1 + 1 + 1 split copies.
  ASSERT_EQ(mesh.vertices.size(), 12u);
  ASSERT_EQ(mesh.indices.size(), 18u);
  // Each (position, normal) pair appears once, and every corner has its face's normal.
  std::set<std::tuple<float, float, float, float, float, float>> seen;
  for (const VertexPNT& v : mesh.vertices) EXPECT_TRUE(seen.insert({v.x, v.y, v.z, v.nx, v.ny, v.nz}).second);
  const std::tuple<float, float, float> faceNormals[3] = {{0, 0, -1}, {-1, 0, 0}, {0, -1, 0}};
  for (size_t k = 0; k < 18; ++k) EXPECT_EQ(Normal(mesh.vertices[mesh.indices[k]]), faceNormals[k / 6]) << k;
  // The split copies come after the file's vertices and keep their texture coordinates.
  for (size_t i = 7; i < mesh.vertices.size(); ++i) {
    const VertexPNT& v = mesh.vertices[i];
    bool matches = false;
    for (size_t j = 0; j < 7; ++j)
      if (Position(mesh.vertices[j]) == Position(v))
        matches = mesh.vertices[j].u == v.u && mesh.vertices[j].v == v.v;
    EXPECT_TRUE(matches) << i;
  }
}

TEST(XMesh, FramesMoveTheirMeshesAndSeveralMeshesAreMerged) {
  std::string text = std::string(kHeader) + R"(
Frame Root {
 FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 100,0,0,1;; }
 Frame Turned {
  Mesh tri { 3; 0;0;0;, 1;0;0;, 0;0;1;; 1; 3;0,1,2;; }
  FrameTransformMatrix { 0,0,-1,0, 0,1,0,0, 1,0,0,0, 0,0,0,1;; }
 }
}
Mesh second { 3; 5;5;5;, 6;5;5;, 5;6;5;; 1; 3;2,1,0;; }
)";
  MeshData mesh;
  std::string error;
  ASSERT_TRUE(ParseXMesh(text, mesh, &error)) << error;
  ASSERT_EQ(mesh.vertices.size(), 6u);
  // The inner frame turns +X to -Z, then the outer one moves by 100 along X.
  EXPECT_EQ(Position(mesh.vertices[1]), std::make_tuple(100.f, 0.f, -1.f));
  EXPECT_EQ(Position(mesh.vertices[2]), std::make_tuple(101.f, 0.f, 0.f));
  // Without MeshNormals the normals come from the faces (here -Y, kept by the turn).
  EXPECT_NEAR(mesh.vertices[0].ny, -1, 1e-6);
  // The second mesh's indices are moved past the first mesh's vertices.
  EXPECT_EQ(std::vector<uint16_t>(mesh.indices.begin() + 3, mesh.indices.end()),
            (std::vector<uint16_t>{5, 4, 3}));
  EXPECT_FLOAT_EQ(mesh.vertices[3].x, 5);
  EXPECT_FLOAT_EQ(mesh.vertices[3].u, 0);
}

TEST(XMesh, MalformedTextFailsCleanlyWithAnEmptyResult) {
  const std::string quad = QuadFile(), h = kHeader;
  const std::string tri = h + "Mesh { 3; 0;0;0;, 1;0;0;, 0;0;1;; 1; 3;0,1,2;; ";
  // Well formed but nested past any sensible depth.
  std::string deep = h;
  for (int i = 0; i < 500; ++i) deep += "Frame {";
  deep += "Mesh { 3; 0;0;0;, 1;0;0;, 0;0;1;; 1; 3;0,1,2;; }" + std::string(500, '}');
  // More vertices than 16-bit indices reach.
  std::string huge = h + "Mesh { 70000;";
  for (int i = 0; i < 70000; ++i) huge += "0;0;0;,";
  huge += "; 1; 3;0,1,69999;; }";
  const std::pair<const char*, std::string> cases[] = {
      {"binary form", "xof 0303bin 0032" + quad.substr(16)},
      {"no header", quad.substr(17)},
      {"index past the vertices", h + "Mesh { 3; 0;0;0;, 1;0;0;, 0;0;1;; 1; 3;0,1,3;; }"},
      {"two-corner face", h + "Mesh { 3; 0;0;0;, 1;0;0;, 0;0;1;; 1; 2;0,1;; }"},
      {"huge count", h + "Mesh { 4000000000; 0;0;0;; }"},
      {"count not a number", h + "Mesh { x3; 0;0;0;; }"},
      {"coordinate not a number", h + "Mesh { 1; 0;zero;0;; 0; }"},
      {"normal faces differ", tri + "MeshNormals { 1; 0;1;0;; 1; 3;0,0,1;; } }"},
      {"texture coordinates short", tri + "MeshTextureCoords { 2; 0;0;, 1;1;; } }"},
      {"no mesh", h + "Frame f { }"},
      {"stray brace", h + "}"},
      {"long name", h + std::string(2000, 'F') + "{"},
      {"deep nesting", deep},
      {"past 16-bit indices", huge},
  };
  for (const auto& [name, text] : cases) {
    MeshData mesh;
    mesh.indices = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(ParseXMesh(text, mesh, &error)) << name;
    EXPECT_FALSE(error.empty()) << name;
    EXPECT_TRUE(mesh.vertices.empty() && mesh.indices.empty()) << name;
  }
  // Any cut of a good file before its last brace fails without crashing.
  const std::string full = CornerFile();
  for (size_t cut = 0; cut < full.rfind('}'); ++cut) {
    MeshData mesh;
    EXPECT_FALSE(ParseXMesh(full.substr(0, cut), mesh)) << cut;
    EXPECT_TRUE(mesh.indices.empty());
  }
}

}  // namespace
}  // namespace nb
