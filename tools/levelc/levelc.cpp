// The level compiler: reads the readable level sources and writes the
// game's binary level files N.ilf. Refuses a malformed source with its file,
// line and reason, and a set whose numbering has gaps or whose count differs
// from the [Levels] count of the shipped settings.
//
//   levelc <settings.ini> <output dir> <source>...

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "core/settings_file.h"
#include "gameplay/level_file.h"
#include "level_source.h"

int main(int argc, char** argv) {
  using namespace nb::levels;
  if (argc < 4) {
    std::fprintf(stderr, "usage: levelc <settings.ini> <output dir> <source>...\n");
    return 2;
  }
  const std::string settingsPath = argv[1];
  const std::filesystem::path outDir = argv[2];

  std::map<int, std::pair<std::string, LevelSource>> levels;
  bool ok = true;
  for (int i = 3; i < argc; ++i) {
    const std::string path = argv[i];
    int number = LevelNumberFromFileName(path);
    if (number < 1) {
      std::fprintf(stderr,
                   "%s: the file name must start with the level number and '-', as in 07-valves.lvl\n",
                   path.c_str());
      ok = false;
      continue;
    }
    SourceError error;
    std::optional<LevelSource> level = ReadLevelSource(path, error);
    if (!level) {
      std::fprintf(stderr, "%s:%d: %s\n", path.c_str(), error.line, error.reason.c_str());
      ok = false;
      continue;
    }
    if (levels.count(number)) {
      std::fprintf(stderr, "%s: level %d is also %s\n", path.c_str(), number, levels[number].first.c_str());
      ok = false;
      continue;
    }
    levels[number] = {path, std::move(*level)};
  }
  if (!ok) return 1;

  int expected = 1;
  for (const auto& [number, entry] : levels) {
    if (number != expected) {
      std::fprintf(stderr, "%s: level %d follows level %d; the numbers must run 1, 2, 3 ... without gaps\n",
                   entry.first.c_str(), number, expected - 1);
      return 1;
    }
    ++expected;
  }
  const int count = static_cast<int>(levels.size());
  nb::SettingsFile settings{settingsPath};
  int shipped = settings.ReadInt("Levels", "count", -1);
  if (shipped != count) {
    std::fprintf(stderr, "%s: [Levels] count is %d but there are %d level sources; set count=%d\n",
                 settingsPath.c_str(), shipped, count, count);
    return 1;
  }

  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);
  for (const auto& [number, entry] : levels) {
    std::filesystem::path file = outDir / (std::to_string(number) + ".ilf");
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    auto record = std::make_unique<nb::LevelRecord>();
    FillLevelRecord(entry.second, *record);
    std::string bytes = nb::EncodeLevelFile(*record, entry.second.title);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "%s: cannot be written\n", file.string().c_str());
      return 1;
    }
  }
  return 0;
}
