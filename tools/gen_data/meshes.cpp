#include "meshes.h"

#include <cmath>

#include "atlas_layout.h"
#include "noise.h"

namespace gen {
namespace {

constexpr float kPi = 3.14159265358979f;
constexpr float kHalfCell = 25.0f;

Vertex V(Vec3 p, Vec3 n, float u, float v) { return Vertex{p, n, u, v}; }

// A flat triangle with its own vertices; the texture coordinates come from
// `uv`, a function of the position.
template <class UV>
void FlatTriangle(Mesh& m, Vec3 a, Vec3 b, Vec3 c, Vec3 facing, UV uv) {
  Vec3 n = Normalize(Cross(b - a, c - a));
  if (Dot(n, facing) < 0) n = n * -1.0f;
  auto add = [&](Vec3 p) {
    auto [u, v] = uv(p);
    return m.Add(V(p, n, u, v));
  };
  uint16_t ia = add(a), ib = add(b), ic = add(c);
  m.AddTriangle(ia, ib, ic, n);
}

// Axis-aligned face of a box, mapped onto a whole tile (s along `r`, t down `d`).
void TileFace(Mesh& m, Vec3 centre, Vec3 r, Vec3 d, Vec3 n, Tile tile) {
  Vec3 p00 = centre - r - d, p10 = centre + r - d, p11 = centre + r + d, p01 = centre - r + d;
  m.AddQuad(V(p00, n, TileU(tile, 0), TileV(tile, 0)), V(p10, n, TileU(tile, 1), TileV(tile, 0)),
            V(p11, n, TileU(tile, 1), TileV(tile, 1)), V(p01, n, TileU(tile, 0), TileV(tile, 1)));
}

enum Faces { kLeft = 1, kRight = 2, kFront = 4, kBack = 8, kUp = 16 };

// A block from (x0, y0, z0) to (x1, y1, z1); its sides and top each show the
// whole tile, the sides upright.
Mesh Block(Vec3 lo, Vec3 hi, int faces, Tile side, Tile top) {
  Mesh m;
  Vec3 c = (lo + hi) * 0.5f;
  Vec3 h = (hi - lo) * 0.5f;
  Vec3 down{0, -h.y, 0};
  if (faces & kRight) TileFace(m, {hi.x, c.y, c.z}, {0, 0, -h.z}, down, {1, 0, 0}, side);
  if (faces & kLeft) TileFace(m, {lo.x, c.y, c.z}, {0, 0, h.z}, down, {-1, 0, 0}, side);
  if (faces & kBack) TileFace(m, {c.x, c.y, hi.z}, {h.x, 0, 0}, down, {0, 0, 1}, side);
  if (faces & kFront) TileFace(m, {c.x, c.y, lo.z}, {-h.x, 0, 0}, down, {0, 0, -1}, side);
  // Seen from the game's camera rows run to the right and columns up the
  // screen, so the top's image is upright with s along X and t along -Z.
  if (faces & kUp) TileFace(m, {c.x, hi.y, c.z}, {h.x, 0, 0}, {0, 0, -h.z}, {0, 1, 0}, top);
  return m;
}

// A floor tile: the top of the cell at y = 0, the whole tile upright.
Mesh FloorTile() {
  Mesh m;
  TileFace(m, {0, 0, 0}, {kHalfCell, 0, 0}, {0, 0, -kHalfCell}, {0, 1, 0}, kFloorTile);
  return m;
}

// A surface of revolution about Y through the profile points (radius, y),
// with smooth normals; repeated profile points make creases.
Mesh Lathe(const std::vector<std::pair<float, float>>& profile, int segments, Tile tile) {
  Mesh m;
  int rings = static_cast<int>(profile.size());
  for (int k = 0; k < rings; ++k) {
    for (int s = 0; s <= segments; ++s) {
      float a = 2 * kPi * s / segments;
      Vec3 p{profile[k].first * std::cos(a), profile[k].second, profile[k].first * std::sin(a)};
      m.Add(V(p, {0, 1, 0}, TileU(tile, float(s) / segments), TileV(tile, float(k) / (rings - 1))));
    }
  }
  int stride = segments + 1;
  for (int k = 0; k + 1 < rings; ++k) {
    if (profile[k] == profile[k + 1]) continue;  // a crease, not a band
    for (int s = 0; s < segments; ++s) {
      uint16_t a = uint16_t(k * stride + s), b = uint16_t(a + 1), c = uint16_t(a + stride),
               d = uint16_t(c + 1);
      float am = 2 * kPi * (s + 0.5f) / segments;
      float dr = profile[k + 1].first - profile[k].first;
      float dy = profile[k + 1].second - profile[k].second;
      // Outward normal of the band in the (r, y) plane, for a profile that
      // runs from top to bottom.
      Vec3 out{dy * std::cos(am) * -1.0f, dr, dy * std::sin(am) * -1.0f};
      m.AddTriangle(a, b, d, out);
      m.AddTriangle(a, d, c, out);
    }
  }
  m.SmoothNormals();
  return m;
}

// A flat outline (x, y) extruded along Z by `depth`, centred on z = 0:
// the shapes of the bonus elements, standing upright.
Mesh ExtrudeUpright(const std::vector<std::pair<float, float>>& outline, float depth, Tile tile) {
  Mesh m;
  float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
  for (auto [x, y] : outline) {
    minX = std::min(minX, x), maxX = std::max(maxX, x);
    minY = std::min(minY, y), maxY = std::max(maxY, y);
  }
  auto uv = [&](Vec3 p) {
    return std::pair<float, float>{TileU(tile, (p.x - minX) / (maxX - minX)),
                                   TileV(tile, (maxY - p.y) / (maxY - minY))};
  };
  std::vector<int> tris = TriangulatePolygon(outline);
  float h = depth * 0.5f;
  for (float side : {-1.0f, 1.0f}) {
    for (size_t i = 0; i + 2 < tris.size(); i += 3) {
      auto P = [&](int k) { return Vec3{outline[k].first, outline[k].second, side * h}; };
      FlatTriangle(m, P(tris[i]), P(tris[i + 1]), P(tris[i + 2]), {0, 0, side}, uv);
    }
  }
  size_t n = outline.size();
  // Which way is out for an edge: from the outline's winding.
  double area = 0;
  for (size_t i = 0; i < n; ++i) {
    auto [x0, y0] = outline[i];
    auto [x1, y1] = outline[(i + 1) % n];
    area += double(x0) * y1 - double(x1) * y0;
  }
  float turn = area > 0 ? 1.0f : -1.0f;
  for (size_t i = 0; i < n; ++i) {
    auto [x0, y0] = outline[i];
    auto [x1, y1] = outline[(i + 1) % n];
    Vec3 out = Normalize(Vec3{(y1 - y0) * turn, -(x1 - x0) * turn, 0});
    Vec3 a{x0, y0, -h}, b{x1, y1, -h}, c{x1, y1, h}, d{x0, y0, h};
    auto [ua, va] = uv(a);
    auto [ub, vb] = uv(b);
    m.AddQuad(V(a, out, ua, va), V(b, out, ub, vb), V(c, out, ub, vb), V(d, out, ua, va));
  }
  return m;
}

// A flat outline in the floor plane (x, z), raised to `height`: the valve.
Mesh ExtrudeFlat(const std::vector<std::pair<float, float>>& outline, float height, Tile top, Tile side) {
  Mesh m;
  auto topUV = [&](Vec3 p) {
    return std::pair<float, float>{TileU(top, (p.x + kHalfCell) / 50.0f),
                                   TileV(top, (kHalfCell - p.z) / 50.0f)};
  };
  std::vector<int> tris = TriangulatePolygon(outline);
  for (size_t i = 0; i + 2 < tris.size(); i += 3) {
    auto P = [&](int k) { return Vec3{outline[k].first, height, outline[k].second}; };
    FlatTriangle(m, P(tris[i]), P(tris[i + 1]), P(tris[i + 2]), {0, 1, 0}, topUV);
  }
  size_t n = outline.size();
  double area = 0;
  for (size_t i = 0; i < n; ++i) {
    auto [x0, z0] = outline[i];
    auto [x1, z1] = outline[(i + 1) % n];
    area += double(x0) * z1 - double(x1) * z0;
  }
  float turn = area > 0 ? 1.0f : -1.0f;
  for (size_t i = 0; i < n; ++i) {
    auto [x0, z0] = outline[i];
    auto [x1, z1] = outline[(i + 1) % n];
    float len = std::hypot(x1 - x0, z1 - z0);
    Vec3 out = Normalize(Vec3{(z1 - z0) * turn, 0, -(x1 - x0) * turn});
    float s0 = 0.0f, s1 = std::min(1.0f, len / 50.0f);
    m.AddQuad(V({x0, height, z0}, out, TileU(side, s0), TileV(side, 0)),
              V({x1, height, z1}, out, TileU(side, s1), TileV(side, 0)),
              V({x1, 0, z1}, out, TileU(side, s1), TileV(side, height / 50.0f)),
              V({x0, 0, z0}, out, TileU(side, s0), TileV(side, height / 50.0f)));
  }
  return m;
}

Mesh Hole() {
  // A floor frame round a round pit that goes down into the dark.
  Mesh m;
  const int segments = 32;
  const float pit = 19.0f, depth = 34.0f;
  auto planar = [](float x, float z) {
    return std::pair<float, float>{TileU(kHoleTile, (x + kHalfCell) / 50.0f),
                                   TileV(kHoleTile, (kHalfCell - z) / 50.0f)};
  };
  for (int s = 0; s < segments; ++s) {
    float a0 = 2 * kPi * s / segments, a1 = 2 * kPi * (s + 1) / segments;
    auto square = [](float a) {
      float c = std::cos(a), d = std::sin(a);
      float k = kHalfCell / std::max(std::fabs(c), std::fabs(d));
      return std::pair<float, float>{c * k, d * k};
    };
    auto [ox0, oz0] = square(a0);
    auto [ox1, oz1] = square(a1);
    float ix0 = pit * std::cos(a0), iz0 = pit * std::sin(a0);
    float ix1 = pit * std::cos(a1), iz1 = pit * std::sin(a1);
    Vec3 up{0, 1, 0};
    auto P = [&](float x, float y, float z, Vec3 n, std::pair<float, float> uv) {
      return V({x, y, z}, n, uv.first, uv.second);
    };
    m.AddQuad(P(ox0, 0, oz0, up, planar(ox0, oz0)), P(ox1, 0, oz1, up, planar(ox1, oz1)),
              P(ix1, 0, iz1, up, planar(ix1, iz1)), P(ix0, 0, iz0, up, planar(ix0, iz0)));
    // The pit wall faces the axis; its picture is the tile's dark ring,
    // narrowing as the wall goes down.
    Vec3 n0{-std::cos(a0), 0, -std::sin(a0)}, n1{-std::cos(a1), 0, -std::sin(a1)};
    float deep = 7.0f / pit;
    uint16_t t0 = m.Add(P(ix0, 0, iz0, n0, planar(ix0, iz0)));
    uint16_t t1 = m.Add(P(ix1, 0, iz1, n1, planar(ix1, iz1)));
    uint16_t b1 = m.Add(P(ix1, -depth, iz1, n1, planar(ix1 * deep, iz1 * deep)));
    uint16_t b0 = m.Add(P(ix0, -depth, iz0, n0, planar(ix0 * deep, iz0 * deep)));
    Vec3 mid = Normalize(n0 + n1);
    m.AddTriangle(t0, t1, b1, mid);
    m.AddTriangle(t0, b1, b0, mid);
    // The bottom.
    uint16_t c = m.Add(P(0, -depth, 0, up, planar(0, 0)));
    uint16_t e0 = m.Add(P(ix0, -depth, iz0, up, planar(ix0 * deep, iz0 * deep)));
    uint16_t e1 = m.Add(P(ix1, -depth, iz1, up, planar(ix1 * deep, iz1 * deep)));
    m.AddTriangle(c, e0, e1, up);
  }
  return m;
}

Mesh Reflector() {
  // A small upright plate: the pass stretches it to a bar along X or Z
  // (scales 25 and 2) and turns it onto a diagonal of the cell.
  return Block({-1.4f, 0, -1.4f}, {1.4f, 16, 1.4f}, kLeft | kRight | kFront | kBack | kUp, kReflectorTile,
               kReflectorTile);
}

Mesh Gem() {
  // A cut stone: a table, a crown of two facet rows and a pointed pavilion.
  Mesh m;
  const int n = 8;
  struct Ring {
    float r, y, turn;
  };
  const Ring rings[] = {{6.5f, 31, 0}, {11.0f, 27.5f, 0.5f}, {13.5f, 23.5f, 0}, {13.5f, 21.5f, 0.5f}};
  auto ringPoint = [&](const Ring& ring, int i) {
    float a = 2 * kPi * (i + ring.turn) / n;
    return Vec3{ring.r * std::cos(a), ring.y, ring.r * std::sin(a)};
  };
  Vec3 centre{0, 20, 0};
  auto uv = [](Vec3 p) {
    return std::pair<float, float>{TileU(kBallTile, (p.x + 14) / 28), TileV(kBallTile, (14 - p.z) / 28)};
  };
  auto tri = [&](Vec3 a, Vec3 b, Vec3 c) {
    Vec3 mid = (a + b + c) * (1.0f / 3);
    FlatTriangle(m, a, b, c, mid - centre, uv);
  };
  // Table.
  for (int i = 1; i + 1 < n; ++i)
    tri(ringPoint(rings[0], 0), ringPoint(rings[0], i), ringPoint(rings[0], i + 1));
  for (int k = 0; k < 3; ++k) {
    const Ring& a = rings[k];
    const Ring& b = rings[k + 1];
    for (int i = 0; i < n; ++i) {
      if (a.turn == b.turn) {
        tri(ringPoint(a, i), ringPoint(a, i + 1), ringPoint(b, i + 1));
        tri(ringPoint(a, i), ringPoint(b, i + 1), ringPoint(b, i));
      } else if (b.turn > a.turn) {
        tri(ringPoint(a, i), ringPoint(a, i + 1), ringPoint(b, i));
        tri(ringPoint(b, i), ringPoint(a, i + 1), ringPoint(b, i + 1));
      } else {
        tri(ringPoint(b, i), ringPoint(b, i + 1), ringPoint(a, i));
        tri(ringPoint(a, i), ringPoint(b, i + 1), ringPoint(a, i + 1));
      }
    }
  }
  Vec3 culet{0, 4, 0};
  for (int i = 0; i < n; ++i) tri(ringPoint(rings[3], i), ringPoint(rings[3], i + 1), culet);
  return m;
}

std::vector<std::pair<float, float>> Star(float outer, float inner, float cy) {
  std::vector<std::pair<float, float>> p;
  for (int i = 0; i < 10; ++i) {
    float a = kPi / 2 + kPi * i / 5;
    float r = (i % 2) ? inner : outer;
    p.push_back({r * std::cos(a), cy + r * std::sin(a)});
  }
  return p;
}

std::vector<std::pair<float, float>> Heart(float scale, float cy) {
  std::vector<std::pair<float, float>> p;
  for (int i = 0; i < 48; ++i) {
    float t = 2 * kPi * i / 48;
    float x = 16 * std::pow(std::sin(t), 3.0f);
    float y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
    p.push_back({x * scale, cy + (y + 2.5f) * scale});
  }
  return p;
}

std::vector<std::pair<float, float>> Bolt() {
  return {{3, 44}, {-11, 21}, {-2, 21}, {-8, 0}, {12, 27}, {2.5f, 27}, {11, 44}};
}

// One curved arrow round the centre (0, cy): a band from angle a0 to a1
// with its head at a1.
std::vector<std::pair<float, float>> CurvedArrow(float a0, float a1, float cy) {
  std::vector<std::pair<float, float>> p;
  const float r0 = 10.5f, r1 = 16.0f;
  const int steps = 10;
  for (int i = 0; i <= steps; ++i) {
    float a = a0 + (a1 - a0) * i / steps;
    p.push_back({r1 * std::cos(a), cy + r1 * std::sin(a)});
  }
  float dir = a1 > a0 ? 1.0f : -1.0f;
  float rm = (r0 + r1) * 0.5f;
  p.push_back({(r1 + 4.5f) * std::cos(a1), cy + (r1 + 4.5f) * std::sin(a1)});
  float tip = a1 + dir * 0.55f;
  p.push_back({rm * std::cos(tip), cy + rm * std::sin(tip)});
  p.push_back({(r0 - 4.5f) * std::cos(a1), cy + (r0 - 4.5f) * std::sin(a1)});
  for (int i = steps; i >= 0; --i) {
    float a = a0 + (a1 - a0) * i / steps;
    p.push_back({r0 * std::cos(a), cy + r0 * std::sin(a)});
  }
  return p;
}

Mesh TurnAround() {
  Mesh m = ExtrudeUpright(CurvedArrow(0.35f, 2.5f, 22), 6, kBallTile);
  m.Append(ExtrudeUpright(CurvedArrow(0.35f + kPi, 2.5f + kPi, 22), 6, kBallTile));
  return m;
}

Mesh Hourglass() {
  Mesh m = Lathe({{0, 40},
                  {12, 40},
                  {12, 40},
                  {12, 36},
                  {12, 36},
                  {10.5f, 35},
                  {9.5f, 30},
                  {2.2f, 22},
                  {9.5f, 14},
                  {10.5f, 9},
                  {12, 8},
                  {12, 8},
                  {12, 4},
                  {12, 4},
                  {0, 4}},
                 20, kBallTile);
  // Two posts hold the caps together.
  for (float x : {-10.5f, 10.5f}) {
    Mesh post = Block({x - 1, 8, -1}, {x + 1, 36, 1}, kLeft | kRight | kFront | kBack, kBallTile, kBallTile);
    m.Append(post);
  }
  return m;
}

// Two triangles per cell of a surface whose vertices were added row by row,
// `across` + 1 to a row; each pair faces away along its corners' normals.
void AddSurfaceTriangles(Mesh& m, int rows, int across) {
  for (int k = 0; k < rows; ++k) {
    for (int s = 0; s < across; ++s) {
      uint16_t a = uint16_t(k * (across + 1) + s), b = uint16_t(a + 1), c = uint16_t(a + across + 1),
               d = uint16_t(c + 1);
      Vec3 out = m.vertices[a].n + m.vertices[d].n;
      m.AddTriangle(a, b, d, out);
      m.AddTriangle(a, d, c, out);
    }
  }
}

Mesh Ball() {
  Mesh m;
  const int segments = 24, rings = 14;
  const float radius = 12.0f;
  for (int k = 0; k <= rings; ++k) {
    float polar = kPi * k / rings;
    for (int s = 0; s <= segments; ++s) {
      float a = 2 * kPi * s / segments;
      Vec3 n{std::sin(polar) * std::cos(a), std::cos(polar), std::sin(polar) * std::sin(a)};
      m.Add(V(n * radius, n, TileU(kBallTile, float(s) / segments), TileV(kBallTile, float(k) / rings)));
    }
  }
  AddSurfaceTriangles(m, rings, segments);
  return m;
}

Mesh Ring() {
  Mesh m;
  const int major = 32, minor = 10;
  const float big = 17.0f, small = 4.0f, height = 6.0f;
  for (int i = 0; i <= major; ++i) {
    float a = 2 * kPi * i / major;
    for (int j = 0; j <= minor; ++j) {
      float b = 2 * kPi * j / minor;
      Vec3 n{std::cos(b) * std::cos(a), std::sin(b), std::cos(b) * std::sin(a)};
      Vec3 centre{big * std::cos(a), height, big * std::sin(a)};
      m.Add(V(centre + n * small, n, TileU(kBallTile, float(i) / major), TileV(kBallTile, float(j) / minor)));
    }
  }
  AddSurfaceTriangles(m, major, minor);
  return m;
}

Mesh MovableBrick() {
  // A crate with bevelled top edges, lower and rounder than the bricks.
  Mesh m = Block({-21, 0, -21}, {21, 30, 21}, kLeft | kRight | kFront | kBack, kMovableBrickTile,
                 kMovableBrickTile);
  const float lo = 21, hi = 16, y0 = 30, y1 = 36;
  Tile t = kMovableBrickTile;
  auto s = [](float x) { return (x + 21) / 42; };
  TileFace(m, {0, y1, 0}, {hi, 0, 0}, {0, 0, -hi}, {0, 1, 0}, t);
  // Four slanted bevels.
  struct Bevel {
    Vec3 a, b, c, d, n;
  };
  const float k = 0.7071f;
  Bevel bevels[] = {
      {{lo, y0, -lo}, {lo, y0, lo}, {hi, y1, hi}, {hi, y1, -hi}, {k, k, 0}},
      {{-lo, y0, lo}, {-lo, y0, -lo}, {-hi, y1, -hi}, {-hi, y1, hi}, {-k, k, 0}},
      {{lo, y0, lo}, {-lo, y0, lo}, {-hi, y1, hi}, {hi, y1, hi}, {0, k, k}},
      {{-lo, y0, -lo}, {lo, y0, -lo}, {hi, y1, -hi}, {-hi, y1, -hi}, {0, k, -k}},
  };
  for (const Bevel& b : bevels) {
    auto vt = [&](Vec3 p) { return V(p, b.n, TileU(t, s(p.x)), TileV(t, s(-p.z))); };
    m.AddQuad(vt(b.a), vt(b.b), vt(b.c), vt(b.d));
  }
  return m;
}

Mesh Skybox() {
  // Inward-facing, well inside the far plane (10000) even at its corners.
  Mesh m;
  const float h = 4000.0f;
  for (const SkyFace& f : kSkyFaces) {
    Vec3 c{f.cx, f.cy, f.cz}, r{f.rx, f.ry, f.rz}, d{f.dx, f.dy, f.dz};
    auto corner = [&](float s, float t) {
      Vec3 p = (c + r * (2 * s - 1) + d * (2 * t - 1)) * h;
      float u = (f.col * kSkyFace + 0.5f + s * (kSkyFace - 1)) / 1024.0f;
      float v = (f.row * kSkyFace + 0.5f + t * (kSkyFace - 1)) / 512.0f;
      return V(p, c * -1.0f, u, v);
    };
    m.AddQuad(corner(0, 0), corner(1, 0), corner(1, 1), corner(0, 1));
  }
  return m;
}

Mesh CloudPlane() {
  // Drawn scaled by 50: 320 units across become 16000 in the world. Enough
  // vertices for the distance fog to thin the clouds out towards the edge.
  Mesh m;
  const int n = 16;
  const float half = 160.0f;
  for (int i = 0; i <= n; ++i) {
    for (int j = 0; j <= n; ++j) {
      float x = -half + 2 * half * i / n, z = -half + 2 * half * j / n;
      m.Add(V({x, 0, z}, {0, 1, 0}, x / 40.0f, z / 40.0f));
    }
  }
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      uint16_t a = uint16_t(i * (n + 1) + j), b = uint16_t(a + 1), c = uint16_t(a + n + 1),
               d = uint16_t(c + 1);
      m.AddTriangle(a, b, d, {0, 1, 0});
      m.AddTriangle(a, d, c, {0, 1, 0});
    }
  }
  return m;
}

// The outline radius of the island at angle a: wide enough everywhere under
// the largest shipped level, whose cells reach 1550 units from the middle.
constexpr float kIslandRadius = 1720.0f;
float IslandRadius(float a) {
  return kIslandRadius * (1.0f + 0.05f * PeriodicNoise(a / (2 * kPi) * 9.0f, 9, 11));
}

constexpr float kIslandTop = 130.0f;  // 20 units below the floor once placed at y = -150
constexpr int kIslandSegments = 72;

std::pair<float, float> GrassUV(float x, float z) {
  const float span = 2.0f * kIslandRadius * 1.2f;
  float u = 0.5f + x / span, v = 0.5f - z / span;
  return {u, kSunGrassV0 + (kSunGrassV1 - kSunGrassV0) * (0.002f + 0.996f * v)};
}

Mesh IslandRock() {
  Mesh m;
  const int seg = kIslandSegments;
  // No top: the grass cap lies over it, 3 units higher and a little wider, and
  // from any view steeper than about 8 degrees (the menu sees its islands at
  // 11 or more, play from far above) a ray under the cap's rim meets the
  // rock's side first. Drawn, it would only be walked by the rasterizer.
  // Underside: rocky rings narrowing to a point far below.
  const int nBottom = 16;
  const int first = 0;
  for (int k = 0; k <= nBottom; ++k) {
    float t = float(k) / nBottom;
    for (int s = 0; s <= seg; ++s) {
      float a = 2 * kPi * (s % seg) / seg;
      // Rocky bulges that change smoothly from ring to ring and only ever
      // pull the rock inwards, so that the underside never folds over.
      float around = a / (2 * kPi);
      float bump = 0.16f * (0.5f + 0.5f * PeriodicNoise2(around * 12.0f, t * 5.0f, 12, 1 << 20, 17)) +
                   0.06f * (0.5f + 0.5f * PeriodicNoise2(around * 28.0f, t * 9.0f, 28, 1 << 20, 91));
      float r = IslandRadius(a) * std::pow(1.0f - t, 0.75f) * (1.0f - bump * std::min(1.0f, t * 4.0f));
      float y = kIslandTop - 8.0f - 60.0f * std::min(t * 6, 1.0f) - 1250.0f * std::pow(t, 1.35f);
      Vec3 p{r * std::cos(a), y, r * std::sin(a)};
      float u = 6.0f * s / seg;  // the rock repeats six times round
      float v = kSunRockV0 + (kSunRockV1 - kSunRockV0) * (0.004f + 0.992f * t);
      m.Add(V(p, {0, 1, 0}, u, v));
    }
  }
  for (int k = 0; k < nBottom; ++k) {
    for (int s = 0; s < seg; ++s) {
      int k0 = first + k;
      uint16_t a = uint16_t(k0 * (seg + 1) + s), b = uint16_t(a + 1), c = uint16_t(a + seg + 1),
               d = uint16_t(c + 1);
      Vec3 mid = (m.vertices[a].p + m.vertices[d].p) * 0.5f;
      Vec3 o{mid.x, -0.3f * Length(Vec3{mid.x, 0, mid.z}), mid.z};
      m.AddTriangle(a, b, d, o);
      m.AddTriangle(a, d, c, o);
    }
  }
  m.SmoothNormals();
  // The seam column got half the neighbours on each side: give both copies
  // the same normal so the lighting shows no line.
  for (int k = 0; k < static_cast<int>(m.vertices.size()) / (seg + 1); ++k) {
    Vertex& v0 = m.vertices[k * (seg + 1)];
    Vertex& v1 = m.vertices[k * (seg + 1) + seg];
    Vec3 n = Normalize(v0.n + v1.n);
    v0.n = v1.n = n;
  }
  return m;
}

Mesh IslandGrass() {
  // The grass cap, drawn alpha-tested over the rock: a disc a little above
  // the rock's top and a fringe of blades hanging over the rim.
  Mesh m;
  const int seg = kIslandSegments;
  const float rings[] = {0.0f, 0.35f, 0.65f, 0.88f, 1.02f};
  const int n = 5;
  for (int k = 0; k < n; ++k) {
    for (int s = 0; s <= seg; ++s) {
      float a = 2 * kPi * s / seg;
      float r = IslandRadius(a) * rings[k];
      Vec3 p{r * std::cos(a), kIslandTop + 3.0f - (k == n - 1 ? 6.0f : 0.0f), r * std::sin(a)};
      auto [u, v] = GrassUV(p.x, p.z);
      m.Add(V(p, {0, 1, 0}, u, v));
    }
  }
  for (int k = 0; k + 1 < n; ++k) {
    for (int s = 0; s < seg; ++s) {
      uint16_t a = uint16_t(k * (seg + 1) + s), b = uint16_t(a + 1), c = uint16_t(a + seg + 1),
               d = uint16_t(c + 1);
      m.AddTriangle(a, b, d, {0, 1, 0});
      m.AddTriangle(a, d, c, {0, 1, 0});
    }
  }
  // Fringe: from the rim outwards and down, the strip of hanging blades.
  int base = static_cast<int>(m.vertices.size());
  for (int k = 0; k < 2; ++k) {
    for (int s = 0; s <= seg; ++s) {
      float a = 2 * kPi * s / seg;
      float r = IslandRadius(a) * 1.02f + (k ? 14.0f : 0.0f);
      float y = kIslandTop - 3.0f - (k ? 70.0f : 0.0f);
      Vec3 out{std::cos(a), 0.3f, std::sin(a)};
      float u = 24.0f * s / seg;
      float v = k ? kSunFringeV1 - 0.004f : kSunFringeV0 + 0.004f;
      m.Add(V({r * std::cos(a), y, r * std::sin(a)}, Normalize(out), u, v));
    }
  }
  for (int s = 0; s < seg; ++s) {
    uint16_t a = uint16_t(base + s), b = uint16_t(a + 1), c = uint16_t(a + seg + 1), d = uint16_t(c + 1);
    Vec3 o = m.vertices[a].n;
    m.AddTriangle(a, b, d, o);
    m.AddTriangle(a, d, c, o);
  }
  return m;
}

}  // namespace

std::vector<NamedMesh> BuildMeshes() {
  const int all = kLeft | kRight | kFront | kBack | kUp;
  std::vector<NamedMesh> list;
  list.push_back({"skybox", Skybox()});
  list.push_back({"sphere", Ball()});
  list.push_back({"hole", Hole()});
  list.push_back({"wall", Block({-25, 0, -25}, {25, 50, 25}, all, kGateTile, kGateTile)});
  list.push_back({"a", Reflector()});
  list.push_back({"food", Gem()});
  // The faces of a wall cell; level setup merges the ones that show.
  const Vec3 lo{-25, 0, -25}, hi{25, 50, 25};
  list.push_back({"left", Block(lo, hi, kLeft, kWallSideTile, kWallTopTile)});
  list.push_back({"right", Block(lo, hi, kRight, kWallSideTile, kWallTopTile)});
  list.push_back({"front", Block(lo, hi, kFront, kWallSideTile, kWallTopTile)});
  list.push_back({"back", Block(lo, hi, kBack, kWallSideTile, kWallTopTile)});
  list.push_back({"up", Block(lo, hi, kUp, kWallSideTile, kWallTopTile)});
  list.push_back({"pol", FloorTile()});
  list.push_back({"bonus", ExtrudeUpright(Star(17, 7.5f, 22), 7, kBallTile)});
  list.push_back({"brick", Block({-23, 0, -23}, {23, 30, 23}, all, kBrickTile, kBrickTile)});
  // The valve's arrow points along -X; the pass turns it by 90 degrees per
  // open direction, so that it ends up pointing the way the ball may pass.
  list.push_back({"klapan", ExtrudeFlat({{-23, 0}, {-3, -19}, {-3, -8}, {21, -8}, {21, 8}, {-3, 8}, {-3, 19}},
                                        12, kValveTile, kValveTile)});
  list.push_back({"island1", IslandRock()});
  list.push_back({"island2", IslandGrass()});
  list.push_back({"grid", CloudPlane()});
  list.push_back({"razvorot", TurnAround()});
  list.push_back({"time", Hourglass()});
  list.push_back({"life", ExtrudeUpright(Heart(1.05f, 22), 8, kBallTile)});
  list.push_back({"speed", ExtrudeUpright(Bolt(), 7, kBallTile)});
  list.push_back({"teleport", Ring()});
  list.push_back({"mbrick", MovableBrick()});
  for (NamedMesh& m : list) m.mesh.RemoveUnusedVertices();
  return list;
}

}  // namespace gen
