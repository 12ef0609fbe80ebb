// Level sources: what the parser accepts has a grid within 128 x 128, every
// cell drawn, moves inside the grid, and compiles to a file the game's loader
// reads back.
#include <cstdlib>

#include "fuzz_input.h"
#include "gameplay/level_file.h"
#include "level_source.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  nb::levels::SourceError error;
  const std::optional<nb::levels::LevelSource> source =
      nb::levels::ParseLevelSource(std::string_view(reinterpret_cast<const char*>(data), size), error, false);
  if (!source) return 0;
  if (source->rows < 1 || source->rows > nb::kGridSize || source->cols < 1 || source->cols > nb::kGridSize ||
      source->cells.size() != static_cast<size_t>(source->rows) * source->cols)
    std::abort();
  for (const nb::levels::SolutionMove& move : source->solution)
    if (move.row < 0 || move.row >= source->rows || move.col < 0 || move.col >= source->cols) std::abort();
  // Records kept across runs: a fresh 256 KB grid each run costs more in
  // page faults than the parse. Only the used rectangle is written and read.
  static nb::LevelRecord* record = new nb::LevelRecord;
  static nb::LevelRecord* loaded = new nb::LevelRecord;
  nb::levels::FillLevelRecord(*source, *record);
  const std::string bytes = nb::EncodeLevelFile(*record, source->title);
  if (!nb::ParseLevelFile({reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()}, *loaded)
           .empty())
    std::abort();
  return 0;
}
