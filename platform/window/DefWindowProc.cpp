#include "platform/window/DefWindowProc.h"

#include <algorithm>

#include "platform/gfx/DeviceContext.h"
#include "platform/window/DefaultFrame.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

namespace {

// Sizing and other non-client cursors, indexed by hit code HTLEFT .. HTBOTTOMRIGHT.
constexpr TCursorShape kSizingCursors[8] = {
    TCursorShape::SizeWE,   TCursorShape::SizeWE,   TCursorShape::SizeNS,   TCursorShape::SizeNWSE,
    TCursorShape::SizeNESW, TCursorShape::SizeNS,   TCursorShape::SizeNESW, TCursorShape::SizeNWSE,
};

TWindowSystem& Sys() { return TWindowSystem::Instance(); }

// Whether a press on this caption button code starts a button press (the
// left button must be down: only the mouse presses caption buttons).
bool CaptionButtonEnabled(const TWindow* w, int32_t hit) {
  if (!Sys().Input().IsKeyDown(VK_LBUTTON)) return false;
  if (hit == HTCLOSE) return true;
  if (hit == HTMAXBUTTON) return (w->Style & WS_MAXIMIZEBOX) != 0;
  if (hit == HTMINBUTTON) return (w->Style & WS_MINIMIZEBOX) != 0;
  return false;
}

LRESULT OnNCCalcSize(TWindow* w, LPARAM lParam) {
  TRect* r = reinterpret_cast<TRect*>(lParam);
  if (!r) return 0;
  const TFrameMetrics m = FrameMetricsOf(*w, Sys().Settings());
  r->Left += m.Left;
  r->Top += m.Top;
  r->Right -= m.Right;
  r->Bottom -= m.Bottom;
  if (r->Right < r->Left) r->Right = r->Left;
  if (r->Bottom < r->Top) r->Bottom = r->Top;
  return 0;
}

LRESULT OnNCHitTest(TWindow* w, LPARAM lParam) {
  const TPoint p = PointFromLParam(lParam) - TWindowSystem::ScreenOrigin(w);
  if (!w->LocalRect().Contains(p)) return HTNOWHERE;
  if (w->ClientRect.Contains(p)) return HTCLIENT;
  const TSystemSettings& s = Sys().Settings();
  const TFrameMetrics m = FrameMetricsOf(*w, s);
  const int32_t width = w->Rect.Width(), height = w->Rect.Height();
  if ((w->Style & WS_THICKFRAME) && !w->IsMaximized() && !w->IsMinimized()) {
    const int32_t b = s.FrameWidth;
    const int32_t corner = std::max(b, 16);
    const int32_t hit = SizingBorderHitTest(p, width, height, b, corner);
    if (hit != HTNOWHERE) return hit;
  }
  if ((w->Style & WS_CAPTION) == WS_CAPTION && p.Y >= m.Top - s.CaptionHeight && p.Y < m.Top) {
    const int32_t button = CaptionButtonAt(CaptionLayoutOf(*w, s), p);
    return button != HTNOWHERE ? button : HTCAPTION;
  }
  if (w->Style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) return HTBORDER;
  return HTNOWHERE;
}

LRESULT OnNCPaint(TWindow* w) {
  if (w->ClientRect == w->LocalRect()) return 0;
  TWindowSystem& sys = Sys();
  TDeviceContext* dc = sys.Painter().GetDC(w, true);
  PaintDefaultFrame(*w, *dc, sys.Settings(), sys.Input().CaptionButton().PushedButton(w->Handle()));
  sys.Painter().ReleaseDC(w, dc);
  return 0;
}

LRESULT OnSetCursor(TWindow* w, WPARAM wParam, LPARAM lParam) {
  TWindowSystem& sys = Sys();
  if (w->IsChild() && w->Parent && sys.Send(w->Parent, WM_SETCURSOR, wParam, lParam)) return 1;
  // Asked by a child on its way up (wParam names the window under the
  // mouse): a parent that sets no cursor of its own leaves the choice to
  // that window, whose class cursor counts.
  if (HWND::FromParam(wParam) != w->Handle()) return 0;
  const int32_t hit = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam)));
  TCursorShape shape = CursorForHitTest(hit);
  if (hit == HTCLIENT) shape = w->ClassCursor;
  sys.Input().SetCursor(shape);
  return 1;
}

LRESULT OnSysCommand(TWindow* w, WPARAM wParam) {
  TWindowSystem& sys = Sys();
  const uint32_t cmd = static_cast<uint32_t>(wParam) & SC_COMMAND_MASK;
  const uint32_t detail = static_cast<uint32_t>(wParam) & 0xF;
  switch (cmd) {
    case SC_MOVE:
    case SC_SIZE:
      // Only the mouse drives the loop: the left button must be down. The
      // loop follows the cursor from where it is now, whatever lParam says
      // (code that starts a move from a client press passes 0).
      if (!sys.Input().IsKeyDown(VK_LBUTTON) || w->IsMaximized() || w->IsMinimized()) return 0;
      sys.Input().SizeMove().Begin(w, cmd == SC_SIZE ? detail : 0, sys.Input().CursorPos());
      return 0;
    case SC_MINIMIZE:
      sys.Placer().ShowWindow(w, SW_MINIMIZE);
      return 0;
    case SC_MAXIMIZE:
      sys.Placer().ShowWindow(w, SW_MAXIMIZE);
      return 0;
    case SC_RESTORE:
      sys.Placer().ShowWindow(w, SW_RESTORE);
      return 0;
    case SC_CLOSE:
      sys.Send(w, WM_CLOSE, 0, 0);
      return 0;
    default:
      return 0;
  }
}

LRESULT OnWindowPosChanging(TWindow* w, LPARAM lParam) {
  TWindowPos* wp = reinterpret_cast<TWindowPos*>(lParam);
  if (!wp || w->IsChild() || !(w->Style & WS_THICKFRAME) || (wp->flags & SWP_NOSIZE)) return 0;
  if (w->IsMaximized() || w->IsMinimized()) return 0;
  const TMinMaxInfo mm = Sys().Placer().QueryMinMaxInfo(w);
  wp->cx = std::clamp(wp->cx, mm.ptMinTrackSize.X, std::max(mm.ptMinTrackSize.X, mm.ptMaxTrackSize.X));
  wp->cy = std::clamp(wp->cy, mm.ptMinTrackSize.Y, std::max(mm.ptMinTrackSize.Y, mm.ptMaxTrackSize.Y));
  return 0;
}

LRESULT OnWindowPosChanged(TWindow* w, LPARAM lParam) {
  const TWindowPos* wp = reinterpret_cast<const TWindowPos*>(lParam);
  if (!wp) return 0;
  TWindowSystem& sys = Sys();
  const HWND h = w->Handle();
  if (!(wp->flags & SWP_NOMOVE)) {
    sys.Send(w, WM_MOVE, 0, PointToLParam(w->Rect.TopLeft() + w->ClientRect.TopLeft()));
    if (!(w = sys.Find(h))) return 0;
  }
  if (!(wp->flags & SWP_NOSIZE)) {
    const WPARAM kind = w->IsMinimized() ? SIZE_MINIMIZED : w->IsMaximized() ? SIZE_MAXIMIZED : SIZE_RESTORED;
    const LPARAM size = w->IsMinimized() ? 0 : MAKELPARAM(w->ClientRect.Width(), w->ClientRect.Height());
    sys.Send(w, WM_SIZE, kind, size);
  }
  return 0;
}

// Right-button releases and the context menu keys (Shift+F10, the menu
// key) ask for a context menu: WM_CONTEXTMENU with the screen point, or -1
// from the keyboard. Unanswered, it goes up to the parent.
LRESULT RequestContextMenu(TWindow* w, LPARAM screenPoint) {
  return Sys().Send(w, WM_CONTEXTMENU, w->Handle().ToWParam(), screenPoint);
}

LRESULT OnEraseBackground(TWindow* w, WPARAM wParam) {
  TDeviceContext* dc = reinterpret_cast<TDeviceContext*>(wParam);
  if (!dc || w->ClassBackground == clNone) return 0;
  dc->FillRect(TRect(0, 0, w->ClientRect.Width(), w->ClientRect.Height()), w->ClassBackground);
  return 1;
}

}  // namespace

THitTest SizingBorderHitTest(TPoint p, int32_t width, int32_t height, int32_t border, int32_t corner) {
  const bool left = p.X < border, right = p.X >= width - border, top = p.Y < border, bottom = p.Y >= height - border;
  if (!left && !right && !top && !bottom) return HTNOWHERE;
  const bool nearLeft = p.X < corner, nearRight = p.X >= width - corner;
  const bool nearTop = p.Y < corner, nearBottom = p.Y >= height - corner;
  if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
  if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
  if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
  if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
  if (left) return HTLEFT;
  if (right) return HTRIGHT;
  if (top) return HTTOP;
  return HTBOTTOM;
}

TCursorShape CursorForHitTest(int32_t hit) {
  if (IsSizingHitTest(hit)) return kSizingCursors[hit - HTLEFT];
  return TCursorShape::Arrow;
}

LRESULT DefWindowProc(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  TWindowSystem& sys = Sys();
  TWindow* w = sys.Find(wnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE:
      return 1;
    case WM_NCCALCSIZE:
      return OnNCCalcSize(w, lParam);
    case WM_NCHITTEST:
      return OnNCHitTest(w, lParam);
    case WM_NCPAINT:
      return OnNCPaint(w);
    case WM_NCACTIVATE:
      w->FrameActive = wParam != 0;
      sys.Painter().InvalidateFrame(w);
      return 1;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !w->IsMinimized()) sys.Focus().SetFocus(w);
      return 0;
    case WM_MOUSEACTIVATE:
      if (w->IsChild() && w->Parent) {
        if (const LRESULT r = sys.Send(w->Parent, WM_MOUSEACTIVATE, wParam, lParam)) return r;
      }
      return MA_ACTIVATE;
    case WM_SETCURSOR:
      return OnSetCursor(w, wParam, lParam);
    case WM_NCLBUTTONDOWN: {
      const int32_t hit = static_cast<int32_t>(wParam);
      if (hit == HTCAPTION) sys.Send(w, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
      else if (IsSizingHitTest(hit)) sys.Send(w, WM_SYSCOMMAND, SC_SIZE | SizingEdgeOfHitTest(hit), lParam);
      else if (CaptionButtonEnabled(w, hit)) sys.Input().CaptionButton().Begin(w, hit);
      return 0;
    }
    case WM_NCLBUTTONDBLCLK: {
      const int32_t hit = static_cast<int32_t>(wParam);
      if (hit == HTCAPTION && (w->Style & WS_MAXIMIZEBOX))
        sys.Send(w, WM_SYSCOMMAND, w->IsMaximized() ? SC_RESTORE : SC_MAXIMIZE, lParam);
      else if (CaptionButtonEnabled(w, hit))  // a quick second click is a click too
        sys.Input().CaptionButton().Begin(w, hit);
      return 0;
    }
    case WM_SYSCOMMAND:
      return OnSysCommand(w, wParam);
    case WM_CLOSE:
      sys.Destroy(wnd);
      return 0;
    case WM_ERASEBKGND:
      return OnEraseBackground(w, wParam);
    case WM_PAINT: {
      if (wParam) return 0;  // painting into a given context: nothing by default
      TPaintStruct ps;
      sys.Painter().BeginPaint(w, ps);
      sys.Painter().EndPaint(sys.Find(wnd), ps);
      return 0;
    }
    case WM_WINDOWPOSCHANGING:
      return OnWindowPosChanging(w, lParam);
    case WM_WINDOWPOSCHANGED:
      return OnWindowPosChanged(w, lParam);
    case WM_SETTEXT:
      w->Text = lParam ? reinterpret_cast<const char*>(lParam) : "";
      if ((w->Style & WS_CAPTION) == WS_CAPTION) sys.Painter().InvalidateFrame(w);
      return 1;
    case WM_GETTEXT:
      if (lParam) *reinterpret_cast<std::string*>(lParam) = w->Text;
      return static_cast<LRESULT>(w->Text.size());
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->Text.size());
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && KeyDataAltDown(lParam) && !KeyDataWasDown(lParam))
        sys.Send(TWindowSystem::TopLevelOf(w), WM_SYSCOMMAND, SC_CLOSE, 0);
      else if (wParam == VK_F10 && sys.Input().IsKeyDown(VK_SHIFT) && !KeyDataAltDown(lParam))
        RequestContextMenu(w, -1);
      return 0;
    case WM_SYSKEYUP:
      if ((wParam == VK_MENU && sys.Input().MenuKeyAlone()) || (wParam == VK_F10 && !sys.Input().IsKeyDown(VK_SHIFT)))
        sys.Send(TWindowSystem::TopLevelOf(w), WM_SYSCOMMAND, SC_KEYMENU, 0);
      return 0;
    case WM_KEYUP:
      if (wParam == VK_APPS) RequestContextMenu(w, -1);
      return 0;
    case WM_RBUTTONUP:
      RequestContextMenu(w, PointToLParam(PointFromLParam(lParam) + TWindowSystem::ClientScreenOrigin(w)));
      return 0;
    case WM_CONTEXTMENU:
      if (w->IsChild() && w->Parent) return sys.Send(w->Parent, WM_CONTEXTMENU, wParam, lParam);
      return 0;
    case WM_SYNCPAINT:
      // The frame and whatever is due, now.
      if (w->FrameNeeded) {
        w->FrameNeeded = false;
        sys.Send(w, WM_NCPAINT, 1, 0);
        if (!(w = sys.Find(wnd))) return 0;
      }
      sys.Painter().UpdateWindow(w);
      return 0;
    case WM_MOUSEWHEEL:
      if (w->IsChild() && w->Parent) return sys.Send(w->Parent, WM_MOUSEWHEEL, wParam, lParam);
      return 0;
    case WM_CANCELMODE:
      if (sys.Input().SizeMove().IsActive() && sys.Input().SizeMove().Window() == wnd)
        sys.Input().SizeMove().End(true);
      if (sys.Focus().Capture() == wnd) sys.Focus().ReleaseCapture();
      return 0;
    default:
      return 0;
  }
}

}  // namespace tsm
