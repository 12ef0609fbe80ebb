#include "platform/audio_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <filesystem>

#include "platform/wave_file.h"

namespace nb {
namespace {

int ToMixer(int percent) {
  // Clamped first: a negative volume would make the mixer report instead of set.
  percent = std::clamp(percent, 0, 100);
  return (percent * MIX_MAX_VOLUME + 50) / 100;
}

int FromMixer(int raw) { return (raw * 100 + MIX_MAX_VOLUME / 2) / MIX_MAX_VOLUME; }

// Grows the mixer's channel table; channels already sounding carry on.
int ReserveChannels(AudioDevice& device, int count) {
  int first = device.channelsAllocated;
  device.channelsAllocated = Mix_AllocateChannels(first + count);
  if (device.channelsAllocated < first + count) return -1;
  for (int ch = first; ch < first + count; ++ch) Mix_Volume(ch, MIX_MAX_VOLUME);
  return first;
}

// The decoded sound of a file, or null when it is missing, too large or not a
// sound the mixer reads.
Mix_Chunk* LoadChunk(const std::string& path) {
  if (path.empty()) return nullptr;
  std::error_code error;
  auto size = std::filesystem::file_size(path, error);
  if (error || size > static_cast<std::uintmax_t>(kMaxSoundFileBytes)) return nullptr;
  if (Mix_Chunk* mapped = MapWaveChunk(path)) return mapped;
  return Mix_LoadWAV(path.c_str());
}

SampleSlot* FindSample(AudioDevice& device, SampleHandle sample) {
  if (!device.open || sample < 1 || sample > static_cast<int>(device.samples.size())) {
    return nullptr;
  }
  SampleSlot& slot = device.samples[sample - 1];
  return slot.chunk || !slot.path.empty() ? &slot : nullptr;
}

// A sound waiting for its first play is decoded now; false when it does not
// decode (it is then gone).
bool Decoded(Mix_Chunk*& chunk, std::string& path) {
  if (chunk) return true;
  chunk = LoadChunk(path);
  path.clear();
  return chunk != nullptr;
}

void ReleaseStream(StreamSlot& slot) {
  slot.path.clear();
  if (!slot.chunk) return;
  Mix_HaltChannel(slot.channel);
  FreeChunk(slot.chunk);
  slot.chunk = nullptr;
  slot.phase = StreamPhase::Idle;
}

constexpr int kStopFadeMs = 40;

// A self-freeing stream that has played to its end or finished its fade goes
// away; this runs at every stream call, so the game sees it gone from its next
// call on.
void CollectEndedStreams(AudioDevice& device) {
  for (StreamSlot& slot : device.streams) {
    if (slot.chunk && slot.autoFree &&
        (slot.phase == StreamPhase::Playing || slot.phase == StreamPhase::Fading) &&
        !Mix_Playing(slot.channel)) {
      ReleaseStream(slot);
    }
  }
}

StreamSlot* FindStream(AudioDevice& device, StreamHandle stream) {
  if (!device.open) return nullptr;
  CollectEndedStreams(device);
  if (stream < 1 || stream > static_cast<int>(device.streams.size())) return nullptr;
  StreamSlot& slot = device.streams[stream - 1];
  return (slot.chunk || !slot.path.empty()) && slot.phase != StreamPhase::Fading ? &slot : nullptr;
}

}  // namespace

bool VersionAtLeast(int major, int minor, int patch, int wantMajor, int wantMinor, int wantPatch) {
  if (major != wantMajor) return major > wantMajor;
  if (minor != wantMinor) return minor > wantMinor;
  return patch >= wantPatch;
}

bool MixerVersionAtLeast(int major, int minor, int patch) {
  const SDL_version* linked = Mix_Linked_Version();
  return linked && VersionAtLeast(linked->major, linked->minor, linked->patch, major, minor, patch);
}

bool OpenAudioDevice(AudioDevice& device, int frequency, int channels) {
  if (device.open) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  // A WAV file cut short is refused like any other damaged file, not played in part.
  SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
  Mix_Init(MIX_INIT_OGG);  // WAV needs nothing; without Ogg only .ogg files stay silent
  // No changes allowed: a device that would take floats or more channels
  // would otherwise widen every decoded chunk to its format. The buffer
  // holds about 23 ms, whatever the rate.
  const int bufferFrames = frequency >= 32000 ? 1024 : 512;
  if (Mix_OpenAudioDevice(frequency, AUDIO_S16SYS, channels, bufferFrames, nullptr, 0) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  device = AudioDevice{};
  device.open = true;
  // No channels until sounds claim them: every channel belongs to one sample
  // pool or one stream.
  device.channelsAllocated = Mix_AllocateChannels(0);
  return true;
}

std::string AudioErrorText() { return Mix_GetError(); }

void CloseAudioDevice(AudioDevice& device) {
  if (!device.open) return;
  Mix_HaltChannel(-1);
  // The mixer keeps its master volume across a reopen; the next device
  // starts at full like a fresh one.
  Mix_MasterVolume(MIX_MAX_VOLUME);
  for (StreamSlot& slot : device.streams) ReleaseStream(slot);
  for (SampleSlot& slot : device.samples) {
    if (slot.chunk) FreeChunk(slot.chunk);
    slot.chunk = nullptr;
  }
  Mix_CloseAudio();
  Mix_Quit();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  device = AudioDevice{};
}

namespace {

// A file left to be decoded at its first play is looked at now as far as that
// is cheap: a RIFF wave whose sound data runs past the end of the file (cut
// short) is refused at once. Anything else waits for its decoding.
bool LooksWhole(const std::string& path) {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  const WaveLayout wave = ReadWaveLayout(path);
  const bool whole =
      !error && size <= static_cast<uintmax_t>(kMaxSoundFileBytes) && (!wave.riff || wave.whole);
  if (!whole) SDL_SetError("the sound file is cut short or too large");
  return whole;
}

// Loads a file, or only finds it when it waits for its first play (its path
// then goes to `waiting`), and reserves `count` channels of its own for it:
// the first channel, or -1 (nothing kept) when either fails.
int LoadOnOwnChannels(AudioDevice& device, const std::string& path, int count, bool onFirstPlay,
                      Mix_Chunk** chunk, std::string* waiting) {
  std::error_code error;
  if (onFirstPlay && (!std::filesystem::is_regular_file(path, error) || !LooksWhole(path))) return -1;
  if (!onFirstPlay && !(*chunk = LoadChunk(path))) return -1;
  const int first = ReserveChannels(device, count);
  if (first < 0 && *chunk) {
    FreeChunk(*chunk);
    *chunk = nullptr;
  }
  if (first >= 0 && onFirstPlay) *waiting = path;
  return first;
}

}  // namespace

SampleHandle LoadSampleFile(AudioDevice& device, const std::string& path, int maxPlaybacks,
                            bool onFirstPlay) {
  if (!device.open || maxPlaybacks < 1) return 0;
  SampleSlot slot;
  const int first = LoadOnOwnChannels(device, path, maxPlaybacks, onFirstPlay, &slot.chunk, &slot.path);
  if (first < 0) return 0;
  slot.firstChannel = first;
  slot.channelCount = maxPlaybacks;
  slot.startedAt.assign(maxPlaybacks, 0);
  device.samples.push_back(std::move(slot));
  return static_cast<SampleHandle>(device.samples.size());
}

int PlaySampleChannel(AudioDevice& device, SampleHandle sample, int volume) {
  SampleSlot* slot = FindSample(device, sample);
  if (!slot || !Decoded(slot->chunk, slot->path)) return -1;
  // The pool keeps its own order of starts: the mixer's own "oldest channel"
  // only sees millisecond ticks and breaks ties the wrong way.
  int pick = -1;
  for (int i = 0; i < slot->channelCount; ++i) {
    if (!Mix_Playing(slot->firstChannel + i)) {
      pick = i;
      break;
    }
  }
  if (pick < 0) {
    pick = 0;
    for (int i = 1; i < slot->channelCount; ++i) {
      if (slot->startedAt[i] < slot->startedAt[pick]) pick = i;
    }
  }
  int channel = slot->firstChannel + pick;
  Mix_HaltChannel(channel);
  Mix_Volume(channel, ToMixer(volume));
  if (Mix_PlayChannel(channel, slot->chunk, 0) < 0) return -1;
  slot->startedAt[pick] = ++device.playCount;
  return channel;
}

bool SampleExists(AudioDevice& device, SampleHandle sample) { return FindSample(device, sample) != nullptr; }

StreamHandle CreateFileStream(AudioDevice& device, const std::string& path, bool loop, bool autoFree,
                              bool onFirstPlay) {
  if (!device.open) return 0;
  StreamSlot slot;
  const int channel = LoadOnOwnChannels(device, path, 1, onFirstPlay, &slot.chunk, &slot.path);
  if (channel < 0) return 0;
  slot.channel = channel;
  slot.loop = loop;
  slot.autoFree = autoFree;
  device.streams.push_back(slot);
  return static_cast<StreamHandle>(device.streams.size());
}

void PlayStream(AudioDevice& device, StreamHandle stream, bool restart) {
  StreamSlot* slot = FindStream(device, stream);
  if (!slot || !Decoded(slot->chunk, slot->path)) return;
  bool sounding = Mix_Playing(slot->channel) != 0;
  if (!restart && slot->phase == StreamPhase::Stopped && sounding) {
    Mix_Resume(slot->channel);
    slot->phase = StreamPhase::Playing;
    return;
  }
  if (!restart && slot->phase == StreamPhase::Playing && sounding) return;
  Mix_HaltChannel(slot->channel);
  Mix_Volume(slot->channel, ToMixer(slot->volume));
  if (Mix_PlayChannel(slot->channel, slot->chunk, slot->loop ? -1 : 0) < 0) {
    slot->phase = StreamPhase::Idle;
    return;
  }
  slot->phase = StreamPhase::Playing;
}

void StopStream(AudioDevice& device, StreamHandle stream) {
  StreamSlot* slot = FindStream(device, stream);
  if (!slot) return;
  if (slot->autoFree) {
    if (slot->phase == StreamPhase::Playing && Mix_FadeOutChannel(slot->channel, kStopFadeMs) > 0) {
      slot->phase = StreamPhase::Fading;
    } else {
      ReleaseStream(*slot);
    }
    return;
  }
  if (slot->phase == StreamPhase::Playing) {
    Mix_Pause(slot->channel);
    slot->phase = StreamPhase::Stopped;
  }
}

void ReleaseEndedStreams(AudioDevice& device) {
  if (device.open) CollectEndedStreams(device);
}

void FreeStream(AudioDevice& device, StreamHandle stream) {
  if (StreamSlot* slot = FindStream(device, stream)) ReleaseStream(*slot);
}

void SetStreamVolume(AudioDevice& device, StreamHandle stream, int volume) {
  StreamSlot* slot = FindStream(device, stream);
  if (!slot) return;
  slot->volume = volume;
  Mix_Volume(slot->channel, ToMixer(volume));
}

bool StreamExists(AudioDevice& device, StreamHandle stream) { return FindStream(device, stream) != nullptr; }

bool StreamIsPlaying(AudioDevice& device, StreamHandle stream) {
  StreamSlot* slot = FindStream(device, stream);
  return slot && slot->phase == StreamPhase::Playing && Mix_Playing(slot->channel) &&
         !Mix_Paused(slot->channel);
}

int StreamMixerVolume(AudioDevice& device, StreamHandle stream) {
  StreamSlot* slot = FindStream(device, stream);
  return slot ? FromMixer(Mix_Volume(slot->channel, -1)) : -1;
}

void SetDeviceVolume(AudioDevice& device, int volume) {
  if (device.open) Mix_MasterVolume(ToMixer(volume));
}

int DeviceVolume(const AudioDevice& device) { return device.open ? FromMixer(Mix_MasterVolume(-1)) : -1; }

bool ChannelIsPlaying(const AudioDevice& device, int channel) {
  return device.open && channel >= 0 && channel < device.channelsAllocated && Mix_Playing(channel) &&
         !Mix_Paused(channel);
}

int ChannelVolume(const AudioDevice& device, int channel) {
  if (!device.open || channel < 0 || channel >= device.channelsAllocated) return -1;
  return FromMixer(Mix_Volume(channel, -1));
}

}  // namespace nb
