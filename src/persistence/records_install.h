#pragma once
#include <string>

namespace nb {

// Puts the shipped records table at `target` when the player has no file
// there. An existing one is the player's and is never touched, whatever it
// holds. The shipped file is copied only when the game's reader accepts it,
// and is written whole or not at all. False (with `error`) when it could not.
bool InstallShippedRecords(const std::string& shipped, const std::string& target, std::string& error);

}  // namespace nb
