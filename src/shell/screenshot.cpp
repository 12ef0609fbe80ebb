#include "shell/screenshot.h"

#include <ctime>
#include <filesystem>

#include "core/file_io.h"
#include "core/log.h"
#include "d3dhelpers/image_file.h"
#include "platform/gl_device.h"

namespace nb {
namespace {

namespace fs = std::filesystem;

// The back buffer's ARGB words as RGBA bytes.
Image PictureOf(GlDevice& device) {
  Image image;
  device.BackBufferSize(&image.width, &image.height);
  const std::vector<uint32_t> argb = device.ReadPixels(0, 0, image.width, image.height);
  image.rgba.reserve(argb.size() * 4);
  for (uint32_t p : argb) {
    image.rgba.push_back(static_cast<uint8_t>(p >> 16));
    image.rgba.push_back(static_cast<uint8_t>(p >> 8));
    image.rgba.push_back(static_cast<uint8_t>(p));
    image.rgba.push_back(0xFF);
  }
  return image;
}

// A name of the local time not yet taken in the folder.
fs::path FreeName(const fs::path& folder) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "nimbara-%Y%m%d-%H%M%S", &local);
  fs::path path = folder / (std::string(stamp) + ".png");
  std::error_code error;
  for (int n = 2; n < 100 && fs::exists(path, error); ++n)
    path = folder / (std::string(stamp) + "-" + std::to_string(n) + ".png");
  return path;
}

}  // namespace

std::string TakeScreenshot(Game& game) {
  auto* device = dynamic_cast<GlDevice*>(Device(game));
  if (!device) return "";
  const fs::path folder = fs::path(game.folders.player.empty() ? "." : game.folders.player) / "screenshots";
  const bool folderMade = MakeFolders(folder.string());
  std::string bytes;
  const fs::path path = FreeName(folder);
  if (!folderMade || !EncodePng(PictureOf(*device), bytes) || !WriteFileAtomically(path.string(), bytes)) {
    LogPrintf("Could not write the screenshot %s\n", path.string().c_str());
    return "";
  }
  LogPrintf("Screenshot %s\n", path.string().c_str());
  // A language file of the player's own may lack the text.
  const std::string& saved = game.texts.Text(TextId::ScreenshotSaved);
  ShowStatusMessage(game.world.messages, saved.empty() ? "Screenshot saved" : saved);
  return path.string();
}

}  // namespace nb
