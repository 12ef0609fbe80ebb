#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "d3dhelpers/x_mesh.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

const char* kHeader = "xof 0303txt 0032\n";

// A unit square in the XZ plane as one quad, with templates in front, one
// normal, texture coordinates and a material list to skip.
std::string QuadFile() {
  return std::string(kHeader) + R"(
template Vector {
 <3d82ab5e-62da-11cf-ab39-0020af71e433>
 FLOAT x;
 FLOAT y;
 FLOAT z;
}
template MeshFace { <3d82ab5f-62da-11cf-ab39-0020af71e433> DWORD nFaceVertexIndices; array DWORD faceVertexIndices[nFaceVertexIndices]; }
// a comment { with a brace
Mesh quad {
 4;
 0.0; 0.0; 0.0;,
 0.0; 0.0; 1.0;,
 1.0; 0.0; 1.0;,
 1.0; 0.0; 0.0;;
 1;
 4; 0, 1, 2, 3;;
 MeshMaterialList {
  1; 1; 0;;
  Material { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; TextureFilename { "tex}ture.png"; } }
 }
 MeshNormals {
  1;
  0.0; 1.0; 0.0;;
  1;
  4; 0, 0, 0, 0;;
 }
 MeshTextureCoords {
  4;
  0.0; 0.0;,
  0.0; 1.0;,
  1.0; 1.0;,
  1.0; 0.0;;
 }
}
)";
}

// A corner of a cube: three faces that share position 0, each with its own normal.
std::string CornerFile() {
  return std::string(kHeader) + R"(
Mesh corner {
 7;
 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;, 0;0;1;, 0;1;1;, 1;0;1;;
 3;
 4;0,3,2,1;,
 4;0,4,5,3;,
 4;0,1,6,4;;
 MeshNormals {
  3;
  0;0;-1;, -1;0;0;, 0;-1;0;;
  3;
  4;0,0,0,0;,
  4;1,1,1,1;,
  4;2,2,2,2;;
 }
 MeshTextureCoords { 7; 0;0;, 1;0;, 1;1;, 0;1;, 0.5;0.5;, 0.25;0.75;, 0.75;0.25;; }
}
)";
}

TEST(XMesh, QuadBecomesTwoTrianglesOfAFanWithNormalsAndTextureCoordinates) {
  MeshData mesh;
  std::string error;
  ASSERT_TRUE(ParseXMesh(QuadFile(), mesh, &error)) << error;
  ASSERT_EQ(mesh.vertices.size(), 4u);
  EXPECT_EQ(mesh.indices, (std::vector<uint16_t>{0, 1, 2, 0, 2, 3}));
  const VertexPNT& v2 = mesh.vertices[2];
  EXPECT_FLOAT_EQ(v2.x, 1);
  EXPECT_FLOAT_EQ(v2.z, 1);
  EXPECT_FLOAT_EQ(v2.u, 1);
  EXPECT_FLOAT_EQ(v2.v, 1);
  for (const VertexPNT& v : mesh.vertices) {
    EXPECT_FLOAT_EQ(v.ny, 1);
    EXPECT_FLOAT_EQ(v.nx, 0);
  }
  EXPECT_FLOAT_EQ(mesh.vertices[1].v, 1);
  EXPECT_FLOAT_EQ(mesh.vertices[1].u, 0);
}

TEST(XMesh, APositionWithSeveralNormalsIsSplitIntoOneVertexPerNormal) {
  MeshData mesh;
  std::string error;
  ASSERT_TRUE(ParseXMesh(CornerFile(), mesh, &error)) << error;
  // Position 0 is used with three normals, positions 1, 3 and 4 with two
  // each: 7 file vertices plus 2 + 1 + 1 + 1 split copies.
  EXPECT_EQ(mesh.vertices.size(), 12u);
  EXPECT_EQ(mesh.indices.size(), 18u);
  // Every (position, normal) pair that the faces use appears exactly once,
  // and every triangle corner has the normal of its face.
  std::set<std::tuple<float, float, float, float, float, float>> seen;
  for (const VertexPNT& v : mesh.vertices)
    EXPECT_TRUE(seen.insert({v.x, v.y, v.z, v.nx, v.ny, v.nz}).second);
  const float faceNormals[3][3] = {{0, 0, -1}, {-1, 0, 0}, {0, -1, 0}};
  for (size_t t = 0; t < 6; ++t) {
    const float* n = faceNormals[t / 2];
    for (int k = 0; k < 3; ++k) {
      const VertexPNT& v = mesh.vertices[mesh.indices[t * 3 + k]];
      EXPECT_FLOAT_EQ(v.nx, n[0]);
      EXPECT_FLOAT_EQ(v.ny, n[1]);
      EXPECT_FLOAT_EQ(v.nz, n[2]);
    }
  }
  // The split copies keep their position's texture coordinates and come after
  // the file's own vertices.
  for (size_t i = 7; i < mesh.vertices.size(); ++i) {
    const VertexPNT& v = mesh.vertices[i];
    bool matches = false;
    for (size_t j = 0; j < 7; ++j) {
      const VertexPNT& w = mesh.vertices[j];
      if (w.x == v.x && w.y == v.y && w.z == v.z) matches = w.u == v.u && w.v == v.v;
    }
    EXPECT_TRUE(matches) << i;
  }
  // The first face keeps the file's vertices 0, 3, 2, 1 with no split.
  EXPECT_EQ(mesh.indices[0], 0);
  EXPECT_EQ(mesh.indices[1], 3);
  EXPECT_EQ(mesh.indices[2], 2);
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
  // The inner frame turns +X to -Z (a quarter turn about Y), the outer one
  // moves by 100 along X, in that order.
  EXPECT_FLOAT_EQ(mesh.vertices[1].x, 100);
  EXPECT_FLOAT_EQ(mesh.vertices[1].z, -1);
  EXPECT_FLOAT_EQ(mesh.vertices[2].x, 101);
  EXPECT_FLOAT_EQ(mesh.vertices[2].z, 0);
  // Without MeshNormals the normals come from the faces: the triangle
  // (0,0,0), (1,0,0), (0,0,1) faces -Y with the cross product of its edges,
  // and the turn keeps it so.
  EXPECT_NEAR(mesh.vertices[0].ny, -1, 1e-6);
  // The second mesh's indices are moved past the first mesh's vertices.
  EXPECT_EQ((std::vector<uint16_t>(mesh.indices.begin() + 3, mesh.indices.end())),
            (std::vector<uint16_t>{5, 4, 3}));
  EXPECT_FLOAT_EQ(mesh.vertices[3].x, 5);
  EXPECT_FLOAT_EQ(mesh.vertices[3].u, 0);
}

TEST(XMesh, MalformedTextFailsCleanlyWithAnEmptyResult) {
  const std::string quad = QuadFile();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"empty", ""},
      {"binary form", "xof 0303bin 0032" + quad.substr(16)},
      {"no header", quad.substr(17)},
      {"index past the vertices", std::string(kHeader) + "Mesh { 3; 0;0;0;, 1;0;0;, 0;0;1;; 1; 3;0,1,3;; }"},
      {"two-corner face", std::string(kHeader) + "Mesh { 3; 0;0;0;, 1;0;0;, 0;0;1;; 1; 2;0,1;; }"},
      {"huge count", std::string(kHeader) + "Mesh { 4000000000; 0;0;0;; }"},
      {"count not a number", std::string(kHeader) + "Mesh { x3; 0;0;0;; }"},
      {"coordinate not a number", std::string(kHeader) + "Mesh { 1; 0;zero;0;; 0; }"},
      {"normal faces differ", std::string(kHeader) +
           "Mesh { 3; 0;0;0;, 1;0;0;, 0;0;1;; 1; 3;0,1,2;; MeshNormals { 1; 0;1;0;; 1; 3;0,0,1;; } }"},
      {"texture coordinates short", std::string(kHeader) +
           "Mesh { 3; 0;0;0;, 1;0;0;, 0;0;1;; 1; 3;0,1,2;; MeshTextureCoords { 2; 0;0;, 1;1;; } }"},
      {"no mesh", std::string(kHeader) + "Frame f { }"},
      {"stray brace", std::string(kHeader) + "}"},
      {"deep nesting", std::string(kHeader) + std::string(2000, 'F') + "{"},
  };
  for (const auto& [name, text] : cases) {
    MeshData mesh;
    mesh.indices = {1, 2, 3};
    std::string error;
    EXPECT_FALSE(ParseXMesh(text, mesh, &error)) << name;
    EXPECT_FALSE(error.empty()) << name;
    EXPECT_TRUE(mesh.vertices.empty() && mesh.indices.empty()) << name;
  }
  std::string deep = std::string(kHeader);
  for (int i = 0; i < 500; ++i) deep += "Frame {";
  MeshData mesh;
  EXPECT_FALSE(ParseXMesh(deep, mesh));
}

TEST(XMesh, EveryTruncationOfAGoodFileFailsWithoutCrashing) {
  const std::string full = CornerFile();
  // The last brace closes the mesh; any cut before it must fail.
  size_t last = full.rfind('}');
  for (size_t cut = 0; cut < last; ++cut) {
    MeshData mesh;
    EXPECT_FALSE(ParseXMesh(full.substr(0, cut), mesh)) << cut;
    EXPECT_TRUE(mesh.indices.empty());
  }
}

TEST(XMesh, LoadsFromAFileAndReportsAMissingOne) {
  test::ScratchDir dir;
  dir.Write("meshes/quad.x", QuadFile());
  MeshData mesh;
  ASSERT_TRUE(LoadXMeshFile("meshes/quad.x", mesh));
  EXPECT_EQ(mesh.indices.size(), 6u);
  std::string error;
  EXPECT_FALSE(LoadXMeshFile("meshes/none.x", mesh, &error));
  EXPECT_NE(error.find("none.x"), std::string::npos);
  EXPECT_TRUE(mesh.vertices.empty());
}

TEST(XMesh, MoreVerticesThanSixteenBitIndicesReachAreRefused) {
  // 70,000 points in one mesh.
  std::string text = std::string(kHeader) + "Mesh { 70000;";
  for (int i = 0; i < 70000; ++i) text += "0;0;0;,";
  text += "; 1; 3;0,1,69999;; }";
  MeshData mesh;
  std::string error;
  EXPECT_FALSE(ParseXMesh(text, mesh, &error));
  EXPECT_NE(error.find("16-bit"), std::string::npos) << error;
}

}  // namespace
}  // namespace nb
