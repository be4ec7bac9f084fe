#include "skinforms/TskSkinMenuLayout.h"

#include <algorithm>
#include <numeric>

namespace tsm {

TskMenuSize ComputeMenuSize(const TskMenuSizeInput& in) {
  TskMenuSize size;
  size.Width = in.WidestText + in.GlyphColumn + 19 + in.FrameWidth;
  size.Height = std::accumulate(in.ItemHeights.begin(), in.ItemHeights.end(), 0) + in.FrameHeight;
  if (in.MaxItems > 0 && int32_t(in.ItemHeights.size()) > in.MaxItems) {
    size.Height = in.MaxItems * in.OrdinaryItemHeight + in.FrameHeight + 2 * kMenuScrollBand;
    size.Scrolling = true;
    size.ScrollByLimit = true;
  }
  if (in.WorkAreaHeight > 0 && size.Height > in.WorkAreaHeight) {
    size.Height = in.WorkAreaHeight;
    size.Scrolling = true;
    size.ScrollByLimit = false;
  }
  return size;
}

int32_t PlaceMenuItems(std::span<const int32_t> heights, int32_t first, const TRect& items, bool scrolling,
                       std::vector<TRect>& rects) {
  const int32_t n = int32_t(heights.size());
  rects.assign(size_t(n), TRect{});
  if (first < 0 || first >= n) return 0;
  const int32_t band = scrolling ? kMenuScrollBand : 0;
  const int32_t bottom = items.Bottom - band;
  int32_t y = items.Top + band;
  int32_t count = 0;
  for (int32_t i = first; i < n; ++i) {
    if (y + heights[size_t(i)] > bottom) break;
    rects[size_t(i)] = {items.Left, y, items.Right, y + heights[size_t(i)]};
    y += heights[size_t(i)];
    ++count;
  }
  return count;
}

int32_t LastRunFirst(std::span<const int32_t> heights, const TRect& items, bool scrolling) {
  const int32_t n = int32_t(heights.size());
  const int32_t room = items.Height() - (scrolling ? 2 * kMenuScrollBand : 0);
  int32_t first = n, used = 0;
  while (first > 0 && used + heights[size_t(first - 1)] <= room) used += heights[size_t(--first)];
  return std::min(first, std::max(n - 1, 0));
}

TskMenuPlacement PlaceMenuWindow(const TskMenuPlacementInput& in) {
  const TRect& w = in.WorkArea;
  const TRect& a = in.Anchor;
  const int32_t h = in.Size.cy, wd = in.Size.cx;
  const int32_t middle = w.Top + w.Height() / 2;
  const bool upperHalf = a.Top < middle;
  TskMenuPlacement out;
  int32_t y = 0;
  if (in.Tall) {
    y = w.Top;
  } else if (in.Opening == TskMenuOpening::SubMenu) {
    y = a.Top - in.ItemsTop;
    if (y + h > w.Bottom) y = upperHalf ? w.Bottom - h : std::max(a.Bottom - h + in.ItemsTop, w.Top);
  } else if (in.Opening == TskMenuOpening::Up) {
    if (a.Top - h >= w.Top) {
      y = a.Top - h;
    } else if (!upperHalf) {
      y = w.Top;
      out.Moved = true;
    } else if (a.Bottom + h <= w.Bottom) {
      y = a.Bottom;
    } else {
      y = w.Bottom - h;
      out.Moved = true;
    }
  } else {
    if (a.Bottom + h <= w.Bottom) {
      y = a.Bottom;
    } else if (upperHalf) {
      y = w.Bottom - h;
      out.Moved = true;
    } else if (a.Top - h >= w.Top) {
      y = a.Top - h;
    } else {
      y = w.Top;
      out.Moved = true;
    }
  }

  int32_t x = 0;
  if (in.Opening == TskMenuOpening::SubMenu || in.Tall || out.Moved) {
    x = a.Right + wd + 1 <= w.Right ? a.Right + 1 : a.Left - wd - 1;
  } else {
    x = a.Left;
    if (x + wd > w.Right) x = w.Right - wd;
  }
  // Neither rule may push the window off the work area's left edge (a
  // window wider than the room left of its anchor).
  x = std::max(x, w.Left);
  out.Position = {x, y};
  return out;
}

int32_t NextSelectable(const std::vector<bool>& selectable, int32_t active) {
  const int32_t n = int32_t(selectable.size());
  const int32_t start = (active < 0 || active >= n - 1) ? 0 : active + 1;
  for (int32_t i = start; i < n; ++i)
    if (selectable[size_t(i)]) return i;
  return -1;
}

int32_t PreviousSelectable(const std::vector<bool>& selectable, int32_t active) {
  const int32_t n = int32_t(selectable.size());
  const int32_t start = (active <= 0 || active >= n) ? n - 1 : active - 1;
  for (int32_t i = start; i >= 0; --i)
    if (selectable[size_t(i)]) return i;
  return -1;
}

}  // namespace tsm
