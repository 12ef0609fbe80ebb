#pragma once
#include <cstddef>
#include <span>
#include <string>

#include "gameplay/level_record.h"

namespace nb {

// "data\levels\N.ilf", as the game names level N.
std::string LevelFileName(int levelNumber);

// A 128 x 128 level is under 200 KB; a file far larger is not a level.
constexpr size_t kMaxLevelFileBytes = 1u << 20;

// Reads the bytes of a binary level file into the level record: the time
// limit, the sizes, the trailer and the kind, state and value of each cell of
// the used rectangle. Sizes outside 1..128, a negative extra-record count,
// fewer bytes than the sizes demand and a grid FindLevelFault refuses are
// refused: the reason comes back and the record keeps its previous contents.
// Empty when the level was read.
std::string ParseLevelFile(std::span<const unsigned char> bytes, LevelRecord& level);

// The same on a file (at most kMaxLevelFileBytes of it). A missing file shows
// "Could not find level file: <path>", a refused one "Damaged level file:
// <path> (<reason>)". Returns true when the level was read.
// The file is read below `folder` ("" for the current directory); the
// messages name it by `path` alone.
bool LoadLevelFile(LevelRecord& level, const std::string& path, const std::string& folder = "");

// The title in the header of a level file below `folder`: the first 64 bytes
// up to the first zero, control characters left out; "" when the file cannot
// be read or holds less than a header. Shows no message.
std::string ReadLevelTitle(const std::string& path, const std::string& folder = "");

// The bytes of a level file for the used rectangle of the record: the title
// (up to 63 characters) in the header, no extra records; what LoadLevelFile
// reads back.
std::string EncodeLevelFile(const LevelRecord& level, const std::string& title = "");

}  // namespace nb
