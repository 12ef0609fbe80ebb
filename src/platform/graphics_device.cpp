#include "platform/graphics_device.h"

#include <algorithm>
#include <cstring>

namespace nb {

uint32_t FvfStride(uint32_t fvf) {
  switch (fvf) {
    case kFvfMesh: return 32;
    case kFvfColorTex: return 24;
    case kFvfScreen: return 28;
    default: return 0;
  }
}

int DepthBitsOf(Format f) {
  switch (f) {
    case Format::D16Lockable:
    case Format::D15S1:
    case Format::D16: return 16;
    case Format::D32: return 32;
    case Format::D24S8:
    case Format::D24X8:
    case Format::D24X4S4: return 24;
    default: return 0;
  }
}

uint32_t FloatBits(float f) {
  uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

float BitsFloat(uint32_t bits) {
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

DeviceStates DefaultDeviceStates(bool autoDepthStencil) {
  DeviceStates s;
  auto& r = s.render;
  auto set = [&r](RenderState st, uint32_t v) { r[static_cast<int>(st)] = v; };
  set(RenderState::ZEnable, autoDepthStencil ? 1 : 0);
  set(RenderState::ZWriteEnable, 1);
  set(RenderState::ZFunc, Cmp::LessEqual);
  set(RenderState::Lighting, 1);
  set(RenderState::Ambient, 0);
  set(RenderState::AlphaBlendEnable, 0);
  set(RenderState::SrcBlend, Blend::One);
  set(RenderState::DestBlend, Blend::Zero);
  set(RenderState::AlphaTestEnable, 0);
  set(RenderState::AlphaRef, 0);
  set(RenderState::AlphaFunc, Cmp::Always);
  set(RenderState::CullMode, Cull::CCW);
  set(RenderState::FillMode, Fill::Solid);
  set(RenderState::ShadeMode, Shade::Gouraud);
  set(RenderState::FogEnable, 0);
  set(RenderState::FogColor, 0);
  set(RenderState::FogStart, FloatBits(0.0f));
  set(RenderState::FogEnd, FloatBits(1.0f));
  set(RenderState::FogDensity, FloatBits(1.0f));
  set(RenderState::FogVertexMode, FogMode::None);
  set(RenderState::FogTableMode, FogMode::None);
  set(RenderState::RangeFogEnable, 0);
  set(RenderState::ColorVertex, 1);
  set(RenderState::DiffuseMaterialSource, MaterialSource::Color1);
  set(RenderState::AmbientMaterialSource, MaterialSource::Material);
  set(RenderState::SpecularEnable, 0);
  set(RenderState::NormalizeNormals, 0);
  set(RenderState::LocalViewer, 1);
  set(RenderState::DitherEnable, 0);
  set(RenderState::StencilEnable, 0);
  set(RenderState::Clipping, 1);
  set(RenderState::ClipPlaneEnable, 0);
  set(RenderState::VertexBlend, VertexBlendMode::Disable);
  set(RenderState::IndexedVertexBlendEnable, 0);
  set(RenderState::ColorWriteEnable, 0xF);

  for (int i = 0; i < kTextureStageCount; ++i) {
    auto& st = s.stage[i];
    auto sset = [&st](TextureStageState which, uint32_t v) { st[static_cast<int>(which)] = v; };
    sset(TextureStageState::ColorOp, i == 0 ? TextureOp::Modulate : TextureOp::Disable);
    sset(TextureStageState::ColorArg1, TextureArg::Texture);
    sset(TextureStageState::ColorArg2, TextureArg::Current);
    sset(TextureStageState::AlphaOp, i == 0 ? TextureOp::SelectArg1 : TextureOp::Disable);
    sset(TextureStageState::AlphaArg1, TextureArg::Texture);
    sset(TextureStageState::AlphaArg2, TextureArg::Current);
    sset(TextureStageState::TexCoordIndex, static_cast<uint32_t>(i));
    sset(TextureStageState::TextureTransformFlags, TextureTransform::Disable);
  }
  for (auto& sm : s.sampler) {
    sm[static_cast<int>(SamplerState::AddressU)] = TextureAddress::Wrap;
    sm[static_cast<int>(SamplerState::AddressV)] = TextureAddress::Wrap;
    sm[static_cast<int>(SamplerState::MagFilter)] = TextureFilter::Point;
    sm[static_cast<int>(SamplerState::MinFilter)] = TextureFilter::Point;
    sm[static_cast<int>(SamplerState::MipFilter)] = TextureFilter::None;
  }
  // Lights start as white directional lights pointing down +Z, all disabled.
  for (auto& l : s.lights) {
    l.type = LightType::Directional;
    l.diffuse = {1, 1, 1, 0};
    l.direction = {0, 0, 1};
  }
  return s;
}

void RecordRenderState(StateBlockData& block, RenderState state, uint32_t value) {
  for (auto& e : block.render)
    if (e.state == state) {
      e.value = value;
      return;
    }
  block.render.push_back({state, value});
}

void RecordStageState(StateBlockData& block, uint32_t stage, TextureStageState state, uint32_t value) {
  for (auto& e : block.stage)
    if (e.stage == stage && e.state == state) {
      e.value = value;
      return;
    }
  block.stage.push_back({stage, state, value});
}

void RecordSamplerState(StateBlockData& block, uint32_t sampler, SamplerState state, uint32_t value) {
  for (auto& e : block.sampler)
    if (e.sampler == sampler && e.state == state) {
      e.value = value;
      return;
    }
  block.sampler.push_back({sampler, state, value});
}

void CaptureStates(StateBlockData& block, const GraphicsDevice& device) {
  for (auto& e : block.render) e.value = device.GetRenderState(e.state);
  for (auto& e : block.stage) e.value = device.GetTextureStageState(e.stage, e.state);
  for (auto& e : block.sampler) e.value = device.GetSamplerState(e.sampler, e.state);
}

std::vector<MipLevel> BuildMipChain(int width, int height, const uint8_t* rgba) {
  std::vector<MipLevel> chain;
  if (width <= 0 || height <= 0 || !rgba) return chain;
  MipLevel top;
  top.width = width;
  top.height = height;
  top.rgba.assign(rgba, rgba + static_cast<size_t>(width) * height * 4);
  chain.push_back(std::move(top));
  while (chain.back().width > 1 || chain.back().height > 1) {
    const MipLevel& src = chain.back();
    MipLevel dst;
    dst.width = std::max(1, src.width / 2);
    dst.height = std::max(1, src.height / 2);
    dst.rgba.resize(static_cast<size_t>(dst.width) * dst.height * 4);
    for (int y = 0; y < dst.height; ++y)
      for (int x = 0; x < dst.width; ++x) {
        // Average the 2x2 (or 2x1, 1x2) block below; odd edges drop their last texel.
        int x0 = std::min(x * 2, src.width - 1), x1 = std::min(x * 2 + 1, src.width - 1);
        int y0 = std::min(y * 2, src.height - 1), y1 = std::min(y * 2 + 1, src.height - 1);
        for (int c = 0; c < 4; ++c) {
          auto at = [&](int sx, int sy) {
            return static_cast<int>(src.rgba[(static_cast<size_t>(sy) * src.width + sx) * 4 + c]);
          };
          int sum = at(x0, y0) + at(x1, y0) + at(x0, y1) + at(x1, y1);
          dst.rgba[(static_cast<size_t>(y) * dst.width + x) * 4 + c] = static_cast<uint8_t>((sum + 2) / 4);
        }
      }
    chain.push_back(std::move(dst));
  }
  return chain;
}

const char* RenderStateName(RenderState state) {
  static const char* const kNames[kRenderStateCount] = {"ZEnable",
                                                        "ZWriteEnable",
                                                        "ZFunc",
                                                        "Lighting",
                                                        "Ambient",
                                                        "AlphaBlendEnable",
                                                        "SrcBlend",
                                                        "DestBlend",
                                                        "AlphaTestEnable",
                                                        "AlphaRef",
                                                        "AlphaFunc",
                                                        "CullMode",
                                                        "FillMode",
                                                        "ShadeMode",
                                                        "FogEnable",
                                                        "FogColor",
                                                        "FogStart",
                                                        "FogEnd",
                                                        "FogDensity",
                                                        "FogVertexMode",
                                                        "FogTableMode",
                                                        "RangeFogEnable",
                                                        "ColorVertex",
                                                        "DiffuseMaterialSource",
                                                        "AmbientMaterialSource",
                                                        "SpecularEnable",
                                                        "NormalizeNormals",
                                                        "LocalViewer",
                                                        "DitherEnable",
                                                        "StencilEnable",
                                                        "Clipping",
                                                        "ClipPlaneEnable",
                                                        "VertexBlend",
                                                        "IndexedVertexBlendEnable",
                                                        "ColorWriteEnable"};
  int i = static_cast<int>(state);
  return i >= 0 && i < kRenderStateCount ? kNames[i] : "?";
}

const char* TextureStageStateName(TextureStageState state) {
  static const char* const kNames[kTextureStageStateCount] = {
      "ColorOp",   "ColorArg1", "ColorArg2",     "AlphaOp",
      "AlphaArg1", "AlphaArg2", "TexCoordIndex", "TextureTransformFlags"};
  int i = static_cast<int>(state);
  return i >= 0 && i < kTextureStageStateCount ? kNames[i] : "?";
}

const char* SamplerStateName(SamplerState state) {
  static const char* const kNames[kSamplerStateCount] = {"AddressU", "AddressV", "MagFilter", "MinFilter",
                                                         "MipFilter"};
  int i = static_cast<int>(state);
  return i >= 0 && i < kSamplerStateCount ? kNames[i] : "?";
}

const char* TransformStateName(TransformState state) {
  static const char* const kNames[kTransformCount] = {"World", "View", "Projection", "Texture0"};
  int i = static_cast<int>(state);
  return i >= 0 && i < kTransformCount ? kNames[i] : "?";
}

}  // namespace nb
