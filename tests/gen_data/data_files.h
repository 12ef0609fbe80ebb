#pragma once
// Readers the data tests use to look inside the generated files. They read
// the files as the game's formats define them and refuse anything else, so
// a file that these accept but the game's own loader rejects is unlikely.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace nb::test {

std::string ReadBytes(const std::string& path);
std::string GameFile(const std::string& relative);  // NB_GAME_DIR/relative

// A DirectX text mesh with one normal and one texture pair per vertex.
struct XMesh {
  struct V3 {
    float x, y, z;
  };
  std::vector<V3> positions, normals;
  std::vector<std::pair<float, float>> uvs;
  std::vector<std::array<int, 3>> faces, normalFaces;
};
bool ParseXFile(const std::string& text, XMesh& mesh, std::string& error);

struct Picture {
  int width = 0, height = 0, channels = 0;  // channels 4 (PNG) or 3 (JPEG)
  std::vector<uint8_t> pixels;
  uint8_t At(int x, int y, int c) const { return pixels[(size_t(y) * width + x) * channels + c]; }
};
bool LoadPicture(const std::string& path, Picture& out);

// One line of a .fnt file: keyword and key=value attributes
// (quoted values may hold blanks).
struct TextLine {
  std::string keyword;
  std::map<std::string, std::string> attrs;
  int Int(const std::string& key) const;
  float Float(const std::string& key) const;
};
TextLine SplitLine(const std::string& line);
std::vector<std::string> Lines(const std::string& text);

}  // namespace nb::test
