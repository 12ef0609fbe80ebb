#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace nb {

// The whole file, at most maxBytes of it; false when it cannot be opened or
// is larger (a reader never takes in more than it can use).
bool ReadWholeFile(const std::string& path, std::vector<unsigned char>& bytes, size_t maxBytes = 16u << 20);

// True when path names a regular file (a folder or nothing is no file).
bool FileExists(const std::string& path);

// Makes the folder and any parents it lacks; true when it is a folder
// afterwards (already there counts).
bool MakeFolders(const std::string& path);

// Writes a temporary file beside the target, flushes it to the disk and
// renames it over the target, then flushes the folder, so that after a crash
// or a power cut the target is either the old file or the whole new one.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace nb
