#include "d3dhelpers/image_file.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <jpeglib.h>
#include <png.h>

namespace nb {
namespace {

constexpr uint64_t kMaxSide = 8192;

// A small compressed file must not make us decode (and resample) gigabytes,
// so the pixel count is bounded before any pixel is decoded.
bool SizeInRange(uint64_t width, uint64_t height, uint64_t maxPixels) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= maxPixels;
}
constexpr size_t kMaxFileBytes = 64u << 20;

bool Fail(Image& out, std::string* error, const std::string& message) {
  out = Image{};
  if (error) *error = message;
  return false;
}

bool DecodePng(const std::vector<uint8_t>& bytes, Image& out, std::string* error, uint64_t maxPixels) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()))
    return Fail(out, error, std::string("PNG: ") + image.message);
  if (!SizeInRange(image.width, image.height, maxPixels)) {
    png_image_free(&image);
    return Fail(out, error, "PNG: image size out of range");
  }
  image.format = PNG_FORMAT_RGBA;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
    std::string message = image.message;
    png_image_free(&image);
    return Fail(out, error, "PNG: " + message);
  }
  return true;
}

}  // namespace

bool EncodePng(const Image& source, std::string& bytes) {
  bytes.clear();
  if (source.width <= 0 || source.height <= 0 ||
      source.rgba.size() != static_cast<size_t>(source.width) * source.height * 4)
    return false;
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(source.width);
  image.height = static_cast<png_uint_32>(source.height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, source.rgba.data(), 0, nullptr)) return false;
  bytes.resize(size);
  const bool ok = png_image_write_to_memory(&image, bytes.data(), &size, 0, source.rgba.data(), 0, nullptr);
  bytes.resize(ok ? size : 0);
  png_image_free(&image);
  return ok;
}

namespace {

// libjpeg reports fatal errors through longjmp; nothing with a destructor
// lives between the setjmp and the jump.
struct JpegError {
  jpeg_error_mgr base;
  jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void JpegFatal(j_common_ptr info) {
  JpegError* err = reinterpret_cast<JpegError*>(info->err);
  info->err->format_message(info, err->message);
  longjmp(err->jump, 1);
}

void JpegSilent(j_common_ptr) {}

// Decodes into a malloc'd RGBA buffer; returns null and fills `message` on failure.
uint8_t* DecodeJpegRaw(const uint8_t* data, size_t size, uint64_t maxPixels, int* width, int* height,
                       char* message) {
  jpeg_decompress_struct info;
  JpegError err;
  uint8_t* volatile pixels = nullptr;
  uint8_t* volatile row = nullptr;
  info.err = jpeg_std_error(&err.base);
  err.base.error_exit = JpegFatal;
  err.base.output_message = JpegSilent;
  err.message[0] = '\0';
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&info);
    std::free(pixels);
    std::free(row);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
    return nullptr;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (!SizeInRange(info.image_width, info.image_height, maxPixels)) {
    jpeg_destroy_decompress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "image size out of range");
    return nullptr;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  const unsigned w = info.output_width, h = info.output_height;
  if (info.output_components != 3) {
    jpeg_destroy_decompress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "unsupported colour layout");
    return nullptr;
  }
  pixels = static_cast<uint8_t*>(std::malloc(size_t{w} * h * 4));
  row = static_cast<uint8_t*>(std::malloc(size_t{w} * 3));
  if (!pixels || !row) {
    jpeg_destroy_decompress(&info);
    std::free(pixels);
    std::free(row);
    std::snprintf(message, JMSG_LENGTH_MAX, "out of memory");
    return nullptr;
  }
  while (info.output_scanline < h) {
    unsigned y = info.output_scanline;
    JSAMPROW rows[1] = {row};
    // The first warning already refuses the file: the rest is not decoded.
    if (jpeg_read_scanlines(&info, rows, 1) != 1 || err.base.num_warnings > 0) break;
    uint8_t* target = pixels + size_t{y} * w * 4;
    for (unsigned x = 0; x < w; ++x) {
      target[4 * x] = row[3 * x];
      target[4 * x + 1] = row[3 * x + 1];
      target[4 * x + 2] = row[3 * x + 2];
      target[4 * x + 3] = 255;
    }
  }
  bool complete = info.output_scanline == h;
  if (complete) jpeg_finish_decompress(&info);
  // libjpeg pads damaged or truncated data with grey and only warns; such a
  // file is refused rather than shown half grey.
  long warnings = err.base.num_warnings;
  jpeg_destroy_decompress(&info);
  std::free(row);
  if (!complete || warnings > 0) {
    std::free(pixels);
    std::snprintf(message, JMSG_LENGTH_MAX, "corrupt or truncated data");
    return nullptr;
  }
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  return pixels;
}

bool DecodeJpeg(const std::vector<uint8_t>& bytes, Image& out, std::string* error, uint64_t maxPixels) {
  char message[JMSG_LENGTH_MAX] = {0};
  int width = 0, height = 0;
  uint8_t* pixels = DecodeJpegRaw(bytes.data(), bytes.size(), maxPixels, &width, &height, message);
  if (!pixels) return Fail(out, error, std::string("JPEG: ") + message);
  out.width = width;
  out.height = height;
  out.rgba.assign(pixels, pixels + size_t(width) * height * 4);
  std::free(pixels);
  return true;
}

// The source samples each target sample averages along one axis, with the
// share of its area each covers (the shares of a target add up to 1).
struct Tap {
  int source;
  float weight;
};
std::vector<std::vector<Tap>> AreaTaps(int from, int to) {
  std::vector<std::vector<Tap>> taps(to);
  const double scale = static_cast<double>(from) / to;
  for (int d = 0; d < to; ++d) {
    double begin = d * scale, end = (d + 1) * scale;
    for (int s = static_cast<int>(begin); s < from && s < end; ++s) {
      double lo = s < begin ? begin : s;
      double hi = s + 1 > end ? end : s + 1;
      if (hi > lo) taps[d].push_back({s, static_cast<float>((hi - lo) / scale)});
    }
  }
  return taps;
}

}  // namespace

bool DecodeImage(const std::vector<uint8_t>& bytes, Image& out, std::string* error, uint64_t maxPixels) {
  out = Image{};
  static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() >= 8 && std::memcmp(bytes.data(), kPngSignature, 8) == 0)
    return DecodePng(bytes, out, error, maxPixels);
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
    return DecodeJpeg(bytes, out, error, maxPixels);
  return Fail(out, error, "neither a PNG nor a JPEG image");
}

bool LoadImageFile(const std::string& path, Image& out, std::string* error) {
  out = Image{};
  std::ifstream in(path, std::ios::binary);
  if (!in) return Fail(out, error, "cannot open " + path);
  std::vector<uint8_t> bytes;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    if (bytes.size() > kMaxFileBytes) return Fail(out, error, "file too large");
  }
  return DecodeImage(bytes, out, error);
}

int NextPowerOfTwo(int size) {
  int p = 1;
  while (p < size && p < (1 << 30)) p <<= 1;
  return p;
}

Image ResampleImage(const Image& source, int width, int height) {
  if (source.width == width && source.height == height) return source;
  Image result;
  if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) return result;
  const int sw = source.width, sh = source.height;
  const std::vector<std::vector<Tap>> across = AreaTaps(sw, width);
  const std::vector<std::vector<Tap>> down = AreaTaps(sh, height);
  // Rows first (sw -> width) into floats, then columns (sh -> height).
  std::vector<float> rows(size_t(width) * sh * 4);
  for (int y = 0; y < sh; ++y) {
    const uint8_t* line = &source.rgba[size_t(y) * sw * 4];
    float* out = &rows[size_t(y) * width * 4];
    for (int x = 0; x < width; ++x, out += 4) {
      float sum[4] = {0, 0, 0, 0};
      for (const Tap& tap : across[x])
        for (int c = 0; c < 4; ++c) sum[c] += line[tap.source * 4 + c] * tap.weight;
      for (int c = 0; c < 4; ++c) out[c] = sum[c];
    }
  }
  result.width = width;
  result.height = height;
  result.rgba.resize(size_t(width) * height * 4);
  std::vector<float> sum(size_t(width) * 4);
  for (int y = 0; y < height; ++y) {
    std::fill(sum.begin(), sum.end(), 0.0f);
    for (const Tap& tap : down[y]) {
      const float* line = &rows[size_t(tap.source) * width * 4];
      for (size_t i = 0; i < sum.size(); ++i) sum[i] += line[i] * tap.weight;
    }
    uint8_t* out = &result.rgba[size_t(y) * width * 4];
    for (size_t i = 0; i < sum.size(); ++i) {
      float v = sum[i] + 0.5f;
      out[i] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
  }
  return result;
}

}  // namespace nb
