#pragma once
#include <memory>

#include "platform/graphics_device.h"
#include "text/bitmap_font.h"

namespace nb {

// The game's three fonts, owned by the shell for the whole run.
struct Fonts {
  std::unique_ptr<BitmapFont> LargeFont;       // menu items, messages, the maker's name
  std::unique_ptr<BitmapFont> SmallFont;       // small captions, the FPS counter
  std::unique_ptr<BitmapFont> ExtraLargeFont;  // screen titles
};

// The font files, named as the game names them (below the data folder).
constexpr const char* kLargeFontFile = "data\\fonts\\large.fnt";
constexpr const char* kSmallFontFile = "data\\fonts\\Small.fnt";
constexpr const char* kExtraLargeFontFile = "data\\fonts\\ExtraLarge.fnt";

// Start-up: for LargeFont, SmallFont, ExtraLargeFont in turn, reads the file,
// loads its page textures and creates its device objects. A font whose file
// or a page is missing or damaged gets one message naming that file and
// takes the nearest other size instead (Large and Small stand in for each
// other, either for ExtraLarge); when no file loads, the font is empty and
// draws nothing.
// The files are read below dataDir.
void LoadFonts(Fonts& fonts, GraphicsDevice& device, const std::string& dataDir);

// Shutdown: destroys and deletes each font that is present.
void DeleteFonts(Fonts& fonts);

// Around a device reset, each over the three fonts in their order: release
// the device objects before it; after a successful one re-bind the fonts and
// load their pages again, then re-create the device objects.
void InvalidateFonts(Fonts& fonts);
void CreateFontsTextures(Fonts& fonts, GraphicsDevice& device);
void RestoreFontsDeviceObjects(Fonts& fonts);

}  // namespace nb
