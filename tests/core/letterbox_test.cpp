// The picture fitted into windows of other sizes, and points carried both ways.
#include <gtest/gtest.h>

#include <vector>

#include "core/letterbox.h"

namespace nb {
namespace {

TEST(Letterbox, FitsCentredAndCarriesPointsBothWaysWithBarsOutsideThePicture) {
  struct Case {
    int windowW, windowH;
    Letterbox box;       // 800 x 600 picture
    PixelPoint window;   // a window pixel
    PixelPoint picture;  // the picture pixel under it
  };
  const Case cases[] = {
      {800, 600, {800, 600, 0, 0, 800, 600}, {799, 599}, {799, 599}},
      {1000, 700, {800, 600, 33, 0, 933, 700}, {499, 350}, {400, 300}},
      {1000, 700, {800, 600, 33, 0, 933, 700}, {10, 350}, {-20, 300}},   // in the left bar
      {1280, 1024, {800, 600, 0, 32, 1280, 960}, {640, 5}, {400, -17}},  // in the top bar
      {1280, 1024, {800, 600, 0, 32, 1280, 960}, {1279, 991}, {799, 599}},
      {400, 300, {800, 600, 0, 0, 400, 300}, {200, 150}, {401, 301}},
      {0, 0, {800, 600, 0, 0, 800, 600}, {5, 7}, {5, 7}},  // minimised: unscaled
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.windowW << " x " << c.windowH);
    const Letterbox box = FitLetterbox(800, 600, c.windowW, c.windowH);
    EXPECT_EQ((std::vector<int>{box.x, box.y, box.width, box.height}),
              (std::vector<int>{c.box.x, c.box.y, c.box.width, c.box.height}));
    EXPECT_EQ(WindowToPicture(box, c.window.x, c.window.y), c.picture);
    // Scaled up, a picture pixel's centre lands on a window pixel that maps back to it.
    const PixelPoint there = PictureToWindow(box, c.picture.x, c.picture.y);
    if (box.width >= 800) {
      EXPECT_EQ(WindowToPicture(box, there.x, there.y), c.picture);
    }
  }
}

}  // namespace
}  // namespace nb
