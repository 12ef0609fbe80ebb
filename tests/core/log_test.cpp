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
  EXPECT_EQ(text.substr(text.size() - 26), "---End OS Version Info---\n");

  LogWrite("a");
  LogPrintf("Texture %s loaded with error %d.\n", "x.png", -3);
  LogWrite(std::string(2000, 'z'));
  EXPECT_EQ(dir.Read("Log.txt"), text + "aTexture x.png loaded with error -3.\n" + std::string(1023, 'z'));
}

}  // namespace
}  // namespace nb
