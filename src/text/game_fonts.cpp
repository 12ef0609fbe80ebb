#include "text/game_fonts.h"

#include "core/file_io.h"
#include "core/log.h"
#include "core/paths.h"
#include "d3dhelpers/image_file.h"
#include "platform/message_box.h"
#include "text/text_drawing.h"

namespace nb {

namespace {

template <typename F>
void ForEachFont(Fonts& fonts, F f) {
  for (std::unique_ptr<BitmapFont>* font : {&fonts.LargeFont, &fonts.SmallFont, &fonts.ExtraLargeFont})
    if (*font) f(**font);
}

}  // namespace

namespace {

const char* const kFontFiles[3] = {kLargeFontFile, kSmallFontFile, kExtraLargeFontFile};

// What the player is told about a missing or damaged page of the font.
std::string PageProblem(const std::string& folder, const std::string& name) {
  if (!FileExists(NativePath(folder, name))) return "Could not find " + name;
  Image image;
  std::string error;
  if (LoadImageFile(NativePath(folder, name), image, &error)) return "Could not load " + name;
  LogPrintf("%s: %s\n", name.c_str(), error.c_str());
  return "Damaged " + name;
}

// Binds the font and loads its pages; "" when it can draw, otherwise the
// message for the player (the reader's reason goes to the log).
std::string LoadFontPages(const std::string& file, BitmapFont& font, GraphicsDevice& device) {
  if (!FileExists(NativePath(font.folder, file))) return "Could not find " + file;
  const std::string damage = FontDamage(font.description);
  if (!damage.empty()) {
    LogPrintf("%s: %s\n", file.c_str(), damage.c_str());
    return "Damaged " + file;
  }
  if (Succeeded(CreateFontTextures(font, device))) return "";
  for (size_t page = 0; page < font.pageTextures.size(); ++page)
    if (!font.pageTextures[page]) return PageProblem(font.folder, font.description.pageNames[page]);
  return "Could not load " + file;
}

// The slot's own file, else the nearest other size that loads whole; when
// none does, the slot keeps an empty font that draws nothing. Only the slot's
// own problem is shown; those of the stand-ins go to the log.
std::unique_ptr<BitmapFont> LoadFontOrStandIn(int slot, GraphicsDevice& device, const std::string& dataDir) {
  const int order[3][3] = {{0, 1, 2}, {1, 0, 2}, {2, 0, 1}};
  for (int candidate : order[slot]) {
    std::unique_ptr<BitmapFont> font = LoadBitmapFont(kFontFiles[candidate], dataDir);
    const std::string problem = LoadFontPages(kFontFiles[candidate], *font, device);
    if (problem.empty()) return font;
    if (candidate == slot)
      ShowMessageBox(problem, "ERROR");
    else
      LogPrintf("%s\n", problem.c_str());
    DestroyFont(*font);
  }
  auto empty = std::make_unique<BitmapFont>();
  empty->device = &device;
  return empty;
}

}  // namespace

void LoadFonts(Fonts& fonts, GraphicsDevice& device, const std::string& dataDir) {
  std::unique_ptr<BitmapFont>* slots[3] = {&fonts.LargeFont, &fonts.SmallFont, &fonts.ExtraLargeFont};
  for (int slot = 0; slot < 3; ++slot) {
    *slots[slot] = LoadFontOrStandIn(slot, device, dataDir);
    RestoreFontDeviceObjects(**slots[slot]);
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
