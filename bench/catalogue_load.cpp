// Time to load a resource catalogue of 24 meshes and 7 textures, as start-up
// does: .x text parsing, PNG/JPEG decoding, power-of-two resampling, mip
// chains and the copies into the geometry store. Once on the recording
// device (the loaders alone) and once on the OpenGL device (with the uploads).
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/gl_device.h"
#include "platform/message_box.h"
#include "platform/recording_device.h"
#include "platform/window.h"
#include "render/camera.h"
#include "render/resource_catalogue.h"
#include "render/test_files.h"
#include "support/test_images.h"

namespace nb {
namespace {

// The data directory, written once and made the current directory.
struct CatalogueData {
  std::string dir;
  CatalogueData() {
    char pattern[] = "/tmp/nimbara-bench-XXXXXX";
    dir = mkdtemp(pattern);
    std::filesystem::create_directories(dir + "/data/meshes");
    std::string settings = "[Meshes]\n";
    // 24 meshes of 400 to 3,160 vertices, 42,720 in all.
    for (int i = 0; i < kMeshKeyCount; ++i) {
      std::string key = MeshKeyName(static_cast<MeshKey>(i));
      std::ofstream(dir + "/data/meshes/" + key + ".x") << test::QuadRowXFile(100 + 30 * i);
      settings += key + "=data\\meshes\\" + key + ".x\n";
    }
    struct Tex {
      const char* key;
      int w, h;
      bool jpeg;
    };
    const Tex textures[] = {{"sun", 256, 256, false},       {"particle", 128, 128, false},
                            {"Texture", 1024, 1024, false}, {"clouds", 512, 512, true},
                            {"skybox", 512, 512, false},    {"Spheremap", 256, 256, true},
                            {"helptexture", 800, 600, true}};
    settings += "\n[Textures]\n";
    for (const Tex& t : textures) {
      std::string name = std::string("data/") + t.key + (t.jpeg ? ".jpg" : ".png");
      std::ofstream(dir + "/" + name, std::ios::binary)
          << (t.jpeg ? test::EncodeJpeg(t.w, t.h, test::PatternPixels(t.w, t.h, 3))
                     : test::EncodePng(t.w, t.h, test::PatternPixels(t.w, t.h, 4)));
      settings += std::string(t.key) + "=data\\" + name.substr(5) + "\n";
    }
    settings += "\n[Materials]\nfoodDR=1\nfoodDG=0.8\nbonusDR=0.5\n";
    std::ofstream(dir + "/settings.ini") << settings;
    if (chdir(dir.c_str()) != 0) dir.clear();
  }
  ~CatalogueData() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
};

CatalogueData& Data() {
  static CatalogueData data;
  return data;
}

int g_messages = 0;

void LoadOnce(benchmark::State& state, GraphicsDevice& device) {
  ResourceCatalogue catalogue;
  GeometryStore store;
  CameraState camera;
  LoadResourceCatalogue(catalogue, store, camera, device, GameFolders{}, 800, 600);
  state.PauseTiming();
  ReleaseResourceCatalogue(catalogue, store, device);
  state.ResumeTiming();
}

void BM_LoadCatalogueRecording(benchmark::State& state) {
  if (Data().dir.empty()) return state.SkipWithError("no data directory");
  SetMessageBoxSink([](const MessageBoxCall&) { ++g_messages; });
  RecordingDevice device;
  for (auto _ : state) {
    LoadOnce(state, device);
    device.ClearCalls();
  }
  if (g_messages) state.SkipWithError("a file failed to load");
}
BENCHMARK(BM_LoadCatalogueRecording)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_LoadCatalogueOpenGl(benchmark::State& state) {
  if (Data().dir.empty()) return state.SkipWithError("no data directory");
  SetMessageBoxSink([](const MessageBoxCall&) { ++g_messages; });
  static PlatformWindow* window = InitPlatform() ? CreateGameWindow("bench", 800, 600, false) : nullptr;
  if (!window) return state.SkipWithError("no display");
  std::unique_ptr<GraphicsAdapter> adapter = CreateGlAdapter(window);
  if (!adapter) return state.SkipWithError("no OpenGL");
  PresentParameters p;
  p.backBufferWidth = 800;
  p.backBufferHeight = 600;
  p.backBufferFormat = Format::X8R8G8B8;
  p.backBufferCount = 1;
  p.enableAutoDepthStencil = true;
  p.autoDepthStencilFormat = Format::D24X8;
  std::unique_ptr<GraphicsDevice> device = adapter->CreateDevice(DeviceType::Hal, p);
  if (!device) return state.SkipWithError("no device");
  for (auto _ : state) LoadOnce(state, *device);
  if (g_messages) state.SkipWithError("a file failed to load");
}
BENCHMARK(BM_LoadCatalogueOpenGl)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace nb
