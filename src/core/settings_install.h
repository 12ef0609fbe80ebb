#pragma once
#include <string>

#include "core/settings_file.h"

namespace nb {

// Puts the shipped settings.ini into the player's place without taking the
// player's choices away: a missing file is copied whole with Language set to
// `language` (when not empty); in an existing one the [General] keys the
// player already has are kept and only missing ones added, while every other
// section (level count, catalogues) is game data and follows the shipped
// values. An up-to-date file is not written. False when it could not write;
// `error` then says why.
bool InstallShippedSettings(const SettingsFile& shipped, const SettingsFile& target,
                            const std::string& language, std::string& error);

}  // namespace nb
