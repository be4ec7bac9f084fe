#pragma once
// The active window, the keyboard focus and the mouse capture.
//
// Invariants: the active window is a shown, enabled top-level window that
// may take activation, or none; the focus window is the active window or one
// of its descendants, or none; the capture window is any live window or none.
//
// Activation order, when B becomes active while A was:
//   A: WM_NCACTIVATE(FALSE), A: WM_ACTIVATE(WA_INACTIVE, B),
//   B is brought to the top of the z-order,
//   B: WM_NCACTIVATE(TRUE), B: WM_ACTIVATE(WA_ACTIVE or WA_CLICKACTIVE, A)
//   (DefWindowProc answers WM_ACTIVATE by focusing B: old focus
//   WM_KILLFOCUS(B), B: WM_SETFOCUS(old focus)); when the focus is still
//   outside B afterwards, it is taken away (WM_KILLFOCUS(0)).

#include "platform/window/Messages.h"

namespace tsm {

class TFocusManager {
 public:
  explicit TFocusManager(TWindowSystem& sys) : m_sys(sys) {}

  HWND Active() const { return m_active; }
  HWND Focus() const { return m_focus; }
  HWND Capture() const { return m_capture; }

  // Makes w (a top-level window, or nullptr for none) the active window; how
  // is WA_ACTIVE or WA_CLICKACTIVE. False when w cannot be activated.
  bool Activate(TWindow* w, WPARAM how = WA_ACTIVE);
  // Gives the focus to w (nullptr: to no window), activating its top-level
  // window first. A window whose top-level window never takes activation
  // cannot take the focus. Answers the window that had the focus.
  HWND SetFocus(TWindow* w);
  // Answers the window that had the capture.
  HWND SetCapture(TWindow* w);
  bool ReleaseCapture();

  // w is being hidden, disabled, minimized or destroyed: the focus and the
  // capture leave it and its descendants; with activateNext, when it is the
  // active window another one is activated (its owner when possible).
  void WindowLeaving(TWindow* w, bool activateNext);
  // The window that should be activated when w goes away.
  TWindow* NextToActivate(TWindow* leaving) const;
  static bool CanActivate(const TWindow* w);

 private:
  TWindowSystem& m_sys;
  HWND m_active;
  HWND m_focus;
  HWND m_capture;
};

}  // namespace tsm
