#pragma once
#include <string>

namespace nb {

// Log.txt in the player's folder. Every write opens, appends and closes the
// file, so it is complete even when the game stops abruptly; a file that
// cannot be written loses the text silently.

// Empties or creates the log at path (until then Log.txt in the current
// directory) and writes the header: date, time, memory and system facts.
void OpenLog(const std::string& path = "Log.txt");
// Appends the text unchanged (at most 1023 characters, no newline added).
void LogWrite(const std::string& text);
// Formats like printf into 1024 bytes, appends it and echoes it to stderr.
void LogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The facts of the header, gathered apart so they can be checked.
struct MemoryFacts {
  unsigned long long totalPhysical = 0;
  unsigned long long availablePhysical = 0;
  unsigned long long totalVirtual = 0;
  unsigned long long availableVirtual = 0;
};
struct SystemFacts {
  std::string kernelName;  // "Linux"
  std::string release;     // "6.1.0-13-amd64"
  std::string machine;     // "x86_64"
  unsigned major = 0, minor = 0, build = 0;
};
MemoryFacts ReadMemoryFacts();
SystemFacts ReadSystemFacts();
// The memory and system sections of the header exactly as written.
std::string FormatMemoryReport(const MemoryFacts& facts);
std::string FormatSystemReport(const SystemFacts& facts);

}  // namespace nb
