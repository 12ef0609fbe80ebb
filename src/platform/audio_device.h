#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Mix_Chunk;

namespace nb {

// The thin layer over SDL2_mixer that the sound catalogue plays through.
// Everything the game hears is a decoded chunk on a mixer channel: each
// sample owns a small pool of channels, each stream owns one, so the intro,
// menu and game music can all exist and sound at once. Handles are 1-based
// and never reused, so a handle whose stream has gone only ever addresses
// nothing. Volumes are percentages 0..100; values outside are clamped when
// they reach the mixer. Only one device is open in a process at a time.

using SampleHandle = int;  // 0: no sample
using StreamHandle = int;  // 0: no stream

struct SampleSlot {
  Mix_Chunk* chunk = nullptr;  // null until a sample decoded on its first play plays
  std::string path;            // such a sample's file, until then
  int firstChannel = 0;
  int channelCount = 0;
  std::vector<std::uint64_t> startedAt;  // play number of each pool channel's last start
};

// Fading: stopped and gone for the game, its chunk freed once the short fade
// that avoids a click has ended.
enum class StreamPhase { Idle, Playing, Stopped, Fading };

struct StreamSlot {
  Mix_Chunk* chunk = nullptr;  // null once freed, and until a stream decoded on its first play plays
  std::string path;            // such a stream's file, until then
  int channel = -1;
  bool loop = false;
  bool autoFree = false;
  StreamPhase phase = StreamPhase::Idle;
  int volume = 100;
};

struct AudioDevice {
  bool open = false;
  int channelsAllocated = 0;
  std::uint64_t playCount = 0;  // the pools' own order of plays
  std::vector<SampleSlot> samples;
  std::vector<StreamSlot> streams;
};

// The oldest SDL2_mixer this layer works with (it needs the master volume).
inline constexpr int kMixerMajor = 2, kMixerMinor = 6, kMixerPatch = 0;
bool MixerVersionAtLeast(int major, int minor, int patch);  // of the linked library
bool VersionAtLeast(int major, int minor, int patch, int wantMajor, int wantMinor, int wantPatch);

// Opens the default output device at exactly this rate and channel count in
// signed 16-bit samples (SDL converts for hardware that wants another format,
// so the decoded sounds stay as small as asked); false (and nothing open) on
// failure.
bool OpenAudioDevice(AudioDevice& device, int frequency, int channels);
// Why the last open or load failed, in the mixer's words.
std::string AudioErrorText();
// Halts and frees everything and closes the device; harmless when not open.
void CloseAudioDevice(AudioDevice& device);

// Sound files are decoded whole into memory; larger files are refused.
inline constexpr long long kMaxSoundFileBytes = 64LL * 1024 * 1024;

// Loads a whole sound file (WAV or Ogg Vorbis) as a sample that can sound up to
// maxPlaybacks times at once. 0 when the device is closed or the file is
// missing, unreadable or cut short. With `onFirstPlay` the file is only found
// now and decoded when the sample first plays; if it does not decode then,
// the sample is gone.
SampleHandle LoadSampleFile(AudioDevice& device, const std::string& path, int maxPlaybacks,
                            bool onFirstPlay = false);
// Plays the sample once on a channel of its pool at the volume: a free channel
// when there is one, otherwise the one whose play started first is cut off.
// Returns the channel, or -1 when nothing plays.
int PlaySampleChannel(AudioDevice& device, SampleHandle sample, int volume);
bool SampleExists(AudioDevice& device, SampleHandle sample);

// A stream from a file: looping, or freeing itself once it has played to its end.
// Decoded at once, or only at its first play when `onFirstPlay` is set (it then
// holds no memory until it is needed; a file that does not decode then leaves
// the stream gone).
StreamHandle CreateFileStream(AudioDevice& device, const std::string& path, bool loop, bool autoFree,
                              bool onFirstPlay = false);
// Plays from the start when restart is set or the stream has not sounded yet
// (or has ended); otherwise a stopped stream goes on where it stopped and a
// playing one is left alone.
void PlayStream(AudioDevice& device, StreamHandle stream, bool restart);
// Stops a stream where it is; a self-freeing stream fades out within a few
// milliseconds and is freed.
void StopStream(AudioDevice& device, StreamHandle stream);
void FreeStream(AudioDevice& device, StreamHandle stream);
// Frees the self-freeing streams that have ended; every stream call does it too.
void ReleaseEndedStreams(AudioDevice& device);
void SetStreamVolume(AudioDevice& device, StreamHandle stream, int volume);
bool StreamExists(AudioDevice& device, StreamHandle stream);
bool StreamIsPlaying(AudioDevice& device, StreamHandle stream);
// The volume the mixer applies to the stream now, -1 without one.
int StreamMixerVolume(AudioDevice& device, StreamHandle stream);

// The output volume of the whole device.
void SetDeviceVolume(AudioDevice& device, int volume);
// The device volume the mixer applies now, -1 when closed.
int DeviceVolume(const AudioDevice& device);

bool ChannelIsPlaying(const AudioDevice& device, int channel);
// The volume the mixer applies to a channel, -1 when closed or out of range.
int ChannelVolume(const AudioDevice& device, int channel);

}  // namespace nb
