// The layouts textures go up in: as few bytes a texel as the picture needs,
// read by the combiner exactly as the RGBA picture would be.
#include "platform/gl_internal.h"

namespace nb {
namespace {

struct TexelLayout {
  GLenum internalFormat;
  GLenum format;
  int bytes;
  int stored[4];  // the RGBA byte each stored byte comes from
  int read[4];    // the stored byte each RGBA byte reads back from; -1 is 255
};

// Indexed by TexelKind.
constexpr TexelLayout kLayouts[] = {
    {GL_RGBA8, GL_RGBA, 4, {0, 1, 2, 3}, {0, 1, 2, 3}},
    {GL_LUMINANCE8, GL_LUMINANCE, 1, {0, 0, 0, 0}, {0, 0, 0, -1}},
    {GL_LUMINANCE8_ALPHA8, GL_LUMINANCE_ALPHA, 2, {0, 3, 0, 0}, {0, 0, 0, 1}},
    {GL_ALPHA8, GL_ALPHA, 1, {3, 0, 0, 0}, {-1, -1, -1, 0}},
};

const TexelLayout& LayoutOf(TexelKind kind) { return kLayouts[static_cast<int>(kind)]; }

// One level packed into the layout.
const uint8_t* PackLevel(const MipLevel& level, const TexelLayout& layout, std::vector<uint8_t>& packed) {
  if (layout.bytes == 4) return level.rgba.data();
  const size_t texels = level.rgba.size() / 4;
  packed.resize(texels * static_cast<size_t>(layout.bytes));
  for (size_t i = 0; i < texels; ++i)
    for (int b = 0; b < layout.bytes; ++b)
      packed[i * layout.bytes + b] = level.rgba[i * 4 + layout.stored[b]];
  return packed.data();
}

}  // namespace

TexelKind ExactTexelKind(const MipLevel& top, bool swizzle) {
  bool grey = true, opaque = true, white = swizzle;
  const std::vector<uint8_t>& p = top.rgba;
  for (size_t i = 0; i + 3 < p.size() && grey; i += 4) {
    grey = p[i] == p[i + 1] && p[i] == p[i + 2];
    opaque = opaque && p[i + 3] == 255;
    white = white && p[i] == 255;
  }
  // Colour takes four bytes either way: the software renderer keeps RGB as RGBX.
  if (!grey) return TexelKind::Rgba;
  if (opaque) return TexelKind::Grey;
  return white ? TexelKind::WhiteAlpha : TexelKind::GreyAlpha;
}

void UploadLevels(const std::vector<MipLevel>& chain, size_t from, TexelKind kind) {
  const TexelLayout& layout = LayoutOf(kind);
  if (kind == TexelKind::WhiteAlpha) {
    const GLint swizzle[4] = {GL_ONE, GL_ONE, GL_ONE, GL_ALPHA};
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
  }
  std::vector<uint8_t> packed;
  for (size_t level = from; level < chain.size(); ++level)
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), static_cast<GLint>(layout.internalFormat),
                 chain[level].width, chain[level].height, 0, layout.format, GL_UNSIGNED_BYTE,
                 PackLevel(chain[level], layout, packed));
}

MipLevel ReadTopLevel(TexelKind kind) {
  const TexelLayout& layout = LayoutOf(kind);
  MipLevel top;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &top.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &top.height);
  const size_t texels = static_cast<size_t>(top.width) * static_cast<size_t>(top.height);
  std::vector<uint8_t> packed(texels * static_cast<size_t>(layout.bytes));
  glGetTexImage(GL_TEXTURE_2D, 0, layout.format, GL_UNSIGNED_BYTE, packed.data());
  top.rgba.resize(texels * 4);
  for (size_t i = 0; i < texels; ++i)
    for (int c = 0; c < 4; ++c) {
      const int from = layout.read[c];
      top.rgba[i * 4 + c] = from < 0 ? 255 : packed[i * layout.bytes + from];
    }
  return top;
}

}  // namespace nb
