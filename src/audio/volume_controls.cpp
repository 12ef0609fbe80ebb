#include "audio/volume_controls.h"

#include <algorithm>

namespace nb {

void ChangeVolumeByArrowKey(AudioState& audio, VolumeSettings& volumes, int optionsRow,
                            bool right) {
  PlaySample(audio, SoundId::menuonclick, volumes.sound);
  int* volume = optionsRow == kMusicRow   ? &volumes.music
                : optionsRow == kSoundRow ? &volumes.sound
                : optionsRow == kMasterRow ? &volumes.master
                                           : nullptr;
  if (!volume) return;
  if (right) {
    *volume += 5;
    if (*volume > 100) *volume = 100;
  } else {
    *volume -= 5;
    if (*volume < 0) *volume = 0;
  }
  if (optionsRow == kMusicRow) SetMusicVolume(audio, MusicId::Game, volumes.music);
  if (optionsRow == kMasterRow) SetDeviceVolume(audio.device, volumes.master);
}

int SliderVolumeAt(int pointerX, int sliderLeft) {
  // Whole-number arithmetic truncates toward zero like the float formula,
  // without its rounding at exact steps.
  long long offset = static_cast<long long>(pointerX) - 10 - sliderLeft;
  return static_cast<int>(std::clamp(offset * 100 / kSliderTravel, 0LL, 100LL));
}

void DragVolumeSlider(AudioState& audio, VolumeSettings& volumes, int optionsRow,
                      int pointerX, int sliderLeft) {
  int value = SliderVolumeAt(pointerX, sliderLeft);
  switch (optionsRow) {
    case kMusicRow:
      volumes.music = value;
      SetMusicVolume(audio, MusicId::Game, value);
      SetMusicVolume(audio, MusicId::Menu, value);
      break;
    case kSoundRow:
      volumes.sound = value;
      if (pointerX != audio.soundSliderLastX) {
        PlaySample(audio, SoundId::menuonclick, volumes.sound);
        audio.soundSliderLastX = pointerX;
      }
      break;
    case kMasterRow:
      volumes.master = value;
      SetDeviceVolume(audio.device, value);
      break;
    default: break;
  }
}

}  // namespace nb
