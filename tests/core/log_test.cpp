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
  EXPECT_EQ(text.rfind("Log File Log.txt  Date: ", 0), 0u);

  LogWrite("a");
  LogPrintf("Texture %s loaded with error %d.\n", "x.png", -3);
  LogWrite(std::string(2000, 'z'));
  EXPECT_EQ(dir.Read("Log.txt"), text + "aTexture x.png loaded with error -3.\n" + std::string(1023, 'z'));
}

}  // namespace
}  // namespace nb
