// One game-like frame on the OpenGL device at 800 x 600: about 7,500 lit,
// fogged, textured triangles in 150 draws with their own world matrices,
// then 200 blended pixel-space quads in one draw, and Present.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/general_settings.h"
#include "core/vertex_formats.h"
#include "platform/gl_device.h"
#include "platform/window.h"
#include "render/render_device.h"

namespace nb {
namespace {

struct Scene {
  RenderDevice rd;
  VertexBufferHandle meshVb, quadVb;
  IndexBufferHandle meshIb, quadIb;
  TextureHandle texture;
  int patchTriangles = 0;
};

// A patch of 5 x 5 quads (50 triangles), 40 units square, in the XZ plane.
void BuildPatch(std::vector<VertexPNT>& v, std::vector<uint16_t>& idx) {
  const int n = 5;
  for (int r = 0; r <= n; ++r)
    for (int c = 0; c <= n; ++c) {
      float x = c * 8.0f, z = r * 8.0f;
      float y = 2.0f * std::sin(x * 0.3f) * std::cos(z * 0.3f);
      v.push_back({x, y, z, 0, 1, 0, c / float(n), r / float(n)});
    }
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c) {
      uint16_t a = uint16_t(r * (n + 1) + c), b = uint16_t(a + 1), d = uint16_t(a + n + 1),
               e = uint16_t(d + 1);
      idx.insert(idx.end(), {a, d, b, b, d, e});
    }
}

bool Setup(Scene& s, PlatformWindow* window, bool antialiased) {
  GeneralSettings settings;
  settings.antialiased = antialiased;
  settings.width = 800;
  settings.height = 600;
  if (!CreateRenderDevice(s.rd, settings, window)) return false;
  GraphicsDevice& d = *s.rd.device;

  std::vector<VertexPNT> v;
  std::vector<uint16_t> idx;
  BuildPatch(v, idx);
  s.patchTriangles = static_cast<int>(idx.size() / 3);
  void* p = nullptr;
  d.CreateVertexBuffer(uint32_t(v.size() * sizeof v[0]), 0, kFvfMesh, Pool::Managed, &s.meshVb);
  d.LockVertexBuffer(s.meshVb, 0, 0, &p, 0);
  std::memcpy(p, v.data(), v.size() * sizeof v[0]);
  d.UnlockVertexBuffer(s.meshVb);
  d.CreateIndexBuffer(uint32_t(idx.size() * 2), 0, IndexFormat::Index16, Pool::Managed, &s.meshIb);
  d.LockIndexBuffer(s.meshIb, 0, 0, &p, 0);
  std::memcpy(p, idx.data(), idx.size() * 2);
  d.UnlockIndexBuffer(s.meshIb);

  d.CreateVertexBuffer(200 * 4 * sizeof(VertexScreen), Usage::WriteOnly, kFvfScreen, Pool::Managed,
                       &s.quadVb);
  d.CreateIndexBuffer(200 * 6 * 2, Usage::WriteOnly, IndexFormat::Index16, Pool::Managed, &s.quadIb);
  d.LockIndexBuffer(s.quadIb, 0, 0, &p, 0);
  auto* qi = static_cast<uint16_t*>(p);
  for (int q = 0; q < 200; ++q) {
    uint16_t b = uint16_t(q * 4);
    const uint16_t six[6] = {
        b, uint16_t(b + 1), uint16_t(b + 2), uint16_t(b + 2), uint16_t(b + 1), uint16_t(b + 3)};
    std::memcpy(qi + q * 6, six, sizeof six);
  }
  d.UnlockIndexBuffer(s.quadIb);

  std::vector<uint8_t> rgba(64 * 64 * 4);
  for (int i = 0; i < 64 * 64; ++i) {
    uint8_t c = ((i / 64 / 8 + i % 64 / 8) & 1) ? 230 : 90;
    rgba[i * 4] = c;
    rgba[i * 4 + 1] = c;
    rgba[i * 4 + 2] = 200;
    rgba[i * 4 + 3] = 160;
  }
  return Succeeded(d.CreateTexture(64, 64, rgba.data(), &s.texture));
}

void DrawFrame(Scene& s, int frame) {
  RestoreDeviceIfLost(s.rd);
  GraphicsDevice& d = *s.rd.device;
  d.SetTransform(TransformState::View, MatrixLookAtLH({200, 350, -250}, {200, 0, 150}, {0, 0, 1}));
  d.SetTransform(TransformState::Projection, MatrixPerspectiveFovLH(45 / 56.7f, 800.0f / 600.0f, 15, 10000));
  d.Clear(ClearFlags::Target, 0xFF203040, 1, 0);  // no sky box here: clear the colour too
  bool began = BeginFrame(s.rd, 0xFF000000);
  if (began) {
    // Scene: two point lights, linear range fog, texture modulated by lighting.
    Light light;
    light.type = LightType::Point;
    light.diffuse = {0.65f, 0.65f, 0.65f, 0.65f};
    light.ambient = {0.35f, 0.35f, 0.35f, 0.35f};
    light.position = {float(frame % 400), 100, 150};
    light.range = 5000;
    light.attenuation0 = 1.25f;
    d.SetLight(0, light);
    d.LightEnable(0, true);
    light.diffuse = {1, 1, 1, 1};
    light.position = {0, 500, 500};
    d.SetLight(1, light);
    d.LightEnable(1, true);
    d.SetRenderState(RenderState::FogEnable, true);
    d.SetRenderState(RenderState::FogVertexMode, FogMode::Linear);
    d.SetRenderState(RenderState::RangeFogEnable, true);
    d.SetRenderState(RenderState::FogStart, FloatBits(300));
    d.SetRenderState(RenderState::FogEnd, FloatBits(900));
    d.SetRenderState(RenderState::FogColor, 0x00B1D0E8);
    d.SetRenderState(RenderState::ZWriteEnable, true);
    d.SetRenderState(RenderState::CullMode, Cull::CCW);
    d.SetSamplerState(0, SamplerState::MinFilter, TextureFilter::Linear);
    d.SetSamplerState(0, SamplerState::MagFilter, TextureFilter::Linear);
    d.SetSamplerState(0, SamplerState::MipFilter, TextureFilter::Linear);
    d.SetTexture(0, s.texture);
    d.SetTextureStageState(0, TextureStageState::ColorOp, TextureOp::Modulate);
    d.SetTextureStageState(0, TextureStageState::ColorArg1, TextureArg::Texture);
    d.SetTextureStageState(0, TextureStageState::ColorArg2, TextureArg::Diffuse);
    Material m;
    m.diffuse = m.ambient = {1, 1, 1, 1};
    d.SetMaterial(m);
    d.SetStreamSource(0, s.meshVb, 0, sizeof(VertexPNT));
    d.SetFVF(kFvfMesh);
    d.SetIndices(s.meshIb);
    for (int i = 0; i < 150; ++i) {
      d.SetTransform(TransformState::World, MatrixTranslation(float(i % 10) * 40, 0, float(i / 10) * 40));
      d.DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 36, 0, uint32_t(s.patchTriangles));
    }
    d.SetRenderState(RenderState::FogEnable, false);

    // 200 blended quads of 24 x 24 pixels, rewritten every frame like particles.
    void* p = nullptr;
    d.LockVertexBuffer(s.quadVb, 0, 0, &p, LockFlags::Discard);
    auto* q = static_cast<VertexScreen*>(p);
    for (int i = 0; i < 200; ++i) {
      float x = float((i * 37 + frame) % 776), y = float((i * 53) % 576);
      uint32_t c = 0x80FFC040;
      q[i * 4 + 0] = {x, y, 0, 1, c, 0, 0};
      q[i * 4 + 1] = {x + 24, y, 0, 1, c, 1, 0};
      q[i * 4 + 2] = {x, y + 24, 0, 1, c, 0, 1};
      q[i * 4 + 3] = {x + 24, y + 24, 0, 1, c, 1, 1};
    }
    d.UnlockVertexBuffer(s.quadVb);
    d.SetRenderState(RenderState::ZEnable, false);
    d.SetRenderState(RenderState::Lighting, false);
    d.SetRenderState(RenderState::CullMode, Cull::None);
    d.SetRenderState(RenderState::AlphaBlendEnable, true);
    d.SetRenderState(RenderState::SrcBlend, Blend::SrcAlpha);
    d.SetRenderState(RenderState::DestBlend, Blend::InvSrcAlpha);
    d.SetTextureStageState(0, TextureStageState::AlphaOp, TextureOp::Modulate);
    d.SetTextureStageState(0, TextureStageState::AlphaArg1, TextureArg::Texture);
    d.SetTextureStageState(0, TextureStageState::AlphaArg2, TextureArg::Diffuse);
    d.SetStreamSource(0, s.quadVb, 0, sizeof(VertexScreen));
    d.SetFVF(kFvfScreen);
    d.SetIndices(s.quadIb);
    d.DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, 800, 0, 400);
    d.SetRenderState(RenderState::AlphaBlendEnable, false);
  }
  EndFrame(s.rd, began);
}

void BM_GlFrame(benchmark::State& state, bool antialiased) {
  if (!InitPlatform()) {
    state.SkipWithError("no display");
    return;
  }
  PlatformWindow* window = CreateGameWindow("bench", 800, 600, false);
  Scene s;
  if (!window || !Setup(s, window, antialiased)) {
    state.SkipWithError("no device");
    return;
  }
  if (antialiased && s.rd.presentParameters.multiSampleType == 0) {
    state.SkipWithError("no multisampling");
    return;
  }
  int frame = 0;
  for (int i = 0; i < 5; ++i) DrawFrame(s, frame++);  // warm up
  for (auto _ : state) {
    DrawFrame(s, frame++);  // Present waits for the frame to be drawn
  }
  state.counters["triangles"] = 150.0 * s.patchTriangles + 400;
  ReleaseRenderDevice(s.rd);
  DestroyGameWindow(window);
}

// Wall-clock time: the rasterizer works on threads of its own.
BENCHMARK_CAPTURE(BM_GlFrame, plain, false)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK_CAPTURE(BM_GlFrame, antialiased, true)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

}  // namespace
}  // namespace nb
