// The shipped data through the game's own loaders: the whole catalogue, the
// three fonts and each language file load without a message or a log error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "d3dhelpers/image_file.h"
#include "d3dhelpers/x_mesh.h"
#include "data_files.h"
#include "menus/localized_texts.h"
#include "platform/recording_device.h"
#include "render/camera.h"
#include "render/geometry_store.h"
#include "render/resource_catalogue.h"
#include "shell/settings_file.h"
#include "support/scratch_dir.h"
#include "text/bitmap_font.h"
#include "text/game_fonts.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

// A scratch game directory: the shipped settings.ini beside the generated
// data folder, as the build lays out build/game.
struct ShippedGame {
  test::ScratchDir dir;
  ShippedGame() {
    dir.Write("settings.ini", test::ReadBytes(std::string(NB_SOURCE_DIR) + "/data/settings.ini"));
    std::filesystem::create_directory_symlink(std::string(NB_GAME_DIR) + "/data", dir.File("data"));
  }
};

TEST(RealLoaders, WholeCatalogueLoadsWithoutAMessageOrALogError) {
  ShippedGame game;
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

// The mesh reader sees exactly the vertices and faces written: one normal
// and one texture pair per vertex, so none is split.
TEST(RealLoaders, MeshReaderKeepsEveryVertexAsWritten) {
  for (int i = 0; i < kMeshKeyCount; ++i) {
    std::string key = MeshKeyName(static_cast<MeshKey>(i));
    std::string path = test::GameFile("data/meshes/" + key + ".x");
    MeshData data;
    std::string error;
    ASSERT_TRUE(LoadXMeshFile(path, data, &error)) << key << ": " << error;
    test::XMesh mine;
    ASSERT_TRUE(test::ParseXFile(test::ReadBytes(path), mine, error)) << key;
    ASSERT_EQ(data.vertices.size(), mine.positions.size()) << key;
    ASSERT_EQ(data.indices.size(), mine.faces.size() * 3) << key;
    for (size_t v = 0; v < mine.positions.size(); v += 7) {
      EXPECT_FLOAT_EQ(data.vertices[v].x, mine.positions[v].x) << key;
      EXPECT_FLOAT_EQ(data.vertices[v].ny, mine.normals[v].y) << key;
      EXPECT_FLOAT_EQ(data.vertices[v].v, mine.uvs[v].second) << key;
    }
  }
}

TEST(RealLoaders, EveryTextureDecodesAtItsOwnSize) {
  for (int i = 0; i < kTextureKeyCount; ++i) {
    std::string key = TextureKeyName(static_cast<TextureKey>(i));
    SettingsFile settings{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
    std::string path = settings.ReadString("Textures", key, "");
    Image image;
    std::string error;
    ASSERT_TRUE(LoadImageFile(test::GameFile(path), image, &error)) << key << ": " << error;
    EXPECT_EQ(NextPowerOfTwo(image.width), image.width) << key;
    EXPECT_EQ(NextPowerOfTwo(image.height), image.height) << key;
  }
}

TEST(RealLoaders, FontsLoadWithAllTheirPagesAndMeasureText) {
  ShippedGame game;
  RecordingDevice device;
  test::CapturedMessages messages;
  Fonts fonts;
  LoadFonts(fonts, device);
  for (BitmapFont* font : {fonts.LargeFont.get(), fonts.SmallFont.get(), fonts.ExtraLargeFont.get()}) {
    ASSERT_NE(font, nullptr);
    EXPECT_GT(FontLineHeight(*font), 0);
    ASSERT_GT(FontPageCount(*font), 0);
    for (int page = 0; page < FontPageCount(*font); ++page)
      EXPECT_TRUE(static_cast<bool>(font->pageTextures[page])) << font->description.face << " page " << page;
    EXPECT_NE(FontGlyph(*font, 0xC0), nullptr);
    EXPECT_LT(FontKerning(*font, 'A', 'V'), 0);
    TextSize size;
    ASSERT_EQ(MeasureText(*font, "Nimbara", &size), DeviceResult::Ok);
    EXPECT_GT(size.width, 3 * FontLineHeight(*font) / 2);
  }
  EXPECT_EQ(FontPageCount(*fonts.ExtraLargeFont), 2);
  EXPECT_TRUE(messages.texts().empty());
  DeleteFonts(fonts);
}

TEST(RealLoaders, EveryLanguageLaysOutItsMenusAndHelp) {
  ShippedGame game;
  RecordingDevice device;
  Fonts fonts;
  LoadFonts(fonts, device);
  auto measure = [&](const std::string& text, float& width, float& lineHeight) {
    TextSize size;
    MeasureText(*fonts.LargeFont, text.c_str(), &size);
    width = float(size.width);
    lineHeight = float(FontLineHeight(*fonts.LargeFont));
  };
  for (const char* language : {"en", "ru", "uk"}) {
    LocalizedTexts texts;
    LoadLocalizedTexts(texts, language, 800, 600, measure);
    EXPECT_EQ(texts.menu.count, 7) << language;
    EXPECT_EQ(texts.start.count, 2) << language;
    EXPECT_EQ(texts.newGame.count, 3) << language;
    EXPECT_EQ(texts.exit.count, 2) << language;
    EXPECT_EQ(texts.pause.count, 5) << language;
    EXPECT_EQ(texts.timeLeft.count, 2) << language;
    EXPECT_GE(texts.winner.count, 1) << language;
    // The last main-menu item ends inside the window.
    const MenuItem& last = texts.menu.items[6];
    EXPECT_LE(last.c + last.d, 600.0f) << language;
    for (int i = 0; i < texts.menu.count; ++i) {
      EXPECT_GT(texts.menu.items[i].b, 0.0f) << language << " item " << i;
      EXPECT_LT(texts.menu.items[i].b, 760.0f) << language << " item " << i;
    }
    for (int index : {0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 12, 13, 14, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27,
                      29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 43, 45, 46, 47, 48})
      EXPECT_FALSE(texts.Text(index).empty()) << language << " textes " << index;
    ASSERT_EQ(texts.help.count, 5) << language;
    for (int page = 0; page < 5; ++page) {
      const std::string& text = texts.help.pages[page];
      EXPECT_NE(text.find('\n'), std::string::npos) << language << " page " << page;
      EXPECT_EQ(text.find('\\'), std::string::npos) << language << " page " << page;
      EXPECT_GT(text.size(), 150u) << language << " page " << page;
    }
  }
  DeleteFonts(fonts);
}

}  // namespace
}  // namespace nb
