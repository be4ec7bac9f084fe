#pragma once
// Turns the raw input of the backend into window messages.
//
// Mouse: the target is the capture window (client messages only) or the
// window under the cursor, asked for its hit code with WM_NCHITTEST; it gets
// WM_SETCURSOR first (not while captured), on a press WM_MOUSEACTIVATE when
// its top-level window is not active, then the client (HTCLIENT) or
// non-client message. Presses on a disabled top-level window are dropped (an
// enabled window it owns is activated instead, as for a modal dialog).
// Client double clicks need CS_DBLCLKS; non-client double clicks are always
// reported. While the move and size loop or a caption button press runs, that
// loop receives the mouse instead.
//
// Keyboard: key messages go to the focus window, or to the active window when
// nothing has the focus. Alt held (without Ctrl), F10 and Alt itself give the
// WM_SYS* forms. Committed text arrives as one WM_CHAR per code point;
// TranslateMessage adds WM_CHAR for Backspace, Tab, Enter, Escape and
// Ctrl+letter (1 .. 26), which text input does not deliver.
//
// Dropped files: the window under the drop point, or the nearest of its
// parents, that has WS_EX_ACCEPTFILES and takes input gets WM_DROPFILES with
// a drop handle (HDROP); without one the drop is refused. The files and the
// point stay readable through the handle until DragFinish or until the
// message has been dispatched.
//
// Raw input is converted when the message loop takes it, so hit tests and
// activation see the state that the earlier messages left.

#include <array>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/window/Backend.h"
#include "platform/window/CaptionButtonLoop.h"
#include "platform/window/ClickTracker.h"
#include "platform/window/Messages.h"
#include "platform/window/SizeMoveLoop.h"

namespace tsm {

class TInputRouter {
 public:
  explicit TInputRouter(TWindowSystem& sys) : m_sys(sys), m_sizeMove(sys), m_captionButton(sys) {}

  void Queue(TRawInput input);
  bool HasPending() const { return !m_raw.empty() || !m_ready.empty(); }
  // The next input message; false when the pending input produced none.
  bool Next(TMsg& out, bool remove);
  void DropPending() { m_raw.clear(); m_ready.clear(); }
  // The next press is a single click, however soon and close it comes
  // (scripted clicks that follow each other are not double clicks).
  void ForgetClicks() { m_clicks.Reset(); }

  TSizeMoveLoop& SizeMove() { return m_sizeMove; }
  TCaptionButtonLoop& CaptionButton() { return m_captionButton; }

  // Key state as GetKeyState answers it: bit 0x8000 while down, bit 1 toggled.
  int16_t KeyState(uint32_t vk) const;
  bool IsKeyDown(uint32_t vk) const { return (m_keys[vk & 0xFF] & 0x80) != 0; }
  WPARAM MouseKeyFlags() const;

  TPoint CursorPos() const { return m_cursor; }
  void SetCursorPos(TPoint p) { m_cursor = p; }
  TCursorShape Cursor() const { return m_shape; }
  TCursorShape SetCursor(TCursorShape shape);

  // Mouse leave notification for w (TME_LEAVE, optionally TME_NONCLIENT).
  bool TrackMouseLeave(HWND w, uint32_t flags);

  // True when the last Alt release had no other key pressed while Alt was
  // down (the default procedure then opens the menu: SC_KEYMENU).
  bool MenuKeyAlone() const { return m_menuAlone; }
  // The composition text of the input method (WM_IME_COMPOSITION).
  const std::string& CompositionText() const { return m_composition; }

  // A drop handed out with WM_DROPFILES; null when the handle is finished
  // or unknown. Point is in the client coordinates of the receiving window.
  struct TDrop {
    std::vector<std::string> Files;
    TPoint Point;
  };
  const TDrop* Drop(WPARAM handle) const;
  void FinishDrop(WPARAM handle) { m_drops.erase(handle); }

  // Called by the focus manager when the capture moved.
  void CaptureChanged(HWND newCapture);
  void WindowGone(TWindow* w);
  // Sends WM_SETCURSOR again for the window under the cursor (after a window
  // appeared, moved or changed its cursor).
  void RefreshCursor();

 private:
  void Process(const TRawInput& in);
  void ProcessMouse(const TRawInput& in);
  void ProcessKey(const TRawInput& in);
  void ProcessText(const TRawInput& in);
  void ProcessDrop(const TRawInput& in);
  // Hit target under the cursor (not captured): the window and its code.
  TWindow* HitTarget(TPoint screen, int32_t& hit);
  void UpdateLeaveTracking(TWindow* under, bool client);
  void Emit(HWND wnd, uint32_t msg, WPARAM w, LPARAM l);
  TWindow* KeyTarget() const;

  TWindowSystem& m_sys;
  TSizeMoveLoop m_sizeMove;
  TCaptionButtonLoop m_captionButton;
  std::deque<TRawInput> m_raw;
  std::deque<TMsg> m_ready;
  std::array<uint8_t, 256> m_keys{};
  TPoint m_cursor;
  TCursorShape m_shape = TCursorShape::Arrow;
  TClickTracker m_clicks;
  bool m_altAlone = false;
  bool m_menuAlone = false;
  std::string m_composition;
  std::map<WPARAM, TDrop> m_drops;  // by handle, oldest first
  WPARAM m_lastDrop = 0;

  // Mouse leave tracking.
  HWND m_leaveWnd;
  uint32_t m_leaveFlags = 0;
  HWND m_hoverWnd;
  bool m_hoverClient = false;
};

}  // namespace tsm
