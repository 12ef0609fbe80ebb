#include "audio/sound_catalogue.h"

#include <gtest/gtest.h>

#include "audio/volume_controls.h"
#include "audio_test_support.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

GeneralSettings Volumes(int music, int sound, int master) {
  GeneralSettings settings;
  settings.musicVolume = music;
  settings.soundVolume = sound;
  settings.masterVolume = master;
  return settings;
}

// A settings.ini whose [Sounds] names a WAV for every key, written beside it.
std::string FullSoundsSection(const test::ScratchDir& dir) {
  std::string text = "[Sounds]\n";
  for (int i = 0; i < kSampleCount; ++i) {
    std::string name = std::string("sfx\\") + kSampleKeys[i] + ".wav";
    dir.Write(std::string("sfx/") + kSampleKeys[i] + ".wav", test::SineWav(1.0, 300 + 20 * i));
    text += std::string(kSampleKeys[i]) + "=" + name + "\n";
  }
  for (const char* key : kMusicKeys) {
    dir.Write(std::string("music/") + key + ".wav", test::SineWav(2.0, 200));
    text += std::string(key) + "=music\\" + key + ".wav\n";
  }
  return text;
}

class SoundCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseDummyAudioDriver(); }
  void TearDown() override { CloseAudio(audio); }

  void LoadFull(int musicVolume) {
    dir.Write("settings.ini", "[General]\nMusicVolume=60\n\n" + FullSoundsSection(dir));
    LoadSoundCatalogue(audio, musicVolume);
  }

  test::ScratchDir dir;
  test::CapturedMessages messages;
  AudioState audio;
};

TEST_F(SoundCatalogueTest, LoadsEveryKeyInItsPlaceAndSetsTheMusicVolume) {
  LoadFull(60);
  EXPECT_TRUE(messages.calls().empty());
  for (int i = 0; i < kSampleCount; ++i) {
    EXPECT_NE(audio.catalogue.samples[i], 0) << kSampleKeys[i];
    // Loaded in the catalogue's order, one handle after the other.
    EXPECT_EQ(audio.catalogue.samples[i], i + 1) << kSampleKeys[i];
  }
  for (MusicId music : {MusicId::Game, MusicId::Menu, MusicId::Intro}) {
    EXPECT_TRUE(MusicExists(audio, music));
    EXPECT_FALSE(MusicIsPlaying(audio, music));
    EXPECT_EQ(StreamMixerVolume(audio.device, audio.catalogue.music[static_cast<int>(music)]), 60);
  }
  EXPECT_EQ(PlaySample(audio, SoundId::end, 50) >= 0, true);
}

TEST_F(SoundCatalogueTest, MissingSectionKeysAndFilesAreSilentWithoutAMessage) {
  dir.Write("settings.ini", "[General]\nMusicVolume=60\n");
  LoadSoundCatalogue(audio, 60);
  EXPECT_TRUE(messages.calls().empty());
  EXPECT_TRUE(audio.device.open);
  for (int i = 0; i < kSampleCount; ++i) {
    EXPECT_EQ(PlaySample(audio, static_cast<SoundId>(i), 80), -1) << kSampleKeys[i];
  }
  MusicAtStartUp(audio);
  MusicToMainMenu(audio);
  MusicAfterSplash(audio, false);
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Menu));
  CloseAudio(audio);

  // A section naming absent and broken files, and one good file.
  dir.Write("broken.wav", "not a sound at all");
  dir.Write("click.wav", test::SineWav(0.3));
  dir.Write("settings.ini",
            "[Sounds]\nBrickCrash=nowhere\\crash.wav\nWallHit=broken.wav\n"
            "menuonclick=click.wav\ngamemusic=broken.wav\nmenumusic=nowhere.ogg\n");
  LoadSoundCatalogue(audio, 60);
  EXPECT_TRUE(messages.calls().empty());
  EXPECT_EQ(PlaySample(audio, SoundId::BrickCrash, 80), -1);
  EXPECT_EQ(PlaySample(audio, SoundId::WallHit, 80), -1);
  EXPECT_GE(PlaySample(audio, SoundId::menuonclick, 80), 0);
  EXPECT_FALSE(MusicExists(audio, MusicId::Game));
  EXPECT_FALSE(MusicExists(audio, MusicId::Menu));
}

TEST_F(SoundCatalogueTest, FailedDeviceShowsOneMessageAndEveryLaterCallIsHarmless) {
  LoadFull(60);
  CloseAudio(audio);
  const char* previous = getenv("SDL_AUDIODRIVER");
  std::string saved = previous ? previous : "";
  setenv("SDL_AUDIODRIVER", "nimbara-no-such-driver", 1);
  LoadSoundCatalogue(audio, 60);
  setenv("SDL_AUDIODRIVER", saved.c_str(), 1);

  ASSERT_EQ(messages.calls().size(), 1u);
  EXPECT_EQ(messages.calls()[0].text, "Can't initialize device");
  EXPECT_EQ(messages.calls()[0].caption, "Can't initialize device");
  EXPECT_FALSE(audio.device.open);
  EXPECT_NE(dir.Read("Log.txt").find("Can't initialize device"), std::string::npos);

  GeneralSettings volumes = Volumes(60, 80, 50);
  EXPECT_EQ(PlaySample(audio, SoundId::PickUpStone, 80), -1);
  MusicAtStartUp(audio);
  MusicToMainMenu(audio);
  MusicAfterSplash(audio, true);
  MusicAtLevelStart(audio);
  MusicAfterLoading(audio);
  MusicAtLevelWon(audio);
  SetMusicVolume(audio, MusicId::Menu, 10);
  ChangeVolumeByArrowKey(audio, volumes, kMasterRow, true);
  DragVolumeSlider(audio, volumes, kSoundRow, 500, 400);
  DragVolumeSlider(audio, volumes, kMusicRow, 500, 400);
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Game));
  MusicAtShutdown(audio);
  CloseAudio(audio);
  // The settings still change; only the sound is missing.
  EXPECT_EQ(volumes.masterVolume, 55);
  EXPECT_EQ(volumes.soundVolume, 48);
  EXPECT_EQ(messages.calls().size(), 1u);
}

TEST_F(SoundCatalogueTest, EachPlayTakesTheSoundVolumeOfThatMoment) {
  LoadFull(60);
  GeneralSettings volumes = Volumes(60, 40, 100);
  int first = PlaySample(audio, SoundId::PickUpStone, volumes.soundVolume);
  ASSERT_GE(first, 0);
  EXPECT_EQ(ChannelVolume(audio.device, first), 40);

  ChangeVolumeByArrowKey(audio, volumes, kSoundRow, true);
  EXPECT_EQ(volumes.soundVolume, 45);
  EXPECT_EQ(ChannelVolume(audio.device, first), 40) << "a playing sound keeps its volume";
  int second = PlaySample(audio, SoundId::PickUpStone, volumes.soundVolume);
  EXPECT_NE(second, first);
  EXPECT_EQ(ChannelVolume(audio.device, second), 45);

  // The fourth play of one sample reuses the first play's channel.
  PlaySample(audio, SoundId::PickUpStone, volumes.soundVolume);
  EXPECT_EQ(PlaySample(audio, SoundId::PickUpStone, 10), first);
  EXPECT_EQ(ChannelVolume(audio.device, first), 10);
}

TEST_F(SoundCatalogueTest, ArrowKeysStepByFiveClampAtTheEndsAndAlwaysClick) {
  LoadFull(60);
  GeneralSettings volumes = Volumes(100, 0, 50);
  std::uint64_t plays = audio.device.playCount;
  ChangeVolumeByArrowKey(audio, volumes, kMusicRow, true);
  EXPECT_EQ(volumes.musicVolume, 100);
  ChangeVolumeByArrowKey(audio, volumes, kSoundRow, false);
  EXPECT_EQ(volumes.soundVolume, 0);
  ChangeVolumeByArrowKey(audio, volumes, kMasterRow, false);
  EXPECT_EQ(volumes.masterVolume, 45);
  // The full-screen and back rows only click.
  ChangeVolumeByArrowKey(audio, volumes, 3, true);
  ChangeVolumeByArrowKey(audio, volumes, 4, false);
  EXPECT_EQ(volumes.musicVolume, 100);
  EXPECT_EQ(volumes.soundVolume, 0);
  EXPECT_EQ(volumes.masterVolume, 45);
  EXPECT_EQ(audio.device.playCount, plays + 5) << "every arrow key plays menuonclick";

  // Values from the file outside 0..100 only meet the limit they cross.
  volumes = Volumes(150, -20, 50);
  ChangeVolumeByArrowKey(audio, volumes, kMusicRow, false);
  EXPECT_EQ(volumes.musicVolume, 145);
  ChangeVolumeByArrowKey(audio, volumes, kMusicRow, true);
  EXPECT_EQ(volumes.musicVolume, 100);
  ChangeVolumeByArrowKey(audio, volumes, kSoundRow, true);
  EXPECT_EQ(volumes.soundVolume, -15);
  ChangeVolumeByArrowKey(audio, volumes, kSoundRow, false);
  EXPECT_EQ(volumes.soundVolume, 0);
}

TEST_F(SoundCatalogueTest, DeviceVolumeIsUntouchedAtStartAndSetByTheMasterRow) {
  SetDeviceVolume(audio.device, 20);  // closed: nothing happens
  LoadFull(60);
  GeneralSettings volumes = Volumes(60, 80, 30);
  EXPECT_EQ(DeviceVolume(audio.device), 100) << "the stored master volume is not applied at start";
  ChangeVolumeByArrowKey(audio, volumes, kMasterRow, true);
  EXPECT_EQ(volumes.masterVolume, 35);
  EXPECT_EQ(DeviceVolume(audio.device), 35);

  // Right at 100 keeps 100 and still sets the device again.
  volumes.masterVolume = 100;
  SetDeviceVolume(audio.device, 20);
  ChangeVolumeByArrowKey(audio, volumes, kMasterRow, true);
  EXPECT_EQ(volumes.masterVolume, 100);
  EXPECT_EQ(DeviceVolume(audio.device), 100);

  DragVolumeSlider(audio, volumes, kMasterRow, 400 + 10 + 74, 400);
  EXPECT_EQ(volumes.masterVolume, 40);
  EXPECT_EQ(DeviceVolume(audio.device), 40);
}

TEST_F(SoundCatalogueTest, ArrowKeysChangeTheGameMusicOnlyAndTheSliderBoth) {
  LoadFull(60);
  GeneralSettings volumes = Volumes(60, 80, 100);
  MusicToMainMenu(audio);
  ASSERT_TRUE(MusicIsPlaying(audio, MusicId::Menu));
  StreamHandle game = audio.catalogue.music[static_cast<int>(MusicId::Game)];
  StreamHandle menu = audio.catalogue.music[static_cast<int>(MusicId::Menu)];
  StreamHandle intro = audio.catalogue.music[static_cast<int>(MusicId::Intro)];

  ChangeVolumeByArrowKey(audio, volumes, kMusicRow, false);
  ChangeVolumeByArrowKey(audio, volumes, kMusicRow, false);
  EXPECT_EQ(volumes.musicVolume, 50);
  EXPECT_EQ(StreamMixerVolume(audio.device, game), 50);
  EXPECT_EQ(StreamMixerVolume(audio.device, menu), 60) << "the playing menu music is unchanged";

  DragVolumeSlider(audio, volumes, kMusicRow, 400 + 10 + 37, 400);
  EXPECT_EQ(volumes.musicVolume, 20);
  EXPECT_EQ(StreamMixerVolume(audio.device, game), 20);
  EXPECT_EQ(StreamMixerVolume(audio.device, menu), 20);
  EXPECT_EQ(StreamMixerVolume(audio.device, intro), 60) << "the slider leaves the intro alone";
  // The game music keeps its volume through a restart.
  MusicAfterLoading(audio);
  EXPECT_EQ(StreamMixerVolume(audio.device, game), 20);
}

TEST_F(SoundCatalogueTest, SoundSliderClicksOnlyWhenThePointerMoved) {
  LoadFull(60);
  GeneralSettings volumes = Volumes(60, 80, 100);
  std::uint64_t plays = audio.device.playCount;
  DragVolumeSlider(audio, volumes, kSoundRow, 400 + 10 + 185, 400);
  EXPECT_EQ(volumes.soundVolume, 100);
  EXPECT_EQ(audio.device.playCount, plays + 1);
  DragVolumeSlider(audio, volumes, kSoundRow, 400 + 10 + 185, 400);
  EXPECT_EQ(audio.device.playCount, plays + 1) << "no move, no click";
  // Past the end the value stays 100 but the pointer moved: a click.
  DragVolumeSlider(audio, volumes, kSoundRow, 700, 400);
  EXPECT_EQ(volumes.soundVolume, 100);
  EXPECT_EQ(audio.device.playCount, plays + 2);
  // The click sounds at the new level.
  int before = static_cast<int>(audio.device.playCount);
  DragVolumeSlider(audio, volumes, kSoundRow, 400 + 10 + 111, 400);
  EXPECT_EQ(volumes.soundVolume, 60);
  ASSERT_EQ(static_cast<int>(audio.device.playCount), before + 1);
  const SampleSlot& click = audio.device.samples[audio.catalogue.samples[static_cast<int>(
                                                     SoundId::menuonclick)] - 1];
  int newest = 0;
  for (int i = 1; i < click.channelCount; ++i) {
    if (click.startedAt[i] > click.startedAt[newest]) newest = i;
  }
  EXPECT_EQ(ChannelVolume(audio.device, click.firstChannel + newest), 60);
  // The music and master sliders do not click.
  DragVolumeSlider(audio, volumes, kMusicRow, 450, 400);
  DragVolumeSlider(audio, volumes, kMasterRow, 460, 400);
  EXPECT_EQ(static_cast<int>(audio.device.playCount), before + 1);
}

TEST(SliderVolume, MapsThePointerOntoZeroToHundredTruncating) {
  EXPECT_EQ(SliderVolumeAt(410, 400), 0);
  EXPECT_EQ(SliderVolumeAt(595, 400), 100);
  EXPECT_EQ(SliderVolumeAt(447, 400), 20);   // 37 / 185 exactly
  EXPECT_EQ(SliderVolumeAt(446, 400), 19);   // just below: truncated
  EXPECT_EQ(SliderVolumeAt(503, 400), 50);   // 93 / 185 = 50.27
  EXPECT_EQ(SliderVolumeAt(405, 400), 0);    // left of the track
  EXPECT_EQ(SliderVolumeAt(-100000, 400), 0);
  EXPECT_EQ(SliderVolumeAt(900, 400), 100);  // right of the track
  EXPECT_EQ(SliderVolumeAt(525, 415), 54);   // the track slides in with the page
}

TEST_F(SoundCatalogueTest, MusicFollowsTheScreens) {
  LoadFull(60);
  MusicAtStartUp(audio);
  EXPECT_TRUE(MusicIsPlaying(audio, MusicId::Intro));
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Menu));

  // The splash ends by itself: intro and menu cross, then the intro goes.
  MusicToMainMenu(audio);
  EXPECT_TRUE(MusicIsPlaying(audio, MusicId::Intro));
  EXPECT_TRUE(MusicIsPlaying(audio, MusicId::Menu));
  MusicAfterSplash(audio, false);
  EXPECT_FALSE(MusicExists(audio, MusicId::Intro));
  EXPECT_TRUE(MusicIsPlaying(audio, MusicId::Menu));

  MusicAtLevelStart(audio);
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Menu));
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Game));
  MusicAfterLoading(audio);
  EXPECT_TRUE(MusicIsPlaying(audio, MusicId::Game));
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Menu));
  MusicAtLevelWon(audio);
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Game));
  MusicAfterLoading(audio);  // the next level
  MusicToMainMenu(audio);
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Game));
  EXPECT_TRUE(MusicIsPlaying(audio, MusicId::Menu));

  MusicAtShutdown(audio);
  EXPECT_FALSE(MusicExists(audio, MusicId::Game));
  EXPECT_FALSE(MusicExists(audio, MusicId::Intro));
  EXPECT_TRUE(MusicExists(audio, MusicId::Menu));
}

TEST_F(SoundCatalogueTest, EnterOnTheSplashStartsTheMenuMusicAndEndsTheIntro) {
  LoadFull(60);
  MusicAtStartUp(audio);
  MusicToMainMenu(audio);
  MusicAfterSplash(audio, true);
  EXPECT_FALSE(MusicExists(audio, MusicId::Intro));
  EXPECT_TRUE(MusicIsPlaying(audio, MusicId::Menu));
  // Later returns to the menu never bring the intro back.
  MusicAtStartUp(audio);
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Intro));
}

}  // namespace
}  // namespace nb
