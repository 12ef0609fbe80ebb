#include "text/game_fonts.h"

#include "text/text_drawing.h"

namespace nb {

namespace {

template <typename F>
void ForEachFont(Fonts& fonts, F f) {
  for (std::unique_ptr<BitmapFont>* font : {&fonts.LargeFont, &fonts.SmallFont, &fonts.ExtraLargeFont})
    if (*font) f(**font);
}

}  // namespace

void LoadFonts(Fonts& fonts, GraphicsDevice& device) {
  struct Entry {
    std::unique_ptr<BitmapFont>* font;
    const char* file;
  };
  const Entry entries[] = {{&fonts.LargeFont, kLargeFontFile},
                           {&fonts.SmallFont, kSmallFontFile},
                           {&fonts.ExtraLargeFont, kExtraLargeFontFile}};
  for (const Entry& e : entries) {
    *e.font = LoadBitmapFont(e.file);
    CreateFontTextures(**e.font, device);  // a missing page is not fatal
    RestoreFontDeviceObjects(**e.font);
  }
}

void DeleteFonts(Fonts& fonts) {
  for (std::unique_ptr<BitmapFont>* font : {&fonts.LargeFont, &fonts.SmallFont, &fonts.ExtraLargeFont}) {
    if (*font) DestroyFont(**font);
    font->reset();
  }
}

void InvalidateFonts(Fonts& fonts) {
  ForEachFont(fonts, [](BitmapFont& font) { InvalidateFontDeviceObjects(font); });
}

void CreateFontsTextures(Fonts& fonts, GraphicsDevice& device) {
  ForEachFont(fonts, [&](BitmapFont& font) { CreateFontTextures(font, device); });
}

void RestoreFontsDeviceObjects(Fonts& fonts) {
  ForEachFont(fonts, [](BitmapFont& font) { RestoreFontDeviceObjects(font); });
}

}  // namespace nb
