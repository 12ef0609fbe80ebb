#pragma once
// The generated files as the game's own loaders read them.
#include <cstdint>
#include <memory>
#include <string>

#include "core/vertex_formats.h"
#include "d3dhelpers/image_file.h"
#include "support/scratch_dir.h"
#include "text/bitmap_font.h"

namespace nb::test {

std::string ReadBytes(const std::string& path);
std::string GameFile(const std::string& relative);  // NB_GAME_DIR/relative

MeshData LoadMesh(const std::string& key);                      // data/meshes/<key>.x
Image LoadPicture(const std::string& relative);                 // under the game directory
std::unique_ptr<BitmapFont> LoadFont(const std::string& name);  // data/fonts/<name>.fnt
int TextWidth(const BitmapFont& font, const std::string& text);

// A scratch game directory, made current, laid out as the build lays out build/game.
struct ShippedGame {
  ScratchDir dir;
  ShippedGame();
};

}  // namespace nb::test
