#include "skincontrols/GridGeometry.h"

#include <algorithm>
#include <cstdlib>

#include "framework/controls/ScrollRequest.h"

namespace tsm {

TskAxisVisibility AxisVisibility(const TskGridAxis& a) {
  TskAxisVisibility v;
  int32_t pos = 0;
  for (int32_t i = 0; i < std::min(a.FixedCount, a.Count); ++i) pos += a.Step(i);
  v.FixedBoundary = pos;
  v.GridEnd = pos;
  v.LastFullyVisible = a.FirstScrolled - 1;
  v.LastPartlyVisible = a.FixedCount - 1;
  for (int32_t i = a.FirstScrolled; i < a.Count && pos < a.ClientExtent; ++i) {
    if (a.Extent(i) <= 0) {
      // Hidden cells count as visible when shown ones around them are.
      if (v.LastFullyVisible == i - 1) v.LastFullyVisible = i;
      continue;
    }
    v.LastPartlyVisible = i;
    if (pos + a.Extent(i) <= a.ClientExtent && v.LastFullyVisible == i - 1) v.LastFullyVisible = i;
    pos += a.Step(i);
  }
  v.GridEnd = pos;
  v.FullyVisibleCount = std::max(0, v.LastFullyVisible - a.FirstScrolled + 1);
  return v;
}

int32_t AxisLargestFirst(const TskGridAxis& a) {
  int32_t fixed = 0;
  for (int32_t i = 0; i < std::min(a.FixedCount, a.Count); ++i) fixed += a.Step(i);
  const int32_t room = a.ClientExtent - fixed + a.LineWidth;
  int32_t first = a.Count - 1;
  if (first <= a.FixedCount) return a.FixedCount;
  int32_t used = a.Step(first);
  while (first > a.FixedCount && used + a.Step(first - 1) <= room) {
    --first;
    used += a.Step(first);
  }
  return std::max(first, a.FixedCount);
}

int32_t AxisCellAt(const TskGridAxis& a, int32_t pos) {
  if (pos < 0) return -1;
  int32_t start = 0;
  for (int32_t i = 0; i < std::min(a.FixedCount, a.Count); ++i) {
    if (a.Extent(i) > 0 && pos < start + a.Step(i)) return i;
    start += a.Step(i);
  }
  for (int32_t i = std::max(a.FirstScrolled, a.FixedCount); i < a.Count && start < a.ClientExtent; ++i) {
    if (a.Extent(i) > 0 && pos < start + a.Step(i)) return i;
    start += a.Step(i);
  }
  return -1;
}

bool AxisCellStart(const TskGridAxis& a, int32_t index, int32_t& start) {
  if (index < 0 || index >= a.Count || a.Extent(index) <= 0) return false;
  int32_t pos = 0;
  for (int32_t i = 0; i < std::min(a.FixedCount, a.Count); ++i) {
    if (i == index) {
      start = pos;
      return true;
    }
    pos += a.Step(i);
  }
  if (index < a.FirstScrolled) return false;
  for (int32_t i = a.FirstScrolled; i < index; ++i) {
    pos += a.Step(i);
    if (pos >= a.ClientExtent) return false;
  }
  start = pos;
  return pos < a.ClientExtent;
}

int32_t AxisSizingCell(const TskGridAxis& a, int32_t pos, int32_t* lineStart) {
  const int32_t before = a.LineWidth <= kSizingZone - 1 ? (kSizingZone - a.LineWidth) / 2 : 0;
  const int32_t width = a.LineWidth <= kSizingZone - 1 ? kSizingZone : a.LineWidth;
  int32_t best = -1;
  int32_t bestDistance = 0;
  int32_t line = 0;
  for (int32_t i = 0; i < std::min(a.FixedCount, a.Count); ++i) line += a.Step(i);
  for (int32_t i = a.FirstScrolled; i < a.Count && line < a.ClientExtent; ++i) {
    if (a.Extent(i) <= 0) continue;
    line += a.Extent(i);
    const int32_t zoneStart = line - before;
    if (pos >= zoneStart && pos < zoneStart + width) {
      const int32_t distance = std::abs(pos - line);
      if (best < 0 || distance < bestDistance) {
        best = i;
        bestDistance = distance;
        if (lineStart) *lineStart = line;
      }
    }
    line += a.LineWidth;
  }
  return best;
}

int32_t GridScrollPosition(int32_t first, int32_t fixed, int32_t largest) {
  if (largest <= fixed) return 0;
  return static_cast<int32_t>(int64_t{first - fixed} * kGridScrollMax / (largest - fixed));
}

int32_t GridFirstForThumb(int32_t position, int32_t fixed, int32_t largest) {
  return fixed + static_cast<int32_t>(int64_t{position} * (largest - fixed) / kGridScrollMax);
}

int32_t GridScrollStep(int32_t count, int32_t visible, int32_t fixed) {
  const int32_t divisor = count - visible - fixed;
  if (divisor <= 0) return kGridScrollMax;
  return std::max(1, kGridScrollMax / divisor);
}

int32_t GridFirstForRequest(const TskGridAxis& a, uint32_t code, int32_t position) {
  const int32_t fixed = a.FixedCount;
  const int32_t largest = AxisLargestFirst(a);
  const int32_t page = std::max(1, AxisVisibility(a).FullyVisibleCount);
  int32_t first = a.FirstScrolled;
  // One shown cell forwards (backwards), skipping hidden ones.
  auto step = [&](int32_t from, int32_t direction) {
    int32_t i = from + direction;
    while (i >= fixed && i < a.Count && a.Extent(i) <= 0) i += direction;
    return i;
  };
  switch (code) {
    case SB_LINEUP: first = step(first, -1); break;
    case SB_LINEDOWN: first = step(first, 1); break;
    case SB_PAGEUP:
      for (int32_t n = 0; n < page && first > fixed; ++n) first = step(first, -1);
      break;
    case SB_PAGEDOWN:
      for (int32_t n = 0; n < page && first < largest; ++n) first = step(first, 1);
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: first = GridFirstForThumb(position, fixed, largest); break;
    case SB_TOP: first = fixed; break;
    case SB_BOTTOM: first = largest; break;
    default: break;
  }
  return std::clamp(first, fixed, std::max(fixed, largest));
}

}  // namespace tsm
