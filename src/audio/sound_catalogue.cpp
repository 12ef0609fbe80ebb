#include "audio/sound_catalogue.h"

#include "core/log.h"
#include "core/paths.h"
#include "platform/message_box.h"

namespace nb {
namespace {

std::string SoundPath(const SettingsFile& settings, const char* key) {
  std::string name = settings.ReadString("Sounds", key, "");
  return name.empty() ? name : NativePath(name);
}

StreamHandle StreamOf(const AudioState& audio, MusicId music) {
  int index = static_cast<int>(music);
  return index >= 0 && index < static_cast<int>(MusicId::Count) ? audio.catalogue.music[index] : 0;
}

}  // namespace

void LoadSoundCatalogue(AudioState& audio, const SettingsFile& settings, int musicVolume) {
  audio.catalogue = SoundCatalogue{};
  if (!MixerVersionAtLeast(kMixerMajor, kMixerMinor, kMixerPatch)) {
    LogPrintf("%s\n", kMixerVersionText);
    ShowMessageBox(kMixerVersionText, kMixerVersionCaption);
  }
  if (!OpenAudioDevice(audio.device, kAudioFrequency)) {
    LogPrintf("%s: %s\n", kCantInitializeDevice, AudioErrorText().c_str());
    ShowMessageBox(kCantInitializeDevice, kCantInitializeDevice);
    return;
  }
  for (int i = 0; i < kSampleCount; ++i) {
    audio.catalogue.samples[i] =
        LoadSampleFile(audio.device, SoundPath(settings, kSampleKeys[i]), kSamplePoolSize);
  }
  for (int i = 0; i < static_cast<int>(MusicId::Count); ++i) {
    bool intro = static_cast<MusicId>(i) == MusicId::Intro;
    audio.catalogue.music[i] =
        CreateFileStream(audio.device, SoundPath(settings, kMusicKeys[i]), !intro, intro);
  }
  for (MusicId music : {MusicId::Game, MusicId::Menu, MusicId::Intro}) {
    SetMusicVolume(audio, music, musicVolume);
  }
}

void LoadSoundCatalogue(AudioState& audio, int musicVolume) {
  LoadSoundCatalogue(audio, GameSettingsFile(), musicVolume);
}

int PlaySample(AudioState& audio, SoundId sound, int soundVolume) {
  int index = static_cast<int>(sound);
  if (index < 0 || index >= kSampleCount) return -1;
  return PlaySampleChannel(audio.device, audio.catalogue.samples[index], soundVolume);
}

void PlayMusic(AudioState& audio, MusicId music, bool restart) {
  PlayStream(audio.device, StreamOf(audio, music), restart);
}

void StopMusic(AudioState& audio, MusicId music) { StopStream(audio.device, StreamOf(audio, music)); }

void FreeMusic(AudioState& audio, MusicId music) { FreeStream(audio.device, StreamOf(audio, music)); }

void SetMusicVolume(AudioState& audio, MusicId music, int volume) {
  SetStreamVolume(audio.device, StreamOf(audio, music), volume);
}

bool MusicExists(AudioState& audio, MusicId music) {
  return StreamExists(audio.device, StreamOf(audio, music));
}

bool MusicIsPlaying(AudioState& audio, MusicId music) {
  return StreamIsPlaying(audio.device, StreamOf(audio, music));
}

void MusicAtStartUp(AudioState& audio) { PlayMusic(audio, MusicId::Intro, false); }

void MusicToMainMenu(AudioState& audio) {
  StopMusic(audio, MusicId::Game);
  PlayMusic(audio, MusicId::Menu, true);
}

void MusicAfterSplash(AudioState& audio, bool restartMenu) {
  StopMusic(audio, MusicId::Intro);
  PlayMusic(audio, MusicId::Menu, restartMenu);
}

void MusicAfterLoading(AudioState& audio) { PlayMusic(audio, MusicId::Game, true); }

void MusicAtShutdown(AudioState& audio) {
  FreeMusic(audio, MusicId::Game);
  FreeMusic(audio, MusicId::Intro);
}

void CloseAudio(AudioState& audio) {
  CloseAudioDevice(audio.device);
  audio.catalogue = SoundCatalogue{};
}

}  // namespace nb
