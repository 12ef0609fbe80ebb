#pragma once

namespace nb {

// In the sanitizer build (NB_KEEP_LIBRARIES_LOADED), marks every library
// loaded so far never to be unloaded; elsewhere it does nothing. Called once
// a GL context exists: Mesa unloads its driver when the display closes, and
// what the driver keeps for the whole run would then be reported as leaked,
// from a module the leak checker can no longer name or see.
void KeepLoadedLibrariesUntilExit();

}  // namespace nb
