#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace gen {

struct FontRecipe {
  std::string name;      // data/fonts/<name>.fnt, pages data/fonts/<name>_<page>.png
  std::string ttf;       // the TrueType file rasterised
  std::string faceName;  // written into the info line
  int pixelSize;
  bool bold;
  int pageWidth;
  // Characters up to this id go on page 0, the others on page 1; 0 keeps
  // everything on one page.
  int splitAfter;
};

// The characters every font carries: printable ASCII and the printable
// bytes of code page 1251 (the texts and the typed player names use them).
std::vector<uint8_t> FontCharacterBytes();

// Rasterises the font and writes its .fnt and page images under gameDir.
bool WriteFont(const std::string& gameDir, const FontRecipe& recipe, std::string& error);

}  // namespace gen
