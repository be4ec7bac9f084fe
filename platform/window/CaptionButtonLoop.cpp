#include "platform/window/CaptionButtonLoop.h"

#include "platform/window/WindowSystem.h"

namespace tsm {

bool TCaptionButtonLoop::Begin(TWindow* w, int32_t button) {
  if (m_active || !w || (button != HTCLOSE && button != HTMAXBUTTON && button != HTMINBUTTON)) return false;
  m_active = true;
  m_wnd = w->Handle();
  m_button = button;
  m_sys.Focus().SetCapture(w);
  if (!m_active) return false;  // the capture change ended it
  SetPushed(w, true);
  return m_active;
}

bool TCaptionButtonLoop::Over(TWindow* w, TPoint screen) {
  return m_sys.Send(w, WM_NCHITTEST, 0, PointToLParam(screen)) == m_button;
}

void TCaptionButtonLoop::SetPushed(TWindow* w, bool pushed) {
  if (pushed == m_pushed) return;
  m_pushed = pushed;
  m_sys.Send(w, WM_NCPAINT, 1, 0);
}

void TCaptionButtonLoop::Track(TPoint screen) {
  if (!m_active) return;
  TWindow* w = m_sys.Find(m_wnd);
  if (!w) {
    End(screen, false);
    return;
  }
  const bool over = Over(w, screen);
  if ((w = m_sys.Find(m_wnd)) && m_active) SetPushed(w, over);
}

void TCaptionButtonLoop::End(TPoint screen, bool commit) {
  if (!m_active) return;
  TWindow* w = m_sys.Find(m_wnd);
  const bool act = commit && w && Over(w, screen);
  m_active = false;
  const HWND wnd = m_wnd;
  if (m_sys.Focus().Capture() == wnd) m_sys.Focus().ReleaseCapture();
  if ((w = m_sys.Find(wnd)) && m_pushed) {
    m_pushed = false;
    m_sys.Send(w, WM_NCPAINT, 1, 0);
  }
  m_pushed = false;
  if (!act || !(w = m_sys.Find(wnd))) return;
  uint32_t command = SC_CLOSE;
  if (m_button == HTMAXBUTTON) command = w->IsMaximized() ? SC_RESTORE : SC_MAXIMIZE;
  if (m_button == HTMINBUTTON) command = w->IsMinimized() ? SC_RESTORE : SC_MINIMIZE;
  m_sys.Post(wnd, WM_SYSCOMMAND, command, PointToLParam(screen));
}

}  // namespace tsm
