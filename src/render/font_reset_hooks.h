#pragma once
#include "render/render_device.h"
#include "text/game_fonts.h"

namespace nb {

// Lets the render device release and rebuild the fonts' device objects
// around a reset (RestoreDeviceIfLost). The fonts must outlive the hooks.
void HookFontsIntoDeviceReset(Fonts& fonts, DeviceResetHooks& hooks);

}  // namespace nb
