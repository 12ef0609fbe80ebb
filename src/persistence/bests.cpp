#include "persistence/bests.h"

#include <cstring>

namespace nb {
namespace {

bool SameProfile(const LevelBest& entry, const char* name) {
  return std::strncmp(entry.name, name, kNameBytes) == 0;
}

}  // namespace

const LevelBest* FindBest(const BestsTable& table, const char* name, int mode, int level) {
  for (const LevelBest& entry : table.entries)
    if (entry.mode == mode && entry.level == level && SameProfile(entry, name)) return &entry;
  return nullptr;
}

bool UpdateBest(BestsTable& table, const char* name, int mode, int level, int secondsLeft, int points) {
  if (LevelBest* entry = const_cast<LevelBest*>(FindBest(table, name, mode, level))) {
    const bool changed = secondsLeft > entry->secondsLeft || points > entry->points;
    if (secondsLeft > entry->secondsLeft) entry->secondsLeft = secondsLeft;
    if (points > entry->points) entry->points = points;
    return changed;
  }
  if (table.entries.size() >= kMaxBests) return false;
  LevelBest entry;
  std::strncpy(entry.name, name, kNameBytes - 1);
  entry.mode = mode;
  entry.level = level;
  entry.secondsLeft = secondsLeft;
  entry.points = points;
  table.entries.push_back(entry);
  return true;
}

void ForgetBests(BestsTable& table, const char* name) {
  std::erase_if(table.entries, [name](const LevelBest& entry) { return SameProfile(entry, name); });
}

}  // namespace nb
