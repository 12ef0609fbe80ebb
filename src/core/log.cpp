#include "core/log.h"

#include <sys/sysinfo.h>
#include <sys/utsname.h>

#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace nb {
namespace {

// The one log of the process, like stderr: every part of the game writes to
// it without being handed it. Log.txt in the current directory until OpenLog
// names the player's one.
std::string& LogPath() {
  static std::string path = "Log.txt";
  return path;
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

}  // namespace

void OpenLog(const std::string& path) {
  LogPath() = path;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::fputs("Log File Log.txt ", file);
  std::fclose(file);

  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[16], time[16];
  std::strftime(date, sizeof date, "%m/%d/%y", &local);
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  LogPrintf(" Date: %s, Time: %s \n", date, time);
  LogWrite(FormatMemoryReport(ReadMemoryFacts()));
  LogWrite(FormatSystemReport(ReadSystemFacts()));
}

void LogWrite(const std::string& text) {
  std::FILE* file = std::fopen(LogPath().c_str(), "ab");
  if (!file) return;
  std::string limited = text.size() > 1023 ? text.substr(0, 1023) : text;
  std::fwrite(limited.data(), 1, limited.size(), file);
  std::fclose(file);
}

void LogPrintf(const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  LogWrite(buffer);
  std::fputs(buffer, stderr);
}

MemoryFacts ReadMemoryFacts() {
  MemoryFacts facts;
  struct sysinfo info {};
  if (sysinfo(&info) != 0) return facts;
  unsigned long long unit = info.mem_unit ? info.mem_unit : 1;
  facts.totalPhysical = info.totalram * unit;
  facts.availablePhysical = (info.freeram + info.bufferram) * unit;
  // Linux's nearest to virtual memory: physical memory plus swap.
  facts.totalVirtual = (info.totalram + info.totalswap) * unit;
  facts.availableVirtual = (info.freeram + info.bufferram + info.freeswap) * unit;
  return facts;
}

SystemFacts ReadSystemFacts() {
  SystemFacts facts;
  struct utsname name {};
  if (uname(&name) != 0) return facts;
  facts.kernelName = name.sysname;
  facts.release = name.release;
  facts.machine = name.machine;
  std::sscanf(name.release, "%u.%u.%u", &facts.major, &facts.minor, &facts.build);
  return facts;
}

std::string FormatMemoryReport(const MemoryFacts& facts) {
  std::string text = "\n---Memory Stat---\n";
  text += Format("Total Physical Memory: %.02f MB.\n", facts.totalPhysical * (1.0 / 1048576));
  text += Format("Available Physical Memory:  %.02f MB.\n", facts.availablePhysical * (1.0 / 1048576));
  text += Format("Total Virtual Memory: %u MB.\n", static_cast<unsigned>(facts.totalVirtual >> 20));
  text += Format("Available Virtual Memory:  %u MB.\n", static_cast<unsigned>(facts.availableVirtual >> 20));
  text += "---End Memory Stat---\n\n";
  return text;
}

std::string FormatSystemReport(const SystemFacts& facts) {
  std::string text = "\n---OS Version Info---\n";
  text += Format("Version: %u.%u.%u\n", facts.major, facts.minor, facts.build & 0xFFFFu);
  text += "Additional info: " + (facts.release.size() > 1 ? facts.release : "-none-") + "\n";
  if (!facts.kernelName.empty())
    text += facts.kernelName + " " + facts.release + " on " + facts.machine + " detected.\n";
  text += "---End OS Version Info---\n";
  return text;
}

}  // namespace nb
