#include "gameplay/play_screen.h"

namespace nb {

void PlayScreenFrame(Game&) {}

}  // namespace nb
