#include "fonts.h"

#include <cstdio>
#include <fstream>
#include <map>

#include "cp1251.h"
#include "glyphs.h"
#include "raster.h"

namespace gen {

std::vector<uint8_t> FontCharacterBytes() {
  std::vector<uint8_t> bytes;
  for (int b = 0x20; b <= 0xFF; ++b)
    if (Cp1251ToUnicode(static_cast<uint8_t>(b)) != 0) bytes.push_back(static_cast<uint8_t>(b));
  return bytes;
}

namespace {

struct Placed {
  int id;
  FontFace::Glyph glyph;
  int page = 0, x = 0, y = 0;
};

int NextPowerOfTwo(int v) {
  int p = 16;
  while (p < v) p *= 2;
  return p;
}

constexpr int kSpacing = 2;  // between glyphs and around the page

// Shelf packing, page by page, in character order; returns the page height
// (a power of two that holds the fullest page).
int PackGlyphs(std::vector<Placed>& glyphs, const FontRecipe& recipe, int pageCount) {
  std::vector<int> usedHeight(pageCount, 0);
  for (int page = 0; page < pageCount; ++page) {
    int x = kSpacing, y = kSpacing, rowHeight = 0;
    for (Placed& p : glyphs) {
      int wanted = recipe.splitAfter > 0 && p.id > recipe.splitAfter ? 1 : 0;
      if (wanted != page) continue;
      p.page = page;
      if (p.glyph.width == 0 || p.glyph.height == 0) continue;
      if (x + p.glyph.width + kSpacing > recipe.pageWidth) {
        x = kSpacing;
        y += rowHeight + kSpacing;
        rowHeight = 0;
      }
      p.x = x, p.y = y;
      x += p.glyph.width + kSpacing;
      rowHeight = std::max(rowHeight, p.glyph.height);
    }
    usedHeight[page] = y + rowHeight + kSpacing;
  }
  int pageHeight = 0;
  for (int h : usedHeight) pageHeight = std::max(pageHeight, NextPowerOfTwo(h));
  return pageHeight;
}

// The page pictures; fills `pageFiles` with their paths in the game directory.
bool WritePages(const std::string& gameDir, const FontRecipe& recipe, const std::vector<Placed>& glyphs,
                int pageCount, int pageHeight, std::vector<std::string>& pageFiles, std::string& error) {
  for (int page = 0; page < pageCount; ++page) {
    // White everywhere; the glyphs live in the alpha channel, so that
    // filtered edges never turn grey.
    Image img(recipe.pageWidth, pageHeight, Color{1, 1, 1, 0});
    for (const Placed& p : glyphs) {
      if (p.page != page) continue;
      for (int y = 0; y < p.glyph.height; ++y)
        for (int x = 0; x < p.glyph.width; ++x)
          img.At(p.x + x, p.y + y).a = p.glyph.coverage[size_t(y) * p.glyph.width + x] / 255.0f;
    }
    std::string file = "data/fonts/" + recipe.name + "_" + std::to_string(page) + ".png";
    if (!WritePng(gameDir + "/" + file, img)) {
      error = "cannot write " + file;
      return false;
    }
    pageFiles.push_back(file);
  }
  return true;
}

// The kerning lines of every pair of glyphs the face kerns.
std::vector<std::string> KerningLines(const FontFace& face, const std::vector<Placed>& glyphs) {
  std::vector<std::string> kernings;
  char line[100];
  for (const Placed& a : glyphs)
    for (const Placed& b : glyphs) {
      int amount = face.Kerning(Cp1251ToUnicode(uint8_t(a.id)), Cp1251ToUnicode(uint8_t(b.id)));
      if (amount == 0) continue;
      std::snprintf(line, sizeof line, "kerning first=%d second=%d amount=%d\n", a.id, b.id, amount);
      kernings.push_back(line);
    }
  return kernings;
}

// The text description: the face, the pages, each glyph's place and the kernings.
std::string FontDescription(const FontFace& face, const FontRecipe& recipe, const std::vector<Placed>& glyphs,
                            int pageHeight, const std::vector<std::string>& pageFiles) {
  const int base = face.Ascender();
  const int pageCount = static_cast<int>(pageFiles.size());
  std::string out;
  char line[500];
  std::snprintf(line, sizeof line,
                "info face=\"%s\" size=%d bold=%d italic=0 charset=\"\" unicode=0 stretchH=100 smooth=1 "
                "aa=1 padding=0,0,0,0 spacing=%d,%d\n",
                recipe.faceName.c_str(), recipe.pixelSize, recipe.bold ? 1 : 0, kSpacing, kSpacing);
  out += line;
  std::snprintf(line, sizeof line, "common lineHeight=%d base=%d scaleW=%d scaleH=%d pages=%d packed=0\n",
                face.LineHeight(), base, recipe.pageWidth, pageHeight, pageCount);
  out += line;
  for (int page = 0; page < pageCount; ++page) {
    std::snprintf(line, sizeof line, "page id=%d file=\"%s\"\n", page, pageFiles[page].c_str());
    out += line;
  }
  std::snprintf(line, sizeof line, "chars count=%zu\n", glyphs.size());
  out += line;
  for (const Placed& p : glyphs) {
    std::snprintf(line, sizeof line,
                  "char id=%d x=%d y=%d width=%d height=%d xoffset=%d yoffset=%d xadvance=%d page=%d "
                  "chnl=15\n",
                  p.id, p.x, p.y, p.glyph.width, p.glyph.height, p.glyph.left, base - p.glyph.top,
                  p.glyph.advance, p.page);
    out += line;
  }
  const std::vector<std::string> kernings = KerningLines(face, glyphs);
  std::snprintf(line, sizeof line, "kernings count=%zu\n", kernings.size());
  out += line;
  for (const std::string& k : kernings) out += k;
  return out;
}

}  // namespace

bool WriteFont(const std::string& gameDir, const FontRecipe& recipe, std::string& error) {
  FontFace face(recipe.ttf, recipe.pixelSize);
  if (!face.ok()) {
    error = "cannot open font " + recipe.ttf;
    return false;
  }
  std::vector<Placed> glyphs;
  for (uint8_t b : FontCharacterBytes()) {
    uint32_t cp = Cp1251ToUnicode(b);
    if (!face.HasGlyph(cp)) continue;
    glyphs.push_back({b, face.Render(cp)});
  }
  const int pageCount = recipe.splitAfter > 0 ? 2 : 1;
  const int pageHeight = PackGlyphs(glyphs, recipe, pageCount);
  std::vector<std::string> pageFiles;
  if (!WritePages(gameDir, recipe, glyphs, pageCount, pageHeight, pageFiles, error)) return false;

  std::ofstream file(gameDir + "/data/fonts/" + recipe.name + ".fnt", std::ios::binary | std::ios::trunc);
  file << FontDescription(face, recipe, glyphs, pageHeight, pageFiles);
  if (!file) {
    error = "cannot write " + recipe.name + ".fnt";
    return false;
  }
  return true;
}

}  // namespace gen
