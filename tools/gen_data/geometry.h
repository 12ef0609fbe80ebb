#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace gen {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Normalize(Vec3 a) {
  float l = Length(a);
  return l > 1e-12f ? a * (1.0f / l) : Vec3{0, 1, 0};
}

struct Vertex {
  Vec3 p;
  Vec3 n;
  float u = 0, v = 0;
};

// A triangle list with 16-bit indices, as the game's loader keeps it. Front
// faces wind clockwise seen from outside (the left-handed convention), which
// AddTriangle enforces from the normal the caller means the face to have.
struct Mesh {
  std::vector<Vertex> vertices;
  std::vector<uint16_t> indices;

  uint16_t Add(const Vertex& v);
  // Adds the triangle so that it faces along `facing`.
  void AddTriangle(uint16_t a, uint16_t b, uint16_t c, Vec3 facing);
  // A flat quad a-b-c-d (in order round its edge) facing along a's normal.
  void AddQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d);
  void Append(const Mesh& other);
  // Replaces the normals by the area-weighted average of the faces that
  // share each vertex (for shapes meant to look round).
  void SmoothNormals();
  // Drops vertices no triangle uses (the poles of a sphere, for one).
  void RemoveUnusedVertices();
};

// One DirectX text `.x` file holding the mesh with its normals and texture
// coordinates.
std::string XFileText(const Mesh& mesh, const std::string& name);

// Triangulates a simple polygon (either winding) by ear clipping; returns
// index triples into `outline`.
std::vector<int> TriangulatePolygon(const std::vector<std::pair<float, float>>& outline);

}  // namespace gen
