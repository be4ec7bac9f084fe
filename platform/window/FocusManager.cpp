#include "platform/window/FocusManager.h"

#include "platform/window/WindowSystem.h"

namespace tsm {

bool TFocusManager::CanActivate(const TWindow* w) {
  return w && w->IsTopLevel() && !w->NeverActivates() && !w->Destroying && TWindowSystem::IsShowing(w) &&
         !w->HasDisabledFlag();
}

bool TFocusManager::Activate(TWindow* w, WPARAM how) {
  if (w && !CanActivate(w)) return false;
  const HWND newActive = w ? w->Handle() : HWND();
  const HWND old = m_active;
  if (old == newActive) {
    if (w) m_sys.Placer().BringToTop(w);
    return true;
  }
  m_active = newActive;
  if (TWindow* o = m_sys.Find(old)) {
    m_sys.Send(o, WM_NCACTIVATE, 0, 0);
    m_sys.Send(o, WM_ACTIVATE, WA_INACTIVE, newActive.ToLParam());
  }
  // A message handler above may have activated yet another window.
  if (m_active != newActive) return m_active == newActive;
  if (m_appActive != static_cast<bool>(w)) {
    BroadcastActivateApp(w != nullptr);
    if (m_active != newActive) return false;
    w = m_sys.Find(newActive);
    if (newActive && !w) return false;
  }
  if (w) {
    m_sys.Placer().BringToTop(w);
    m_sys.Send(w, WM_NCACTIVATE, 1, 0);
    m_sys.Send(w, WM_ACTIVATE, how, old.ToLParam());
  }
  TWindow* focus = m_sys.Find(m_focus);
  TWindow* active = m_sys.Find(m_active);
  if (focus && (!active || !TWindowSystem::IsDescendant(focus, active))) SetFocus(nullptr);
  m_sys.Backend().ActiveChanged(m_active);
  return true;
}

HWND TFocusManager::SetFocus(TWindow* w) {
  const HWND old = m_focus;
  if (w) {
    if (w->Destroying) return old;
    TWindow* top = TWindowSystem::TopLevelOf(w);
    if (top->Handle() != m_active) {
      if (!CanActivate(top)) return old;
      Activate(top, WA_ACTIVE);
      if (top->Handle() != m_active || !m_sys.Find(w->Handle())) return old;
      if (m_focus == w->Handle()) return old;
    }
  }
  const HWND target = w ? w->Handle() : HWND();
  const HWND previous = m_focus;
  if (previous == target) return previous;
  m_focus = target;
  if (TWindow* o = m_sys.Find(previous)) m_sys.Send(o, WM_KILLFOCUS, target.ToWParam(), 0);
  if (w && m_focus == target && m_sys.Find(target)) m_sys.Send(w, WM_SETFOCUS, previous.ToWParam(), 0);
  return previous;
}

HWND TFocusManager::SetCapture(TWindow* w) {
  const HWND old = m_capture;
  const HWND target = w ? w->Handle() : HWND();
  if (old == target) return old;
  m_capture = target;
  if (TWindow* o = m_sys.Find(old)) m_sys.Send(o, WM_CAPTURECHANGED, 0, target.ToLParam());
  m_sys.Input().CaptureChanged(target);
  return old;
}

bool TFocusManager::ReleaseCapture() {
  if (!m_capture) return true;
  SetCapture(nullptr);
  return true;
}

void TFocusManager::BroadcastActivateApp(bool active) {
  m_appActive = active;
  std::vector<HWND> tops;
  for (TWindow* t : m_sys.TopLevels())
    if (!t->Destroying) tops.push_back(t->Handle());
  for (HWND h : tops) m_sys.Send(h, WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

void TFocusManager::DeactivateApplication() {
  if (TWindow* c = m_sys.Find(m_capture)) m_sys.Send(c, WM_CANCELMODE, 0, 0);
  if (m_sys.Input().SizeMove().IsActive()) m_sys.Input().SizeMove().End(false);
  ReleaseCapture();
  Activate(nullptr);
}

TWindow* TFocusManager::EnabledOwnedWindow(const TWindow* owner) const {
  for (TWindow* t : m_sys.TopLevels())
    for (TWindow* o = t->Owner; o; o = o->Owner)
      if (o == owner) {
        if (CanActivate(t)) return t;
        break;
      }
  return nullptr;
}

bool TFocusManager::ForwardToOwned(TWindow* owner, WPARAM how) {
  TWindow* owned = EnabledOwnedWindow(owner);
  if (!owned) return false;
  m_sys.Placer().BringToTop(owner);
  Activate(owned, how);
  return true;
}

TWindow* TFocusManager::NextToActivate(TWindow* leaving) const {
  for (TWindow* o = leaving ? leaving->Owner : nullptr; o; o = o->Owner)
    if (CanActivate(o)) return o;
  for (TWindow* t : m_sys.TopLevels())
    if (t != leaving && CanActivate(t) && !(leaving && TWindowSystem::IsDescendant(t, leaving))) return t;
  return nullptr;
}

void TFocusManager::WindowLeaving(TWindow* w, bool activateNext) {
  if (TWindow* c = m_sys.Find(m_capture); c && TWindowSystem::IsDescendant(c, w)) ReleaseCapture();
  if (TWindow* f = m_sys.Find(m_focus); f && TWindowSystem::IsDescendant(f, w)) {
    // The focus moves to the parent when it is still usable, as a control
    // that disappears hands the keyboard back to its form.
    TWindow* parent = w->Parent;
    if (w->IsChild() && parent && !parent->Destroying && TWindowSystem::IsShowing(parent))
      SetFocus(parent);
    else
      SetFocus(nullptr);
  }
  if (w->IsTopLevel() && m_active == w->Handle()) {
    if (activateNext) {
      TWindow* next = NextToActivate(w);
      if (next)
        Activate(next, WA_ACTIVE);
      else
        Activate(nullptr);
    } else {
      Activate(nullptr);
    }
  }
}

}  // namespace tsm
