// The game's three fonts from real files: page textures, start-up, device
// loss and reset, shutdown.
#include "text/game_fonts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/paths.h"
#include "platform/recording_device.h"
#include "render/font_reset_hooks.h"
#include "support/scratch_dir.h"
#include "support/test_images.h"
#include "text/text_drawing.h"

namespace nb {
namespace {

// A small font on one 64 x 32 page: 'A', 'V' and ' ', kerning A V.
void WriteTestFont(const std::string& fntName, const std::string& pageName) {
  std::ofstream(NativePath("", pageName), std::ios::binary)
      << test::EncodePng(64, 32, std::vector<uint8_t>(64 * 32 * 4, 255));
  std::ofstream(NativePath("", fntName))
      << "info face=\"Test Face\" size=12\ncommon lineHeight=16 base=12 scaleW=64 scaleH=32 pages=1\n"
      << "page id=0 file=\"" << pageName << "\"\n"
      << "char id=65 x=0 y=0 width=8 height=10 xoffset=1 yoffset=2 xadvance=10 page=0\n"
         "char id=86 x=10 y=0 width=6 height=10 xoffset=0 yoffset=2 xadvance=8 page=0\n"
         "char id=32 xadvance=5\nkernings count=1\nkerning first=65 second=86 amount=-2\n";
}

size_t DrawsOf(RecordingDevice& device, BitmapFont& font, const char* text) {
  device.draws.clear();
  DrawText(font, 10.0f, 10.0f, 0xFFFFFFFFu, text);
  return device.draws.size();
}

TEST(FontPages, LoadIntoPowerOfTwoTexturesAndAFailingPageLeavesItAndLaterPagesAbsent) {
  test::ScratchDir dir;
  dir.Write("odd.png", test::EncodePng(20, 12, std::vector<uint8_t>(20 * 12 * 4, 255)));
  dir.Write("broken.png", "\x89PNG\r\n\x1a\nnot really");
  dir.Write("four.fnt",
            "common lineHeight=5 scaleW=20 scaleH=12 pages=4\npage id=0 file=odd.png\n"
            "page id=1 file=broken.png\npage id=2 file=odd.png\n");
  RecordingDevice device;
  std::unique_ptr<BitmapFont> font = LoadBitmapFont("four.fnt");
  EXPECT_TRUE(Failed(CreateFontTextures(*font, device)));
  ASSERT_EQ(font->pageTextures.size(), 4u);
  EXPECT_TRUE(font->pageTextures[0] && !font->pageTextures[1] && !font->pageTextures[2] &&
              !font->pageTextures[3]);
  int w = 0, h = 0;
  ASSERT_TRUE(Succeeded(device.GetTextureSize(font->pageTextures[0], &w, &h)));
  EXPECT_EQ(std::make_pair(w, h), std::make_pair(32, 16));
  EXPECT_EQ(FontPageWidth(*font), 20);  // texture coordinates still use the file's size
  // Loading again (as after a reset) replaces the textures instead of leaking them.
  CreateFontTextures(*font, device);
  EXPECT_EQ(device.textureCount(), 1u);
}

TEST(GameFonts, LoadDrawSurviveAResetAndShutDown) {
  test::ScratchDir dir;
  std::filesystem::create_directories("data/fonts");
  // Page names written the Windows way and the host's way both load.
  WriteTestFont("data\\fonts\\large.fnt", "data\\fonts\\large_0.png");
  WriteTestFont("data\\fonts\\Small.fnt", "data/fonts/small_0.png");
  WriteTestFont("data\\fonts\\ExtraLarge.fnt", "data\\fonts\\xl_0.png");
  RenderDevice rd;
  rd.presentParameters = RecordingDevice::DefaultParams();
  rd.device = std::make_unique<RecordingDevice>(rd.presentParameters);
  RecordingDevice& device = static_cast<RecordingDevice&>(*rd.device);
  Fonts fonts;
  LoadFonts(fonts, device, "");
  HookFontsIntoDeviceReset(fonts, rd.hooks);
  ASSERT_TRUE(fonts.LargeFont && fonts.SmallFont && fonts.ExtraLargeFont);
  const std::vector<BitmapFont*> all{fonts.LargeFont.get(), fonts.SmallFont.get(),
                                     fonts.ExtraLargeFont.get()};
  for (BitmapFont* font : all) {
    EXPECT_EQ(font->description.face, "Test Face");
    EXPECT_EQ(DrawsOf(device, *font, "AV"), 1u);
  }
  EXPECT_EQ(device.textureCount(), 3u);

  // Lost: the frame check waits. A reset is refused while any default-pool
  // buffer or state block is alive, so it only succeeds when every font let go.
  device.Lose();
  EXPECT_EQ(RestoreDeviceIfLost(rd), DeviceResult::DeviceLost);
  device.AllowReset();
  test::CapturedMessages messages;
  EXPECT_EQ(RestoreDeviceIfLost(rd), DeviceResult::DeviceNotReset);
  EXPECT_TRUE(messages.calls().empty() && device.resetCount == 1);
  for (BitmapFont* font : all) EXPECT_EQ(DrawsOf(device, *font, "AV A"), 1u);
  // Pages loaded again, the old ones released; one buffer and two state blocks a font.
  EXPECT_EQ(
      (std::vector<size_t>{device.textureCount(), device.vertexBufferCount(), device.stateBlockCount()}),
      (std::vector<size_t>{3, 3, 6}));

  DeleteFonts(fonts);
  EXPECT_FALSE(fonts.LargeFont || fonts.SmallFont || fonts.ExtraLargeFont);
  EXPECT_EQ(device.textureCount() + device.vertexBufferCount() + device.stateBlockCount(), 0u);
}

// A font whose file or page is missing or damaged is named once and the
// nearest other size stands in; with no font at all, nothing is drawn.
TEST(GameFonts, ABrokenFontIsNamedOnceAndTheNearestSizeStandsIn) {
  test::ScratchDir dir;
  RecordingDevice device;
  test::CapturedMessages messages;
  Fonts fonts;
  LoadFonts(fonts, device, "");  // each missing file is named (the damaged-data test of the game counts them)
  EXPECT_EQ(messages.texts().size(), 3u);
  ASSERT_TRUE(fonts.LargeFont && fonts.SmallFont && fonts.ExtraLargeFont);
  EXPECT_EQ(DrawsOf(device, *fonts.SmallFont, "FPS: 60"), 0u);
  DeleteFonts(fonts);

  std::filesystem::create_directories("data/fonts");
  WriteTestFont("data\\fonts\\large.fnt", "data/fonts/large_0.png");
  WriteTestFont("data\\fonts\\Small.fnt", "data/fonts/small_0.png");
  dir.Write("data/fonts/small_0.png", "\x89PNG\r\n\x1a\n cut");
  const std::string whole = dir.Read("data/fonts/large.fnt");
  dir.Write("data/fonts/ExtraLarge.fnt", whole.substr(0, whole.find("char id")));  // cut before its glyphs
  const size_t shown = messages.texts().size();
  LoadFonts(fonts, device, "");
  const std::vector<std::string> texts = messages.texts();
  EXPECT_EQ(
      std::vector<std::string>(texts.begin() + shown, texts.end()),
      (std::vector<std::string>{"Damaged data/fonts/small_0.png", "Damaged data\\fonts\\ExtraLarge.fnt"}));
  for (BitmapFont* font : {fonts.LargeFont.get(), fonts.SmallFont.get(), fonts.ExtraLargeFont.get()})
    EXPECT_EQ(DrawsOf(device, *font, "AV"), 1u);  // each drawn in large.fnt
  DeleteFonts(fonts);
  EXPECT_EQ(device.textureCount() + device.vertexBufferCount(), 0u);
}

}  // namespace
}  // namespace nb
