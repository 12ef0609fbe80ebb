// The sounds the build synthesises, loaded from the game directory.
#include <gtest/gtest.h>

#include <filesystem>

#include "audio/sound_catalogue.h"
#include "audio_test_support.h"
#include "core/settings_file.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

namespace fs = std::filesystem;

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
}

}  // namespace
}  // namespace nb
