// bests.dat: see docs/REPLAYS.md for the layout.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/log.h"
#include "persistence/bests.h"
#include "persistence/binary_io.h"

namespace nb {
namespace {

constexpr char kBestsMagic[5] = "NBBS";
constexpr uint32_t kBestsVersion = 1;
constexpr size_t kCountBytes = 4;
constexpr size_t kBestBytes = kNameBytes + 4 * 4;

bool Refuse(std::string* why, const std::string& reason) {
  if (why) *why = reason;
  return false;
}

// Why an entry cannot be in the file, or "" when it can.
std::string BestFault(const LevelBest& entry) {
  const char* end = entry.name + kNameBytes;
  const char* zero = std::find(entry.name, end, '\0');
  if (zero == end) return "a name without its zero";
  if (std::any_of(zero, end, [](char c) { return c != '\0'; })) return "bytes after a name";
  if (entry.mode < 0 || entry.mode >= kGameModes) return "mode " + std::to_string(entry.mode);
  if (entry.level < 1 || entry.level > kMaxLevelNumber) return "level " + std::to_string(entry.level);
  if (entry.secondsLeft < 0 || entry.secondsLeft > kMaxBestSeconds)
    return "seconds left " + std::to_string(entry.secondsLeft);
  if (entry.points < 0 || entry.points > kMaxBestPoints) return "points " + std::to_string(entry.points);
  return "";
}

// The entry as it is written: the name padded with zeros, the figures within bounds.
LevelBest Tidied(const LevelBest& entry) {
  LevelBest out = entry;
  const size_t length = strnlen(entry.name, kNameBytes);
  std::fill(out.name + length, out.name + kNameBytes, '\0');
  out.secondsLeft = std::clamp(entry.secondsLeft, 0, kMaxBestSeconds);
  out.points = std::clamp(entry.points, 0, kMaxBestPoints);
  return out;
}

}  // namespace

std::vector<unsigned char> EncodeBests(const BestsTable& table) {
  std::vector<LevelBest> kept;
  for (const LevelBest& entry : table.entries) {
    const LevelBest tidied = Tidied(entry);
    if (kept.size() < kMaxBests && BestFault(tidied).empty()) kept.push_back(tidied);
  }
  std::string out;
  AppendFrameStart(out, kBestsMagic, kBestsVersion);
  AppendUint32(out, static_cast<uint32_t>(kept.size()));
  for (const LevelBest& entry : kept) {
    out.append(entry.name, kNameBytes);
    AppendInt32(out, entry.mode);
    AppendInt32(out, entry.level);
    AppendInt32(out, entry.secondsLeft);
    AppendInt32(out, entry.points);
  }
  AppendFrameEnd(out);
  return {out.begin(), out.end()};
}

bool ParseBests(const std::vector<unsigned char>& bytes, BestsTable& table, std::string* why) {
  ByteReader in(bytes);
  if (std::string fault = ReadFrameStart(in, kBestsMagic, kBestsVersion); !fault.empty())
    return Refuse(why, fault);
  uint32_t count = 0;
  if (!in.ReadUint32(count)) return Refuse(why, "too short");
  if (count > kMaxBests) return Refuse(why, std::to_string(count) + " entries, more than a bests file holds");
  const size_t expected = kFrameStartBytes + kCountBytes + count * kBestBytes + kFrameEndBytes;
  if (bytes.size() != expected)
    return Refuse(
        why, std::to_string(bytes.size()) + " bytes where " + std::to_string(expected) + " were expected");
  if (!FrameEndHolds(bytes)) return Refuse(why, "the checksum does not match");
  std::vector<LevelBest> entries(count);
  for (size_t i = 0; i < count; ++i) {
    LevelBest& entry = entries[i];
    in.ReadBytes(entry.name, kNameBytes);
    in.ReadInt32(entry.mode);
    in.ReadInt32(entry.level);
    in.ReadInt32(entry.secondsLeft);
    in.ReadInt32(entry.points);
    if (std::string fault = BestFault(entry); !fault.empty())
      return Refuse(why, "entry " + std::to_string(i) + ": " + fault);
  }
  table.entries = std::move(entries);
  return true;
}

BestsTable LoadBestsFile(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error) && !error) return {};
  std::vector<unsigned char> bytes;
  BestsTable table;
  std::string why = "unreadable, or larger than " + std::to_string(kMaxBestsFileBytes) + " bytes";
  if (ReadWholeFile(path, bytes, kMaxBestsFileBytes) && ParseBests(bytes, table, &why)) return table;
  // Kept aside, so that the next save does not write over what a later
  // version of the game, or a repair by hand, could still read.
  const std::string aside = path + ".damaged";
  const bool kept = std::rename(path.c_str(), aside.c_str()) == 0;
  LogWrite("Damaged " + path + " (" + why + ")" + (kept ? ", kept as " + aside : "") +
           ": the bests start empty\n");
  return {};
}

bool SaveBestsFile(const BestsTable& table, const std::string& path) {
  // A file the player made read-only keeps its contents.
  if (access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0) return false;
  const std::vector<unsigned char> bytes = EncodeBests(table);
  return WriteFileAtomically(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace nb
