#include "platform/window/Surface.h"

#include <algorithm>
#include <cstring>

namespace tsm {

void TSurface::Resize(int32_t width, int32_t height, uint32_t fill) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == m_width && height == m_height) return;
  std::vector<uint32_t> pixels(size_t(width) * size_t(height), fill);
  const int32_t w = std::min(width, m_width), h = std::min(height, m_height);
  for (int32_t y = 0; y < h; ++y)
    std::memcpy(pixels.data() + size_t(y) * size_t(width), Row(y), size_t(w) * 4);
  m_pixels.swap(pixels);
  m_width = width;
  m_height = height;
}

void TSurface::Fill(const TRect& r, uint32_t v) {
  const TRect c = r.Intersected(Bounds());
  for (int32_t y = c.Top; y < c.Bottom; ++y) std::fill(Row(y) + c.Left, Row(y) + c.Right, v);
}

void TSurface::Scroll(const TRect& src, int32_t dx, int32_t dy, const TRect& clip) {
  const TRect source = src.Intersected(Bounds());
  const TRect dest = source.Offsetted(dx, dy).Intersected(clip).Intersected(Bounds());
  if (dest.IsEmpty()) return;
  const int32_t w = dest.Width();
  // Copy rows in the order that never reads a row already overwritten.
  auto copyRow = [&](int32_t y) { std::memmove(Row(y) + dest.Left, Row(y - dy) + dest.Left - dx, size_t(w) * 4); };
  if (dy > 0)
    for (int32_t y = dest.Bottom - 1; y >= dest.Top; --y) copyRow(y);
  else
    for (int32_t y = dest.Top; y < dest.Bottom; ++y) copyRow(y);
}

}  // namespace tsm
