#pragma once
// A game on the recording device with the shipped fonts, texts, curves and
// catalogue (in a scratch copy of the game directory), and a reading of what
// the screens drew: one box per screen-space draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/vertex_formats.h"
#include "platform/recording_device.h"
#include "shell/game.h"
#include "support/game_process.h"
#include "support/scratch_dir.h"
#include "text/text_drawing.h"

namespace nb::test {

// One screen-space draw: the rectangle its vertices cover and their colour.
struct DrawnBox {
  float left = 0, top = 0, right = 0, bottom = 0;
  uint32_t colour = 0;
  TextureHandle texture;
  float uMin = 0;
  float CentreX() const { return (left + right) / 2; }
  float Width() const { return right - left; }
};

class MenuDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    InstallShippedGame(dir.path());
    game = std::make_unique<Game>();
    auto owned = std::make_unique<RecordingDevice>();
    device = owned.get();
    game->render.device = std::move(owned);
    LoadResourceCatalogue(game->catalogue, game->store, game->camera, *device, 800, 600);
    LoadFonts(game->fonts, *device);
    ASSERT_TRUE(game->fonts.LargeFont && game->fonts.ExtraLargeFont && game->fonts.SmallFont);
    Game& g = *game;
    LoadLocalizedTexts(game->texts, "en", 800, 600, [&g](const std::string& text, float& w, float& h) {
      TextSize size;
      MeasureText(*g.fonts.LargeFont, text.c_str(), &size);
      w = static_cast<float>(size.width);
      h = static_cast<float>(size.height);
    });
    ASSERT_EQ(game->texts.menu.count, 7);
    LoadAnimations(game->animations);
    ASSERT_FALSE(game->animations.input.valueKeys.empty());
    game->screen.gameState = GameState::MainMenu;
    Reset();
  }

  void Reset() {
    device->ClearCalls();
    device->draws.clear();
  }

  // Every screen-space draw since the last Reset, in order.
  std::vector<DrawnBox> Boxes() const {
    std::vector<DrawnBox> out;
    for (const RecordingDevice::Draw& d : device->draws) {
      if (d.fvf != kFvfScreen || d.vertexBytes.size() < sizeof(VertexScreen)) continue;
      size_t n = std::min<size_t>(d.vertexCount, d.vertexBytes.size() / sizeof(VertexScreen));
      DrawnBox box{1e9f, 1e9f, -1e9f, -1e9f, 0, d.texture, 1e9f};
      for (size_t i = 0; i < n; ++i) {
        VertexScreen v;
        std::memcpy(&v, d.vertexBytes.data() + i * sizeof v, sizeof v);
        box = {std::min(box.left, v.x), std::min(box.top, v.y), std::max(box.right, v.x),
               std::max(box.bottom, v.y), v.color, box.texture, std::min(box.uMin, v.u)};
      }
      out.push_back(box);
    }
    return out;
  }
  // Texts in the colour: runs of consecutive draws from font pages in that
  // colour (a text spread over two pages takes two draws) joined into one box.
  std::vector<DrawnBox> TextBoxes(uint32_t colour) const {
    std::vector<DrawnBox> out;
    bool joining = false;
    for (const DrawnBox& b : Boxes()) {
      bool text = b.texture.id != 0 && !(b.texture == game->catalogue.Texture(TextureKey::Texture)) &&
                  !(b.texture == game->catalogue.Texture(TextureKey::Helptexture));
      if (text && b.colour == colour && joining) {
        DrawnBox& last = out.back();
        last = {std::min(last.left, b.left), std::min(last.top, b.top), std::max(last.right, b.right),
                std::max(last.bottom, b.bottom), last.colour, last.texture, last.uMin};
      } else if (text && b.colour == colour) {
        out.push_back(b);
      }
      joining = text && b.colour == colour;
    }
    return out;
  }
  std::vector<DrawnBox> BoxesOf(uint32_t colour) const {
    std::vector<DrawnBox> all = Boxes(), out;
    for (const DrawnBox& b : all)
      if (b.colour == colour) out.push_back(b);
    return out;
  }

  ScratchDir dir;
  std::unique_ptr<Game> game;
  RecordingDevice* device = nullptr;
};

}  // namespace nb::test
