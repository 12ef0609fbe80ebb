#include "audio/sound_catalogue.h"

#include "core/file_io.h"
#include "core/log.h"
#include "core/paths.h"
#include "platform/message_box.h"

namespace nb {
namespace {

// The entry of the key as written; the shipped file when it is missing or empty.
std::string SoundName(const SettingsFile& settings, const char* key) {
  std::string name = settings.ReadString("Sounds", key, "");
  return name.empty() ? std::string("data\\sounds\\") + key + ".wav" : name;
}

// A sound that did not load stays silent; the log says which and why.
int Logged(int handle, const std::string& path, const std::string& name) {
  if (handle) return handle;
  if (!FileExists(path))
    LogPrintf("Could not find %s\n", name.c_str());
  else
    LogPrintf("Damaged %s: %s\n", name.c_str(), AudioErrorText().c_str());
  return handle;
}

// A sound decoded at its first play shows a damaged file only then.
void LogIfGone(bool before, bool after, const char* key) {
  if (before && !after) LogPrintf("Damaged %s: %s\n", key, AudioErrorText().c_str());
}

StreamHandle StreamOf(const AudioState& audio, MusicId music) {
  int index = static_cast<int>(music);
  return index >= 0 && index < static_cast<int>(MusicId::Count) ? audio.catalogue.music[index] : 0;
}

}  // namespace

void LoadSoundCatalogue(AudioState& audio, const SettingsFile& settings, const std::string& dataDir,
                        int musicVolume) {
  audio.catalogue = SoundCatalogue{};
  if (!MixerVersionAtLeast(kMixerMajor, kMixerMinor, kMixerPatch)) {
    ShowMessageBox(kMixerVersionText, kMixerVersionCaption);
  }
  if (!OpenAudioDevice(audio.device, kAudioFrequency, kAudioChannels)) {
    LogPrintf("%s: %s\n", kCantInitializeDevice, AudioErrorText().c_str());
    ShowMessageBox(kCantInitializeDevice, kCantInitializeDevice);
    return;
  }
  // Every sound is decoded at its first play: most only ever sound in play.
  for (int i = 0; i < kSampleCount; ++i) {
    const std::string name = SoundName(settings, kSampleKeys[i]), path = NativePath(dataDir, name);
    audio.catalogue.samples[i] =
        Logged(LoadSampleFile(audio.device, path, kSamplePoolSize, true), path, name);
  }
  for (int i = 0; i < static_cast<int>(MusicId::Count); ++i) {
    const bool intro = static_cast<MusicId>(i) == MusicId::Intro;
    // The game music is decoded when the first level starts: the menus never play it.
    const bool later = static_cast<MusicId>(i) == MusicId::Game;
    const std::string name = SoundName(settings, kMusicKeys[i]), path = NativePath(dataDir, name);
    audio.catalogue.music[i] = Logged(CreateFileStream(audio.device, path, !intro, intro, later), path, name);
  }
  for (MusicId music : {MusicId::Game, MusicId::Menu, MusicId::Intro}) {
    SetMusicVolume(audio, music, musicVolume);
  }
}

std::vector<std::string> MissingSoundEntries(const SettingsFile& settings) {
  std::vector<std::string> missing;
  AppendMissingKeys(settings, "Sounds", kSampleKeys, missing);
  AppendMissingKeys(settings, "Sounds", kMusicKeys, missing);
  return missing;
}

void LoadSoundCatalogue(AudioState& audio, const GameFolders& folders, int musicVolume) {
  LoadSoundCatalogue(audio, GameSettingsFile(folders.player), folders.data, musicVolume);
}

int PlaySample(AudioState& audio, SoundId sound, int soundVolume) {
  int index = static_cast<int>(sound);
  if (index < 0 || index >= kSampleCount) return -1;
  const SampleHandle sample = audio.catalogue.samples[index];
  const bool there = SampleExists(audio.device, sample);
  const int channel = PlaySampleChannel(audio.device, sample, soundVolume);
  LogIfGone(there, SampleExists(audio.device, sample), kSampleKeys[index]);
  return channel;
}

void PlayMusic(AudioState& audio, MusicId music, bool restart) {
  const bool there = MusicExists(audio, music);
  PlayStream(audio.device, StreamOf(audio, music), restart);
  if (there) LogIfGone(there, MusicExists(audio, music), kMusicKeys[static_cast<int>(music)]);
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

void ReleaseEndedMusic(AudioState& audio) { ReleaseEndedStreams(audio.device); }

void CloseAudio(AudioState& audio) {
  CloseAudioDevice(audio.device);
  audio.catalogue = SoundCatalogue{};
}

}  // namespace nb
