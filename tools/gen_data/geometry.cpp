#include "geometry.h"

#include <cstdio>

namespace gen {

uint16_t Mesh::Add(const Vertex& v) {
  vertices.push_back(v);
  return static_cast<uint16_t>(vertices.size() - 1);
}

void Mesh::AddTriangle(uint16_t a, uint16_t b, uint16_t c, Vec3 facing) {
  Vec3 pa = vertices[a].p, pb = vertices[b].p, pc = vertices[c].p;
  Vec3 n = Cross(pb - pa, pc - pa);
  if (Length(n) < 1e-4f) return;  // a degenerate sliver adds nothing
  if (Dot(n, facing) < 0) std::swap(b, c);
  indices.push_back(a);
  indices.push_back(b);
  indices.push_back(c);
}

void Mesh::AddQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d) {
  uint16_t ia = Add(a), ib = Add(b), ic = Add(c), id = Add(d);
  AddTriangle(ia, ib, ic, a.n);
  AddTriangle(ia, ic, id, a.n);
}

void Mesh::Append(const Mesh& other) {
  uint16_t base = static_cast<uint16_t>(vertices.size());
  vertices.insert(vertices.end(), other.vertices.begin(), other.vertices.end());
  for (uint16_t i : other.indices) indices.push_back(static_cast<uint16_t>(base + i));
}

void Mesh::SmoothNormals() {
  std::vector<Vec3> sum(vertices.size());
  for (size_t i = 0; i + 2 < indices.size(); i += 3) {
    Vec3 a = vertices[indices[i]].p, b = vertices[indices[i + 1]].p, c = vertices[indices[i + 2]].p;
    Vec3 n = Cross(b - a, c - a);
    for (int k = 0; k < 3; ++k) sum[indices[i + k]] = sum[indices[i + k]] + n;
  }
  for (size_t i = 0; i < vertices.size(); ++i) vertices[i].n = Normalize(sum[i]);
}

void Mesh::RemoveUnusedVertices() {
  std::vector<int> remap(vertices.size(), -1);
  std::vector<Vertex> kept;
  for (uint16_t& i : indices) {
    if (remap[i] < 0) {
      remap[i] = static_cast<int>(kept.size());
      kept.push_back(vertices[i]);
    }
    i = static_cast<uint16_t>(remap[i]);
  }
  vertices.swap(kept);
}

namespace {

void AppendNumber(std::string& out, float value) {
  char buffer[32];
  if (std::fabs(value) < 5e-7f) value = 0.0f;  // no "-0.000000"
  std::snprintf(buffer, sizeof buffer, "%.6f", value);
  out += buffer;
}

void AppendFaces(std::string& out, const Mesh& mesh) {
  size_t faces = mesh.indices.size() / 3;
  out += "  " + std::to_string(faces) + ";\n";
  for (size_t f = 0; f < faces; ++f) {
    out += "  3;" + std::to_string(mesh.indices[3 * f]) + "," + std::to_string(mesh.indices[3 * f + 1]) +
           "," + std::to_string(mesh.indices[3 * f + 2]) + (f + 1 < faces ? ";,\n" : ";;\n");
  }
}

// One value list per vertex ("  a;b;c;,") with the count first, as every
// block of a text .x mesh writes it.
template <typename Fields>
void AppendVertexList(std::string& out, const Mesh& mesh, Fields fields) {
  size_t n = mesh.vertices.size();
  out += "  " + std::to_string(n) + ";\n";
  for (size_t i = 0; i < n; ++i) {
    out += "  ";
    std::vector<float> values = fields(mesh.vertices[i]);
    for (size_t k = 0; k < values.size(); ++k) {
      if (k > 0) out += ";";
      AppendNumber(out, values[k]);
    }
    out += (i + 1 < n) ? ";,\n" : ";;\n";
  }
}

}  // namespace

std::string XFileText(const Mesh& mesh, const std::string& name) {
  std::string out = "xof 0303txt 0032\n\n";
  out += "Mesh " + name + " {\n";
  AppendVertexList(out, mesh, [](const Vertex& v) { return std::vector<float>{v.p.x, v.p.y, v.p.z}; });
  AppendFaces(out, mesh);
  out += "\n  MeshNormals {\n";
  AppendVertexList(out, mesh, [](const Vertex& v) { return std::vector<float>{v.n.x, v.n.y, v.n.z}; });
  AppendFaces(out, mesh);
  out += "  }\n\n  MeshTextureCoords {\n";
  AppendVertexList(out, mesh, [](const Vertex& v) { return std::vector<float>{v.u, v.v}; });
  out += "  }\n}\n";
  return out;
}

std::vector<int> TriangulatePolygon(const std::vector<std::pair<float, float>>& outline) {
  std::vector<int> result;
  int n = static_cast<int>(outline.size());
  if (n < 3) return result;
  double area = 0;
  for (int i = 0; i < n; ++i) {
    auto [x0, y0] = outline[i];
    auto [x1, y1] = outline[(i + 1) % n];
    area += double(x0) * y1 - double(x1) * y0;
  }
  std::vector<int> ring(n);
  for (int i = 0; i < n; ++i) ring[i] = area > 0 ? i : n - 1 - i;  // counter-clockwise
  auto cross = [&](int a, int b, int c) {
    auto [ax, ay] = outline[a];
    auto [bx, by] = outline[b];
    auto [cx, cy] = outline[c];
    return double(bx - ax) * (cy - ay) - double(by - ay) * (cx - ax);
  };
  auto inside = [&](int p, int a, int b, int c) {
    return cross(a, b, p) >= 0 && cross(b, c, p) >= 0 && cross(c, a, p) >= 0;
  };
  int guard = 0;
  while (ring.size() > 3 && guard++ < 10000) {
    int m = static_cast<int>(ring.size());
    bool clipped = false;
    for (int i = 0; i < m; ++i) {
      int a = ring[(i + m - 1) % m], b = ring[i], c = ring[(i + 1) % m];
      if (cross(a, b, c) <= 1e-9) continue;  // reflex or flat corner
      bool empty = true;
      for (int k = 0; k < m && empty; ++k) {
        int p = ring[k];
        if (p == a || p == b || p == c) continue;
        if (inside(p, a, b, c)) empty = false;
      }
      if (!empty) continue;
      result.insert(result.end(), {a, b, c});
      ring.erase(ring.begin() + i);
      clipped = true;
      break;
    }
    if (!clipped) break;  // a self-touching outline: give up on the rest
  }
  if (ring.size() == 3) result.insert(result.end(), {ring[0], ring[1], ring[2]});
  return result;
}

}  // namespace gen
