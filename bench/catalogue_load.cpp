// Time to load a resource catalogue of 24 meshes and 7 textures, as start-up
// does: .x text parsing, PNG/JPEG decoding, power-of-two resampling, mip
// chains and the copies into the geometry store. Once on the recording
// device (the loaders alone) and once on the OpenGL device (with the uploads).
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <png.h>
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

namespace nb {
namespace {

// A row of `quads` squares with normals and texture coordinates.
std::string QuadRowXFile(int quads) {
  std::string s = "xof 0303txt 0032\nMesh row {\n " + std::to_string(quads * 4) + ";\n";
  char line[96];
  for (int q = 0; q < quads; ++q)
    for (int k = 0; k < 4; ++k) {
      std::snprintf(line, sizeof line, " %d.000000;%d.500000;%d.000000;%c\n",
                    q + (k >= 2 ? 1 : 0), q % 7, (k == 1 || k == 2) ? 1 : 0,
                    q == quads - 1 && k == 3 ? ';' : ',');
      s += line;
    }
  s += " " + std::to_string(quads) + ";\n";
  for (int q = 0; q < quads; ++q) {
    std::snprintf(line, sizeof line, " 4;%d,%d,%d,%d;%c\n", q * 4, q * 4 + 1, q * 4 + 2, q * 4 + 3,
                  q == quads - 1 ? ';' : ',');
    s += line;
  }
  s += " MeshNormals {\n  " + std::to_string(quads) + ";\n";
  for (int q = 0; q < quads; ++q) s += q == quads - 1 ? "  0.0;1.0;0.0;;\n" : "  0.0;1.0;0.0;,\n";
  s += "  " + std::to_string(quads) + ";\n";
  for (int q = 0; q < quads; ++q) {
    std::snprintf(line, sizeof line, "  4;%d,%d,%d,%d;%c\n", q, q, q, q, q == quads - 1 ? ';' : ',');
    s += line;
  }
  s += " }\n MeshTextureCoords {\n  " + std::to_string(quads * 4) + ";\n";
  for (int q = 0; q < quads; ++q)
    s += q == quads - 1 ? "  0.0;0.0;, 0.0;1.0;, 1.0;1.0;, 1.0;0.0;;\n"
                        : "  0.0;0.0;, 0.0;1.0;, 1.0;1.0;, 1.0;0.0;,\n";
  return s + " }\n}\n";
}

std::vector<uint8_t> Picture(int width, int height, int channels) {
  std::vector<uint8_t> px(size_t(width) * height * channels);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < channels; ++c)
        px[(size_t(y) * width + x) * channels + c] =
            static_cast<uint8_t>(c == 3 ? (x ^ y) : ((x * (c + 1)) / 3 + (y * (3 - c)) / 5 + ((x * y) >> 6)));
  return px;
}

void WritePng(const std::string& path, int width, int height) {
  std::vector<uint8_t> px = Picture(width, height, 4);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_RGBA;
  png_image_write_to_file(&image, path.c_str(), 0, px.data(), 0, nullptr);
}

void WriteJpeg(const std::string& path, int width, int height) {
  std::vector<uint8_t> px = Picture(width, height, 3);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  jpeg_compress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &px[size_t(info.next_scanline) * width * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

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
      std::ofstream(dir + "/data/meshes/" + key + ".x") << QuadRowXFile(100 + 30 * i);
      settings += key + "=data\\meshes\\" + key + ".x\n";
    }
    struct Tex {
      const char* key;
      int w, h;
      bool jpeg;
    };
    const Tex textures[] = {{"sun", 256, 256, false},      {"particle", 128, 128, false},
                            {"Texture", 1024, 1024, false}, {"clouds", 512, 512, true},
                            {"skybox", 512, 512, false},    {"Spheremap", 256, 256, true},
                            {"helptexture", 800, 600, true}};
    settings += "\n[Textures]\n";
    for (const Tex& t : textures) {
      std::string name = std::string("data/") + t.key + (t.jpeg ? ".jpg" : ".png");
      if (t.jpeg)
        WriteJpeg(dir + "/" + name, t.w, t.h);
      else
        WritePng(dir + "/" + name, t.w, t.h);
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
  LoadResourceCatalogue(catalogue, store, camera, device, 800, 600);
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
  static PlatformWindow* window =
      InitPlatform() ? CreateGameWindow("bench", 800, 600, false) : nullptr;
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
