#pragma once
#include <string>

#include "core/paths.h"

namespace nb {

// Readies the player's folder when it is not the data folder (an installed
// game): creates it, gives it the shipped settings.ini on the first start (in
// `language` when the game has texts for it; later starts only add what a
// newer game ships) and the shipped record.dat when the player has none. A
// game run in place is left as the build made it. "" when all went well,
// else what went wrong.
std::string PreparePlayerFolder(const GameFolders& folders, const std::string& language);

}  // namespace nb
