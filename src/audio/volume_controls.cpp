#include "audio/volume_controls.h"

#include <algorithm>

namespace nb {

void ChangeVolumeByArrowKey(AudioState& audio, GeneralSettings& settings, int optionsRow, bool right) {
  PlaySample(audio, SoundId::MenuOnClick, settings.soundVolume);
  int32_t* volume = optionsRow == kMusicRow    ? &settings.musicVolume
                    : optionsRow == kSoundRow  ? &settings.soundVolume
                    : optionsRow == kMasterRow ? &settings.masterVolume
                                               : nullptr;
  if (!volume) return;
  if (right) {
    *volume += 5;
    if (*volume > 100) *volume = 100;
  } else {
    *volume -= 5;
    if (*volume < 0) *volume = 0;
  }
  if (optionsRow == kMusicRow) SetMusicVolume(audio, MusicId::Game, settings.musicVolume);
  if (optionsRow == kMasterRow) SetDeviceVolume(audio.device, settings.masterVolume);
}

int SliderVolumeAt(int pointerX, int sliderLeft) {
  // Whole-number arithmetic truncates toward zero like the float formula,
  // without its rounding at exact steps.
  long long offset = static_cast<long long>(pointerX) - 10 - sliderLeft;
  return static_cast<int>(std::clamp(offset * 100 / kSliderTravel, 0LL, 100LL));
}

void DragVolumeSlider(AudioState& audio, GeneralSettings& settings, int optionsRow, int pointerX,
                      int sliderLeft) {
  int value = SliderVolumeAt(pointerX, sliderLeft);
  switch (optionsRow) {
    case kMusicRow:
      settings.musicVolume = value;
      SetMusicVolume(audio, MusicId::Game, value);
      SetMusicVolume(audio, MusicId::Menu, value);
      break;
    case kSoundRow:
      settings.soundVolume = value;
      if (pointerX != audio.soundSliderLastX) {
        PlaySample(audio, SoundId::MenuOnClick, settings.soundVolume);
        audio.soundSliderLastX = pointerX;
      }
      break;
    case kMasterRow:
      settings.masterVolume = value;
      SetDeviceVolume(audio.device, value);
      break;
    default: break;
  }
}

}  // namespace nb
