#pragma once
#include "shell/game.h"

namespace nb {

// Start-up after the window exists, in the game's order: the render device,
// the resource catalogue, the particle pool, the level count, the fonts, the
// localized texts, the curves, the records and the sounds, then the intro
// music. False when the device could not be made (the caller then skips the
// main loop).
bool StartUpSubsystems(Game& game);

// The release sequence: records saved (only when they were loaded), the game
// and intro music freed, fonts, catalogue, particles, device and audio
// released, window closed.
void ShutdownApplication(Game& game);

// Logs and shows that a player file could not be written (its old contents stay).
void ReportFailedSave(const std::string& fileName);

// Everything start-up loads once the device exists, up to the curves: the
// resource catalogue, the particle pool, the level count, the fonts (hooked
// into the device's reset), the localized texts laid out for the window and
// the curves. Tests and benchmarks build a whole game with it.
void LoadGameResources(Game& game);

// The texts of a language laid out for the picture with the large font, and
// the status texts taken from them.
void LoadGameTexts(Game& game, const std::string& language);

// Copies the general texts that gameplay shows as status messages.
void TakeStatusTexts(Game& game);

}  // namespace nb
