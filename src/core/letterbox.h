#pragma once

namespace nb {

// Where the picture, drawn at the settings' WIDTH x HEIGHT, lies in a window
// of another size: scaled by one factor to fit, centred, black bars around.
struct Letterbox {
  int pictureWidth = 800, pictureHeight = 600;
  int x = 0, y = 0, width = 800, height = 600;  // the picture's rectangle in the window
};

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint&) const = default;
};

// The picture fitted into the window. A window with no area (minimised)
// shows the picture unscaled.
Letterbox FitLetterbox(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight);

// The pixel of the picture under a window pixel (outside the picture's
// 0..size-1 over the bars), and the window pixel under a picture pixel's
// centre. Both are the identity when the window has the picture's size.
PixelPoint WindowToPicture(const Letterbox& box, int x, int y);
PixelPoint PictureToWindow(const Letterbox& box, int x, int y);

}  // namespace nb
