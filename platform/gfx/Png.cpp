#include "platform/gfx/Png.h"

#include <png.h>

#include <cstring>
#include <fstream>
#include <iterator>

namespace tsm {

std::vector<uint8_t> EncodePng(const TPixelSurface& surface) {
  if (surface.IsEmpty()) return {};
  const size_t w = static_cast<size_t>(surface.Width), h = static_cast<size_t>(surface.Height);
  std::vector<uint8_t> rgb(w * h * 3);
  for (size_t y = 0; y < h; ++y) {
    uint8_t* d = rgb.data() + y * w * 3;
    for (size_t x = 0; x < w; ++x, d += 3) {
      const uint32_t p = surface.ReadPixel(static_cast<int32_t>(x), static_cast<int32_t>(y));
      d[0] = uint8_t(p >> 16);
      d[1] = uint8_t(p >> 8);
      d[2] = uint8_t(p);
    }
  }
  png_image image;
  std::memset(&image, 0, sizeof(image));
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return {};
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

bool SavePng(const std::string& path, const TPixelSurface& surface) {
  const std::vector<uint8_t> bytes = EncodePng(surface);
  if (bytes.empty()) return false;
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

TPngReadResult DecodePng(std::span<const uint8_t> data, TPixelFormat format) {
  TPngReadResult r;
  png_image image;
  std::memset(&image, 0, sizeof(image));
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data.data(), data.size())) {
    r.Error = image.message;
    return r;
  }
  if (image.width == 0 || image.height == 0 || image.width > uint32_t(TBitmap::kMaxSide) ||
      image.height > uint32_t(TBitmap::kMaxSide) || int64_t(image.width) * image.height > TBitmap::kMaxPixels) {
    png_image_free(&image);
    r.Error = "image too large";
    return r;
  }
  image.format = PNG_FORMAT_BGR;
  std::vector<uint8_t> bgr(PNG_IMAGE_SIZE(image));
  png_color black{0, 0, 0};
  if (!png_image_finish_read(&image, &black, bgr.data(), 0, nullptr)) {
    r.Error = image.message;
    return r;
  }
  const TPixelSurface src{bgr.data(), static_cast<int32_t>(image.width), static_cast<int32_t>(image.height),
                          static_cast<int32_t>(image.width * 3), TPixelFormat::Bgr24};
  r.Bitmap.SetSize(src.Width, src.Height, format);
  CopyPixels(r.Bitmap.Surface(), 0, 0, src, 0, 0, src.Width, src.Height);
  return r;
}

TPngReadResult LoadPng(const std::string& path, TPixelFormat format) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    TPngReadResult r;
    r.Error = "cannot open " + path;
    return r;
  }
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  return DecodePng(bytes, format);
}

}  // namespace tsm
