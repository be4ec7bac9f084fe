#pragma once
// The text caret: one per process, owned by one window. It is never drawn
// into a window's pixels; the backends invert it over the window when they
// show them, so painting never has to hide it. It blinks with the caret
// blink time while it is shown.
//
// Showing nests as HideCaret / ShowCaret pairs: a new caret starts hidden
// (hide count 1) and is visible while the count is 0.

#include <cstdint>

#include "platform/core/Geometry.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

class TCaret {
 public:
  explicit TCaret(TWindowSystem& sys) : m_sys(sys) {}

  bool Create(HWND owner, int32_t width, int32_t height);
  bool Destroy();
  // Client coordinates of the owner.
  bool SetPos(TPoint p);
  TPoint Pos() const { return m_pos; }
  bool Show(HWND wnd);
  bool Hide(HWND wnd);
  HWND Owner() const { return m_owner; }
  bool IsShown() const { return m_owner && m_hideCount == 0; }

  // The caret rectangle in the coordinates of the top-level window top when
  // it is to be drawn there now (shown and in the on phase of blinking).
  bool OverlayRect(HWND top, TRect& rect) const;
  // The owner is going away.
  void WindowGone(HWND wnd);

 private:
  void Blink();
  void Damage();
  void Restart();

  TWindowSystem& m_sys;
  HWND m_owner;
  TSize m_size;
  TPoint m_pos;
  int m_hideCount = 0;
  bool m_on = false;
  uint32_t m_timer = 0;
};

}  // namespace tsm
