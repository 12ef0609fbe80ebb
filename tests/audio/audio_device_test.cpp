#include "platform/audio_device.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "audio_test_support.h"
#include "support/scratch_dir.h"

namespace nb {
namespace {

namespace fs = std::filesystem;

class AudioDeviceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseDummyAudioDriver();
    ASSERT_TRUE(OpenAudioDevice(device, 44100));
  }
  void TearDown() override { CloseAudioDevice(device); }

  test::ScratchDir dir;
  AudioDevice device;
};

TEST_F(AudioDeviceTest, FourQuickPlaysCutOffTheOneStartedFirst) {
  dir.Write("long.wav", test::SineWav(2.0));
  SampleHandle sample = LoadSampleFile(device, dir.File("long.wav"), 3);
  ASSERT_NE(sample, 0);

  // All within the same millisecond: the pool's own order decides.
  int first = PlaySampleChannel(device, sample, 50);
  int second = PlaySampleChannel(device, sample, 50);
  int third = PlaySampleChannel(device, sample, 50);
  ASSERT_GE(first, 0);
  EXPECT_NE(first, second);
  EXPECT_NE(second, third);
  EXPECT_NE(first, third);
  int fourth = PlaySampleChannel(device, sample, 50);
  EXPECT_EQ(fourth, first);
  EXPECT_TRUE(ChannelIsPlaying(device, second));
  EXPECT_TRUE(ChannelIsPlaying(device, third));
  // The order goes on: next comes the second play's channel, then the third's.
  EXPECT_EQ(PlaySampleChannel(device, sample, 50), second);
  EXPECT_EQ(PlaySampleChannel(device, sample, 50), third);
  EXPECT_EQ(PlaySampleChannel(device, sample, 50), first);
}

TEST_F(AudioDeviceTest, SamplesHaveTheirOwnPoolsAndEachPlayItsVolume) {
  dir.Write("a.wav", test::SineWav(2.0, 440));
  dir.Write("b.wav", test::SineWav(2.0, 660));
  SampleHandle a = LoadSampleFile(device, dir.File("a.wav"), 3);
  SampleHandle b = LoadSampleFile(device, dir.File("b.wav"), 3);
  ASSERT_NE(a, 0);
  ASSERT_NE(b, 0);
  ASSERT_NE(a, b);

  int a1 = PlaySampleChannel(device, a, 40);
  int a2 = PlaySampleChannel(device, a, 40);
  int a3 = PlaySampleChannel(device, a, 40);
  int b1 = PlaySampleChannel(device, b, 70);
  EXPECT_NE(b1, a1);
  EXPECT_NE(b1, a2);
  EXPECT_NE(b1, a3);
  EXPECT_TRUE(ChannelIsPlaying(device, a1)) << "another sample's play cut this one off";
  EXPECT_EQ(ChannelVolume(device, a1), 40);
  EXPECT_EQ(ChannelVolume(device, b1), 70);
  // Reusing a channel sets the new volume; the others keep theirs.
  int a4 = PlaySampleChannel(device, a, 90);
  EXPECT_EQ(ChannelVolume(device, a4), 90);
  EXPECT_EQ(ChannelVolume(device, a2), 40);
  // Out-of-range volumes reach the mixer clamped, never as a query.
  EXPECT_EQ(ChannelVolume(device, PlaySampleChannel(device, b, -20)), 0);
  EXPECT_EQ(ChannelVolume(device, PlaySampleChannel(device, b, 250)), 100);
}

TEST_F(AudioDeviceTest, MissingUnreadableAndUnknownSoundsAreSilent) {
  dir.Write("garbage.wav", std::string("RIFF\x10\0\0\0WAVEjunkjunk", 20));
  EXPECT_EQ(LoadSampleFile(device, dir.File("absent.wav"), 3), 0);
  EXPECT_EQ(LoadSampleFile(device, dir.File("garbage.wav"), 3), 0);
  EXPECT_EQ(LoadSampleFile(device, "", 3), 0);
  EXPECT_EQ(LoadSampleFile(device, dir.path(), 3), 0) << "a folder";
  // Too large to decode whole: refused before reading.
  dir.Write("huge.wav", test::SineWav(0.1));
  fs::resize_file(dir.File("huge.wav"), kMaxSoundFileBytes + 1);
  EXPECT_EQ(LoadSampleFile(device, dir.File("huge.wav"), 3), 0);
  EXPECT_EQ(CreateFileStream(device, dir.File("huge.wav"), false, true), 0);
  // A file cut short loads what is there or nothing, and plays if it loads.
  std::string whole = test::SineWav(1.0);
  dir.Write("short.wav", whole.substr(0, whole.size() / 2));
  dir.Write("header.wav", whole.substr(0, 30));
  SampleHandle cut = LoadSampleFile(device, dir.File("short.wav"), 3);
  if (cut != 0) {
    EXPECT_GE(PlaySampleChannel(device, cut, 50), 0);
  }
  EXPECT_EQ(LoadSampleFile(device, dir.File("header.wav"), 3), 0);
  EXPECT_EQ(CreateFileStream(device, dir.File("garbage.wav"), true, false), 0);
  EXPECT_EQ(PlaySampleChannel(device, 0, 50), -1);
  EXPECT_EQ(PlaySampleChannel(device, 57, 50), -1);
  PlayStream(device, 0, true);
  PlayStream(device, 9, false);
  StopStream(device, 9);
  FreeStream(device, -3);
  SetStreamVolume(device, 4, 20);
  EXPECT_FALSE(StreamExists(device, 4));
  EXPECT_EQ(StreamMixerVolume(device, 4), -1);
}

TEST_F(AudioDeviceTest, ThreeStreamsPlayAtOnceAndStopResumeRestart) {
  dir.Write("game.wav", test::SineWav(1.0, 220));
  dir.Write("menu.wav", test::SineWav(1.0, 330));
  dir.Write("intro.wav", test::SineWav(3.0, 440));
  StreamHandle game = CreateFileStream(device, dir.File("game.wav"), true, false);
  StreamHandle menu = CreateFileStream(device, dir.File("menu.wav"), true, false);
  StreamHandle intro = CreateFileStream(device, dir.File("intro.wav"), false, true);
  ASSERT_NE(game, 0);
  ASSERT_NE(menu, 0);
  ASSERT_NE(intro, 0);

  PlayStream(device, intro, false);
  PlayStream(device, menu, true);
  PlayStream(device, game, true);
  EXPECT_TRUE(StreamIsPlaying(device, intro));
  EXPECT_TRUE(StreamIsPlaying(device, menu));
  EXPECT_TRUE(StreamIsPlaying(device, game));

  SetStreamVolume(device, game, 35);
  EXPECT_EQ(StreamMixerVolume(device, game), 35);
  EXPECT_EQ(StreamMixerVolume(device, menu), 100);

  StopStream(device, game);
  EXPECT_FALSE(StreamIsPlaying(device, game));
  EXPECT_TRUE(StreamExists(device, game));
  PlayStream(device, game, false);  // goes on where it stopped
  EXPECT_TRUE(StreamIsPlaying(device, game));
  StopStream(device, game);
  PlayStream(device, game, true);  // from the start, keeping its volume
  EXPECT_TRUE(StreamIsPlaying(device, game));
  EXPECT_EQ(StreamMixerVolume(device, game), 35);

  // Loops outlast their length.
  std::this_thread::sleep_for(std::chrono::milliseconds(1400));
  EXPECT_TRUE(StreamIsPlaying(device, menu));
  EXPECT_TRUE(StreamIsPlaying(device, game));

  // Stopping the self-freeing stream frees it after a short fade; the handle
  // addresses nothing from then on.
  StopStream(device, intro);
  EXPECT_FALSE(StreamExists(device, intro));
  PlayStream(device, intro, true);
  EXPECT_FALSE(StreamIsPlaying(device, intro));
  const StreamSlot& introSlot = device.streams[intro - 1];
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (introSlot.chunk && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    StreamExists(device, menu);  // any stream call collects what has ended
  }
  EXPECT_EQ(introSlot.chunk, nullptr) << "the chunk is freed once the fade is over";
  FreeStream(device, game);
  EXPECT_FALSE(StreamExists(device, game));
  EXPECT_TRUE(StreamIsPlaying(device, menu));
}

TEST_F(AudioDeviceTest, SelfFreeingStreamIsGoneAfterItEnds) {
  dir.Write("intro.wav", test::SineWav(0.15));
  dir.Write("loop.wav", test::SineWav(0.15));
  StreamHandle intro = CreateFileStream(device, dir.File("intro.wav"), false, true);
  StreamHandle loop = CreateFileStream(device, dir.File("loop.wav"), true, false);
  ASSERT_NE(intro, 0);
  PlayStream(device, intro, false);
  PlayStream(device, loop, false);
  EXPECT_TRUE(StreamExists(device, intro));
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (StreamExists(device, intro) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_FALSE(StreamExists(device, intro));
  EXPECT_TRUE(StreamIsPlaying(device, loop));
  // A later stream gets a handle of its own, never the freed one.
  StreamHandle next = CreateFileStream(device, dir.File("intro.wav"), false, true);
  EXPECT_NE(next, intro);
  EXPECT_FALSE(StreamExists(device, intro));
}

TEST_F(AudioDeviceTest, DeviceVolumeIsSetOnTheMixer) {
  for (int v = 0; v <= 100; ++v) {
    SetDeviceVolume(device, v);
    ASSERT_EQ(DeviceVolume(device), v);
  }
  SetDeviceVolume(device, 140);
  EXPECT_EQ(DeviceVolume(device), 100);
  SetDeviceVolume(device, -5);
  EXPECT_EQ(DeviceVolume(device), 0);
  SetDeviceVolume(device, 100);
}

TEST(AudioDeviceClosed, EveryCallIsHarmlessWithoutADevice) {
  test::ScratchDir dir;
  dir.Write("a.wav", test::SineWav(0.2));
  AudioDevice device;
  EXPECT_EQ(LoadSampleFile(device, dir.File("a.wav"), 3), 0);
  EXPECT_EQ(CreateFileStream(device, dir.File("a.wav"), true, false), 0);
  EXPECT_EQ(PlaySampleChannel(device, 1, 50), -1);
  PlayStream(device, 1, true);
  StopStream(device, 1);
  FreeStream(device, 1);
  SetDeviceVolume(device, 30);
  EXPECT_EQ(DeviceVolume(device), -1);
  EXPECT_FALSE(ChannelIsPlaying(device, 0));
  EXPECT_EQ(ChannelVolume(device, 0), -1);
  CloseAudioDevice(device);
  CloseAudioDevice(device);
}

TEST(AudioDeviceVersion, ComparesMajorMinorPatchInOrder) {
  EXPECT_TRUE(VersionAtLeast(2, 6, 0, 2, 6, 0));
  EXPECT_TRUE(VersionAtLeast(2, 6, 2, 2, 6, 0));
  EXPECT_TRUE(VersionAtLeast(2, 7, 0, 2, 6, 9));
  EXPECT_TRUE(VersionAtLeast(3, 0, 0, 2, 6, 0));
  EXPECT_FALSE(VersionAtLeast(2, 5, 9, 2, 6, 0));
  EXPECT_FALSE(VersionAtLeast(1, 9, 9, 2, 6, 0));
  EXPECT_FALSE(VersionAtLeast(2, 6, 0, 2, 6, 1));
  // The library this build links.
  EXPECT_TRUE(MixerVersionAtLeast(kMixerMajor, kMixerMinor, kMixerPatch));
  EXPECT_FALSE(MixerVersionAtLeast(99, 0, 0));
}

}  // namespace
}  // namespace nb
