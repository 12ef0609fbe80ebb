#include <gtest/gtest.h>

#include <tuple>

#include <zlib.h>

#include "d3dhelpers/image_file.h"
#include "support/scratch_dir.h"
#include "support/test_images.h"

namespace nb {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

void ExpectPixel(const Image& image, int x, int y, int r, int g, int b, int a, int tolerance = 0) {
  const uint8_t* p = &image.rgba[(size_t(y) * image.width + x) * 4];
  const int got[4] = {p[0], p[1], p[2], p[3]}, want[4] = {r, g, b, a};
  for (int c = 0; c < 4; ++c) EXPECT_NEAR(got[c], want[c], tolerance) << x << "," << y << " channel " << c;
}

TEST(ImageFile, PngAndJpegDecodeToRgba) {
  const std::vector<uint8_t> rgba = {255, 0,  0,  255, 0,   255, 0,   128, 0, 0, 255, 0,
                                     10,  20, 30, 40,  250, 240, 230, 220, 1, 2, 3,   4};
  Image image;
  std::string error;
  ASSERT_TRUE(DecodeImage(Bytes(test::EncodePng(3, 2, rgba)), image, &error)) << error;
  EXPECT_EQ(std::make_pair(image.width, image.height), std::make_pair(3, 2));
  EXPECT_EQ(image.rgba, rgba);  // every pixel exactly, alpha included
  // Grey pictures come out as opaque RGBA.
  ASSERT_TRUE(DecodeImage(Bytes(test::EncodePng(2, 2, {0, 77, 200, 255}, PNG_FORMAT_GRAY)), image, &error));
  ExpectPixel(image, 1, 0, 77, 77, 77, 255);
  ExpectPixel(image, 0, 1, 200, 200, 200, 255);

  // A JPEG file, 16 x 16: the left half red, the right half blue, on whole 8 x 8 blocks.
  std::vector<uint8_t> rgb;
  for (int i = 0; i < 256; ++i) {
    const bool left = i % 16 < 8;
    rgb.insert(rgb.end(), {uint8_t(left ? 220 : 20), 30, uint8_t(left ? 40 : 210)});
  }
  test::ScratchDir dir;
  dir.Write("pic.jpg", test::EncodeJpeg(16, 16, rgb));
  ASSERT_TRUE(LoadImageFile("pic.jpg", image, &error)) << error;
  ASSERT_EQ(std::make_pair(image.width, image.height), std::make_pair(16, 16));
  ExpectPixel(image, 3, 4, 220, 30, 40, 255, 8);
  ExpectPixel(image, 12, 11, 20, 30, 210, 255, 8);
  ASSERT_TRUE(DecodeImage(Bytes(test::EncodeJpeg(8, 8, std::vector<uint8_t>(64, 90), 1)), image, &error));
  ExpectPixel(image, 5, 5, 90, 90, 90, 255, 2);
}

TEST(ImageFile, CorruptTruncatedOrForeignDataFailsWithAnEmptyImage) {
  std::vector<uint8_t> rgba(32 * 32 * 4), rgb(32 * 32 * 3);
  for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = static_cast<uint8_t>(i * 7);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 13);
  const std::vector<uint8_t> png = Bytes(test::EncodePng(32, 32, rgba));
  const std::vector<uint8_t> jpeg = Bytes(test::EncodeJpeg(32, 32, rgb));
  auto head = [](const std::vector<uint8_t>& v, size_t n) {
    return std::vector<uint8_t>(v.begin(), v.begin() + n);
  };
  // A well-formed PNG header that claims another size: refused before any pixel is decoded.
  auto claiming = [&](uint32_t width, uint32_t height) {
    std::vector<uint8_t> out = head(png, 8), ihdr = {'I', 'H', 'D', 'R'};
    for (uint32_t v : {width, height})
      for (int shift = 24; shift >= 0; shift -= 8) ihdr.push_back(static_cast<uint8_t>(v >> shift));
    ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
    uint32_t crc = crc32(0, ihdr.data(), static_cast<uInt>(ihdr.size()));
    out.insert(out.end(), {0, 0, 0, 13});
    out.insert(out.end(), ihdr.begin(), ihdr.end());
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(crc >> shift));
    out.insert(out.end(), png.begin() + 33, png.end());
    return out;
  };

  const std::pair<const char*, std::vector<uint8_t>> cases[] = {
      {"neither kind", {'h', 'e', 'l', 'l', 'o'}},       {"png signature only", head(png, 8)},
      {"png cut in half", head(png, png.size() / 2)},    {"jpeg header only", head(jpeg, 4)},
      {"jpeg cut in half", head(jpeg, jpeg.size() / 2)},
  };
  for (const auto& [name, bytes] : cases) {
    Image image;
    image.width = 5;
    std::string error;
    EXPECT_FALSE(DecodeImage(bytes, image, &error)) << name;
    EXPECT_FALSE(error.empty()) << name;
    EXPECT_EQ(image.width, 0) << name;
    EXPECT_TRUE(image.rgba.empty()) << name;
  }
  // Too wide, a small file that would take gigabytes, or more pixels than the
  // caller takes: refused by its size, not by the decoder.
  for (auto [width, height, most] :
       {std::tuple{100000u, 1u, kMaxImagePixels}, {8191u, 8191u, kMaxImagePixels}, {32u, 32u, 32ull * 31}}) {
    Image big;
    std::string why;
    EXPECT_FALSE(DecodeImage(claiming(width, height), big, &why, most));
    EXPECT_NE(why.find("size out of range"), std::string::npos) << width << " " << why;
  }
  Image image;
  std::string error;
  EXPECT_FALSE(LoadImageFile("/nonexistent/picture.png", image, &error));
  EXPECT_NE(error.find("picture.png"), std::string::npos);
}

// Textures are resampled to power-of-two sides, each texel the average of the area it covers.
TEST(ImageFile, ResamplingAveragesTheCoveredArea) {
  Image row{3, 1, {}};
  for (int v : {0, 90, 180}) row.rgba.insert(row.rgba.end(), 4, static_cast<uint8_t>(v));
  Image down = ResampleImage(row, 2, 1);
  ExpectPixel(down, 0, 0, 30, 30, 30, 30);      // (0 + 90 / 2) / 1.5
  ExpectPixel(down, 1, 0, 150, 150, 150, 150);  // (90 / 2 + 180) / 1.5
  Image up = ResampleImage(row, 4, 2);
  ExpectPixel(up, 3, 0, 180, 180, 180, 180);
  ExpectPixel(up, 1, 0, 60, 60, 60, 60);  // (0 / 4 + 90 / 2) / 0.75
}

}  // namespace
}  // namespace nb
