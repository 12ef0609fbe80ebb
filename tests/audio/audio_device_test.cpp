#include "platform/audio_device.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    ASSERT_TRUE(OpenAudioDevice(device, 22050, 1));
  }
  void TearDown() override { CloseAudioDevice(device); }

  SampleHandle Sample(const std::string& name, double freq) {
    dir.Write(name, test::SineWav(2.0, freq));
    return LoadSampleFile(device, dir.File(name), 3);
  }
  // Polls (each stream call collects what has ended) until done() or 5 s.
  template <typename F>
  void WaitFor(F done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done() && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }

  test::ScratchDir dir;
  AudioDevice device;
};

TEST_F(AudioDeviceTest, EachSampleRotatesItsOwnChannelsAndEachPlaySetsItsVolume) {
  SampleHandle a = Sample("a.wav", 440), b = Sample("b.wav", 660);
  ASSERT_TRUE(a != 0 && b != 0 && a != b);
  // All within the same millisecond: the pool's own order decides.
  int a1 = PlaySampleChannel(device, a, 40), a2 = PlaySampleChannel(device, a, 40);
  int a3 = PlaySampleChannel(device, a, 40), b1 = PlaySampleChannel(device, b, 70);
  ASSERT_GE(a1, 0);
  EXPECT_TRUE(a1 != a2 && a2 != a3 && a1 != a3);
  EXPECT_TRUE(b1 != a1 && b1 != a2 && b1 != a3);
  EXPECT_TRUE(ChannelIsPlaying(device, a1)) << "another sample's play cut this one off";
  EXPECT_EQ((std::vector<int>{ChannelVolume(device, a1), ChannelVolume(device, b1)}),
            (std::vector<int>{40, 70}));
  // The fourth play cuts off the oldest, and the order goes on.
  EXPECT_EQ(PlaySampleChannel(device, a, 90), a1);
  EXPECT_EQ((std::vector<int>{ChannelVolume(device, a1), ChannelVolume(device, a2)}),
            (std::vector<int>{90, 40}));
  EXPECT_TRUE(ChannelIsPlaying(device, a2) && ChannelIsPlaying(device, a3));
  EXPECT_EQ((std::vector<int>{PlaySampleChannel(device, a, 50), PlaySampleChannel(device, a, 50)}),
            (std::vector<int>{a2, a3}));
  // Out-of-range volumes reach the mixer clamped, never as a query.
  EXPECT_EQ(ChannelVolume(device, PlaySampleChannel(device, b, -20)), 0);
  EXPECT_EQ(ChannelVolume(device, PlaySampleChannel(device, b, 250)), 100);
}

TEST_F(AudioDeviceTest, MissingUnreadableAndUnknownSoundsAreSilent) {
  std::string whole = test::SineWav(1.0);
  dir.Write("header.wav", whole.substr(0, 30));
  dir.Write("huge.wav", test::SineWav(0.1));
  fs::resize_file(dir.File("huge.wav"), kMaxSoundFileBytes + 1);  // refused before reading
  // Absent and broken files are left to the catalogue test.
  for (std::string file : {std::string(), dir.path(), dir.File("huge.wav"), dir.File("header.wav")})
    EXPECT_EQ(LoadSampleFile(device, file, 3), 0) << file;
  EXPECT_EQ(CreateFileStream(device, dir.File("huge.wav"), false, true), 0);
  EXPECT_EQ(CreateFileStream(device, dir.File("header.wav"), true, false), 0);
  EXPECT_EQ(PlaySampleChannel(device, 0, 50) + PlaySampleChannel(device, 57, 50), -2);
  PlayStream(device, 9, false);
  FreeStream(device, -3);
  SetStreamVolume(device, 4, 20);
  EXPECT_FALSE(StreamExists(device, 4));
  EXPECT_EQ(StreamMixerVolume(device, 4), -1);
}

TEST_F(AudioDeviceTest, StreamsResumeRestartAndFreeThemselves) {
  dir.Write("game.wav", test::SineWav(1.0, 220));
  dir.Write("intro.wav", test::SineWav(3.0, 440));
  dir.Write("blip.wav", test::SineWav(0.15));
  StreamHandle game = CreateFileStream(device, dir.File("game.wav"), true, false);
  StreamHandle intro = CreateFileStream(device, dir.File("intro.wav"), false, true);
  StreamHandle blip = CreateFileStream(device, dir.File("blip.wav"), false, true);
  ASSERT_TRUE(game && intro && blip);
  for (StreamHandle s : {blip, intro, game}) PlayStream(device, s, s == game);
  SetStreamVolume(device, game, 35);
  StopStream(device, game);
  PlayStream(device, game, true);  // from the start, keeping its volume
  EXPECT_TRUE(StreamIsPlaying(device, game) && StreamMixerVolume(device, game) == 35);
  // A loop outlasts its length; the short self-freeing stream is gone once it ends.
  WaitFor([&] { return !StreamExists(device, blip); });
  std::this_thread::sleep_for(std::chrono::milliseconds(1100));
  EXPECT_TRUE(StreamIsPlaying(device, game));
  EXPECT_FALSE(StreamExists(device, blip));
  // Stopping a self-freeing stream frees it after a short fade; its handle addresses nothing.
  StopStream(device, intro);
  EXPECT_FALSE(StreamExists(device, intro));
  const StreamSlot& introSlot = device.streams[intro - 1];
  WaitFor([&] { return StreamExists(device, game) && !introSlot.chunk; });  // a stream call collects it
  EXPECT_EQ(introSlot.chunk, nullptr) << "the chunk is freed once the fade is over";
  FreeStream(device, game);
  EXPECT_FALSE(StreamExists(device, game));
  // A later stream gets a handle of its own, never a freed one.
  StreamHandle next = CreateFileStream(device, dir.File("blip.wav"), false, true);
  EXPECT_TRUE(next != blip && next != intro && next != game) << next;
}

}  // namespace
}  // namespace nb
