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
//
// The application as a whole is active while one of its windows is. When
// that changes, every top-level window gets WM_ACTIVATEAPP (wParam TRUE or
// FALSE): on the way in before the new window's WM_NCACTIVATE, on the way
// out after the old window's WM_ACTIVATE (and before its WM_KILLFOCUS). It
// goes out when another program is activated (DeactivateApplication, from
// the backend) and whenever no window of the program is left active (the
// last one hidden, minimized or destroyed).

#include "platform/window/Messages.h"

namespace tsm {

class TFocusManager {
 public:
  explicit TFocusManager(TWindowSystem& sys) : m_sys(sys) {}

  HWND Active() const { return m_active; }
  // One of the program's windows is active.
  bool ApplicationActive() const { return m_appActive; }
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
  // Another program became active: a mode in progress (capture, move or
  // size loop) is cancelled with WM_CANCELMODE and no window stays active.
  void DeactivateApplication();
  // The enabled window that owner (disabled by a modal window) hands the
  // activation to: the first one it owns that can be activated, or nullptr.
  TWindow* EnabledOwnedWindow(const TWindow* owner) const;
  // A press on owner while a modal window it owns disables it (or the
  // desktop activating it): owner comes to the top with the windows it owns,
  // and EnabledOwnedWindow(owner) is activated with `how`. False when there
  // is none to activate.
  bool ForwardToOwned(TWindow* owner, WPARAM how);
  // The window that should be activated when w goes away.
  TWindow* NextToActivate(TWindow* leaving) const;
  static bool CanActivate(const TWindow* w);

 private:
  TWindowSystem& m_sys;
  void BroadcastActivateApp(bool active);

  HWND m_active;
  bool m_appActive = false;
  HWND m_focus;
  HWND m_capture;
};

}  // namespace tsm
