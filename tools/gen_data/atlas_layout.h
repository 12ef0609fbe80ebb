#pragma once
// Where things sit in the common 1024 x 1024 atlas `Texture`: the meshes take
// their texture coordinates from here and the atlas painter draws here. The
// top rows are 128-pixel tiles; the passes shift the floor, switch, brick and
// marker coordinates by whole tiles.

namespace gen {

constexpr int kAtlasSize = 1024;
constexpr int kTilePixels = 128;

struct Tile {
  int col, row;
};

constexpr Tile kFloorTile{0, 0};
constexpr Tile kBrickTile{1, 0};  // 0 hits; 1 and 2 hits follow to the right
constexpr Tile kWallSideTile{4, 0};
constexpr Tile kMarkerAntiTile{5, 0};  // u 0.625: the "\" diagonal of kind 5
constexpr Tile kMarkerMainTile{6, 0};  // u 0.75: the "/" diagonal of kind 6
constexpr Tile kWallTopTile{7, 0};
constexpr Tile kSwitchReleasedTile{0, 1};  // v 0.125
constexpr Tile kSwitchPressedTile{1, 1};
constexpr Tile kHoleTile{2, 1};
constexpr Tile kGateTile{3, 1};
constexpr Tile kValveTile{4, 1};
constexpr Tile kMovableBrickTile{5, 1};
constexpr Tile kBallTile{6, 1};
constexpr Tile kReflectorTile{7, 1};

// Texture coordinates of the point (s, t) in 0..1 of a tile, one texel in
// from its edges so that filtering never reaches the neighbour.
inline float TileU(Tile tile, float s) {
  return (tile.col * kTilePixels + 1.0f + s * (kTilePixels - 2)) / kAtlasSize;
}
inline float TileV(Tile tile, float t) {
  return (tile.row * kTilePixels + 1.0f + t * (kTilePixels - 2)) / kAtlasSize;
}

// Sprite rectangles in pixels (left, top, right, bottom), from the texture
// rectangles the screens cut.
struct PixelRect {
  int x0, y0, x1, y1;
};
constexpr PixelRect kLogoRect{13, 769, 336, 843};   // (0.013, 0.751)-(0.328, 0.823)
constexpr PixelRect kPointerRect{4, 682, 23, 715};  // (0.004, 0.666)-(0.022, 0.698)
constexpr PixelRect kSliderRect{0, 717, 210, 731};  // (0, 0.7)-(0.205, 0.714)
constexpr PixelRect kKnobRect{5, 735, 19, 760};     // (0.005, 0.718)-(0.018, 0.742)
constexpr PixelRect kStripRect{3, 284, 263, 322};   // (0.003, 0.278)-(0.257, 0.314)

// The sky box texture: six 256-pixel faces in a 1024 x 512 image, sides in
// the top row (+X, -X, +Z, -Z), top and bottom in the second row.
constexpr int kSkyFace = 256;
struct SkyFace {
  float cx, cy, cz;  // direction through the face centre
  float rx, ry, rz;  // direction of increasing s
  float dx, dy, dz;  // direction of increasing t (down the image)
  int col, row;
};
constexpr SkyFace kSkyFaces[6] = {
    {1, 0, 0, 0, 0, 1, 0, -1, 0, 0, 0},    // +X
    {-1, 0, 0, 0, 0, -1, 0, -1, 0, 1, 0},  // -X
    {0, 0, 1, -1, 0, 0, 0, -1, 0, 2, 0},   // +Z
    {0, 0, -1, 1, 0, 0, 0, -1, 0, 3, 0},   // -Z
    {0, 1, 0, 1, 0, 0, 0, 0, -1, 0, 1},    // +Y (top)
    {0, -1, 0, 1, 0, 0, 0, 0, 1, 1, 1},    // -Y (bottom)
};

// The island texture `sun`: grass seen from above in the top half, the
// hanging grass fringe (with alpha) in a strip, rock below it.
constexpr float kSunGrassV0 = 0.0f, kSunGrassV1 = 0.5f;
constexpr float kSunFringeV0 = 0.5f, kSunFringeV1 = 0.625f;
constexpr float kSunRockV0 = 0.625f, kSunRockV1 = 1.0f;

}  // namespace gen
