#include "platform/window/Caret.h"

#include "platform/window/WindowSystem.h"

namespace tsm {

bool TCaret::Create(HWND owner, int32_t width, int32_t height) {
  if (!m_sys.Find(owner)) return false;
  Destroy();
  m_owner = owner;
  m_size = {width > 0 ? width : 1, height > 0 ? height : 16};
  m_pos = {};
  m_hideCount = 1;
  m_on = false;
  return true;
}

bool TCaret::Destroy() {
  if (!m_owner) return false;
  Damage();
  if (m_timer) m_sys.Timers().Kill(HWND(), m_timer);
  m_timer = 0;
  m_owner = HWND();
  m_hideCount = 0;
  m_on = false;
  return true;
}

bool TCaret::SetPos(TPoint p) {
  if (!m_owner) return false;
  if (p == m_pos) return true;
  Damage();
  m_pos = p;
  if (IsShown()) Restart();
  return true;
}

bool TCaret::Show(HWND wnd) {
  if (!m_owner || (wnd && wnd != m_owner)) return false;
  if (m_hideCount > 0 && --m_hideCount == 0) Restart();
  return true;
}

bool TCaret::Hide(HWND wnd) {
  if (!m_owner || (wnd && wnd != m_owner)) return false;
  if (m_hideCount++ == 0) {
    Damage();
    m_on = false;
    if (m_timer) m_sys.Timers().Kill(HWND(), m_timer);
    m_timer = 0;
  }
  return true;
}

void TCaret::Restart() {
  // Visible at once after every change, then blinking.
  m_on = true;
  Damage();
  const uint32_t blink = m_sys.Settings().CaretBlinkTime;
  if (blink == 0) return;
  if (m_timer) m_sys.Timers().Kill(HWND(), m_timer);
  m_timer = m_sys.Timers().Set(HWND(), 0, blink, [this](uint32_t) { Blink(); }, m_sys.Now());
}

void TCaret::Blink() {
  if (!IsShown()) return;
  m_on = !m_on;
  Damage();
}

bool TCaret::OverlayRect(HWND top, TRect& rect) const {
  if (!IsShown() || !m_on) return false;
  TWindow* w = m_sys.Find(m_owner);
  if (!w || !TWindowSystem::IsShowing(w) || TWindowSystem::TopLevelOf(w)->Handle() != top) return false;
  const TPoint o = TWindowSystem::OriginInTopLevel(w) + w->ClientRect.TopLeft();
  rect = TRect::FromSize(m_pos.X, m_pos.Y, m_size.cx, m_size.cy)
             .Intersected(TRect(0, 0, w->ClientRect.Width(), w->ClientRect.Height()))
             .Offsetted(o);
  return !rect.IsEmpty();
}

void TCaret::Damage() {
  TWindow* w = m_sys.Find(m_owner);
  if (!w) return;
  TWindow* top = TWindowSystem::TopLevelOf(w);
  const TPoint o = TWindowSystem::OriginInTopLevel(w) + w->ClientRect.TopLeft();
  m_sys.Painter().AddDamage(top, TRegion(TRect::FromSize(m_pos.X + o.X, m_pos.Y + o.Y, m_size.cx, m_size.cy)));
}

void TCaret::WindowGone(HWND wnd) {
  if (wnd == m_owner) Destroy();
}

}  // namespace tsm
