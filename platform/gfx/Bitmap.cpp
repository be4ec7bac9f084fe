#include "platform/gfx/Bitmap.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tsm {

namespace {

int32_t StrideFor(int32_t width, TPixelFormat format) {
  return format == TPixelFormat::Bgr24 ? RowStride24(width) : width * 4;
}

// Converts one row of w pixels between formats (src and dst do not overlap).
void ConvertRow(uint8_t* dst, TPixelFormat df, const uint8_t* src, TPixelFormat sf, int32_t w) {
  if (df == sf) {
    std::memcpy(dst, src, static_cast<size_t>(w) * BytesPerPixel(df));
  } else if (df == TPixelFormat::Bgra32) {
    for (int32_t x = 0; x < w; ++x, dst += 4, src += 3) {
      dst[0] = src[0];
      dst[1] = src[1];
      dst[2] = src[2];
      dst[3] = 0xFF;
    }
  } else {
    for (int32_t x = 0; x < w; ++x, dst += 3, src += 4) {
      dst[0] = src[0];
      dst[1] = src[1];
      dst[2] = src[2];
    }
  }
}

}  // namespace

TBitmap::TBitmap(int32_t width, int32_t height, TPixelFormat format) { SetSize(width, height, format); }

void TBitmap::SetSize(int32_t width, int32_t height) { SetSize(width, height, m_format); }

void TBitmap::SetSize(int32_t width, int32_t height, TPixelFormat format) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width > kMaxSide || height > kMaxSide || int64_t(width) * height > kMaxPixels)
    throw std::length_error("bitmap too large");
  m_format = format;
  if (width == 0 || height == 0) {
    width = height = 0;
  }
  m_width = width;
  m_height = height;
  m_stride = StrideFor(width, format);
  m_pixels.assign(static_cast<size_t>(m_stride) * height, 0);
}

TPixelSurface TBitmap::Surface() { return {m_pixels.data(), m_width, m_height, m_stride, m_format}; }

TPixelSurface TBitmap::Surface() const {
  return {const_cast<uint8_t*>(m_pixels.data()), m_width, m_height, m_stride, m_format};
}

TColor TBitmap::GetPixel(int32_t x, int32_t y) const { return Surface().GetPixel(x, y); }

void TBitmap::SetPixel(int32_t x, int32_t y, TColor color) { Surface().SetPixel(x, y, color); }

void TBitmap::Fill(TColor color) {
  if (IsEmpty()) return;
  const TPixelSurface s = Surface();
  const uint32_t p = ColorToPixel(color);
  for (int32_t x = 0; x < m_width; ++x) s.WritePixel(x, 0, p);
  const size_t rowBytes = static_cast<size_t>(m_width) * BytesPerPixel(m_format);
  for (int32_t y = 1; y < m_height; ++y) std::memcpy(ScanLine(y), ScanLine(0), rowBytes);
}

void TBitmap::ConvertTo(TPixelFormat format) {
  if (format == m_format) return;
  *this = ConvertedTo(format);
}

TBitmap TBitmap::ConvertedTo(TPixelFormat format) const {
  TBitmap out(m_width, m_height, format);
  for (int32_t y = 0; y < m_height; ++y) ConvertRow(out.ScanLine(y), format, ScanLine(y), m_format, m_width);
  return out;
}

TBitmap TBitmap::Cropped(const TRect& rect) const {
  const TRect r = rect.Intersected(Bounds());
  TBitmap out(r.Width(), r.Height(), m_format);
  if (!out.IsEmpty()) CopyPixels(out.Surface(), 0, 0, Surface(), r.Left, r.Top, r.Width(), r.Height());
  return out;
}

bool TBitmap::SamePixels(const TBitmap& other) const {
  if (m_width != other.m_width || m_height != other.m_height) return false;
  const TPixelSurface a = Surface(), b = other.Surface();
  for (int32_t y = 0; y < m_height; ++y)
    for (int32_t x = 0; x < m_width; ++x)
      if (((a.ReadPixel(x, y) ^ b.ReadPixel(x, y)) & 0x00FFFFFFu) != 0) return false;
  return true;
}

void CopyPixels(const TPixelSurface& dst, int32_t dx, int32_t dy, const TPixelSurface& src, int32_t sx, int32_t sy,
                int32_t w, int32_t h) {
  if (w <= 0 || h <= 0) return;
  if (dst.Format == src.Format) {
    const size_t rowBytes = static_cast<size_t>(w) * dst.BytesPerPixel();
    // memmove per row handles overlap inside a row; walking rows bottom-up
    // when the destination lies below the source handles overlap across rows.
    if (dst.Bits == src.Bits && dy > sy) {
      for (int32_t y = h - 1; y >= 0; --y)
        std::memmove(dst.PixelAddress(dx, dy + y), src.PixelAddress(sx, sy + y), rowBytes);
    } else {
      for (int32_t y = 0; y < h; ++y)
        std::memmove(dst.PixelAddress(dx, dy + y), src.PixelAddress(sx, sy + y), rowBytes);
    }
    return;
  }
  // Different formats can only overlap if the caller views one memory block
  // in two layouts, which is not supported; convert row by row.
  for (int32_t y = 0; y < h; ++y)
    ConvertRow(dst.PixelAddress(dx, dy + y), dst.Format, src.PixelAddress(sx, sy + y), src.Format, w);
}

}  // namespace tsm
