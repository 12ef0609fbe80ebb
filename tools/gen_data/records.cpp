#include "records.h"

#include <cstring>
#include <set>
#include <string>

#include "noise.h"

namespace gen {

nb::RecordsTable MakeDefaultRecords() {
  static const char* const kSyllables[] = {"ka", "ri", "mo", "ne", "ta", "li", "so", "ve",
                                           "da", "ru", "mi", "lo", "sa", "pe", "vi", "ra"};
  constexpr uint32_t kSyllableCount = sizeof kSyllables / sizeof kSyllables[0];
  nb::RecordsTable table;
  std::set<std::string> taken;
  int32_t score = 12000;
  for (uint32_t attempt = 0; table.count < nb::kMaxRecords; ++attempt) {
    // Two or three syllables, the first letter a capital.
    std::string name;
    const uint32_t syllables = 2 + Hash(attempt, 0, 71) % 2;
    for (uint32_t s = 0; s < syllables; ++s) name += kSyllables[Hash(attempt, s + 1, 71) % kSyllableCount];
    name[0] = static_cast<char>(name[0] - 'a' + 'A');
    if (!taken.insert(name).second) continue;
    nb::RecordEntry& entry = table.entries[table.count++];
    std::strncpy(entry.name, name.c_str(), nb::kNameBytes - 1);
    entry.score = score;
    score -= 10 * static_cast<int32_t>(60 + Hash(attempt, 9, 72) % 80);  // 600 to 1390 less each place
  }
  return table;
}

}  // namespace gen
