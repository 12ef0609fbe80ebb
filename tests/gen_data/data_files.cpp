#include "data_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "d3dhelpers/x_mesh.h"
#include "support/game_process.h"
#include "text/text_drawing.h"

namespace nb::test {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string GameFile(const std::string& relative) { return std::string(NB_GAME_DIR) + "/" + relative; }

MeshData LoadMesh(const std::string& key) {
  MeshData mesh;
  std::string error;
  EXPECT_TRUE(LoadXMeshFile(GameFile("data/meshes/" + key + ".x"), mesh, &error)) << key << ": " << error;
  return mesh;
}

Image LoadPicture(const std::string& relative) {
  Image image;
  std::string error;
  EXPECT_TRUE(LoadImageFile(GameFile(relative), image, &error)) << relative << ": " << error;
  return image;
}

std::unique_ptr<BitmapFont> LoadFont(const std::string& name) {
  auto font = LoadBitmapFont(GameFile("data/fonts/" + name + ".fnt"));
  EXPECT_FALSE(font->description.glyphs.empty()) << name;
  return font;
}

int TextWidth(const BitmapFont& font, const std::string& text) {
  TextSize size;
  EXPECT_EQ(MeasureText(font, text.c_str(), &size), DeviceResult::Ok);
  return size.width;
}

ShippedGame::ShippedGame() { InstallShippedGame(dir.path()); }

}  // namespace nb::test
