#pragma once
// TBitmap: a device-independent bitmap that owns its pixels, in one of the two
// layouts of PixelSurface.h (24-bit padded rows for the skin's bitmaps, 32-bit
// rows for window surfaces). Rows are top-down and directly addressable.
//
// Copying a bitmap copies its pixels; moving it moves them. A bitmap is
// empty when its width or height is 0 (it then has no pixel memory).
// Sizes are limited to kMaxSide pixels per side and kMaxPixels in total;
// larger requests throw std::length_error.

#include <cstdint>
#include <vector>

#include "platform/gfx/PixelSurface.h"

namespace tsm {

class TBitmap {
 public:
  static constexpr int32_t kMaxSide = 32767;
  static constexpr int64_t kMaxPixels = int64_t(1) << 28;

  TBitmap() = default;
  // A bitmap of the given size, every byte 0 (black; alpha 0 in Bgra32).
  TBitmap(int32_t width, int32_t height, TPixelFormat format = TPixelFormat::Bgr24);

  // Reallocates to the new size and format; the content becomes black (all
  // bytes 0). Negative sizes count as 0.
  void SetSize(int32_t width, int32_t height);
  void SetSize(int32_t width, int32_t height, TPixelFormat format);

  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  TSize Size() const { return {m_width, m_height}; }
  TRect Bounds() const { return {0, 0, m_width, m_height}; }
  int32_t Stride() const { return m_stride; }
  TPixelFormat Format() const { return m_format; }
  bool IsEmpty() const { return m_width <= 0 || m_height <= 0; }
  // Bytes of pixel memory: Stride() * Height().
  size_t SizeInBytes() const { return m_pixels.size(); }

  uint8_t* Bits() { return m_pixels.data(); }
  const uint8_t* Bits() const { return m_pixels.data(); }
  // First byte of row y (0 = top). No bounds check.
  uint8_t* ScanLine(int32_t y) { return m_pixels.data() + static_cast<size_t>(y) * m_stride; }
  const uint8_t* ScanLine(int32_t y) const { return m_pixels.data() + static_cast<size_t>(y) * m_stride; }

  // A view for drawing (TDeviceContext) or reading; valid until the bitmap is
  // resized, converted, moved or destroyed.
  TPixelSurface Surface();
  TPixelSurface Surface() const;

  // Bounds-checked colour access: outside the bitmap GetPixel answers clNone
  // and SetPixel does nothing. System colours are resolved.
  TColor GetPixel(int32_t x, int32_t y) const;
  void SetPixel(int32_t x, int32_t y, TColor color);
  void Fill(TColor color);

  // Changes the layout in place, keeping the picture. 24 -> 32 bits gives
  // alpha 255; 32 -> 24 bits drops alpha.
  void ConvertTo(TPixelFormat format);
  TBitmap ConvertedTo(TPixelFormat format) const;

  // A copy of the part rect (clipped to the bitmap) in the same format.
  TBitmap Cropped(const TRect& rect) const;

  // True when both have the same size and every pixel the same colour
  // (formats, row padding and alpha are not compared).
  bool SamePixels(const TBitmap& other) const;

 private:
  std::vector<uint8_t> m_pixels;
  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_stride = 0;
  TPixelFormat m_format = TPixelFormat::Bgr24;
};

// Copies pixels between surfaces of any format, w x h pixels from (sx, sy) of
// src to (dx, dy) of dst, without clipping (the caller guarantees both
// rectangles lie inside their surfaces). Overlapping memory is handled.
void CopyPixels(const TPixelSurface& dst, int32_t dx, int32_t dy, const TPixelSurface& src, int32_t sx, int32_t sy,
                int32_t w, int32_t h);

}  // namespace tsm
