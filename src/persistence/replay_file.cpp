#include "persistence/replay_file.h"

#include <cstdio>
#include <cstring>

namespace nb {

std::string ReplayFileName(const char* profileName, int mode, int level) {
  std::string name = "replays/";
  for (size_t i = 0; i < 63 && profileName[i] != '\0'; ++i) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(profileName[i]));
    name += hex;
  }
  return name + "-" + std::to_string(mode) + "-" + std::to_string(level) + ".nbr";
}

uint32_t ContentChecksum(const std::vector<unsigned char>& bytes) {
  uint32_t hash = 2166136261u;
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 16777619u;
  return hash;
}

}  // namespace nb
