#include "menus/menu_frame.h"

namespace nb {

void RunMenuFrame(Game&) {}

}  // namespace nb
