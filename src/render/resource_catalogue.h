#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/paths.h"
#include "core/settings_file.h"
#include "core/vertex_formats.h"
#include "d3dhelpers/texture_file.h"
#include "platform/graphics_device.h"
#include "render/geometry_store.h"

namespace nb {

struct CameraState;

// The keys of the Meshes section, in the order they are loaded.
enum class MeshKey : int {
  Skybox,
  Sphere,
  Hole,
  Wall,
  A,
  Food,
  Left,
  Right,
  Front,
  Back,
  Up,
  Pol,
  Bonus,
  Brick,
  Klapan,
  Island1,
  Island2,
  Grid,
  Razvorot,
  Time,
  Life,
  Speed,
  Teleport,
  Mbrick,
  Count
};
constexpr int kMeshKeyCount = static_cast<int>(MeshKey::Count);
// "skybox", "sphere", ... exactly as settings.ini writes them.
const char* MeshKeyName(MeshKey key);
// Left, right, front, back, up and pol: the pieces of the level mesh.
bool IsLevelPiece(MeshKey key);

// The keys of the Textures section, in the order they are loaded.
enum class TextureKey : int { Sun, Particle, Texture, Clouds, Skybox, Spheremap, Helptexture, Count };
constexpr int kTextureKeyCount = static_cast<int>(TextureKey::Count);
const char* TextureKeyName(TextureKey key);  // "sun", ..., "Texture", ..., "Spheremap", ...

// Every mesh, texture and material of settings.ini, loaded once at start-up.
struct ResourceCatalogue {
  // A geometry-store record per mesh key; -1 when the file failed to load
  // (DrawMesh then skips it).
  std::array<int, kMeshKeyCount> meshes;
  // The meshes level setup builds the level's walls and floor from (left,
  // right, front, back, up and pol) as read, kept on the CPU; the others
  // live in the geometry store alone and stay empty here.
  std::array<MeshData, kMeshKeyCount> meshData;
  // An empty handle when the file failed to load (the pass then draws
  // untextured), and for a texture loaded later while it is not needed.
  std::array<TextureHandle, kTextureKeyCount> textures;
  // The file (a path for the host) of each texture loaded later, once
  // start-up has read it whole; empty when it did not.
  std::array<std::string, kTextureKeyCount> laterPaths;
  bool readyForPlay =
      false;  // the atlas and the islands' texture have their chains, and play's textures are in
  Material defaultMaterial;  // all eight channels 0.5
  Material food;
  Material bonus;  // ambient alpha 0.25, diffuse alpha 0.5

  ResourceCatalogue() { meshes.fill(-1); }
  int Mesh(MeshKey key) const { return meshes[static_cast<int>(key)]; }
  const MeshData& Data(MeshKey key) const { return meshData[static_cast<int>(key)]; }
  TextureHandle Texture(TextureKey key) const { return textures[static_cast<int>(key)]; }
};

// Loads a .x mesh into the next free record; -1 after the message box
// "Could not find " + path, "Damaged " + path for a file that does not parse
// (the reader's reason goes to the log), or a refusal message when the 64
// records or the 50,000 vertices would be passed. The mesh as read goes to
// `data` if given.
int LoadMesh(GeometryStore& store, GraphicsDevice& device, const std::string& folder, const std::string& path,
             MeshData* data = nullptr);

// CreateTextureFromFile, and on failure the message box "Could not find
// texture " + path, or "Damaged " + path for a picture that does not decode
// (the reason goes to the log); returns its result (0, or negative with `out`
// empty). Both read the file below `folder` and name it by `path`.
// `inspect` sees the picture as it goes up.
int32_t LoadTexture(GraphicsDevice& device, const std::string& folder, const std::string& path,
                    TextureHandle* out, MipChain mips = MipChain::Full,
                    const std::function<void(const Image&)>& inspect = {});
// The chain a texture goes up with. The sky and the clouds (drawn with
// MipFilter None) and the help pictures (sprites) are only ever sampled from
// their top level. So are the atlas and the islands' texture while the menus
// show (their passes run with MipFilter None); play draws them through a mip
// filter, and the first level set up builds their chains.
MipChain MipChainOf(TextureKey key);

// Builds the chains MipChainOf leaves for play and loads the particle and the
// sphere map, which only play draws; once, later calls do nothing.
void ReadyTexturesForPlay(ResourceCatalogue& catalogue, GraphicsDevice& device);

// Diffuse and ambient as given, specular (1, 1, 1, 1), emissive 0, power 1.
void MakeMaterial(Material* out, float dr, float dg, float db, float da, float ar, float ag, float ab,
                  float aa);

// At start-up, right after the device exists: places the camera at its
// start-up view, creates the geometry store and the sixteen sprites, and loads
// the Meshes, Textures and Materials sections of the player's settings.ini;
// a key that is missing or empty there loads the file the game ships with,
// each below the data folder. A missing file gets its message and loading
// goes on; always true.
bool LoadResourceCatalogue(ResourceCatalogue& catalogue, GeometryStore& store, CameraState& camera,
                           GraphicsDevice& device, const GameFolders& folders, int width, int height);

// The Meshes and Textures keys that the settings lack or leave empty, as
// "Meshes/hole".
std::vector<std::string> MissingCatalogueEntries(const SettingsFile& settings);

// Textures read whole at start-up, so that a damaged file is named then, and
// let go until needed: the help pictures while the help page shows, the
// particle and the sphere map from the first level on.
bool LoadedLater(TextureKey key);
// A texture loaded later takes memory only while kept: loaded when `kept`
// (no message if the file has gone since start-up; its pass then draws
// untextured), released when not.
void KeepTexture(ResourceCatalogue& catalogue, GraphicsDevice& device, TextureKey key, bool kept);

// Releases every texture, index buffer and the store's buffers.
void ReleaseResourceCatalogue(ResourceCatalogue& catalogue, GeometryStore& store, GraphicsDevice& device);

}  // namespace nb
