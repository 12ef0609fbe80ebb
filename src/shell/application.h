#pragma once

namespace nb {

// The whole life of the game: start-up, the main loop and shutdown.
// Returns the process exit code.
int RunApplication();

}  // namespace nb
