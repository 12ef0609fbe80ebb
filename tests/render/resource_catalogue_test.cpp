#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>

#include "core/settings_file.h"
#include "platform/recording_device.h"
#include "render/camera.h"
#include "render/resource_catalogue.h"
#include "render/sprites.h"
#include "support/scratch_dir.h"
#include "support/test_images.h"
#include "test_files.h"

namespace nb {
namespace {

// Writes every mesh and texture the catalogue names and a settings.ini that
// names them the Windows way, as the shipped file does.
class CatalogueTest : public ::testing::Test {
 protected:
  void WriteFullData(const std::string& materials) {
    std::string settings = "[General]\nWIDTH=800\nHEIGHT=600\n\n[Meshes]\n";
    for (int i = 0; i < kMeshKeyCount; ++i) {
      std::string key = MeshKeyName(static_cast<MeshKey>(i));
      dir.Write("data/meshes/" + key + ".x", test::QuadRowXFile(i + 1));
      settings += key + "=data\\meshes\\" + key + ".x\n";
    }
    settings += "\n[Textures]\n";
    for (int i = 0; i < kTextureKeyCount; ++i) {
      std::string key = TextureKeyName(static_cast<TextureKey>(i));
      int w = key == "helptexture" ? 100 : 32, h = key == "helptexture" ? 60 : 16;
      dir.Write("data/" + key + ".png", test::EncodePng(w, h, test::PatternPixels(w, h, 4)));
      settings += key + "=data\\" + key + ".png\n";
    }
    settings += "\n[Materials]\n" + materials + "\n[Sounds]\n";
    dir.Write("settings.ini", settings);
  }

  test::ScratchDir dir;
  test::CapturedMessages messages;
  RecordingDevice device;
  ResourceCatalogue catalogue;
  GeometryStore store;
  CameraState camera;
};

TEST_F(CatalogueTest, LoadsEveryKeyInOrderWithItsMaterials) {
  WriteFullData(
      "foodDR=1.5\nfoodDG=0.25\nfoodDB=0.125\nfoodDA=1\n"
      "foodAR=0.5\nfoodAG=-0.5\nfoodAB=0.75\n"  // foodAA missing
      "bonusDR=0.1\nbonusDG=0.2\nbonusDB=0.3\nbonusDA=0.9\n"
      "bonusAR=0.4\nbonusAG=0.5\nbonusAB=0.6\nbonusAA=0.9\n");
  ASSERT_TRUE(LoadResourceCatalogue(catalogue, store, camera, device, GameFolders{}, 800, 600));
  EXPECT_TRUE(messages.texts().empty()) << messages.texts()[0];

  // Meshes take records 0..23 in the order of the table, one after the other in the buffer.
  uint32_t first = 0;
  for (int i = 0; i < kMeshKeyCount; ++i) {
    ASSERT_EQ(catalogue.meshes[i], i);
    const MeshRecord& r = store.records[i];
    EXPECT_EQ(std::tie(r.vertexCount, r.firstVertex), std::make_tuple(4u * (i + 1), first)) << i;
    first += r.vertexCount;
  }
  // Texture sides are rounded up to powers of two. The help pictures are
  // there only while the help page shows.
  EXPECT_FALSE(catalogue.Texture(TextureKey::Helptexture));
  KeepTexture(catalogue, device, TextureKey::Helptexture, true);
  int w = 0, h = 0;
  device.GetTextureSize(catalogue.Texture(TextureKey::Helptexture), &w, &h);
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(128, 64));  // from 100 x 60
  const size_t textures = device.textureCount();
  KeepTexture(catalogue, device, TextureKey::Helptexture, false);
  EXPECT_EQ(device.textureCount(), textures - 1);

  // food as written (1.5 not clamped, the missing alpha 0); bonus alphas are fixed.
  auto rgba = [](const ColorValue& c) { return std::make_tuple(c.r, c.g, c.b, c.a); };
  EXPECT_EQ(rgba(catalogue.food.diffuse), std::make_tuple(1.5f, 0.25f, 0.125f, 1.f));
  EXPECT_EQ(rgba(catalogue.food.ambient), std::make_tuple(0.5f, -0.5f, 0.75f, 0.f));
  EXPECT_EQ(rgba(catalogue.bonus.diffuse), std::make_tuple(0.1f, 0.2f, 0.3f, 0.5f));
  EXPECT_EQ(rgba(catalogue.bonus.ambient), std::make_tuple(0.4f, 0.5f, 0.6f, 0.25f));

  ReleaseResourceCatalogue(catalogue, store, device);
  EXPECT_EQ(device.textureCount() + device.vertexBufferCount() + device.indexBufferCount(), 0u);
}

// A key settings.ini lacks loads the shipped file. (Missing and damaged files
// are named by the damaged-data binary test.)
TEST_F(CatalogueTest, AKeySettingsLacksLoadsTheShippedFile) {
  WriteFullData("");
  SettingsFile settings{dir.File("settings.ini")};
  settings.WriteString("Meshes", "wall", "");  // the shipped file, data/meshes/wall.x
  ASSERT_TRUE(LoadResourceCatalogue(catalogue, store, camera, device, GameFolders{}, 800, 600));
  EXPECT_TRUE(messages.texts().empty());
  EXPECT_EQ(MissingCatalogueEntries(settings), std::vector<std::string>{"Meshes/wall"});
  EXPECT_GE(catalogue.Mesh(MeshKey::Wall), 0);
}

}  // namespace
}  // namespace nb
