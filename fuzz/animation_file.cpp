// The animation curves file, read for each of the game's curve names and
// evaluated across and beyond its keys.
#include "core/animation_file.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = nb::fuzz::Text(data, size);
  for (const char* name : {"logo", "timeleft", "bonus", "up"}) {
    nb::Animation animation;
    nb::ParseAnimation(animation, name, text);
    for (float t : {-1.0f, 0.0f, 0.5f, 100.0f, 1e9f}) nb::EvaluateCurve(animation, t);
  }
  return 0;
}
