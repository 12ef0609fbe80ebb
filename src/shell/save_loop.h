#pragma once
#include "core/general_settings.h"

namespace nb {

// A test hook, inert unless the environment sets NB_SAVE_LOOP to a number of
// rounds: the game then loads record.dat, saves it and settings.ini that many
// times with contents that change in size and bytes every round, and ends
// without opening its window, so that a test can kill it in the middle of a
// save. True when it ran (the caller then ends the game).
bool RunSaveLoopIfAsked(const SettingsFile& settingsFile, const std::string& recordsPath,
                        GeneralSettings settings);

}  // namespace nb
