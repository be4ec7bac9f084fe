#pragma once
// The pixels of one top-level window: 32 bits per pixel, rows top to bottom,
// each pixel 0xAARRGGBB in a uint32_t (bytes blue, green, red, alpha in memory),
// no row padding. Alpha is ignored when the window is composed; a window's
// opacity is set per window.

#include <cstdint>
#include <vector>

#include "platform/core/Geometry.h"
#include "platform/gfx/PixelSurface.h"

namespace tsm {

class TSurface {
 public:
  TSurface() = default;
  TSurface(int32_t width, int32_t height, uint32_t fill = 0xFF000000u) { Resize(width, height, fill); }

  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  TRect Bounds() const { return {0, 0, m_width, m_height}; }
  uint32_t* Row(int32_t y) { return m_pixels.data() + size_t(y) * size_t(m_width); }
  const uint32_t* Row(int32_t y) const { return m_pixels.data() + size_t(y) * size_t(m_width); }
  uint32_t* Bits() { return m_pixels.data(); }
  const uint32_t* Bits() const { return m_pixels.data(); }
  int32_t Stride() const { return m_width * 4; }
  // The pixels as a drawing target of the graphics layer.
  TPixelSurface View() {
    return {reinterpret_cast<uint8_t*>(m_pixels.data()), m_width, m_height, Stride(), TPixelFormat::Bgra32};
  }

  uint32_t Pixel(int32_t x, int32_t y) const {
    return Bounds().Contains(x, y) ? m_pixels[size_t(y) * size_t(m_width) + size_t(x)] : 0;
  }
  void SetPixel(int32_t x, int32_t y, uint32_t v) {
    if (Bounds().Contains(x, y)) m_pixels[size_t(y) * size_t(m_width) + size_t(x)] = v;
  }

  // New size; the pixels that stay inside keep their place, new ones get fill.
  void Resize(int32_t width, int32_t height, uint32_t fill = 0xFF000000u);
  void Fill(const TRect& r, uint32_t v);
  // Moves the pixels of src by (dx, dy) inside the surface, clipped to clip;
  // pixels outside src are left as they are.
  void Scroll(const TRect& src, int32_t dx, int32_t dy, const TRect& clip);

 private:
  int32_t m_width = 0;
  int32_t m_height = 0;
  std::vector<uint32_t> m_pixels;
};

// 0xAARRGGBB pixel of a plain (non-system) TColor.
constexpr uint32_t PixelOfRgb(uint8_t r, uint8_t g, uint8_t b) {
  return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}

}  // namespace tsm
