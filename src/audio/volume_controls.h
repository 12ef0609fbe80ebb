#pragma once
#include "audio/sound_catalogue.h"
#include "core/general_settings.h"

namespace nb {

// The options screens change the three volumes of the general settings,
// percentages; values read from the file may lie outside 0..100 and are kept
// until changed.

// Rows of the options screens that hold a volume.
inline constexpr int kMusicRow = 0, kSoundRow = 1, kMasterRow = 2;
inline constexpr int kSliderTravel = 185;  // pixels from volume 0 to 100

// Left or Right on an options screen: menuonclick on any row; on the volume
// rows a step of 5 (Left only raises a result below 0 to 0, Right only lowers
// one above 100 to 100), applied to the game music (not the menu music), to
// later sounds, or to the device.
void ChangeVolumeByArrowKey(AudioState& audio, GeneralSettings& settings, int optionsRow, bool right);

// The volume a slider shows for a pointer x: 0..100.
int SliderVolumeAt(int pointerX, int sliderLeft);

// One update of a dragged slider: the music slider sets the game and menu
// music, the sound slider clicks whenever the pointer has moved since its last
// update, the master slider sets the device volume.
void DragVolumeSlider(AudioState& audio, GeneralSettings& settings, int optionsRow, int pointerX,
                      int sliderLeft);

}  // namespace nb
