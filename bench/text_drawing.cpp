// Measuring and drawing a 100-character string through the real OpenGL
// device (run under Xvfb: Mesa's software renderer).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/gl_device.h"
#include "platform/window.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// A font of the 95 printable ASCII characters in 16 x 20 cells on one
// 256 x 128 page, with a hundred kerning pairs to scan.
void BuildFont(BitmapFont& font, GraphicsDevice& device) {
  FontDescription& d = font.description;
  d.lineHeight = 22;
  d.scaleW = 256;
  d.scaleH = 128;
  d.pageNames = {"page0"};
  for (int c = 32; c < 127; ++c) {
    const int cell = c - 32;
    Glyph g;
    g.x = (cell % 16) * 16;
    g.y = (cell / 16) * 20;
    g.width = 14;
    g.height = 18;
    g.yoffset = 2;
    g.xadvance = 13;
    d.glyphs[c] = g;
  }
  for (int i = 0; i < 100; ++i) d.kernings.push_back({65 + i % 26, 97 + (i * 7) % 26, -1});
  std::vector<uint8_t> rgba(256 * 128 * 4, 0);
  for (size_t i = 0; i < rgba.size(); i += 4)
    if ((i / 4) % 3 != 0) rgba[i] = rgba[i + 1] = rgba[i + 2] = rgba[i + 3] = 255;
  font.device = &device;
  font.pageTextures.resize(1);
  device.CreateTexture(256, 128, rgba.data(), &font.pageTextures[0]);
  RestoreFontDeviceObjects(font);
}

struct GlSetup {
  std::unique_ptr<GraphicsAdapter> adapter;
  std::unique_ptr<GraphicsDevice> device;
  BitmapFont font;
  bool ok = false;
  GlSetup() {
    if (!InitPlatform()) return;
    PlatformWindow* window = CreateGameWindow("bench", kWidth, kHeight, false);
    if (!window) return;
    adapter = CreateGlAdapter(window);
    if (!adapter) return;
    PresentParameters p;
    p.backBufferWidth = kWidth;
    p.backBufferHeight = kHeight;
    p.backBufferFormat = Format::X8R8G8B8;
    p.backBufferCount = 1;
    p.enableAutoDepthStencil = true;
    p.autoDepthStencilFormat = Format::D24X8;
    device = adapter->CreateDevice(DeviceType::Hal, p);
    if (!device) return;
    BuildFont(font, *device);
    ok = true;
  }
};

GlSetup& Setup() {
  static GlSetup setup;
  return setup;
}

std::string HundredCharacters() {
  std::string s;
  const char* words = "The quick brown fox jumps over the lazy dog. AVATAR Wavy Type ";
  while (s.size() < 100) s += words;
  s.resize(100);
  return s;
}

void BM_MeasureText100(benchmark::State& state) {
  GlSetup& s = Setup();
  const std::string text = HundredCharacters();
  TextSize size;
  for (auto _ : state) {
    MeasureText(s.font, text.c_str(), &size);
    benchmark::DoNotOptimize(size);
  }
}
BENCHMARK(BM_MeasureText100);

// What a screen pays per string: measure, then draw (as DrawTextAligned).
void BM_MeasureAndDrawText100(benchmark::State& state) {
  GlSetup& s = Setup();
  if (!s.ok) {
    state.SkipWithError("no OpenGL device (run under Xvfb)");
    return;
  }
  const std::string text = HundredCharacters();
  s.device->BeginScene();
  for (auto _ : state) {
    DrawTextAligned(text.c_str(), 400.0f, 300.0f, s.font, AlignCenter, 0xFFFFFFFFu, 0.0f, 0.0f);
  }
  s.device->EndScene();
  s.device->Present();
}
BENCHMARK(BM_MeasureAndDrawText100);

// The same, waiting for the pixels each time (reading one back), so the
// software rasteriser's work is counted as well.
void BM_MeasureAndDrawText100Finished(benchmark::State& state) {
  GlSetup& s = Setup();
  if (!s.ok) {
    state.SkipWithError("no OpenGL device (run under Xvfb)");
    return;
  }
  GlDevice* gl = dynamic_cast<GlDevice*>(s.device.get());
  const std::string text = HundredCharacters();
  s.device->BeginScene();
  for (auto _ : state) {
    DrawTextAligned(text.c_str(), 400.0f, 300.0f, s.font, AlignCenter, 0xFFFFFFFFu, 0.0f, 0.0f);
    benchmark::DoNotOptimize(gl->ReadPixel(400, 300));
  }
  s.device->EndScene();
  s.device->Present();
}
BENCHMARK(BM_MeasureAndDrawText100Finished);

}  // namespace
}  // namespace nb
