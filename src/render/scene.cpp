#include "render/scene.h"

namespace nb {

// The passes come with the play screen.
void DrawPlayScene(Game&) {}
void DrawMenuBackground(Game&) {}

}  // namespace nb
