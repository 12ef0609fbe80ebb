// What actually leaves the mixer: SDL's disk driver writes the device's output
// to a file, so the volume scales and overlapping streams are measured, not read back.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <thread>

#include "audio/sound_catalogue.h"
#include "audio/volume_controls.h"
#include "audio_test_support.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

class AudioOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* driver = getenv("SDL_AUDIODRIVER");
    savedDriver = driver ? driver : "dummy";
    // A 1 s tone at amplitude 8000 for every sound key; the intro at another pitch.
    std::string ini = "[Sounds]\n";
    dir.Write("tone.wav", test::SineWav(1.0, 441.0));
    dir.Write("other.wav", test::SineWav(1.0, 551.25));
    for (const char* key : kSampleKeys) ini += std::string(key) + "=tone.wav\n";
    dir.Write("settings.ini", ini + "gamemusic=tone.wav\nmenumusic=tone.wav\nintromusic=other.wav\n");
  }
  void TearDown() override { setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1); }

  // Loads the catalogue on the disk driver, runs the actions, lets the device
  // write 400 ms more (counted in bytes, not wall time, which a busy machine
  // stretches) and returns the loudest sample of the last 150 ms.
  int RecordedPeak(int musicVolume, const std::function<void(AudioState&)>& actions) {
    std::string name = "out" + std::to_string(++recordings) + ".raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", dir.File(name).c_str(), 1);
    AudioState audio;
    LoadSoundCatalogue(audio, GameFolders{}, musicVolume);
    actions(audio);
    const std::uintmax_t bytesPerMs = kAudioFrequency * kAudioChannels * 2 / 1000;  // 16-bit frames
    std::error_code error;
    std::uintmax_t wanted = std::filesystem::file_size(dir.File(name), error) + 400 * bytesPerMs;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline &&
           std::filesystem::file_size(dir.File(name), error) < wanted)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    CloseAudio(audio);
    // Signed 16-bit samples in the host's order, the mixer's default output.
    std::string raw = dir.Read(name);
    EXPECT_GE(raw.size(), wanted) << "the device wrote too little";
    int peak = 0;
    const size_t tail = 150 * bytesPerMs;
    for (size_t i = raw.size() > tail ? raw.size() - tail : 0; i + 1 < raw.size(); i += 2) {
      std::int16_t sample;
      std::memcpy(&sample, raw.data() + i, 2);
      peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
  }

  test::ScratchDir dir;
  test::CapturedMessages messages;
  std::string savedDriver;
  int recordings = 0;
};

TEST_F(AudioOutputTest, SoundsAndMusicLeaveTheMixerAtTheirVolumes) {
  struct Case {
    const char* what;
    int musicVolume;
    std::function<void(AudioState&)> actions;
    int peak, within;
  };
  const Case cases[] = {
      {"sound at 50", 100, [](AudioState& a) { PlaySample(a, SoundId::WallHit, 50); }, 4000, 300},
      {"master lowered to 50 scales everything", 100,
       [](AudioState& a) {
         GeneralSettings volumes = test::Volumes(100, 0, 55);  // its click silent: it is the same tone
         ChangeVolumeByArrowKey(a, volumes, kMasterRow, false);
         PlaySample(a, SoundId::End, 100);
       },
       4000, 300},
      {"menu music alone", 50, [](AudioState& a) { MusicToMainMenu(a); }, 4000, 300},
      // At pitches 5:4 apart the two tones meet near their crests whatever
      // their phase, so the peak shows whether both streams sound.
      {"intro and menu crossing", 50, [](AudioState& a) { MusicAtStartUp(a), MusicToMainMenu(a); }, 8000,
       500}};
  for (const Case& c : cases) EXPECT_NEAR(RecordedPeak(c.musicVolume, c.actions), c.peak, c.within) << c.what;
  EXPECT_TRUE(messages.calls().empty());
}

}  // namespace
}  // namespace nb
