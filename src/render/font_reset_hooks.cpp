#include "render/font_reset_hooks.h"

namespace nb {

void HookFontsIntoDeviceReset(Fonts& fonts, DeviceResetHooks& hooks) {
  hooks.invalidateFontDeviceObjects = [&fonts](GraphicsDevice&) { InvalidateFonts(fonts); };
  hooks.createFontTextures = [&fonts](GraphicsDevice& device) { CreateFontsTextures(fonts, device); };
  hooks.restoreFontDeviceObjects = [&fonts](GraphicsDevice&) { RestoreFontsDeviceObjects(fonts); };
}

}  // namespace nb
