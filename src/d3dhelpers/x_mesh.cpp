#include "d3dhelpers/x_mesh.h"

#include <cmath>
#include <cstdlib>
#include <unordered_map>
#include <vector>

#include "core/file_io.h"
#include "core/matrix.h"

namespace nb {
namespace {

constexpr size_t kMaxFileBytes = 64u << 20;
constexpr int kMaxDepth = 64;  // nesting of Frames and skipped objects
constexpr uint32_t kMaxPolygonCorners = 1024;

enum class TokenType { End, Word, Open, Close, Text, Guid };

struct Token {
  TokenType type = TokenType::End;
  std::string text;
};

// Splits the body of a text .x file into words, braces, quoted texts and
// GUIDs. Commas and semicolons only separate values, so they are skipped;
// the counts in the data say how many values follow.
class Lexer {
 public:
  Lexer(std::string_view text, size_t start) : text_(text), pos_(start) {}

  Token Next() {
    SkipBlanks();
    Token token;
    if (pos_ >= text_.size()) return token;
    char ch = text_[pos_];
    if (ch == '{') {
      ++pos_;
      token.type = TokenType::Open;
    } else if (ch == '}') {
      ++pos_;
      token.type = TokenType::Close;
    } else if (ch == '"') {
      size_t end = text_.find('"', pos_ + 1);
      if (end == std::string_view::npos) end = text_.size();
      token.type = TokenType::Text;
      token.text.assign(text_.substr(pos_ + 1, end - pos_ - 1));
      pos_ = end < text_.size() ? end + 1 : end;
    } else if (ch == '<') {
      size_t end = text_.find('>', pos_ + 1);
      if (end == std::string_view::npos) end = text_.size();
      token.type = TokenType::Guid;
      token.text.assign(text_.substr(pos_ + 1, end - pos_ - 1));
      pos_ = end < text_.size() ? end + 1 : end;
    } else {
      size_t begin = pos_;
      while (pos_ < text_.size() && !IsDelimiter(text_[pos_])) ++pos_;
      token.type = TokenType::Word;
      token.text.assign(text_.substr(begin, pos_ - begin));
    }
    return token;
  }

  size_t Remaining() const { return pos_ < text_.size() ? text_.size() - pos_ : 0; }

 private:
  static bool IsDelimiter(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == ',' || ch == ';' || ch == '{' ||
           ch == '}' || ch == '"' || ch == '<' || ch == '#' || ch == '\0';
  }

  void SkipBlanks() {
    while (pos_ < text_.size()) {
      char ch = text_[pos_];
      if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == ',' || ch == ';' || ch == '\0') {
        ++pos_;
      } else if (ch == '#' || (ch == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/')) {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
      } else {
        return;
      }
    }
  }

  std::string_view text_;
  size_t pos_;
};

// The polygons and per-vertex data of one Mesh object as the file gives them.
struct RawMesh {
  std::vector<Vec3> positions;
  std::vector<std::vector<uint32_t>> faces;
  std::vector<Vec3> normals;
  std::vector<std::vector<uint32_t>> normalFaces;  // empty when there are no normals
  std::vector<float> uvs;                          // two per position, or empty
};

class Parser {
 public:
  Parser(std::string_view text, size_t start) : lex_(text, start) {}

  bool Fail(const std::string& message) {
    if (error_.empty()) error_ = message;
    return false;
  }
  const std::string& error() const { return error_; }

  // The whole body: templates, Frames, Meshes and anything else at top level.
  bool ParseFile(MeshData& out) {
    for (;;) {
      Token token = lex_.Next();
      if (token.type == TokenType::End) return true;
      if (token.type == TokenType::Open) {
        if (!SkipBlock()) return false;
      } else if (token.type == TokenType::Word) {
        if (token.text == "template") {
          if (!SkipObject()) return false;
        } else if (!ParseObject(token.text, out, 0)) {
          return false;
        }
      } else {
        return Fail("unexpected '" + token.text + "' at top level");
      }
    }
  }

 private:
  // After a data object's type: an optional name and GUID, then '{'.
  bool OpenObject() {
    Token token = lex_.Next();
    if (token.type == TokenType::Word) token = lex_.Next();
    if (token.type == TokenType::Guid) token = lex_.Next();
    if (token.type != TokenType::Open) return Fail("expected '{' after an object's type");
    return true;
  }

  // Skips to the '}' that closes an already opened block.
  bool SkipBlock() {
    int depth = 1;
    while (depth > 0) {
      Token token = lex_.Next();
      if (token.type == TokenType::End) return Fail("the file ends inside a block");
      if (token.type == TokenType::Open) ++depth;
      if (token.type == TokenType::Close) --depth;
    }
    return true;
  }

  bool SkipObject() { return OpenObject() && SkipBlock(); }

  bool ParseObject(const std::string& type, MeshData& out, int depth) {
    if (depth > kMaxDepth) return Fail("objects nested too deeply");
    if (type == "Frame") return ParseFrame(out, depth);
    if (type == "Mesh") return ParseMesh(out);
    return SkipObject();
  }

  // A Frame's meshes are gathered apart and moved by the frame's transform
  // once the frame is closed, wherever in the frame the transform stands.
  bool ParseFrame(MeshData& out, int depth) {
    if (!OpenObject()) return false;
    MeshData inner;
    Matrix local;
    for (;;) {
      Token token = lex_.Next();
      if (token.type == TokenType::End) return Fail("the file ends inside a Frame");
      if (token.type == TokenType::Close) break;
      if (token.type == TokenType::Open) {
        if (!SkipBlock()) return false;  // a reference to another object
      } else if (token.type == TokenType::Word) {
        if (token.text == "FrameTransformMatrix") {
          if (!OpenObject()) return false;
          for (int i = 0; i < 16; ++i)
            if (!ReadFloat(local.m[i / 4][i % 4])) return false;
          if (!CloseObject("FrameTransformMatrix")) return false;
        } else if (!ParseObject(token.text, inner, depth + 1)) {
          return false;
        }
      } else {
        return Fail("unexpected '" + token.text + "' in a Frame");
      }
    }
    for (VertexPNT& v : inner.vertices) {
      Vec3 p = TransformCoord({v.x, v.y, v.z}, local);
      Vec3 n = Normalize(TransformNormal({v.nx, v.ny, v.nz}, local));
      v.x = p.x, v.y = p.y, v.z = p.z;
      v.nx = n.x, v.ny = n.y, v.nz = n.z;
    }
    return Append(out, inner);
  }

  bool CloseObject(const char* what) {
    if (lex_.Next().type != TokenType::Close) return Fail(std::string("expected '}' after ") + what);
    return true;
  }

  bool ReadFloat(float& value) {
    Token token = lex_.Next();
    if (token.type != TokenType::Word) return Fail("expected a number");
    char* end = nullptr;
    value = std::strtof(token.text.c_str(), &end);
    if (end == token.text.c_str() || *end != '\0' || !std::isfinite(value))
      return Fail("'" + token.text + "' is not a number");
    return true;
  }

  // A count or an index. `perItem` is the fewest characters each counted item
  // needs in the text, so a count larger than the text could hold fails at once.
  bool ReadCount(uint32_t& value, size_t perItem) {
    Token token = lex_.Next();
    if (token.type != TokenType::Word || token.text.empty() || token.text.size() > 10)
      return Fail("expected a count");
    unsigned long long n = 0;
    for (char ch : token.text) {
      if (ch < '0' || ch > '9') return Fail("'" + token.text + "' is not a count");
      n = n * 10 + static_cast<unsigned>(ch - '0');
    }
    if (n > 0xFFFFFFFFull) return Fail("count out of range");
    value = static_cast<uint32_t>(n);
    if (perItem > 0 && value > lex_.Remaining() / perItem) return Fail("the file ends too early");
    return true;
  }

  bool ReadVectors(uint32_t count, std::vector<Vec3>& into) {
    into.resize(count);
    for (Vec3& v : into)
      if (!ReadFloat(v.x) || !ReadFloat(v.y) || !ReadFloat(v.z)) return false;
    return true;
  }

  bool ReadFaces(uint32_t count, uint32_t indexLimit, std::vector<std::vector<uint32_t>>& into) {
    into.resize(count);
    for (std::vector<uint32_t>& face : into) {
      uint32_t corners = 0;
      if (!ReadCount(corners, 2)) return false;
      if (corners < 3) return Fail("a face has fewer than three corners");
      if (corners > kMaxPolygonCorners) return Fail("a face has too many corners");
      face.resize(corners);
      for (uint32_t& index : face) {
        if (!ReadCount(index, 0)) return false;
        if (index >= indexLimit) return Fail("a face names a vertex that does not exist");
      }
    }
    return true;
  }

  bool ParseMesh(MeshData& out) {
    if (!OpenObject()) return false;
    RawMesh raw;
    uint32_t count = 0;
    // Every number takes at least one character and a separator.
    if (!ReadCount(count, 6) || !ReadVectors(count, raw.positions)) return false;
    uint32_t faceCount = 0;
    if (!ReadCount(faceCount, 8) ||
        !ReadFaces(faceCount, static_cast<uint32_t>(raw.positions.size()), raw.faces))
      return false;
    for (;;) {
      Token token = lex_.Next();
      if (token.type == TokenType::End) return Fail("the file ends inside a Mesh");
      if (token.type == TokenType::Close) break;
      if (token.type == TokenType::Open) {
        if (!SkipBlock()) return false;
      } else if (token.type == TokenType::Word) {
        if (token.text == "MeshNormals") {
          if (!ParseNormals(raw)) return false;
        } else if (token.text == "MeshTextureCoords") {
          if (!ParseTextureCoords(raw)) return false;
        } else if (!SkipObject()) {
          return false;
        }
      } else {
        return Fail("unexpected '" + token.text + "' in a Mesh");
      }
    }
    MeshData built;
    if (!BuildMesh(raw, built)) return false;
    return Append(out, built);
  }

  bool ParseNormals(RawMesh& raw) {
    if (!OpenObject()) return false;
    uint32_t count = 0;
    if (!ReadCount(count, 6) || !ReadVectors(count, raw.normals)) return false;
    uint32_t faceCount = 0;
    if (!ReadCount(faceCount, 8)) return false;
    if (faceCount != raw.faces.size()) return Fail("MeshNormals has another face count than its Mesh");
    if (!ReadFaces(faceCount, count, raw.normalFaces)) return false;
    for (size_t f = 0; f < raw.faces.size(); ++f)
      if (raw.normalFaces[f].size() != raw.faces[f].size())
        return Fail("a MeshNormals face has another corner count than its Mesh face");
    return CloseObject("MeshNormals");
  }

  bool ParseTextureCoords(RawMesh& raw) {
    if (!OpenObject()) return false;
    uint32_t count = 0;
    if (!ReadCount(count, 4)) return false;
    if (count != raw.positions.size())
      return Fail("MeshTextureCoords has another count than the Mesh's vertices");
    raw.uvs.resize(size_t{count} * 2);
    for (float& value : raw.uvs)
      if (!ReadFloat(value)) return false;
    return CloseObject("MeshTextureCoords");
  }

  // One output vertex per file position, with the normal of its first use;
  // a later use with a different normal gets a split copy at the end.
  bool BuildMesh(const RawMesh& raw, MeshData& built) {
    const size_t n = raw.positions.size();
    built.vertices.resize(n);
    for (size_t i = 0; i < n; ++i) {
      VertexPNT& v = built.vertices[i];
      v = VertexPNT{raw.positions[i].x, raw.positions[i].y, raw.positions[i].z, 0, 0, 0, 0, 0};
      if (!raw.uvs.empty()) {
        v.u = raw.uvs[2 * i];
        v.v = raw.uvs[2 * i + 1];
      }
    }
    const bool hasNormals = !raw.normalFaces.empty();
    std::vector<int64_t> normalOf(n, -1);
    std::unordered_map<uint64_t, uint32_t> splits;
    std::vector<uint32_t> corners;
    for (size_t f = 0; f < raw.faces.size(); ++f) {
      const std::vector<uint32_t>& face = raw.faces[f];
      corners.clear();
      for (size_t k = 0; k < face.size(); ++k) {
        uint32_t p = face[k];
        if (!hasNormals) {
          corners.push_back(p);
          continue;
        }
        uint32_t ni = raw.normalFaces[f][k];
        const Vec3& normal = raw.normals[ni];
        if (normalOf[p] < 0) {
          normalOf[p] = ni;
          built.vertices[p].nx = normal.x;
          built.vertices[p].ny = normal.y;
          built.vertices[p].nz = normal.z;
          corners.push_back(p);
          continue;
        }
        const Vec3& first = raw.normals[static_cast<size_t>(normalOf[p])];
        if (first.x == normal.x && first.y == normal.y && first.z == normal.z) {
          corners.push_back(p);
          continue;
        }
        uint64_t key = (uint64_t{p} << 32) | ni;
        auto found = splits.find(key);
        if (found != splits.end()) {
          corners.push_back(found->second);
          continue;
        }
        VertexPNT copy = built.vertices[p];
        copy.nx = normal.x;
        copy.ny = normal.y;
        copy.nz = normal.z;
        uint32_t index = static_cast<uint32_t>(built.vertices.size());
        built.vertices.push_back(copy);
        splits.emplace(key, index);
        corners.push_back(index);
      }
      if (built.vertices.size() > 0x10000) return Fail("too many vertices for 16-bit indices");
      for (size_t k = 1; k + 1 < corners.size(); ++k) {
        built.indices.push_back(static_cast<uint16_t>(corners[0]));
        built.indices.push_back(static_cast<uint16_t>(corners[k]));
        built.indices.push_back(static_cast<uint16_t>(corners[k + 1]));
      }
    }
    if (!hasNormals) ComputeNormals(built);
    return true;
  }

  static void ComputeNormals(MeshData& mesh) {
    std::vector<Vec3> sums(mesh.vertices.size());
    for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
      const VertexPNT& a = mesh.vertices[mesh.indices[t]];
      const VertexPNT& b = mesh.vertices[mesh.indices[t + 1]];
      const VertexPNT& c = mesh.vertices[mesh.indices[t + 2]];
      Vec3 normal =
          Normalize(Cross(Vec3{b.x - a.x, b.y - a.y, b.z - a.z}, Vec3{c.x - a.x, c.y - a.y, c.z - a.z}));
      for (int k = 0; k < 3; ++k) {
        Vec3& sum = sums[mesh.indices[t + k]];
        sum = {sum.x + normal.x, sum.y + normal.y, sum.z + normal.z};
      }
    }
    for (size_t i = 0; i < sums.size(); ++i) {
      Vec3 n = Normalize(sums[i]);
      mesh.vertices[i].nx = n.x;
      mesh.vertices[i].ny = n.y;
      mesh.vertices[i].nz = n.z;
    }
  }

  bool Append(MeshData& out, const MeshData& more) {
    size_t base = out.vertices.size();
    if (base + more.vertices.size() > 0x10000) return Fail("too many vertices for 16-bit indices");
    out.vertices.insert(out.vertices.end(), more.vertices.begin(), more.vertices.end());
    for (uint16_t index : more.indices) out.indices.push_back(static_cast<uint16_t>(base + index));
    return true;
  }

  Lexer lex_;
  std::string error_;
};

}  // namespace

bool ParseXMesh(std::string_view text, MeshData& out, std::string* error) {
  out = MeshData{};
  auto fail = [&](const std::string& message) {
    out = MeshData{};
    if (error) *error = message;
    return false;
  };
  // "xof " version(4) format(4) float size(4)
  if (text.size() < 16 || text.compare(0, 4, "xof ") != 0) return fail("not a .x file");
  const std::string_view format = text.substr(8, 4);
  if (format != "txt ") return fail("only the text form of .x files is read");
  const std::string_view floatSize = text.substr(12, 4);
  if (floatSize != "0032" && floatSize != "0064") return fail("unknown float size in the header");
  Parser parser(text, 16);
  if (!parser.ParseFile(out)) return fail(parser.error());
  if (out.indices.empty()) return fail("the file holds no mesh");
  return true;
}

bool LoadXMeshFile(const std::string& path, MeshData& out, std::string* error) {
  out = MeshData{};
  std::vector<unsigned char> bytes;
  if (!ReadWholeFile(path, bytes, kMaxFileBytes)) {
    if (error) *error = "cannot read " + path + " (missing, or over 64 MiB)";
    return false;
  }
  return ParseXMesh(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), out, error);
}

}  // namespace nb
