#include "platform/window/SizeMoveLoop.h"

#include <algorithm>

#include "platform/window/WindowSystem.h"

namespace tsm {

namespace {

// Which edges a sizing edge moves: left, top, right, bottom.
struct TEdgeMask {
  bool Left, Top, Right, Bottom;
};
constexpr TEdgeMask kEdgeMasks[9] = {
    {false, false, false, false},  // 0: moving
    {true, false, false, false},   // WMSZ_LEFT
    {false, false, true, false},   // WMSZ_RIGHT
    {false, true, false, false},   // WMSZ_TOP
    {true, true, false, false},    // WMSZ_TOPLEFT
    {false, true, true, false},    // WMSZ_TOPRIGHT
    {false, false, false, true},   // WMSZ_BOTTOM
    {true, false, false, true},    // WMSZ_BOTTOMLEFT
    {false, false, true, true},    // WMSZ_BOTTOMRIGHT
};

TRect ScreenRectOf(const TWindow* w) {
  const TPoint o = TWindowSystem::ScreenOrigin(w);
  return TRect::FromSize(o.X, o.Y, w->Rect.Width(), w->Rect.Height());
}

}  // namespace

bool TSizeMoveLoop::Begin(TWindow* w, uint32_t edge, TPoint p) {
  if (m_active || !w || edge > WMSZ_BOTTOMRIGHT) return false;
  m_active = true;
  m_wnd = w->Handle();
  m_edge = edge;
  m_start = p;
  m_last = p;
  m_startRect = ScreenRectOf(w);
  m_sys.Focus().SetCapture(w);
  m_sys.Send(w, WM_ENTERSIZEMOVE, 0, 0);
  if (!m_active) return false;
  if (edge != 0) {
    TWindow* live = m_sys.Find(m_wnd);
    if (!live) {
      End(false);
      return false;
    }
    const TMinMaxInfo mm = m_sys.Placer().QueryMinMaxInfo(live);
    m_minTrack = mm.ptMinTrackSize;
    m_maxTrack = mm.ptMaxTrackSize;
  }
  return true;
}

void TSizeMoveLoop::Track(TPoint p) {
  if (!m_active || p == m_last) return;
  m_last = p;
  TWindow* w = m_sys.Find(m_wnd);
  if (!w) {
    End(false);
    return;
  }
  const int32_t dx = p.X - m_start.X, dy = p.Y - m_start.Y;
  TRect r = m_startRect;
  if (m_edge == 0) {
    r.Offset(dx, dy);
    m_sys.Send(w, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
  } else {
    const TEdgeMask e = kEdgeMasks[m_edge];
    if (e.Left) r.Left += dx;
    if (e.Right) r.Right += dx;
    if (e.Top) r.Top += dy;
    if (e.Bottom) r.Bottom += dy;
    // Clamp to the tracking sizes, keeping the opposite edge in place.
    const int32_t width = std::clamp(r.Width(), m_minTrack.X, std::max(m_minTrack.X, m_maxTrack.X));
    const int32_t height = std::clamp(r.Height(), m_minTrack.Y, std::max(m_minTrack.Y, m_maxTrack.Y));
    if (e.Left) r.Left = r.Right - width; else r.Right = r.Left + width;
    if (e.Top) r.Top = r.Bottom - height; else r.Bottom = r.Top + height;
    m_sys.Send(w, WM_SIZING, m_edge, reinterpret_cast<LPARAM>(&r));
  }
  if (!m_active || !m_sys.Find(m_wnd)) return;
  // Screen rectangle -> the window's own coordinate space.
  const TPoint parentOrigin = w->Parent ? TWindowSystem::ClientScreenOrigin(w->Parent) : TPoint();
  r.Offset(-parentOrigin.X, -parentOrigin.Y);
  uint32_t flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (m_edge == 0) flags |= SWP_NOSIZE;
  m_sys.Placer().SetWindowPos(w, HWND(), r.Left, r.Top, r.Width(), r.Height(), flags);
}

void TSizeMoveLoop::End(bool restore) {
  if (!m_active) return;
  m_active = false;
  TWindow* w = m_sys.Find(m_wnd);
  if (w && restore) {
    const TPoint parentOrigin = w->Parent ? TWindowSystem::ClientScreenOrigin(w->Parent) : TPoint();
    const TRect r = m_startRect.Offsetted(-parentOrigin.X, -parentOrigin.Y);
    m_sys.Placer().SetWindowPos(w, HWND(), r.Left, r.Top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (m_sys.Focus().Capture() == m_wnd) m_sys.Focus().ReleaseCapture();
  if ((w = m_sys.Find(m_wnd))) m_sys.Send(w, WM_EXITSIZEMOVE, 0, 0);
  m_edge = 0;
}

}  // namespace tsm
