#include "core/letterbox.h"

#include <cmath>
#include <cstdint>

namespace nb {
namespace {

// A coordinate's pixel centre carried from one span to another, floored so
// that points left of the span stay negative.
int Rescale(int coordinate, int fromOrigin, int fromSize, int toOrigin, int toSize) {
  const double centre = coordinate - fromOrigin + 0.5;
  return toOrigin + static_cast<int>(std::floor(centre * toSize / fromSize));
}

}  // namespace

Letterbox FitLetterbox(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight) {
  Letterbox box;
  box.pictureWidth = pictureWidth > 0 ? pictureWidth : 1;
  box.pictureHeight = pictureHeight > 0 ? pictureHeight : 1;
  box.width = box.pictureWidth;
  box.height = box.pictureHeight;
  if (windowWidth <= 0 || windowHeight <= 0) return box;
  const int64_t pw = box.pictureWidth, ph = box.pictureHeight;
  if (int64_t{windowWidth} * ph <= int64_t{windowHeight} * pw) {
    // As wide as the window: bars above and below.
    box.width = windowWidth;
    box.height = static_cast<int>((int64_t{windowWidth} * ph + pw / 2) / pw);
  } else {
    box.height = windowHeight;
    box.width = static_cast<int>((int64_t{windowHeight} * pw + ph / 2) / ph);
  }
  if (box.width < 1) box.width = 1;
  if (box.height < 1) box.height = 1;
  box.x = (windowWidth - box.width) / 2;
  box.y = (windowHeight - box.height) / 2;
  return box;
}

PixelPoint WindowToPicture(const Letterbox& box, int x, int y) {
  return {Rescale(x, box.x, box.width, 0, box.pictureWidth),
          Rescale(y, box.y, box.height, 0, box.pictureHeight)};
}

PixelPoint PictureToWindow(const Letterbox& box, int x, int y) {
  return {Rescale(x, 0, box.pictureWidth, box.x, box.width),
          Rescale(y, 0, box.pictureHeight, box.y, box.height)};
}

}  // namespace nb
