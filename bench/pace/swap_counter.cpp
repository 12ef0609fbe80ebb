// Counts the frames a game presents, for the pace benchmark. Preloaded into
// the real binary (LD_PRELOAD), it wraps SDL_GL_SwapWindow and, at exit,
// writes the wall-clock millisecond of every swap to the file named by
// NB_SWAP_LOG. It works on any build, old or new, so the two can be compared.
#include <dlfcn.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct SwapLog {
  std::vector<int64_t> ms;
  SwapLog() { ms.reserve(1 << 20); }
  ~SwapLog() {
    const char* path = std::getenv("NB_SWAP_LOG");
    if (!path) return;
    if (FILE* f = std::fopen(path, "w")) {
      for (int64_t t : ms) std::fprintf(f, "%lld\n", static_cast<long long>(t));
      std::fclose(f);
    }
  }
};

SwapLog& Log() {
  static SwapLog log;
  return log;
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(void* window) {
  using Swap = void (*)(void*);
  static Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  real(window);
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  Log().ms.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}
