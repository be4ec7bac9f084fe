#include "platform/window/WindowPlacer.h"

#include <algorithm>

#include "platform/window/WindowSystem.h"

namespace tsm {

namespace {

bool IsTopmost(const TWindow* w) { return (w->ExStyle & WS_EX_TOPMOST) != 0; }

// Where the band of normal windows starts: after the last window of the
// topmost band.
size_t FirstNormalIndex(const std::vector<TWindow*>& list) {
  size_t first = 0;
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i]->InTopmostBand()) first = i + 1;
  return first;
}

}  // namespace

WPARAM TWindowPlacer::SizeKind(const TWindow* w) const {
  if (w->IsMinimized()) return SIZE_MINIMIZED;
  if (w->IsMaximized()) return SIZE_MAXIMIZED;
  return SIZE_RESTORED;
}

TMonitorInfo TWindowPlacer::MonitorOfRect(const TRect& r) const {
  const std::vector<TMonitorInfo> monitors = m_sys.Backend().Monitors();
  TMonitorInfo best = monitors.front();
  int64_t bestArea = -1;
  for (const TMonitorInfo& m : monitors) {
    const TRect x = m.Bounds.Intersected(r);
    const int64_t area = int64_t(x.Width()) * x.Height();
    if (area > bestArea) {
      bestArea = area;
      best = m;
    }
  }
  if (bestArea <= 0) {
    // Nothing on any monitor: the nearest by centre distance.
    const TPoint c = r.CenterPoint();
    int64_t bestDist = -1;
    for (const TMonitorInfo& m : monitors) {
      const TPoint mc = m.Bounds.CenterPoint();
      const int64_t d = int64_t(c.X - mc.X) * (c.X - mc.X) + int64_t(c.Y - mc.Y) * (c.Y - mc.Y);
      if (bestDist < 0 || d < bestDist) {
        bestDist = d;
        best = m;
      }
    }
  }
  return best;
}

TMonitorInfo TWindowPlacer::MonitorOf(const TWindow* w) const {
  const TWindow* top = w;
  while (top->Parent) top = top->Parent;
  return MonitorOfRect(top->IsMaximized() || top->IsMinimized() ? top->NormalRect : top->Rect);
}

TMinMaxInfo TWindowPlacer::QueryMinMaxInfo(TWindow* w) {
  const TMonitorInfo mon = MonitorOf(w);
  TRect all;
  for (const TMonitorInfo& m : m_sys.Backend().Monitors()) all.Unite(m.Bounds);
  TMinMaxInfo info;
  info.ptMaxSize = {mon.WorkArea.Width(), mon.WorkArea.Height()};
  info.ptMaxPosition = mon.WorkArea.TopLeft();
  info.ptMinTrackSize = {112, 27};
  info.ptMaxTrackSize = {all.Width() + 12, all.Height() + 12};
  m_sys.Send(w, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  return info;
}

void TWindowPlacer::StackingChanged() {
  std::vector<HWND> order;
  order.reserve(m_sys.TopLevels().size());
  for (TWindow* t : m_sys.TopLevels()) order.push_back(t->Handle());
  m_sys.Backend().StackingChanged(order);
}

void TWindowPlacer::PlaceTopLevel(TWindow* w, size_t index) {
  std::vector<TWindow*>& list = m_sys.MutableTopLevels();
  std::erase(list, w);
  // Keep the bands: topmost windows (and the windows they own) stay above
  // all others.
  const size_t firstNormal = FirstNormalIndex(list);
  if (w->InTopmostBand())
    index = std::min(index, firstNormal);
  else
    index = std::clamp(index, firstNormal, list.size());
  list.insert(list.begin() + static_cast<ptrdiff_t>(index), w);
}

void TWindowPlacer::BringToTop(TWindow* w) {
  if (w->IsChild()) {
    ApplyZOrder(w, HWND_TOP);
    return;
  }
  const std::vector<TWindow*> before = m_sys.TopLevels();
  PlaceTopLevel(w, 0);
  // Owned windows (and theirs) stay above their owner, in their order.
  std::vector<TWindow*> owned;
  for (TWindow* t : before)
    if (t != w && TWindowSystem::IsDescendant(t, w) == false) {
      for (TWindow* o = t->Owner; o; o = o->Owner)
        if (o == w) {
          owned.push_back(t);
          break;
        }
    }
  for (auto it = owned.rbegin(); it != owned.rend(); ++it) PlaceTopLevel(*it, 0);
  if (before != m_sys.TopLevels()) {
    StackingChanged();
    m_sys.Painter().StackingChanged();
  }
}

void TWindowPlacer::KeepOwnedAbove(TWindow* w) {
  const std::vector<TWindow*>& list = m_sys.TopLevels();
  const auto indexOf = [&](const TWindow* t) {
    return static_cast<size_t>(std::find(list.begin(), list.end(), t) - list.begin());
  };
  if (w->Owner && indexOf(w->Owner) < indexOf(w)) PlaceTopLevel(w, indexOf(w->Owner));
  std::vector<TWindow*> below;  // windows w owns that went below it, topmost first
  for (size_t i = indexOf(w) + 1; i < list.size(); ++i)
    for (const TWindow* o = list[i]->Owner; o; o = o->Owner)
      if (o == w) {
        below.push_back(list[i]);
        break;
      }
  for (auto it = below.rbegin(); it != below.rend(); ++it) PlaceTopLevel(*it, indexOf(w));
}

void TWindowPlacer::ApplyZOrder(TWindow* w, HWND insertAfter) {
  if (w->IsChild()) {
    std::vector<TWindow*>& sib = w->Parent->Children;
    const std::vector<TWindow*> before = sib;
    std::erase(sib, w);
    size_t index = 0;
    if (insertAfter == HWND_BOTTOM) {
      index = sib.size();
    } else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST) {
      index = 0;
    } else {
      const auto it = std::find_if(sib.begin(), sib.end(), [&](TWindow* c) { return c->Handle() == insertAfter; });
      index = it == sib.end() ? 0 : static_cast<size_t>(it - sib.begin()) + 1;
    }
    sib.insert(sib.begin() + static_cast<ptrdiff_t>(index), w);
    if (before != sib && TWindowSystem::IsShowing(w)) m_sys.Painter().InvalidateTree(w);
    return;
  }
  const std::vector<TWindow*> before = m_sys.TopLevels();
  if (insertAfter == HWND_TOPMOST) {
    w->ExStyle |= WS_EX_TOPMOST;
    BringToTop(w);
  } else if (insertAfter == HWND_NOTOPMOST) {
    if (IsTopmost(w)) {
      w->ExStyle &= ~WS_EX_TOPMOST;
      BringToTop(w);
    }
  } else if (insertAfter == HWND_TOP) {
    BringToTop(w);
  } else if (insertAfter == HWND_BOTTOM) {
    PlaceTopLevel(w, m_sys.TopLevels().size());
    KeepOwnedAbove(w);
  } else {
    std::vector<TWindow*> others = m_sys.TopLevels();
    std::erase(others, w);
    const auto it = std::find_if(others.begin(), others.end(), [&](TWindow* t) { return t->Handle() == insertAfter; });
    PlaceTopLevel(w, it == others.end() ? 0 : static_cast<size_t>(it - others.begin()) + 1);
    KeepOwnedAbove(w);
  }
  if (before != m_sys.TopLevels()) {
    StackingChanged();
    m_sys.Painter().StackingChanged();
  }
}

bool TWindowPlacer::SetWindowPos(TWindow* w, HWND insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy,
                                 uint32_t flags) {
  if (!w || (w->Destroying && !(flags & SWP_HIDEWINDOW))) return false;
  const HWND handle = w->Handle();
  TWindowPos wp{handle, insertAfter, x, y, cx, cy, flags};
  if (flags & SWP_NOMOVE) {
    wp.x = w->Rect.Left;
    wp.y = w->Rect.Top;
  }
  if (flags & SWP_NOSIZE) {
    wp.cx = w->Rect.Width();
    wp.cy = w->Rect.Height();
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    m_sys.Send(w, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!m_sys.Find(handle)) return false;
  }
  wp.cx = std::max(wp.cx, 0);
  wp.cy = std::max(wp.cy, 0);
  const TRect oldRect = w->Rect;
  const TRect oldClient = w->ClientRect;
  const bool wasShowing = TWindowSystem::IsShowing(w);
  const TRect newRect = TRect::FromSize(wp.x, wp.y, wp.cx, wp.cy);
  const bool sized = newRect.Size() != oldRect.Size();
  const bool moved = newRect.TopLeft() != oldRect.TopLeft();

  TRect client = oldClient;
  if (sized || (wp.flags & SWP_FRAMECHANGED)) {
    TRect calc = newRect;
    m_sys.Send(w, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&calc));
    if (!m_sys.Find(handle)) return false;
    calc.Offset(-newRect.Left, -newRect.Top);
    // Never outside the window and never of negative size.
    calc.Left = std::clamp(calc.Left, 0, newRect.Width());
    calc.Top = std::clamp(calc.Top, 0, newRect.Height());
    calc.Right = std::clamp(calc.Right, calc.Left, newRect.Width());
    calc.Bottom = std::clamp(calc.Bottom, calc.Top, newRect.Height());
    client = calc;
  }
  w->Rect = newRect;
  w->ClientRect = client;
  if (w->IsTopLevel() && w->Surface) w->Surface->Resize(newRect.Width(), newRect.Height(), 0xFFC0C0C0u);
  if (!(wp.flags & SWP_NOZORDER)) ApplyZOrder(w, wp.hwndInsertAfter);
  if (wp.flags & SWP_SHOWWINDOW) w->Style |= WS_VISIBLE;
  if (wp.flags & SWP_HIDEWINDOW) w->Style &= ~WS_VISIBLE;
  const bool isShowing = TWindowSystem::IsShowing(w);

  // Repainting: a child leaves its old place in the parent exposed; a moved,
  // resized or newly shown window is redrawn completely.
  if (!(wp.flags & SWP_NOREDRAW)) {
    if (w->IsChild() && wasShowing && (moved || sized || !isShowing))
      m_sys.Painter().ExposeInParent(w, oldRect);
    const bool redraw = isShowing && (sized || (wp.flags & SWP_FRAMECHANGED) || !wasShowing ||
                                      (w->IsChild() && moved));
    if (redraw) m_sys.Painter().InvalidateTree(w);
  }
  if (w->IsTopLevel() && (moved || sized || wasShowing != isShowing)) m_sys.Backend().WindowChanged(handle);
  if (w->IsTopLevel() && wasShowing != isShowing) m_sys.Painter().StackingChanged();

  if (wasShowing && !isShowing) m_sys.Focus().WindowLeaving(w, true);
  if (isShowing && w->IsTopLevel() && !(wp.flags & SWP_NOACTIVATE) && TFocusManager::CanActivate(w))
    m_sys.Focus().Activate(w, WA_ACTIVE);

  // WM_WINDOWPOSCHANGED reports what really changed, whatever the caller
  // asked: a frame change (SWP_FRAMECHANGED with SWP_NOSIZE | SWP_NOMOVE)
  // that moves or resizes the client area gets its WM_MOVE and WM_SIZE.
  TWindowPos done = wp;
  done.flags &= ~(SWP_NOMOVE | SWP_NOSIZE);
  if (!moved && client.TopLeft() == oldClient.TopLeft()) done.flags |= SWP_NOMOVE;
  if (!sized && client.Size() == oldClient.Size() && !m_forceSizeMessage) done.flags |= SWP_NOSIZE;
  if (m_sys.Find(handle)) m_sys.Send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&done));
  return true;
}

bool TWindowPlacer::ShowWindow(TWindow* w, TShowCommand cmd) {
  if (!w || w->Destroying) return false;
  const HWND handle = w->Handle();
  const bool wasVisible = w->HasVisibleFlag();
  const bool noActivate = cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE || cmd == SW_SHOWMINNOACTIVE;
  const uint32_t activateFlag = noActivate ? SWP_NOACTIVATE : 0;
  auto announceShow = [&] {
    if (!w->HasVisibleFlag()) m_sys.Send(w, WM_SHOWWINDOW, 1, 0);
    return m_sys.Find(handle) != nullptr;
  };

  switch (cmd) {
    case SW_HIDE:
      if (!wasVisible) return false;
      m_sys.Send(w, WM_SHOWWINDOW, 0, 0);
      if (!m_sys.Find(handle)) return true;
      SetWindowPos(w, HWND(), 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return true;

    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: {
      if (w->IsChild()) return wasVisible;
      if (!announceShow()) return wasVisible;
      if (!w->IsMinimized()) {
        if (!w->IsMaximized()) w->NormalRect = w->Rect;
        w->RestoreToMaximized = w->IsMaximized();
        w->ShowState = TShowState::Minimized;
        w->Style = (w->Style | WS_MINIMIZE) & ~WS_MAXIMIZE;
      }
      const bool wasShowing = wasVisible;
      w->Style |= WS_VISIBLE;
      m_sys.Backend().WindowChanged(handle);
      m_sys.Painter().StackingChanged();
      if (wasShowing) m_sys.Focus().WindowLeaving(w, cmd == SW_MINIMIZE);
      m_forceSizeMessage = true;
      TWindowPos wp{handle, HWND(), w->Rect.Left, w->Rect.Top, w->Rect.Width(), w->Rect.Height(),
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE};
      m_forceSizeMessage = false;
      m_sys.Send(w, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
      return wasVisible;
    }

    case SW_MAXIMIZE: {
      if (w->IsChild()) return wasVisible;
      if (!announceShow()) return wasVisible;
      // Only a normal window's bounds are the ones to restore to later; a
      // minimized window keeps the normal bounds it had.
      const bool wasMinimized = w->IsMinimized();
      if (w->ShowState == TShowState::Normal) w->NormalRect = w->Rect;
      w->ShowState = TShowState::Maximized;
      w->RestoreToMaximized = false;
      w->Style = (w->Style | WS_MAXIMIZE) & ~WS_MINIMIZE;
      if (wasMinimized) {
        m_sys.Backend().WindowChanged(handle);
        m_sys.Painter().StackingChanged();
      }
      const TMinMaxInfo mm = QueryMinMaxInfo(w);
      m_forceSizeMessage = true;
      SetWindowPos(w, HWND_TOP, mm.ptMaxPosition.X, mm.ptMaxPosition.Y, mm.ptMaxSize.X, mm.ptMaxSize.Y,
                   SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOSENDCHANGING);
      m_forceSizeMessage = false;
      return wasVisible;
    }

    case SW_RESTORE:
    case SW_SHOWNORMAL:
      if (w->IsMinimized() && w->RestoreToMaximized && cmd == SW_RESTORE) return ShowWindow(w, SW_MAXIMIZE) || wasVisible;
      if (w->IsMinimized() || w->IsMaximized()) {
        if (!announceShow()) return wasVisible;
        w->ShowState = TShowState::Normal;
        w->RestoreToMaximized = false;
        w->Style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
        const TRect r = w->NormalRect;
        m_sys.Backend().WindowChanged(handle);
        m_sys.Painter().StackingChanged();
        m_forceSizeMessage = true;
        SetWindowPos(w, HWND_TOP, r.Left, r.Top, r.Width(), r.Height(), SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        m_forceSizeMessage = false;
        return wasVisible;
      }
      [[fallthrough]];
    case SW_SHOW:
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
      // A top-level window comes to the top of its band (with the windows it
      // owns) even when it is not activated: a pop-up shown without
      // activation stands above its owner. A child keeps its place.
      if (!announceShow()) return wasVisible;
      SetWindowPos(w, HWND_TOP, 0, 0, 0, 0,
                   SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | activateFlag |
                       (noActivate && w->IsChild() ? SWP_NOZORDER : 0));
      return wasVisible;
  }
  return wasVisible;
}

}  // namespace tsm
