// Writes the game's own data into the game directory:
//   gen_data <game dir> <source data dir> [<desktop dir>]
// Meshes, textures, fonts and the default records table (data/record.dat,
// which the build installs as the player's record.dat when there is none)
// are made here; the curves and the language files come from the editable
// sources in the data directory. The output is the same, byte for byte, on
// every run. With a desktop dir it also paints the icons
// (icons/<size>.png) and the screenshot the installed game ships.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cp1251.h"
#include "desktop_art.h"
#include "fonts.h"
#include "glyphs.h"
#include "meshes.h"
#include "persistence/records.h"
#include "records.h"
#include "textures.h"

namespace fs = std::filesystem;

namespace {

const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

bool ReadFile(const fs::path& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return true;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

// The digits of the first "count=" at or after the key ("" when none).
std::string CountAfter(const std::string& text, const std::string& key) {
  size_t at = text.find(key);
  if (at == std::string::npos) return "";
  if (key.back() != '=') at = text.find("count=", at);
  if (at == std::string::npos) return "";
  at = text.find('=', at) + 1;
  return text.substr(at, text.find_first_not_of("0123456789", at) - at);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "gen_data: %s\n", message.c_str());
  return 1;
}

// The grid lines of the first level's source (data/levels/01-*.lvl).
std::vector<std::string> FirstLevelGrid(const fs::path& source) {
  std::vector<fs::path> levels;
  for (const auto& entry : fs::directory_iterator(source / "levels"))
    if (entry.path().extension() == ".lvl") levels.push_back(entry.path());
  std::sort(levels.begin(), levels.end());
  std::vector<std::string> grid;
  std::string text;
  if (levels.empty() || !ReadFile(levels.front(), text)) return grid;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (!line.empty() && line[0] == '|') grid.push_back(line.substr(1));
  return grid;
}

bool WriteDesktopArt(const fs::path& dir, const gen::Image& atlas, const fs::path& source) {
  std::error_code ec;
  fs::create_directories(dir / "icons", ec);
  for (int size : {16, 32, 48, 64, 128, 256})
    if (!gen::WritePng((dir / "icons" / (std::to_string(size) + ".png")).string(),
                       gen::MakeIcon(atlas, size)))
      return false;
  const gen::Image shot = gen::MakeScreenshot(atlas, gen::MakeClouds(), FirstLevelGrid(source));
  return gen::WritePng((dir / "screenshot.png").string(), shot, false);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Fail("usage: gen_data <game dir> <source data dir>");
  const fs::path game = argv[1], source = argv[2];
  std::error_code ec;
  for (const char* dir : {"data/meshes", "data/textures", "data/fonts"}) {
    fs::create_directories(game / dir, ec);
    if (ec) return Fail("cannot create " + (game / dir).string());
  }

  // The editable sources first, so that a bad one stops the build at once.
  std::string anim;
  if (!ReadFile(source / "anim.txt", anim)) return Fail("cannot read anim.txt");
  // Language files: written in UTF-8 under data/, shipped in code page 1251.
  std::vector<std::pair<std::string, std::string>> languages;
  for (const auto& entry : fs::directory_iterator(source)) {
    std::string name = entry.path().filename().string();
    if (name.rfind("textes_", 0) != 0 || entry.path().extension() != ".ini") continue;
    std::string text, bytes, error;
    if (!ReadFile(entry.path(), text)) return Fail("cannot read " + name);
    if (!gen::Utf8ToCp1251(text, bytes, error)) return Fail(name + ": " + error);
    languages.push_back({name, bytes});
  }
  if (languages.empty()) return Fail("no language files in " + source.string());
  std::sort(languages.begin(), languages.end());
  // Every language has every text: a key added to one file and forgotten in
  // another stops the build here.
  for (const char* key : {"[textes]", "numpages="}) {
    const std::string first = CountAfter(languages[0].second, key);
    for (const auto& [name, bytes] : languages)
      if (CountAfter(bytes, key) != first)
        return Fail(name + ": another count after " + key + " than " + languages[0].first);
  }

  for (const gen::NamedMesh& m : gen::BuildMeshes()) {
    if (!WriteFile(game / "data/meshes" / (m.key + ".x"), gen::XFileText(m.mesh, m.key)))
      return Fail("cannot write mesh " + m.key);
  }

  const std::string regular = std::string(kFontDir) + "DejaVuSans.ttf";
  const std::string bold = std::string(kFontDir) + "DejaVuSans-Bold.ttf";
  gen::FontFace logoFont(bold, 54), labelFont(bold, 16);
  if (!logoFont.ok()) return Fail("cannot open " + bold);
  const std::string tex = (game / "data/textures").string() + "/";
  gen::Image atlas = gen::MakeAtlas(logoFont);
  bool ok = gen::WritePng(tex + "Texture.png", atlas) &&
            gen::WritePng(tex + "particle.png", gen::MakeParticles()) &&
            gen::WritePng(tex + "sun.png", gen::MakeIslandTexture()) &&
            gen::WriteJpeg(tex + "clouds.jpg", gen::MakeClouds(), 90) &&
            gen::WritePng(tex + "skybox.png", gen::MakeSkybox(), false) &&
            gen::WritePng(tex + "Spheremap.png", gen::MakeSpheremap(), false) &&
            gen::WritePng(tex + "helptexture.png", gen::MakeHelpTexture(atlas, labelFont));
  if (!ok) return Fail("cannot write the textures");
  if (argc > 3 && !WriteDesktopArt(argv[3], atlas, source)) return Fail("cannot write the icons");

  const gen::FontRecipe fonts[] = {
      {"large", bold, "DejaVu Sans", 22, true, 512, 0},
      {"Small", regular, "DejaVu Sans", 15, false, 256, 0},
      // Two pages: punctuation, digits and capitals on the first, the rest on
      // the second, so that ordinary words switch pages.
      {"ExtraLarge", bold, "DejaVu Sans", 40, true, 512, 96},
  };
  for (const gen::FontRecipe& f : fonts) {
    std::string error;
    if (!gen::WriteFont(game.string(), f, error)) return Fail(error);
  }

  // Written by the game's own records writer, so the game reads it back.
  if (!nb::SaveRecordsFile(nb::ProfileTable{}, gen::MakeDefaultRecords(),
                           (game / "data/record.dat").string()))
    return Fail("cannot write data/record.dat");
  if (!WriteFile(game / "anim.txt", anim)) return Fail("cannot write anim.txt");
  for (const auto& [name, bytes] : languages)
    if (!WriteFile(game / "data" / name, bytes)) return Fail("cannot write " + name);
  return 0;
}
