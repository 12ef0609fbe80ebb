#include "platform/wave_file.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#if defined(__unix__)
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace nb {
namespace {

uint32_t Little32(const unsigned char* p) {
  return p[0] | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}
uint16_t Little16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// The chunks in turn, up to the sound data; a few dozen at most.
void ReadChunks(std::FILE* file, uintmax_t size, WaveLayout& w) {
  uintmax_t at = 12;
  unsigned char head[8], fmt[16];
  for (int n = 0; n < 64 && std::fread(head, 1, 8, file) == 8; ++n) {
    const uintmax_t length = Little32(head + 4);
    if (std::memcmp(head, "data", 4) == 0) {
      w.dataOffset = at + 8;
      w.dataLength = length;
      w.whole = at + 8 + length <= size;
      return;
    }
    if (std::memcmp(head, "fmt ", 4) == 0 && length >= 16 && std::fread(fmt, 1, 16, file) == 16) {
      w.format = Little16(fmt), w.channels = Little16(fmt + 2), w.bits = Little16(fmt + 14);
      w.rate = Little32(fmt + 4);
    }
    at += 8 + length + (length & 1);
    if (at >= size || std::fseek(file, static_cast<long>(at), SEEK_SET) != 0) return;
  }
}

}  // namespace

WaveLayout ReadWaveLayout(const std::string& path) {
  WaveLayout w;
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(path, error);
  std::FILE* file = error ? nullptr : std::fopen(path.c_str(), "rb");
  if (!file) return w;
  unsigned char header[12];
  w.riff = std::fread(header, 1, 12, file) == 12 && std::memcmp(header, "RIFF", 4) == 0 &&
           std::memcmp(header + 8, "WAVE", 4) == 0;
  if (w.riff && size < (uintmax_t{1} << 31)) ReadChunks(file, size, w);
  std::fclose(file);
  return w;
}

Mix_Chunk* MapWaveChunk(const std::string& path) {
#if defined(__unix__) && SDL_BYTEORDER == SDL_LIL_ENDIAN
  int rate = 0, channels = 0;
  Uint16 format = 0;
  const WaveLayout w = ReadWaveLayout(path);
  if (!w.whole || w.format != 1 || w.bits != 16 || w.dataLength < 2 ||
      !Mix_QuerySpec(&rate, &format, &channels) || format != AUDIO_S16LSB || w.channels != channels ||
      w.rate != static_cast<uint32_t>(rate))
    return nullptr;
  const long page = sysconf(_SC_PAGESIZE);
  const uint64_t start = w.dataOffset / page * page, skip = w.dataOffset - start;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  void* base = mmap(nullptr, skip + w.dataLength, PROT_READ, MAP_PRIVATE, fd, static_cast<off_t>(start));
  close(fd);
  if (base == MAP_FAILED) return nullptr;
  // Whole frames only: the mixer reads two bytes a sample.
  const auto length = static_cast<Uint32>(w.dataLength & ~uint64_t{1});
  Mix_Chunk* chunk = Mix_QuickLoad_RAW(static_cast<Uint8*>(base) + skip, length);
  if (!chunk) munmap(base, skip + w.dataLength);
  return chunk;
#else
  (void)path;
  return nullptr;
#endif
}

void FreeChunk(Mix_Chunk* chunk) {
  if (!chunk) return;
  const bool mapped = !chunk->allocated;
  Uint8* sound = chunk->abuf;
  const Uint32 length = chunk->alen;
  Mix_FreeChunk(chunk);  // stops the channels still playing it first
#if defined(__unix__)
  if (mapped) {
    const auto page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
    auto* base = reinterpret_cast<Uint8*>(reinterpret_cast<uintptr_t>(sound) / page * page);
    munmap(base, static_cast<size_t>(sound + length - base) + 1);
  }
#else
  (void)mapped, (void)sound, (void)length;
#endif
}

}  // namespace nb
