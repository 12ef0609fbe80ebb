// Writes the game's sound effects and music as WAV files into one folder.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "effects.h"
#include "music.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: gen_sounds <output folder>\n");
    return 2;
  }
  std::filesystem::path folder = argv[1];
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!std::filesystem::is_directory(folder)) {
    std::fprintf(stderr, "gen_sounds: cannot create %s\n", folder.string().c_str());
    return 1;
  }
  std::vector<gen::NamedSound> sounds = gen::MakeEffects();
  for (gen::NamedSound& music : gen::MakeMusic()) sounds.push_back(std::move(music));
  for (const gen::NamedSound& sound : sounds) {
    std::filesystem::path file = folder / (sound.key + ".wav");
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << gen::WavBytes(sound.samples);
    if (!out) {
      std::fprintf(stderr, "gen_sounds: cannot write %s\n", file.string().c_str());
      return 1;
    }
  }
  return 0;
}
