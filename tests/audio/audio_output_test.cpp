// What actually leaves the mixer: SDL's disk driver writes the device's output
// to a file, so volumes and overlapping streams can be measured.
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

namespace fs = std::filesystem;

GeneralSettings Volumes(int music, int sound, int master) {
  GeneralSettings settings;
  settings.musicVolume = music;
  settings.soundVolume = sound;
  settings.masterVolume = master;
  return settings;
}

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
    ini += "gamemusic=tone.wav\nmenumusic=tone.wav\nintromusic=other.wav\n";
    dir.Write("settings.ini", ini);
  }
  void TearDown() override { setenv("SDL_AUDIODRIVER", savedDriver.c_str(), 1); }

  // Loads the catalogue on the disk driver, runs the actions, lets the device
  // write 400 ms more of output and returns the loudest sample of its last
  // 150 ms (well past any short fade the actions started). The output is
  // counted in written bytes, not wall time, so a busy machine cannot shorten it.
  int RecordedPeak(int musicVolume, const std::function<void(AudioState&)>& actions) {
    std::string name = "out" + std::to_string(++recordings) + ".raw";
    std::string file = dir.File(name);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    AudioState audio;
    LoadSoundCatalogue(audio, musicVolume);
    EXPECT_TRUE(audio.device.open);
    actions(audio);
    const std::uintmax_t bytesPerMs = 44100 * 4 / 1000;  // stereo 16-bit frames
    std::error_code error;
    std::uintmax_t start = fs::file_size(file, error);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      std::uintmax_t now = fs::file_size(file, error);
      if (!error && now >= start + 400 * bytesPerMs) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    CloseAudio(audio);
    // Signed 16-bit samples in the host's order, the mixer's default output.
    std::string raw = dir.Read(name);
    EXPECT_GE(raw.size(), start + 400 * bytesPerMs) << "the device wrote too little";
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

TEST_F(AudioOutputTest, SoundsLeaveTheMixerAtTheirVolume) {
  int full = RecordedPeak(100, [](AudioState& a) { PlaySample(a, SoundId::WallHit, 100); });
  int half = RecordedPeak(100, [](AudioState& a) { PlaySample(a, SoundId::WallHit, 50); });
  int none = RecordedPeak(100, [](AudioState& a) { PlaySample(a, SoundId::WallHit, 0); });
  int silent = RecordedPeak(100, [](AudioState&) {});
  EXPECT_NEAR(full, 8000, 400);
  EXPECT_NEAR(half, 4000, 300);
  EXPECT_EQ(none, 0);
  EXPECT_EQ(silent, 0);
  EXPECT_TRUE(messages.calls().empty());
}

TEST_F(AudioOutputTest, TheMasterVolumeScalesEverythingOnlyOnceChanged) {
  int untouched = RecordedPeak(100, [](AudioState& a) { PlaySample(a, SoundId::end, 100); });
  int halved = RecordedPeak(100, [](AudioState& a) {
    GeneralSettings volumes = Volumes(100, 0, 55);  // its click silent: it is the same tone
    ChangeVolumeByArrowKey(a, volumes, kMasterRow, false);  // 50
    PlaySample(a, SoundId::end, 100);
  });
  EXPECT_NEAR(untouched, 8000, 400);
  EXPECT_NEAR(halved, 4000, 300);
}

TEST_F(AudioOutputTest, IntroAndMenuMusicSoundTogetherAtTheMusicVolume) {
  int menuAlone = RecordedPeak(50, [](AudioState& a) { MusicToMainMenu(a); });
  int crossing = RecordedPeak(50, [](AudioState& a) {
    MusicAtStartUp(a);
    MusicToMainMenu(a);
  });
  EXPECT_NEAR(menuAlone, 4000, 300);
  // At pitches 5:4 apart the two tones meet near their crests whatever their
  // phase, so the peak shows whether both streams sound.
  EXPECT_NEAR(crossing, 8000, 500);
  int afterSplash = RecordedPeak(50, [](AudioState& a) {
    MusicAtStartUp(a);
    MusicToMainMenu(a);
    MusicAfterSplash(a, false);
  });
  EXPECT_NEAR(afterSplash, 4000, 300) << "the intro stopped";
}

}  // namespace
}  // namespace nb
