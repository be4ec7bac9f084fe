#pragma once
// Geometry tests and the few window-system queries of the skin.
//
// The window-system queries go through TskWindowServices, which the window
// system registers with SetSkinWindowServices once it exists. Until then
// (and in tests without one) MonitorAreaOfWindow leaves its rectangle
// unchanged and ApplyWindowAlpha does nothing.

#include <cstdint>
#include <optional>

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

// What the skin asks of the window system. A window is named by the window
// system's handle number (HWND::Id).
class TskWindowServices {
 public:
  virtual ~TskWindowServices() = default;
  virtual int32_t MonitorCount() const = 0;
  // The whole area and the work area of the monitor nearest to the window;
  // none when it cannot be told.
  struct TMonitorAreas {
    TRect Monitor;
    TRect WorkArea;
  };
  virtual std::optional<TMonitorAreas> MonitorOfWindow(uint32_t window) const = 0;
  // The primary monitor's work area and the screen size.
  virtual TRect PrimaryWorkArea() const = 0;
  virtual TSize ScreenSize() const = 0;
  // Sets the constant opacity (0 ... 255) of a window that has the layered
  // style; false when the window system cannot.
  virtual bool SetWindowOpacity(uint32_t window, uint8_t opacity) = 0;
};

// Registers the services (none: unregister). Not owned.
void SetSkinWindowServices(TskWindowServices* services);
TskWindowServices* SkinWindowServices();

// The work area (workArea) or the whole area of the monitor that shows the
// window. With more than one monitor the window's nearest monitor answers
// (rect unchanged when it cannot); otherwise the primary work area or
// (0, 0, screen width, screen height).
void MonitorAreaOfWindow(uint32_t window, bool workArea, TRect& rect);

// Sets the constant opacity of a layered window; nothing without services.
void ApplyWindowAlpha(uint32_t window, uint8_t opacity);

// Layered windows with constant opacity are available: our window system
// always offers them (the headless compositor blends them; the SDL backend
// does its best), so this is true.
bool OsSupportsLayering();
// The drop-shadow window class style is available: our window system has no
// such style, so this is false.
bool OsIsVersion51();

}  // namespace tsm
