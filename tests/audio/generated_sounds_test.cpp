// The sounds the build synthesises: reproducible, complete, and fit to play.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "audio/sound_catalogue.h"
#include "audio_test_support.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

namespace fs = std::filesystem;

const std::string kShippedSounds = std::string(NB_GAME_DIR) + "/data/sounds";
constexpr int kRate = 22050;

std::map<std::string, std::string> FilesIn(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder))
    files[entry.path().filename().string()] = test::ReadFile(entry.path().string());
  return files;
}

int Generate(const std::string& folder) {
  std::string generator = std::string(NB_BINARY_DIR) + "/tools/gen_sounds/gen_sounds";
  return std::system((generator + " '" + folder + "' >/dev/null").c_str());
}

double Rms(const std::vector<int>& s, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count; ++i) sum += static_cast<double>(s[i]) * s[i];
  return std::sqrt(sum / count);
}

std::vector<int> ShippedSamples(const std::string& key) {
  return test::WavSamples(test::ReadFile(kShippedSounds + "/" + key + ".wav"));
}

TEST(GeneratedSounds, TheGeneratorWritesTheSameBytesEveryRunAsShipped) {
  test::ScratchDir dir;
  ASSERT_EQ(Generate(dir.File("first")), 0);
  ASSERT_EQ(Generate(dir.File("second")), 0);
  auto first = FilesIn(dir.File("first"));
  EXPECT_EQ(first.size(), static_cast<size_t>(kSampleCount + 3));
  EXPECT_TRUE(first == FilesIn(dir.File("second")));
  EXPECT_TRUE(first == FilesIn(kShippedSounds)) << "the game directory holds exactly what the generator makes";
  EXPECT_NE(Generate(""), 0) << "no folder is refused";
  EXPECT_NE(Generate(dir.File("first/BrickCrash.wav")), 0) << "a file is no folder";
}

TEST(GeneratedSounds, EveryShippedKeyLoadsFromTheGameDirectory) {
  test::UseDummyAudioDriver();
  fs::path previous = fs::current_path();
  fs::current_path(NB_GAME_DIR);
  test::CapturedMessages messages;
  AudioState audio;
  LoadSoundCatalogue(audio, SettingsFile{std::string(NB_SOURCE_DIR) + "/data/settings.ini"}, 50);
  for (int i = 0; i < kSampleCount; ++i) {
    EXPECT_NE(audio.catalogue.samples[i], 0) << kSampleKeys[i];
    EXPECT_GE(PlaySample(audio, static_cast<SoundId>(i), 10), 0) << kSampleKeys[i];
  }
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(MusicExists(audio, static_cast<MusicId>(i))) << i;
  MusicAtStartUp(audio);
  EXPECT_TRUE(MusicIsPlaying(audio, MusicId::Intro));
  CloseAudio(audio);
  fs::current_path(previous);
  EXPECT_TRUE(messages.calls().empty());
  uintmax_t total = 0;
  for (const auto& entry : fs::directory_iterator(kShippedSounds)) total += entry.file_size();
  EXPECT_LT(total, 8u * 1024 * 1024);
}

TEST(GeneratedSounds, EffectsAreShortAudibleUnclippedAndStartAndEndSilent) {
  for (int i = 0; i < kSampleCount; ++i) {
    SCOPED_TRACE(kSampleKeys[i]);
    std::vector<int> s = ShippedSamples(kSampleKeys[i]);
    ASSERT_FALSE(s.empty());
    int peak = 0;
    for (int v : s) peak = std::max(peak, std::abs(v));
    EXPECT_TRUE(peak > 8000 && peak < 32000) << "audible, not clipped: " << peak;
    EXPECT_LE(s.size(), static_cast<size_t>(2.5 * kRate));
    // No click where the mixer starts or cuts the chunk.
    EXPECT_TRUE(std::abs(s.front()) < 200 && std::abs(s.back()) < 200);
  }
  // The interface blip stays much shorter than the moments of play.
  EXPECT_LT(ShippedSamples("menuonclick").size(), ShippedSamples("PickUpStone").size() / 5);
}

TEST(GeneratedSounds, MusicLoopsJoinWithoutASeamAndTheIntroFadesOut) {
  for (const char* key : {"gamemusic", "menumusic"}) {
    SCOPED_TRACE(key);
    std::vector<int> s = ShippedSamples(key);
    ASSERT_GT(s.size(), static_cast<size_t>(10 * kRate));
    // The step across the join is no larger than the steps inside the music.
    std::vector<int> steps;
    for (size_t i = 1; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 1]));
    std::sort(steps.begin(), steps.end());
    EXPECT_LE(std::abs(s.front() - s.back()), steps[steps.size() * 99 / 100]);
    // Neither end fades: the music sounds on across the join.
    size_t window = kRate / 10;
    EXPECT_GT(std::min(Rms(s, 0, window), Rms(s, s.size() - window, window)), 0.2 * Rms(s, 0, s.size()));
  }
  // The intro lasts through the splash of about five seconds, then fades.
  std::vector<int> intro = ShippedSamples("intromusic");
  ASSERT_GT(intro.size(), static_cast<size_t>(5 * kRate));
  EXPECT_TRUE(Rms(intro, intro.size() / 2, kRate) > 1000 && Rms(intro, intro.size() - kRate / 20, kRate / 20) < 100);
  EXPECT_NE(ShippedSamples("gamemusic").size(), ShippedSamples("menumusic").size()) << "different pieces";
}

}  // namespace
}  // namespace nb
