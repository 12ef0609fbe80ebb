#pragma once
#include <string>

#include "gameplay/level_record.h"

namespace nb {

// "data\levels\N.ilf", as the game names level N.
std::string LevelFileName(int levelNumber);

// Reads a binary level file into the level record. A missing file shows
// "Could not find level file: <path>"; a file with sizes outside 1..128, a
// negative extra-record count or fewer bytes than its sizes demand is refused
// with a message too. In every refused case the record keeps its previous
// contents. Returns true when the level was read.
bool LoadLevelFile(LevelRecord& level, const std::string& path);

// The bytes of a level file for the used rectangle of the record: the title
// (up to 63 characters) in the header, no extra records; what LoadLevelFile
// reads back.
std::string EncodeLevelFile(const LevelRecord& level, const std::string& title = "");

}  // namespace nb
