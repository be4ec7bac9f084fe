#pragma once
// Geometry tests and the capabilities of the window system that the skin
// asks about. The queries that need a window (MonitorAreaOfWindow,
// ApplyWindowAlpha, PaintParentBackground) live with the window system's side
// of the skin, skin/ui/SkinWindowServices.h.

#include "platform/core/Geometry.h"

namespace tsm {

// Width <= 0 or height <= 0.
constexpr bool RectIsEmpty(const TRect& r) { return r.Right - r.Left <= 0 || r.Bottom - r.Top <= 0; }
// x = 0 or y = 0.
constexpr bool PointHasZero(const TPoint& p) { return p.X == 0 || p.Y == 0; }
// left <= x <= right and top <= y <= bottom (right and bottom edges included).
constexpr bool PointInRectInclusive(const TRect& r, const TPoint& p) {
  return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}
constexpr bool SameRect(const TRect& a, const TRect& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}

// Layered windows with constant opacity are available: our window system
// always offers them (the headless compositor blends them; the SDL backend
// does its best), so this is true.
bool OsSupportsLayering();
// The drop-shadow window class style is available: our window system has no
// such style, so this is false.
bool OsIsVersion51();

}  // namespace tsm
