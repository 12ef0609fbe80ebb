#pragma once
#include <string>
#include <vector>

#include "audio/sound_id.h"
#include "core/paths.h"
#include "core/settings_file.h"
#include "platform/audio_device.h"

namespace nb {

// One handle per Sounds key, filled once at start-up; 0 is a silent sound.
struct SoundCatalogue {
  SampleHandle samples[kSampleCount] = {};
  StreamHandle music[static_cast<int>(MusicId::Count)] = {};
};

// The game's whole sound state: the device, the catalogue, and the pointer x
// of the last update of the sound-volume slider (it clicks on every move).
struct AudioState {
  AudioDevice device;
  SoundCatalogue catalogue;
  int soundSliderLastX = -1000000;
};

// The output runs at the rate and channel count the game's sounds are made at
// (22 kHz mono): the mixer keeps every sound converted to the output format, so
// a 44.1 kHz stereo output would hold each one at four times its size.
inline constexpr int kAudioFrequency = 22050;
inline constexpr int kAudioChannels = 1;
inline constexpr int kSamplePoolSize = 3;  // plays of one sample sounding at once

// Message of a device that cannot be opened (text and caption alike).
inline constexpr const char* kCantInitializeDevice = "Can't initialize device";
// Message of a mixer library older than the game needs.
inline constexpr const char* kMixerVersionText = "SDL2_mixer version 2.6 was not loaded";
inline constexpr const char* kMixerVersionCaption = "Incorrect SDL2_mixer";

// Start-up: checks the mixer version, opens the device, loads the 27 samples
// and the game, menu and intro streams named in [Sounds] of the settings (the
// samples and the game music are decoded only when they first play), and
// sets the music volume on all three streams. The device volume is left as it
// is. A version or device failure shows its message box once and the game
// goes on silent. A missing or empty key loads the file the game ships with
// (data\sounds\<key>.wav); a file that is missing or does not load is silent
// without a message, and the log names it.
// The names are read below dataDir.
void LoadSoundCatalogue(AudioState& audio, const SettingsFile& settings, const std::string& dataDir,
                        int musicVolume);
// The same with the player's settings.ini and the game's data folder.
void LoadSoundCatalogue(AudioState& audio, const GameFolders& folders, int musicVolume);

// The Sounds keys that the settings lack or leave empty, as "Sounds/win".
std::vector<std::string> MissingSoundEntries(const SettingsFile& settings);

// Plays one sound effect once at the sound volume. Returns the mixer channel
// (-1 when silent), which only tests look at.
int PlaySample(AudioState& audio, SoundId sound, int soundVolume);

// The music streams, for the screens that switch them.
void PlayMusic(AudioState& audio, MusicId music, bool restart);
void StopMusic(AudioState& audio, MusicId music);
void FreeMusic(AudioState& audio, MusicId music);
void SetMusicVolume(AudioState& audio, MusicId music, int volume);
bool MusicExists(AudioState& audio, MusicId music);
bool MusicIsPlaying(AudioState& audio, MusicId music);

// The music moments of the game, each the calls its screen makes.
void MusicAtStartUp(AudioState& audio);                      // intro, without restart
void MusicToMainMenu(AudioState& audio);                     // every return to the main menu
void MusicAfterSplash(AudioState& audio, bool restartMenu);  // after MusicToMainMenu
void MusicAfterLoading(AudioState& audio);                   // game music from its start
void MusicAtShutdown(AudioState& audio);                     // game and intro streams freed

// Frees the music that has played to its end or faded out (the intro), which
// otherwise waits for the next music call; once an update.
void ReleaseEndedMusic(AudioState& audio);

// Frees every sound and closes the device (the last audio call).
void CloseAudio(AudioState& audio);

}  // namespace nb
