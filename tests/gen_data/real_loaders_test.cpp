// The shipped data through the game's start-up loader: the whole catalogue
// loads without a message or a log error.
#include <gtest/gtest.h>

#include "core/settings_file.h"
#include "data_files.h"
#include "platform/recording_device.h"
#include "render/camera.h"
#include "render/geometry_store.h"
#include "render/resource_catalogue.h"

namespace nb {
namespace {

TEST(RealLoaders, WholeCatalogueLoadsWithoutAMessageOrALogError) {
  test::ShippedGame game;
  test::CapturedMessages messages;
  RecordingDevice device;
  ResourceCatalogue catalogue;
  GeometryStore store;
  CameraState camera;
  ASSERT_TRUE(LoadResourceCatalogue(catalogue, store, camera, device, 800, 600));
  EXPECT_TRUE(messages.texts().empty()) << messages.texts()[0];
  for (int i = 0; i < kMeshKeyCount; ++i) {
    EXPECT_GE(catalogue.meshes[i], 0) << MeshKeyName(static_cast<MeshKey>(i));
    EXPECT_FALSE(catalogue.meshData[i].vertices.empty()) << MeshKeyName(static_cast<MeshKey>(i));
  }
  for (int i = 0; i < kTextureKeyCount; ++i)
    EXPECT_TRUE(static_cast<bool>(catalogue.textures[i])) << TextureKeyName(static_cast<TextureKey>(i));
  // Room is left in the store for a level's merged geometry.
  EXPECT_LT(store.vertexCount3d + 8000u, 50000u);
  std::string log = game.dir.Read("Log.txt");
  EXPECT_EQ(log.find("loaded with error"), std::string::npos) << log;
  ReleaseResourceCatalogue(catalogue, store, device);
}

}  // namespace
}  // namespace nb
