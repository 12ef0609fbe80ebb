#include "core/log.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/scratch_dir.h"

namespace nb {
namespace {

TEST(DiagnosticLog, OpeningWritesOneHeaderAndLaterWritesAppendBounded) {
  test::ScratchDir dir;
  LogWrite("Can't create window\n");
  OpenLog();  // opening empties the file
  std::string text = dir.Read("Log.txt");
  EXPECT_EQ(text.find("Can't create window"), std::string::npos);
  // "Log File Log.txt  Date: MM/DD/YY, Time: HH:MM:SS \n", then the memory and system reports.
  std::string first = text.substr(0, text.find('\n') + 1);
  EXPECT_EQ(first.rfind("Log File Log.txt  Date: ", 0), 0u);
  EXPECT_EQ(first.size(), 50u);
  EXPECT_EQ(first.substr(26, 1) + first.substr(29, 1) + first.substr(32, 8), "//, Time: ") << first;
  EXPECT_NE(text.find("\n---Memory Stat---\nTotal Physical Memory: "), std::string::npos);
  EXPECT_NE(text.find("---End Memory Stat---\n\n\n---OS Version Info---\nVersion: "), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 26), "---End OS Version Info---\n");

  LogWrite("a");
  LogPrintf("Texture %s loaded with error %d.\n", "x.png", -3);
  LogWrite(std::string(2000, 'z'));
  EXPECT_EQ(dir.Read("Log.txt"), text + "aTexture x.png loaded with error -3.\n" + std::string(1023, 'z'));
}

TEST(DiagnosticLog, ReportsGiveMegabytesAndTheLow16BitsOfTheBuildNumber) {
  const std::string memory = FormatMemoryReport({1073741824ull, 536870912ull, 3ull << 30, 1ull << 20});
  for (const char* part : {"Total Physical Memory: 1024.00 MB.", "Available Physical Memory:  512.00 MB.",
                           "Total Virtual Memory: 3072 MB.", "Available Virtual Memory:  1 MB."})
    EXPECT_NE(memory.find(part), std::string::npos) << part;
  EXPECT_EQ(FormatSystemReport({"Linux", "6.1.0-13-amd64", "x86_64", 6, 1, 70000}),
            "\n---OS Version Info---\nVersion: 6.1.4464\n"
            "Additional info: 6.1.0-13-amd64\nLinux 6.1.0-13-amd64 on x86_64 detected.\n---End OS Version Info---\n");
  EXPECT_NE(FormatSystemReport({"", "", "", 0, 0, 0}).find("Version: 0.0.0\nAdditional info: -none-\n---End"),
            std::string::npos);
}

TEST(DiagnosticLog, AReadOnlyFileKeepsItsContents) {
  test::ScratchDir dir;
  dir.Write("Log.txt", "old");
  chmod(dir.File("Log.txt").c_str(), 0444);
  if (access(dir.File("Log.txt").c_str(), W_OK) == 0) GTEST_SKIP() << "running as a user who writes anything";
  OpenLog();
  LogWrite("more");
  EXPECT_EQ(dir.Read("Log.txt"), "old");
}

}  // namespace
}  // namespace nb
