#include "data_files.h"

#include <jpeglib.h>
#include <png.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace nb::test {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string GameFile(const std::string& relative) { return std::string(NB_GAME_DIR) + "/" + relative; }

namespace {

// Walks the numbers of a .x body: every number, in order, ignoring the
// separators (',' ';') and braces, but stopping at a named block.
struct XCursor {
  const std::string& s;
  size_t pos;
  bool Expect(const std::string& word) {
    size_t at = s.find(word, pos);
    if (at == std::string::npos) return false;
    pos = at + word.size();
    size_t brace = s.find('{', pos);
    if (brace == std::string::npos) return false;
    pos = brace + 1;
    return true;
  }
  bool Number(double& out) {
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == '\n' || s[pos] == '\r' || s[pos] == '\t' ||
                              s[pos] == ',' || s[pos] == ';'))
      ++pos;
    if (pos >= s.size()) return false;
    char* end = nullptr;
    out = std::strtod(s.c_str() + pos, &end);
    if (end == s.c_str() + pos) return false;
    pos = end - s.c_str();
    return true;
  }
  bool Int(int& out) {
    double d;
    if (!Number(d) || d != std::floor(d)) return false;
    out = static_cast<int>(d);
    return true;
  }
};

bool ReadFaces(XCursor& c, int vertexCount, std::vector<std::array<int, 3>>& faces, std::string& error) {
  int count;
  if (!c.Int(count) || count < 0) return error = "bad face count", false;
  for (int f = 0; f < count; ++f) {
    int n, a, b, d;
    if (!c.Int(n) || n != 3) return error = "face " + std::to_string(f) + " is not a triangle", false;
    if (!c.Int(a) || !c.Int(b) || !c.Int(d)) return error = "short face list", false;
    for (int i : {a, b, d})
      if (i < 0 || i >= vertexCount) return error = "face index out of range", false;
    faces.push_back({a, b, d});
  }
  return true;
}

}  // namespace

bool ParseXFile(const std::string& text, XMesh& mesh, std::string& error) {
  if (text.rfind("xof 0303txt 0032", 0) != 0) return error = "no text .x header", false;
  XCursor c{text, 0};
  if (!c.Expect("Mesh ")) return error = "no Mesh block", false;
  int n;
  if (!c.Int(n) || n <= 0) return error = "bad vertex count", false;
  for (int i = 0; i < n; ++i) {
    double x, y, z;
    if (!c.Number(x) || !c.Number(y) || !c.Number(z)) return error = "short vertex list", false;
    mesh.positions.push_back({float(x), float(y), float(z)});
  }
  if (!ReadFaces(c, n, mesh.faces, error)) return false;
  if (!c.Expect("MeshNormals")) return error = "no MeshNormals", false;
  int nn;
  if (!c.Int(nn) || nn != n) return error = "normal count differs from vertex count", false;
  for (int i = 0; i < nn; ++i) {
    double x, y, z;
    if (!c.Number(x) || !c.Number(y) || !c.Number(z)) return error = "short normal list", false;
    mesh.normals.push_back({float(x), float(y), float(z)});
  }
  if (!ReadFaces(c, nn, mesh.normalFaces, error)) return false;
  if (!c.Expect("MeshTextureCoords")) return error = "no MeshTextureCoords", false;
  int nt;
  if (!c.Int(nt) || nt != n) return error = "texture pair count differs from vertex count", false;
  for (int i = 0; i < nt; ++i) {
    double u, v;
    if (!c.Number(u) || !c.Number(v)) return error = "short texture list", false;
    mesh.uvs.push_back({float(u), float(v)});
  }
  return true;
}

namespace {

bool LoadPng(const std::string& path, Picture& out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  out.width = image.width, out.height = image.height, out.channels = 4;
  out.pixels.resize(PNG_IMAGE_SIZE(image));
  bool ok = png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr) != 0;
  png_image_free(&image);
  return ok;
}

bool LoadJpeg(const std::string& path, Picture& out) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  bool ok = jpeg_read_header(&cinfo, TRUE) == JPEG_HEADER_OK;
  if (ok) {
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = cinfo.output_width, out.height = cinfo.output_height, out.channels = 3;
    out.pixels.resize(size_t(out.width) * out.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
      JSAMPROW row = &out.pixels[size_t(cinfo.output_scanline) * out.width * 3];
      jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
  }
  jpeg_destroy_decompress(&cinfo);
  std::fclose(file);
  return ok;
}

}  // namespace

bool LoadPicture(const std::string& path, Picture& out) {
  std::string head = ReadBytes(path).substr(0, 4);
  if (head.size() == 4 && head[1] == 'P' && head[2] == 'N' && head[3] == 'G') return LoadPng(path, out);
  if (head.size() >= 2 && uint8_t(head[0]) == 0xFF && uint8_t(head[1]) == 0xD8) return LoadJpeg(path, out);
  return false;
}

int TextLine::Int(const std::string& key) const {
  auto it = attrs.find(key);
  return it == attrs.end() ? 0 : std::atoi(it->second.c_str());
}

float TextLine::Float(const std::string& key) const {
  auto it = attrs.find(key);
  return it == attrs.end() ? 0.0f : static_cast<float>(std::atof(it->second.c_str()));
}

TextLine SplitLine(const std::string& line) {
  TextLine out;
  size_t i = 0, n = line.size();
  while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
  while (i < n && line[i] != ' ' && line[i] != '\t') out.keyword += line[i++];
  while (i < n) {
    while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
    std::string key, value;
    while (i < n && line[i] != '=') key += line[i++];
    if (i >= n) break;
    ++i;
    bool quoted = false;
    while (i < n && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
      if (line[i] == '"') quoted = !quoted;
      else value += line[i];
      ++i;
    }
    out.attrs.emplace(key, value);
  }
  return out;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

}  // namespace nb::test
