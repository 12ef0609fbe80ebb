#pragma once
#include <string>

#include "shell/game.h"

namespace nb {

// F12: the last drawn picture (WIDTH x HEIGHT) read back from the device and
// saved as <player folder>/screenshots/nimbara-YYYYMMDD-HHMMSS.png (a second
// one in the same second gets -2, -3, ...), with the status text
// "Screenshot saved". Returns the file written, "" when none was (no device
// to read from, or the folder or file could not be written; the log says).
std::string TakeScreenshot(Game& game);

}  // namespace nb
