#include "menus/play_overlays.h"

namespace nb {

void DrawPauseScreen(Game&, int) {}
void DrawGameOverScreen(Game&, int) {}
void DrawTimeUpScreen(Game&, int) {}
void DrawGameCompletedScreen(Game&, int) {}
void DrawOptionsPage(Game&, int) {}
void DrawHelpPage(Game&, int) {}

}  // namespace nb
