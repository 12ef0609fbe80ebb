#include "text/text_drawing.h"

#include <climits>

#include "core/vertex_formats.h"

namespace nb {

namespace {

// The glyphs of one DrawText call, gathered per page into the locked buffer.
struct GlyphBatch {
  BitmapFont* font = nullptr;
  VertexScreen* write = nullptr;  // null while unlocked
  bool lockFailed = false;        // the device refused the lock: skip this batch
  uint32_t colour = 0;
  int triangles = 0;
  float originX = 0.0f;
  float originY = 0.0f;
  bool hasPage = false;
  int32_t page = 0;
};

int32_t Saturate(int64_t v) {
  return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v);
}

void FlushBatch(GlyphBatch& batch) {
  GraphicsDevice& device = *batch.font->device;
  if (batch.triangles > 0 && batch.write && batch.hasPage) {
    // A page without a texture (failed load, or an id past the pages) draws
    // untextured rather than reading past the table.
    TextureHandle texture;
    const std::vector<TextureHandle>& pages = batch.font->pageTextures;
    if (batch.page >= 0 && static_cast<size_t>(batch.page) < pages.size())
      texture = pages[static_cast<size_t>(batch.page)];
    device.SetTexture(0, texture);
    device.UnlockVertexBuffer(batch.font->vertexBuffer);
    device.DrawPrimitive(PrimitiveType::TriangleList, 0, static_cast<uint32_t>(batch.triangles));
  } else if (batch.write) {
    device.UnlockVertexBuffer(batch.font->vertexBuffer);
  }
  batch.triangles = 0;
  batch.write = nullptr;
  batch.lockFailed = false;
  batch.hasPage = false;
}

float TexCoord(int64_t texel, int32_t size) {
  return size > 0 ? static_cast<float>(texel) / static_cast<float>(size) : 0.0f;
}

void AddGlyph(GlyphBatch& batch, int64_t destX, int64_t destY, const Glyph& g) {
  if (batch.triangles * 3 > 294 || !batch.hasPage || g.page != batch.page) FlushBatch(batch);
  batch.hasPage = true;
  batch.page = g.page;
  if (!batch.write && !batch.lockFailed) {
    void* data = nullptr;
    if (Succeeded(batch.font->device->LockVertexBuffer(batch.font->vertexBuffer, 0, 0, &data,
                                                       LockFlags::Discard)) &&
        data) {
      batch.write = static_cast<VertexScreen*>(data);
    } else {
      batch.lockFailed = true;
    }
  }
  if (batch.lockFailed) return;  // the glyphs of a refused lock are dropped

  const float X = batch.originX + static_cast<float>(destX);
  const float Y = batch.originY + static_cast<float>(destY);
  // The half-pixel shift puts texel centres on pixel centres.
  const float L = X - 0.5f;
  const float R = X + static_cast<float>(g.width) - 0.5f;
  const float T = Y - 0.5f;
  const float B = Y + static_cast<float>(g.height) - 0.5f;
  const int32_t scaleW = FontPageWidth(*batch.font);
  const int32_t scaleH = FontPageHeight(*batch.font);
  const float uL = TexCoord(g.x, scaleW);
  const float uR = TexCoord(int64_t{g.x} + g.width, scaleW);
  const float vT = TexCoord(g.y, scaleH);
  const float vB = TexCoord(int64_t{g.y} + g.height, scaleH);
  const uint32_t c = batch.colour;
  VertexScreen* v = batch.write + batch.triangles * 3;
  v[0] = {L, B, kTextDepth, 1.0f, c, uL, vB};
  v[1] = {L, T, kTextDepth, 1.0f, c, uL, vT};
  v[2] = {R, B, kTextDepth, 1.0f, c, uR, vB};
  v[3] = {R, T, kTextDepth, 1.0f, c, uR, vT};
  v[4] = {R, B, kTextDepth, 1.0f, c, uR, vB};
  v[5] = {L, T, kTextDepth, 1.0f, c, uL, vT};
  batch.triangles += 2;
}

// The states text drawing needs, recorded alike into both blocks.
void SetTextStates(GraphicsDevice& d) {
  d.SetRenderState(RenderState::ZEnable, 0);
  d.SetRenderState(RenderState::AlphaBlendEnable, 1);
  d.SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
  d.SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
  d.SetRenderState(RenderState::AlphaTestEnable, 1);
  d.SetRenderState(RenderState::AlphaRef, 8);
  d.SetRenderState(RenderState::AlphaFunc, Cmp::GreaterEqual);
  d.SetRenderState(RenderState::FillMode, Fill::Solid);
  d.SetRenderState(RenderState::CullMode, Cull::None);
  d.SetRenderState(RenderState::StencilEnable, 0);
  d.SetRenderState(RenderState::Clipping, 1);
  d.SetRenderState(RenderState::ClipPlaneEnable, 0);
  d.SetRenderState(RenderState::VertexBlend, VertexBlendMode::Disable);
  d.SetRenderState(RenderState::IndexedVertexBlendEnable, 0);
  d.SetRenderState(RenderState::FogEnable, 0);
  d.SetRenderState(RenderState::ColorWriteEnable, 0xF);
  d.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
  d.SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture);
  d.SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Diffuse);
  d.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::Modulate);
  d.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
  d.SetTextureStageState(0, TextureStageState::AlphaArg2, TextureArg::Diffuse);
  d.SetTextureStageState(0, TextureStageState::TexCoordIndex, 0);
  d.SetTextureStageState(0, TextureStageState::TextureTransformFlags, TextureTransform::Disable);
  d.SetTextureStageState(1, TextureStageState::ColorOp, TextureOp::Disable);
  d.SetTextureStageState(1, TextureStageState::AlphaOp, TextureOp::Disable);
  d.SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Point);
  d.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Point);
  d.SetSamplerState(0, SamplerState::MipFilter, TextureFilter::None);
}

DeviceResult RecordTextStateBlock(GraphicsDevice& device, StateBlockHandle* out) {
  DeviceResult result = device.BeginStateBlock();
  if (Failed(result)) return result;
  SetTextStates(device);
  return device.EndStateBlock(out);
}

}  // namespace

DeviceResult RestoreFontDeviceObjects(BitmapFont& font) {
  if (!font.device) return DeviceResult::Fail;
  GraphicsDevice& device = *font.device;
  InvalidateFontDeviceObjects(font);  // never leak a previous set
  DeviceResult result = device.CreateVertexBuffer(kFontVertexBufferBytes, Usage::Dynamic | Usage::WriteOnly,
                                                  0, Pool::Default, &font.vertexBuffer);
  if (Failed(result)) {
    font.vertexBuffer = VertexBufferHandle{};
    return result;
  }
  // A block that cannot be recorded stays absent; drawing then leaves the
  // states as they are instead of applying a missing block.
  if (Failed(RecordTextStateBlock(device, &font.savedState))) font.savedState = {};
  if (Failed(RecordTextStateBlock(device, &font.textState))) font.textState = {};
  return DeviceResult::Ok;
}

DeviceResult InvalidateFontDeviceObjects(BitmapFont& font) {
  if (font.device) {
    if (font.vertexBuffer) font.device->ReleaseVertexBuffer(font.vertexBuffer);
    if (font.savedState) font.device->ReleaseStateBlock(font.savedState);
    if (font.textState) font.device->ReleaseStateBlock(font.textState);
  }
  font.vertexBuffer = VertexBufferHandle{};
  font.savedState = StateBlockHandle{};
  font.textState = StateBlockHandle{};
  return DeviceResult::Ok;
}

DeviceResult MeasureText(const BitmapFont& font, const char* text, TextSize* size) {
  if (!text || !size) return DeviceResult::Fail;
  int64_t width = 0;
  int32_t previous = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    const int32_t c = *p;
    if (const Glyph* g = FontGlyph(font, c)) width += int64_t{g->xadvance} + FontKerning(font, previous, c);
    previous = c;
  }
  size->width = Saturate(width);
  size->height = FontLineHeight(font);
  return DeviceResult::Ok;
}

DeviceResult DrawText(BitmapFont& font, float x, float y, uint32_t colour, const char* text) {
  if (!font.device || !text) return DeviceResult::Fail;
  GraphicsDevice& device = *font.device;
  if (font.savedState) device.CaptureStateBlock(font.savedState);
  if (font.textState) device.ApplyStateBlock(font.textState);
  device.SetFVF(kFvfScreen);
  device.SetStreamSource(0, font.vertexBuffer, 0, sizeof(VertexScreen));
  device.SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Linear);
  device.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);

  GlyphBatch batch;
  batch.font = &font;
  batch.colour = colour;
  batch.originX = x;
  batch.originY = y;
  int64_t px = 0, ly = 0;
  int32_t previous = 0;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
    const int32_t c = *p;
    if (c == '\n') {
      ly += FontLineHeight(font);
      px = 0;
      previous = 0;
      continue;
    }
    if (const Glyph* g = FontGlyph(font, c)) {
      const int32_t kern = FontKerning(font, previous, c);
      AddGlyph(batch, px + g->xoffset + kern, ly + g->yoffset, *g);
      px += int64_t{g->xadvance} + kern;
    }
    previous = c;
  }
  FlushBatch(batch);
  if (font.savedState) device.ApplyStateBlock(font.savedState);
  return DeviceResult::Ok;
}

DeviceResult DrawTextAligned(const char* text, float x, float y, BitmapFont& font, int alignment,
                             uint32_t colour, float shadowDx, float shadowDy) {
  TextSize size;
  if (Failed(MeasureText(font, text, &size))) return DeviceResult::Fail;
  if (alignment == AlignCenter) {
    x -= static_cast<float>(size.width / 2);
  } else if (alignment == AlignRight) {
    x -= static_cast<float>(size.width);
  }
  if (shadowDx != 0.0f || shadowDy != 0.0f)
    DrawText(font, x + shadowDx, y + shadowDy, colour & 0xFF000000u, text);
  return DrawText(font, x, y, colour, text);
}

}  // namespace nb
