#pragma once
// Position, size, z-order, visibility and show state of windows.
//
// SetWindowPos runs the classic sequence:
//   WM_WINDOWPOSCHANGING (the handler may change the TWindowPos; the default
//   procedure clamps sizable top-level windows to WM_GETMINMAXINFO's tracking
//   sizes), WM_NCCALCSIZE when the size changed or SWP_FRAMECHANGED is given,
//   the change itself with the repainting it needs, activation unless
//   SWP_NOACTIVATE, then WM_WINDOWPOSCHANGED, which the default procedure
//   turns into WM_MOVE and WM_SIZE.
//
// Z-order: children are ordered among their siblings; top-level windows in
// two bands, WS_EX_TOPMOST windows above the others; a top-level window that
// comes to the top brings the windows it owns along above it.

#include "platform/window/Backend.h"
#include "platform/window/Messages.h"

namespace tsm {

class TWindowPlacer {
 public:
  explicit TWindowPlacer(TWindowSystem& sys) : m_sys(sys) {}

  bool SetWindowPos(TWindow* w, HWND insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags);
  // Answers whether the window was visible before.
  bool ShowWindow(TWindow* w, TShowCommand cmd);
  // Puts w at index of the top-level order (topmost first), kept inside its
  // band.
  void PlaceTopLevel(TWindow* w, size_t index);
  // Moves w to the top of its band (top-level windows bring their owned
  // windows along) or of its siblings.
  void BringToTop(TWindow* w);
  // Tells the backend the order of the top-level windows.
  void StackingChanged();

  // Default minimum/maximum information for w, then WM_GETMINMAXINFO.
  TMinMaxInfo QueryMinMaxInfo(TWindow* w);
  // The monitor that shows most of w (the primary one when none does).
  TMonitorInfo MonitorOf(const TWindow* w) const;
  TMonitorInfo MonitorOfRect(const TRect& screenRect) const;

 private:
  void ApplyZOrder(TWindow* w, HWND insertAfter);
  // After w was put at a given place: owned windows stay above their owners,
  // so w goes up to just above its owner when it went below it, and the
  // windows it owns that it went above come up to just above it, in order.
  void KeepOwnedAbove(TWindow* w);
  WPARAM SizeKind(const TWindow* w) const;

  TWindowSystem& m_sys;
  bool m_forceSizeMessage = false;
};

}  // namespace tsm
