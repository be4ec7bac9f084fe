#pragma once
// A view on pixel memory that drawing can target: a bitmap of this layer, a
// window surface owned by the window system, or any other block of rows.
//
// Layouts (both top-down: row 0 is the top row, row y starts at Bits + y * Stride):
//   Bgr24   3 bytes per pixel: blue, green, red. Bitmaps of this layer pad each
//           row to a multiple of 4 bytes (stride = 3 * width + width mod 4), the
//           layout of the skin's 24-bit bitmaps.
//   Bgra32  4 bytes per pixel: blue, green, red, alpha (a little-endian
//           0xAARRGGBB word). Drawing writes alpha 255; the alpha byte carries
//           no meaning for drawing, only compositors may read it.
//
// The view does not own its memory; whoever created it keeps the memory alive
// while the view is in use. A const view may still write pixels: constness
// belongs to the owner (a const TBitmap hands out views that callers must only
// read).

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"

namespace tsm {

enum class TPixelFormat : unsigned char { Bgr24, Bgra32 };

constexpr int BytesPerPixel(TPixelFormat f) { return f == TPixelFormat::Bgr24 ? 3 : 4; }

// Row length in bytes of a padded 24-bit row (3 * width + width mod 4).
constexpr int32_t RowStride24(int32_t width) { return 3 * width + (width & 3); }

// A colour (0x00BBGGRR, system colours resolved) as the native 32-bit pixel
// word 0xFFRRGGBB.
constexpr uint32_t ColorToPixel(TColor c) {
  const uint32_t v = static_cast<uint32_t>(ColorToRGB(c));
  return 0xFF000000u | ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}
// The colour of a native pixel word; the alpha byte is dropped.
constexpr TColor PixelToColor(uint32_t p) {
  return static_cast<TColor>(((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16));
}

struct TPixelSurface {
  uint8_t* Bits = nullptr;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t Stride = 0;  // bytes from one row to the next, at least Width * bytes per pixel
  TPixelFormat Format = TPixelFormat::Bgra32;

  bool IsEmpty() const { return Bits == nullptr || Width <= 0 || Height <= 0; }
  TRect Bounds() const { return {0, 0, Width, Height}; }
  int BytesPerPixel() const { return tsm::BytesPerPixel(Format); }
  uint8_t* Row(int32_t y) const { return Bits + static_cast<ptrdiff_t>(y) * Stride; }
  uint8_t* PixelAddress(int32_t x, int32_t y) const { return Row(y) + static_cast<ptrdiff_t>(x) * BytesPerPixel(); }

  // Native pixel word 0xFFRRGGBB (alpha as stored for Bgra32). No bounds check.
  uint32_t ReadPixel(int32_t x, int32_t y) const {
    const uint8_t* p = PixelAddress(x, y);
    if (Format == TPixelFormat::Bgr24) return 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  void WritePixel(int32_t x, int32_t y, uint32_t pixel) const {
    uint8_t* p = PixelAddress(x, y);
    if (Format == TPixelFormat::Bgr24) {
      p[0] = uint8_t(pixel);
      p[1] = uint8_t(pixel >> 8);
      p[2] = uint8_t(pixel >> 16);
    } else {
      std::memcpy(p, &pixel, 4);
    }
  }

  // Colour access with bounds checks: outside the surface GetPixel answers
  // clNone and SetPixel does nothing.
  TColor GetPixel(int32_t x, int32_t y) const {
    return Bounds().Contains(x, y) ? PixelToColor(ReadPixel(x, y)) : clNone;
  }
  void SetPixel(int32_t x, int32_t y, TColor c) const {
    if (Bounds().Contains(x, y)) WritePixel(x, y, ColorToPixel(c));
  }
};

}  // namespace tsm
