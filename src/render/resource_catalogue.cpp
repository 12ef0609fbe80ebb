#include "render/resource_catalogue.h"

#include <cstdlib>

#include "core/file_io.h"
#include "core/log.h"
#include "core/paths.h"
#include "core/settings_file.h"
#include "d3dhelpers/texture_file.h"
#include "d3dhelpers/x_mesh.h"
#include "platform/message_box.h"
#include "render/camera.h"
#include "render/sprites.h"
#include "render/texel_opacity.h"

namespace nb {
namespace {

const char* const kMeshKeys[kMeshKeyCount] = {
    "skybox",  "sphere", "hole",     "wall", "a",     "food",  "left",     "right",
    "front",   "back",   "up",       "pol",  "bonus", "brick", "klapan",   "island1",
    "island2", "grid",   "razvorot", "time", "life",  "speed", "teleport", "mbrick"};

const char* const kTextureKeys[kTextureKeyCount] = {"sun",    "particle",  "Texture",    "clouds",
                                                    "skybox", "Spheremap", "helptexture"};

// The files the game ships with, for a key that settings.ini lacks.
const char* const kShippedTextureFiles[kTextureKeyCount] = {
    "data/textures/sun.png",        "data/textures/particle.png", "data/textures/Texture.png",
    "data/textures/clouds.jpg",     "data/textures/skybox.png",   "data/textures/Spheremap.png",
    "data/textures/helptexture.png"};

std::string ShippedMeshFile(int i) { return std::string("data/meshes/") + kMeshKeys[i] + ".x"; }

// The entry of the key, or the shipped file when it is missing or empty.
std::string EntryOrShipped(const SettingsFile& settings, const char* section, const char* key,
                           const std::string& shipped) {
  std::string path = settings.ReadString(section, key, "");
  return path.empty() ? shipped : path;
}

// One channel of a material family: the text of the key through atof, "0"
// when the key is missing. Values outside 0..1 pass unchanged.
float Channel(const SettingsFile& settings, const std::string& family, const char* suffix) {
  std::string text = settings.ReadString("Materials", family + suffix, "0");
  return static_cast<float>(std::atof(text.c_str()));
}

}  // namespace

const char* MeshKeyName(MeshKey key) {
  int i = static_cast<int>(key);
  return i >= 0 && i < kMeshKeyCount ? kMeshKeys[i] : "";
}

bool IsLevelPiece(MeshKey key) {
  return key == MeshKey::Left || key == MeshKey::Right || key == MeshKey::Front || key == MeshKey::Back ||
         key == MeshKey::Up || key == MeshKey::Pol;
}

const char* TextureKeyName(TextureKey key) {
  int i = static_cast<int>(key);
  return i >= 0 && i < kTextureKeyCount ? kTextureKeys[i] : "";
}

std::vector<std::string> MissingCatalogueEntries(const SettingsFile& settings) {
  std::vector<std::string> missing;
  AppendMissingKeys(settings, "Meshes", kMeshKeys, missing);
  AppendMissingKeys(settings, "Textures", kTextureKeys, missing);
  return missing;
}

int LoadMesh(GeometryStore& store, GraphicsDevice& device, const std::string& folder, const std::string& path,
             MeshData* data) {
  MeshData mesh;
  std::string error;
  if (!LoadXMeshFile(NativePath(folder, path), mesh, &error)) {
    if (!FileExists(NativePath(folder, path))) {
      ShowMessageBox("Could not find " + path, "ERROR");
    } else {
      LogPrintf("%s: %s\n", path.c_str(), error.c_str());
      ShowMessageBox("Damaged " + path, "ERROR");
    }
    return -1;
  }
  StoreRefusal why = StoreRefusal::None;
  int record = AddMesh(store, device, mesh, path, &why);
  if (record < 0) {
    std::string reason;
    switch (why) {
      case StoreRefusal::NoFreeRecord: reason = "all 64 mesh records are taken"; break;
      case StoreRefusal::NoRoomForVertices: reason = "the 50000 mesh vertices are used up"; break;
      case StoreRefusal::BadMesh: reason = "the mesh holds no triangles"; break;
      default: reason = "the device refused its buffers"; break;
    }
    ShowMessageBox("Could not load " + path + ": " + reason, "ERROR");
    return -1;
  }
  if (data) *data = std::move(mesh);
  return record;
}

MipChain MipChainOf(TextureKey key) {
  return key == TextureKey::Particle || key == TextureKey::Spheremap ? MipChain::Full
                                                                     : MipChain::TopLevelOnly;
}

void ReadyTexturesForPlay(ResourceCatalogue& catalogue, GraphicsDevice& device) {
  if (catalogue.readyForPlay) return;
  for (TextureKey key : {TextureKey::Texture, TextureKey::Sun})
    if (TextureHandle texture = catalogue.Texture(key)) device.CompleteMipChain(texture);
  for (TextureKey key : {TextureKey::Particle, TextureKey::Spheremap})
    KeepTexture(catalogue, device, key, true);
  catalogue.readyForPlay = true;
}

int32_t LoadTexture(GraphicsDevice& device, const std::string& folder, const std::string& path,
                    TextureHandle* out, MipChain mips, const std::function<void(const Image&)>& inspect) {
  std::string error;
  int32_t result = CreateTextureFromFile(device, NativePath(folder, path), out, &error, mips, inspect);
  if (result >= 0) return result;
  if (!FileExists(NativePath(folder, path))) {
    ShowMessageBox("Could not find texture " + path, "ERROR");
  } else if (!error.empty()) {
    LogPrintf("%s: %s\n", path.c_str(), error.c_str());
    ShowMessageBox("Damaged " + path, "ERROR");
  } else {
    ShowMessageBox("Could not load texture " + path, "ERROR");
  }
  return result;
}

void MakeMaterial(Material* out, float dr, float dg, float db, float da, float ar, float ag, float ab,
                  float aa) {
  out->diffuse = {dr, dg, db, da};
  out->ambient = {ar, ag, ab, aa};
  out->specular = {1, 1, 1, 1};
  out->emissive = {0, 0, 0, 0};
  out->power = 1.0f;
}

bool LoadResourceCatalogue(ResourceCatalogue& catalogue, GeometryStore& store, CameraState& camera,
                           GraphicsDevice& device, const GameFolders& folders, int width, int height) {
  catalogue = ResourceCatalogue{};
  const SettingsFile settings = GameSettingsFile(folders.player);
  SetCameraNow(camera, {0, 0, -5000}, {0, 0, 510}, 45);
  if (!CreateGeometryStore(store, device)) LogPrintf("The geometry store could not be created.\n");
  CreateStartupSprites(store, device, width, height);

  MeshData cap;
  for (int i = 0; i < kMeshKeyCount; ++i) {
    std::string path = EntryOrShipped(settings, "Meshes", kMeshKeys[i], ShippedMeshFile(i));
    MeshData* kept = IsLevelPiece(static_cast<MeshKey>(i)) ? &catalogue.meshData[i] : nullptr;
    if (static_cast<MeshKey>(i) == MeshKey::Island2) kept = &cap;
    catalogue.meshes[i] = LoadMesh(store, device, folders.data, path, kept);
  }
  TranslucentTexels grass;
  for (int i = 0; i < kTextureKeyCount; ++i) {
    std::string path = EntryOrShipped(settings, "Textures", kTextureKeys[i], kShippedTextureFiles[i]);
    std::function<void(const Image&)> inspect;
    if (static_cast<TextureKey>(i) == TextureKey::Sun)
      inspect = [&grass](const Image& image) { grass = CountTranslucentTexels(image); };
    int32_t result = LoadTexture(device, folders.data, path, &catalogue.textures[i],
                                 MipChainOf(static_cast<TextureKey>(i)), inspect);
    if (result < 0) LogPrintf("Texture %s loaded with error %d.\n", path.c_str(), result);
  }
  // The grass cap's faces that only ever show opaque grass go first: the
  // menu blends the others alone (see DrawMenuIslandFringes).
  const uint32_t opaque = PutOpaqueFacesFirst(cap, grass);
  ReorderMeshFaces(store, device, catalogue.Mesh(MeshKey::Island2), cap.indices, opaque);
  for (int i = 0; i < kTextureKeyCount; ++i) {
    if (!LoadedLater(static_cast<TextureKey>(i)) || !catalogue.textures[i]) continue;
    catalogue.laterPaths[i] = NativePath(
        folders.data, EntryOrShipped(settings, "Textures", kTextureKeys[i], kShippedTextureFiles[i]));
    KeepTexture(catalogue, device, static_cast<TextureKey>(i), false);
  }

  MakeMaterial(&catalogue.defaultMaterial, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f);
  // Each family is read alpha first, ambient before diffuse.
  float aa = Channel(settings, "food", "AA"), ab = Channel(settings, "food", "AB");
  float ag = Channel(settings, "food", "AG"), ar = Channel(settings, "food", "AR");
  float da = Channel(settings, "food", "DA"), db = Channel(settings, "food", "DB");
  float dg = Channel(settings, "food", "DG"), dr = Channel(settings, "food", "DR");
  MakeMaterial(&catalogue.food, dr, dg, db, da, ar, ag, ab, aa);
  ab = Channel(settings, "bonus", "AB"), ag = Channel(settings, "bonus", "AG");
  ar = Channel(settings, "bonus", "AR");
  db = Channel(settings, "bonus", "DB"), dg = Channel(settings, "bonus", "DG");
  dr = Channel(settings, "bonus", "DR");
  MakeMaterial(&catalogue.bonus, dr, dg, db, 0.5f, ar, ag, ab, 0.25f);
  return true;
}

bool LoadedLater(TextureKey key) {
  return key == TextureKey::Helptexture || key == TextureKey::Particle || key == TextureKey::Spheremap;
}

void KeepTexture(ResourceCatalogue& catalogue, GraphicsDevice& device, TextureKey key, bool kept) {
  TextureHandle& texture = catalogue.textures[static_cast<int>(key)];
  const std::string& path = catalogue.laterPaths[static_cast<int>(key)];
  if (kept && !texture && !path.empty()) {
    std::string error;
    if (CreateTextureFromFile(device, path, &texture, &error, MipChainOf(key)) < 0)
      LogPrintf("%s: %s\n", path.c_str(), error.c_str());
  } else if (!kept && texture) {
    device.ReleaseTexture(texture);
    texture = TextureHandle{};
  }
}

void ReleaseResourceCatalogue(ResourceCatalogue& catalogue, GeometryStore& store, GraphicsDevice& device) {
  for (TextureHandle& texture : catalogue.textures) {
    if (texture) device.ReleaseTexture(texture);
    texture = TextureHandle{};
  }
  catalogue.meshes.fill(-1);
  catalogue.readyForPlay = false;
  ReleaseGeometryStore(store, device);
}

}  // namespace nb
