#pragma once
// A press on a caption button (HTCLOSE, HTMAXBUTTON, HTMINBUTTON), as an
// explicit state driven by the ordinary message loop, like the move and size
// loop:
//
//   Idle --Begin (the default procedure's WM_NCLBUTTONDOWN)--> Tracking
//        the button is drawn pushed; the window takes the capture
//   Tracking --mouse move--> Tracking
//        pushed while WM_NCHITTEST answers the same button under the pointer
//   Tracking --left button up--> Idle
//        over the button: WM_SYSCOMMAND posted (SC_CLOSE; SC_MAXIMIZE or, when
//        maximized, SC_RESTORE; SC_MINIMIZE), lParam the release point
//   Tracking --Escape / capture taken / window gone--> Idle, nothing posted
//
// Input is consumed by the loop while it runs. The frame is repainted
// (WM_NCPAINT) whenever the pushed state changes; the default frame asks
// PushedButton() how to draw the button.

#include "platform/window/Messages.h"

namespace tsm {

class TCaptionButtonLoop {
 public:
  explicit TCaptionButtonLoop(TWindowSystem& sys) : m_sys(sys) {}

  bool IsActive() const { return m_active; }
  HWND Window() const { return m_wnd; }
  // The hit code to draw pushed in for wnd; HTNOWHERE when none.
  int32_t PushedButton(HWND wnd) const { return m_active && m_pushed && wnd == m_wnd ? m_button : HTNOWHERE; }

  // False when another loop runs or button is not a caption button code.
  bool Begin(TWindow* w, int32_t button);
  void Track(TPoint screen);
  // commit: a release (acts when over the button); otherwise a cancel.
  void End(TPoint screen, bool commit);

 private:
  bool Over(TWindow* w, TPoint screen);
  void SetPushed(TWindow* w, bool pushed);

  TWindowSystem& m_sys;
  bool m_active = false;
  bool m_pushed = false;
  HWND m_wnd;
  int32_t m_button = HTNOWHERE;
};

}  // namespace tsm
