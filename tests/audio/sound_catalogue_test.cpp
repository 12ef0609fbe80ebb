#include "audio/sound_catalogue.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>

#include "audio/volume_controls.h"
#include "audio_test_support.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

using test::Volumes;

class SoundCatalogueTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseDummyAudioDriver(); }
  void TearDown() override { CloseAudio(audio); }

  // A settings.ini whose [Sounds] names a WAV (backslash paths) for every key.
  void LoadFull(int musicVolume) {
    std::string text = "[General]\nMusicVolume=60\n\n[Sounds]\n";
    for (int i = 0; i < kSampleCount; ++i) {
      dir.Write(std::string("sfx/") + kSampleKeys[i] + ".wav", test::SineWav(1.0, 300 + 20 * i));
      text += std::string(kSampleKeys[i]) + "=sfx\\" + kSampleKeys[i] + ".wav\n";
    }
    for (const char* key : kMusicKeys) {
      dir.Write(std::string("music/") + key + ".wav", test::SineWav(2.0, 200));
      text += std::string(key) + "=music\\" + key + ".wav\n";
    }
    dir.Write("settings.ini", text);
    LoadSoundCatalogue(audio, GameFolders{}, musicVolume);
  }
  StreamHandle Stream(MusicId music) { return audio.catalogue.music[static_cast<int>(music)]; }
  int MusicVolume(MusicId music) { return StreamMixerVolume(audio.device, Stream(music)); }

  test::ScratchDir dir;
  test::CapturedMessages messages;
  AudioState audio;
};

// A key settings.ini lacks loads the shipped file; a sound that does not load
// is silent and only logged. (Each shipped sound missing or cut short is named
// by the damaged-data binary test.)
TEST_F(SoundCatalogueTest, AMissingKeyLoadsTheShippedFileAndAnAbsentOneIsSilentButLogged) {
  dir.Write("click.wav", test::SineWav(0.3));
  dir.Write("settings.ini", "[Sounds]\nmenuonclick=click.wav\n");
  LoadSoundCatalogue(audio, GameFolders{}, 60);
  for (int i = 0; i < kSampleCount; ++i)
    EXPECT_EQ(PlaySample(audio, static_cast<SoundId>(i), 80) >= 0,
              i == static_cast<int>(SoundId::MenuOnClick))
        << kSampleKeys[i];
  EXPECT_TRUE(messages.calls().empty());
  EXPECT_NE(dir.Read("Log.txt").find("Could not find data\\sounds\\ReflectHit.wav\n"), std::string::npos);
}

// The samples and the game music are decoded only when they first play (a
// file cut short is still refused at start-up, by the damaged-data binary
// test): a file that does not decode is there until then, logged and gone after.
TEST_F(SoundCatalogueTest, SoundsAreDecodedAtTheirFirstPlay) {
  std::string odd = test::SineWav(1.0);
  odd[20] = odd[21] = 0x77;  // a sound format nobody decodes
  dir.Write("odd.wav", odd);
  dir.Write("settings.ini", "[Sounds]\ngamemusic=odd.wav\nwin=odd.wav\n");
  LoadSoundCatalogue(audio, GameFolders{}, 60);
  EXPECT_TRUE(MusicExists(audio, MusicId::Game));
  EXPECT_EQ(dir.Read("Log.txt").find("Damaged"), std::string::npos);
  MusicAfterLoading(audio);
  EXPECT_EQ(PlaySample(audio, SoundId::Win, 80), -1);
  EXPECT_EQ(PlaySample(audio, SoundId::Win, 80), -1);
  EXPECT_FALSE(MusicExists(audio, MusicId::Game));
  const std::string log = dir.Read("Log.txt");
  EXPECT_NE(log.find("Damaged gamemusic: "), std::string::npos);
  EXPECT_EQ(log.find("Damaged win: "), log.rfind("Damaged win: ")) << "logged once";
  EXPECT_NE(log.find("Damaged win: "), std::string::npos);
}

TEST_F(SoundCatalogueTest, FailedDeviceShowsOneMessageAndEveryLaterCallIsHarmless) {
  LoadFull(60);
  CloseAudio(audio);
  const char* previous = getenv("SDL_AUDIODRIVER");
  std::string saved = previous ? previous : "";
  setenv("SDL_AUDIODRIVER", "nimbara-no-such-driver", 1);
  LoadSoundCatalogue(audio, GameFolders{}, 60);
  setenv("SDL_AUDIODRIVER", saved.c_str(), 1);

  ASSERT_EQ(messages.calls().size(), 1u);
  EXPECT_EQ(messages.calls()[0].text, "Can't initialize device");
  EXPECT_FALSE(audio.device.open);
  GeneralSettings volumes = Volumes(60, 80, 50);
  EXPECT_EQ(PlaySample(audio, SoundId::PickUpStone, 80), -1);
  MusicAfterLoading(audio);
  ChangeVolumeByArrowKey(audio, volumes, kMasterRow, true);
  DragVolumeSlider(audio, volumes, kSoundRow, 500, 400);
  EXPECT_FALSE(MusicIsPlaying(audio, MusicId::Game));
  MusicAtShutdown(audio);
  // The settings still change; only the sound is missing.
  EXPECT_EQ((std::vector<int>{volumes.masterVolume, volumes.soundVolume}), (std::vector<int>{55, 48}));
  EXPECT_EQ(messages.calls().size(), 1u);
}

TEST_F(SoundCatalogueTest, ArrowKeysStepByFiveClampAtTheEndsAndAlwaysClick) {
  LoadFull(60);
  struct Press {
    int row;
    bool right;
    int music, sound, master;  // afterwards
  };
  // Rows 3 and 4 (full screen, back) only click. From press 5 on the values
  // come from a file outside 0..100: they only meet the limit they cross.
  const Press presses[] = {
      {kMusicRow, true, 100, 0, 50},   {kSoundRow, false, 100, 0, 50},  {kMasterRow, false, 100, 0, 45},
      {3, true, 100, 0, 45},           {4, false, 100, 0, 45},          {kMusicRow, false, 145, -20, 50},
      {kMusicRow, true, 100, -20, 50}, {kSoundRow, true, 100, -15, 50}, {kSoundRow, false, 100, 0, 50}};
  GeneralSettings v = Volumes(100, 0, 50);
  std::uint64_t plays = audio.device.playCount;
  for (size_t i = 0; i < std::size(presses); ++i) {
    SCOPED_TRACE(i);
    if (i == 5) v = Volumes(150, -20, 50);
    ChangeVolumeByArrowKey(audio, v, presses[i].row, presses[i].right);
    EXPECT_EQ((std::vector<int>{v.musicVolume, v.soundVolume, v.masterVolume}),
              (std::vector<int>{presses[i].music, presses[i].sound, presses[i].master}));
    EXPECT_EQ(audio.device.playCount, plays + i + 1) << "every arrow key plays menuonclick";
  }
}

TEST_F(SoundCatalogueTest, EachPlayTakesTheSoundVolumeOfThatMomentAndKeysChangeTheGameMusicOnly) {
  LoadFull(60);
  GeneralSettings volumes = Volumes(60, 40, 100);
  int first = PlaySample(audio, SoundId::PickUpStone, volumes.soundVolume);
  ChangeVolumeByArrowKey(audio, volumes, kSoundRow, true);
  int second = PlaySample(audio, SoundId::PickUpStone, volumes.soundVolume);
  ASSERT_TRUE(first >= 0 && second >= 0 && first != second);
  EXPECT_EQ(ChannelVolume(audio.device, first), 40) << "a playing sound keeps its volume";
  EXPECT_EQ(ChannelVolume(audio.device, second), 45);
  MusicToMainMenu(audio);
  ASSERT_TRUE(MusicIsPlaying(audio, MusicId::Menu));
  ChangeVolumeByArrowKey(audio, volumes, kMusicRow, false);
  ChangeVolumeByArrowKey(audio, volumes, kMusicRow, false);
  // The playing menu music is unchanged by the keys; the slider sets both but leaves the intro alone.
  EXPECT_EQ((std::vector<int>{volumes.musicVolume, MusicVolume(MusicId::Game), MusicVolume(MusicId::Menu)}),
            (std::vector<int>{50, 50, 60}));
  DragVolumeSlider(audio, volumes, kMusicRow, 400 + 10 + 37, 400);
  EXPECT_EQ((std::vector<int>{volumes.musicVolume, MusicVolume(MusicId::Game), MusicVolume(MusicId::Menu),
                              MusicVolume(MusicId::Intro)}),
            (std::vector<int>{20, 20, 20, 60}));
  MusicAfterLoading(audio);
  EXPECT_EQ(MusicVolume(MusicId::Game), 20) << "kept through a restart";
}

TEST_F(SoundCatalogueTest, SoundSliderClicksOnlyWhenThePointerMovedAtTheNewLevel) {
  LoadFull(60);
  GeneralSettings volumes = Volumes(60, 80, 100);
  std::uint64_t plays = audio.device.playCount;
  // Pointer x, slider left, and the volume and play count after each update;
  // past the end the value stays 100 but the pointer moved, so it clicks. 37 /
  // 185 exactly is 20, one pixel less truncates; the track slides in with the page.
  const int drags[][4] = {{595, 400, 100, 1}, {595, 400, 100, 1}, {700, 400, 100, 2}, {521, 400, 60, 3},
                          {447, 400, 20, 4},  {446, 400, 19, 5},  {405, 400, 0, 6},   {525, 415, 54, 7}};
  for (const auto& d : drags) {
    DragVolumeSlider(audio, volumes, kSoundRow, d[0], d[1]);
    EXPECT_EQ(volumes.soundVolume, d[2]) << d[0];
    ASSERT_EQ(audio.device.playCount, plays + d[3]) << d[0];
  }
  // The music and master sliders do not click.
  DragVolumeSlider(audio, volumes, kMusicRow, 450, 400);
  DragVolumeSlider(audio, volumes, kMasterRow, 460, 400);
  EXPECT_EQ(audio.device.playCount, plays + 7);
}

// Intro, menu and game music after each moment: P playing, s silent, - freed,
// E there, . not looked at.
void ExpectMusic(AudioState& audio, const char* want) {
  const MusicId ids[] = {MusicId::Intro, MusicId::Menu, MusicId::Game};
  for (int i = 0; i < 3; ++i) {
    if (want[i] == 'P' || want[i] == 's') {
      EXPECT_EQ(MusicIsPlaying(audio, ids[i]), want[i] == 'P') << i;
    } else if (want[i] == '-' || want[i] == 'E') {
      EXPECT_EQ(MusicExists(audio, ids[i]), want[i] == 'E') << i;
    }
  }
}

TEST_F(SoundCatalogueTest, MusicFollowsTheScreens) {
  LoadFull(60);
  auto restart = [this](AudioState& a) { CloseAudio(a), LoadFull(60); };
  const std::pair<std::function<void(AudioState&)>, const char*> steps[] = {
      {MusicAtStartUp, "Ps."},
      {MusicToMainMenu, "PP."},  // the splash ends by itself: intro and menu cross
      {[](AudioState& a) { MusicAfterSplash(a, false); }, "-P."},
      {MusicAfterLoading, "..P"},
      {[](AudioState& a) { MusicAfterLoading(a), MusicToMainMenu(a); }, ".Ps"},
      {MusicAtShutdown, "-E-"},
      // Enter on the splash starts the menu music and ends the intro, and
      // later returns to the menu never bring the intro back.
      {restart, "ss."},
      {[](AudioState& a) { MusicAtStartUp(a), MusicToMainMenu(a), MusicAfterSplash(a, true); }, "-P."},
      {MusicAtStartUp, "s.."}};
  for (size_t i = 0; i < std::size(steps); ++i) {
    SCOPED_TRACE(i);
    steps[i].first(audio);
    ExpectMusic(audio, steps[i].second);
  }
}

}  // namespace
}  // namespace nb
