// Start-up cost of the sound catalogue and the cost of one sound effect, with
// the shipped sounds on SDL's dummy driver.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "audio/sound_catalogue.h"

namespace {

nb::SettingsFile ShippedSettings() {
  return nb::SettingsFile{std::string(NB_SOURCE_DIR) + "/data/settings.ini"};
}

struct InGameDir {
  std::filesystem::path previous = std::filesystem::current_path();
  InGameDir() {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::filesystem::current_path(NB_GAME_DIR);
  }
  ~InGameDir() { std::filesystem::current_path(previous); }
};

void BM_LoadSoundCatalogue(benchmark::State& state) {
  InGameDir here;
  for (auto _ : state) {
    nb::AudioState audio;
    nb::LoadSoundCatalogue(audio, ShippedSettings(), "", 60);
    benchmark::DoNotOptimize(audio.catalogue.samples[0]);
    state.PauseTiming();
    nb::CloseAudio(audio);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadSoundCatalogue)->Unit(benchmark::kMillisecond);

void BM_PlaySample(benchmark::State& state) {
  InGameDir here;
  nb::AudioState audio;
  nb::LoadSoundCatalogue(audio, ShippedSettings(), "", 60);
  int sound = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(nb::PlaySample(audio, static_cast<nb::SoundId>(sound), 80));
    sound = (sound + 1) % nb::kSampleCount;
  }
  nb::CloseAudio(audio);
}
BENCHMARK(BM_PlaySample)->Unit(benchmark::kMicrosecond);

}  // namespace
