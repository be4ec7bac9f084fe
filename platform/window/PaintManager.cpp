#include "platform/window/PaintManager.h"

#include <algorithm>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Region.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

struct TPaintManager::TDCEntry {
  std::unique_ptr<TDeviceContext> Dc;
  HWND Wnd;
  HWND Top;
  TRegion Visible;  // top-level coordinates
};

namespace {

// The pixels a shown window covers in its top-level window's coordinates.
TRegion CoveredArea(const TWindow* w) {
  const TPoint o = TWindowSystem::OriginInTopLevel(w);
  TRegion r(w->LocalRect());
  if (w->Shape) r.Intersect(*w->Shape);
  r.Offset(o.X, o.Y);
  return r;
}

TRect ClientLocal(const TWindow* w) { return {0, 0, w->ClientRect.Width(), w->ClientRect.Height()}; }

}  // namespace

TPaintManager::TPaintManager(TWindowSystem& sys) : m_sys(sys) {}
TPaintManager::~TPaintManager() = default;

void TPaintManager::Invalidate(TWindow* w, const TRegion* rgn, bool erase) {
  TRegion add = rgn ? rgn->Intersected(TRegion(ClientLocal(w))) : TRegion(ClientLocal(w));
  if (add.IsEmpty()) return;
  w->Update.Union(add);
  if (erase) w->EraseNeeded = true;
}

void TPaintManager::Validate(TWindow* w, const TRegion* rgn) {
  ++w->PaintCycles;
  if (rgn)
    w->Update.Subtract(*rgn);
  else
    w->Update.Clear();
  if (w->Update.IsEmpty()) w->EraseNeeded = false;
}

void TPaintManager::InvalidateFrame(TWindow* w) {
  if (w->ClientRect != w->LocalRect()) w->FrameNeeded = true;
}

void TPaintManager::InvalidateTree(TWindow* w) {
  InvalidateFrame(w);
  Invalidate(w, nullptr, true);
  for (TWindow* c : w->Children) InvalidateTree(c);
}

void TPaintManager::ExposeInParent(TWindow* child, const TRect& oldRect) {
  TWindow* parent = child->Parent;
  if (!parent) return;
  TRegion area(oldRect);
  Invalidate(parent, &area, true);
  for (TWindow* s : parent->Children)
    if (s != child && s->HasVisibleFlag() && s->Rect.Intersects(oldRect)) InvalidateTree(s);
}

void TPaintManager::RedrawWindow(TWindow* w, const TRegion* rgn, uint32_t flags) {
  const bool children = (flags & RDW_ALLCHILDREN) != 0;
  auto apply = [&](auto&& self, TWindow* win, const TRegion* area) -> void {
    if (flags & RDW_INVALIDATE) Invalidate(win, area, (flags & RDW_ERASE) != 0);
    if (flags & RDW_VALIDATE) Validate(win, area);
    if (flags & RDW_INTERNALPAINT) win->InternalPaint = true;
    if ((flags & RDW_FRAME) && (flags & RDW_INVALIDATE)) InvalidateFrame(win);
    if ((flags & RDW_NOFRAME) && (flags & RDW_VALIDATE)) {
    } else if ((flags & RDW_FRAME) && (flags & RDW_VALIDATE)) {
      win->FrameNeeded = false;
    }
    if (!children) return;
    for (TWindow* c : win->Children) {
      if (!area) {
        self(self, c, nullptr);
        continue;
      }
      // The part of the area over the child, in the child's client coordinates.
      TRegion sub = area->Intersected(TRegion(c->Rect));
      if (sub.IsEmpty()) continue;
      sub.Offset(-c->Rect.Left - c->ClientRect.Left, -c->Rect.Top - c->ClientRect.Top);
      self(self, c, &sub);
    }
  };
  apply(apply, w, rgn);
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) {
    const HWND h = w->Handle();
    auto update = [&](auto&& self, HWND wnd) -> void {
      TWindow* win = m_sys.Find(wnd);
      if (!win) return;
      UpdateWindow(win);
      if (!children || !(win = m_sys.Find(wnd))) return;
      std::vector<HWND> kids;
      for (TWindow* c : win->Children) kids.push_back(c->Handle());
      for (HWND k : kids) self(self, k);
    };
    update(update, h);
  }
}

void TPaintManager::UpdateWindow(TWindow* w) {
  if (w->NeedsPaint() && TWindowSystem::IsShowing(w) && !w->InPaint) m_sys.Send(w, WM_PAINT, 0, 0);
}

TWindow* TPaintManager::NextToPaint() const {
  auto find = [](auto&& self, TWindow* w) -> TWindow* {
    if (!w->HasVisibleFlag() || w->IsMinimized()) return nullptr;
    if (w->NeedsPaint() && !w->InPaint) return w;
    for (TWindow* c : w->Children)
      if (TWindow* found = self(self, c)) return found;
    return nullptr;
  };
  for (TWindow* t : m_sys.TopLevels())
    if (TWindow* found = find(find, t)) return found;
  return nullptr;
}

TRegion TPaintManager::VisibleRegion(const TWindow* w, bool clientOnly) const {
  if (!TWindowSystem::IsShowing(w)) return {};
  const TPoint o = TWindowSystem::OriginInTopLevel(w);
  TRegion r(clientOnly ? w->ClientRect : w->LocalRect());
  if (w->Shape) r.Intersect(*w->Shape);
  r.Offset(o.X, o.Y);
  // Clipped by every ancestor's client area and shape, minus the siblings
  // stacked above the window and above each ancestor.
  const TWindow* c = w;
  while (c->Parent) {
    const TWindow* p = c->Parent;
    const TPoint po = TWindowSystem::OriginInTopLevel(p);
    r.Intersect(p->ClientRect.Offsetted(po));
    if (p->Shape) r.Intersect(p->Shape->Offsetted(po.X, po.Y));
    for (const TWindow* s : p->Children) {
      if (s == c) break;
      if (s->HasVisibleFlag()) r.Subtract(CoveredArea(s));
    }
    c = p;
  }
  r.Intersect(c->LocalRect());
  for (const TWindow* ch : w->Children)
    if (ch->HasVisibleFlag()) r.Subtract(CoveredArea(ch));
  return r;
}

std::unique_ptr<TDeviceContext> TPaintManager::MakeDC(TWindow* w, bool wholeWindow, const TRegion* limit,
                                                      TRegion& visible) {
  TWindow* top = TWindowSystem::TopLevelOf(w);
  visible = VisibleRegion(w, !wholeWindow);
  TPoint origin = TWindowSystem::OriginInTopLevel(w);
  if (!wholeWindow) origin = origin + w->ClientRect.TopLeft();
  if (limit) visible.Intersect(limit->Offsetted(origin.X, origin.Y));
  auto dc = std::make_unique<TDeviceContext>(top->Surface->View());
  dc->SetDeviceOrigin(origin);
  const TRegion clip = visible.Offsetted(-origin.X, -origin.Y);
  dc->SetSystemClip(&clip);
  return dc;
}

TDeviceContext* TPaintManager::GetDC(TWindow* w, bool wholeWindow) {
  auto entry = std::make_unique<TDCEntry>();
  entry->Dc = MakeDC(w, wholeWindow, nullptr, entry->Visible);
  entry->Wnd = w->Handle();
  entry->Top = TWindowSystem::TopLevelOf(w)->Handle();
  TDeviceContext* dc = entry->Dc.get();
  m_dcs.push_back(std::move(entry));
  return dc;
}

bool TPaintManager::ReleaseDC(TWindow*, TDeviceContext* dc) {
  const auto it = std::find_if(m_dcs.begin(), m_dcs.end(), [&](const auto& e) { return e->Dc.get() == dc; });
  if (it == m_dcs.end()) return false;
  if (TWindow* top = m_sys.Find((*it)->Top)) AddDamage(top, (*it)->Visible);
  m_dcs.erase(it);
  return true;
}

TDeviceContext* TPaintManager::BeginPaint(TWindow* w, TPaintStruct& ps) {
  const HWND h = w->Handle();
  if (w->FrameNeeded) {
    w->FrameNeeded = false;
    m_sys.Send(w, WM_NCPAINT, 1, 0);
    if (!(w = m_sys.Find(h))) {
      ps = {};
      return nullptr;
    }
  }
  // What is invalidated from here on (while painting, or after EndPaint)
  // brings another WM_PAINT.
  ++w->PaintCycles;
  const TRegion update = w->Update;
  const bool erase = w->EraseNeeded;
  w->Update.Clear();
  w->EraseNeeded = false;
  w->InternalPaint = false;
  w->InPaint = true;

  auto entry = std::make_unique<TDCEntry>();
  entry->Dc = MakeDC(w, false, &update, entry->Visible);
  entry->Wnd = h;
  entry->Top = TWindowSystem::TopLevelOf(w)->Handle();
  ps.hdc = entry->Dc.get();
  ps.rcPaint = update.Bounds();
  ps.fErase = false;
  m_dcs.push_back(std::move(entry));
  if (erase) ps.fErase = m_sys.Send(w, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps.hdc), 0) == 0;
  return ps.hdc;
}

void TPaintManager::EndPaint(TWindow* w, const TPaintStruct& ps) {
  if (w) w->InPaint = false;
  if (ps.hdc) ReleaseDC(w, ps.hdc);
}

bool TPaintManager::ScrollWindowEx(TWindow* w, int32_t dx, int32_t dy, const TRect* scroll, const TRect* clip,
                                   TRegion* updated, uint32_t flags) {
  const TRect clientLocal = ClientLocal(w);
  const TRect area = scroll ? scroll->Intersected(clientLocal) : clientLocal;
  const TRect clipArea = clip ? clip->Intersected(clientLocal) : clientLocal;
  TWindow* top = TWindowSystem::TopLevelOf(w);
  const TPoint origin = TWindowSystem::OriginInTopLevel(w) + w->ClientRect.TopLeft();

  // Only pixels that are visible on both ends can be moved.
  TRegion visible = VisibleRegion(w, true);
  visible.Offset(-origin.X, -origin.Y);
  TRegion source = visible.Intersected(TRegion(area));
  TRegion dest = source.Offsetted(dx, dy);
  dest.Intersect(clipArea);
  dest.Intersect(visible);
  if (!dest.IsEmpty() && top->Surface) {
    // Copy through a buffer so that overlapping rectangles read old pixels.
    const TRect bounds = dest.Bounds().Offsetted(origin.X - dx, origin.Y - dy).Intersected(top->Surface->Bounds());
    std::vector<uint32_t> buffer(size_t(std::max(bounds.Width(), 0)) * size_t(std::max(bounds.Height(), 0)));
    for (int32_t y = bounds.Top; y < bounds.Bottom; ++y)
      std::copy_n(top->Surface->Row(y) + bounds.Left, bounds.Width(),
                  buffer.begin() + ptrdiff_t(y - bounds.Top) * bounds.Width());
    for (const TRect& d : dest.Rects()) {
      const TRect ds = d.Offsetted(origin.X, origin.Y).Intersected(top->Surface->Bounds());
      for (int32_t y = ds.Top; y < ds.Bottom; ++y) {
        const int32_t sy = y - dy, sx = ds.Left - dx;
        if (sy < bounds.Top || sy >= bounds.Bottom) continue;
        for (int32_t x = ds.Left; x < ds.Right; ++x) {
          const int32_t bx = x - dx;
          if (bx < bounds.Left || bx >= bounds.Right) continue;
          top->Surface->Row(y)[x] = buffer[size_t(sy - bounds.Top) * size_t(bounds.Width()) + size_t(bx - bounds.Left)];
        }
        (void)sx;
      }
    }
    AddDamage(top, dest.Offsetted(origin.X, origin.Y));
  }
  // The update region moves with the pixels.
  TRegion movedUpdate = w->Update.Intersected(TRegion(area));
  if (!movedUpdate.IsEmpty()) {
    w->Update.Subtract(area);
    movedUpdate.Offset(dx, dy);
    movedUpdate.Intersect(clipArea);
    w->Update.Union(movedUpdate);
  }
  TRegion uncovered(area.Intersected(clipArea));
  uncovered.Subtract(dest);
  if (updated) *updated = uncovered;
  if (flags & SW_INVALIDATE) Invalidate(w, &uncovered, (flags & SW_ERASE) != 0);
  if (flags & SW_SCROLLCHILDREN) {
    std::vector<HWND> kids;
    for (TWindow* c : w->Children)
      if (c->Rect.Intersects(area)) kids.push_back(c->Handle());
    for (HWND k : kids)
      if (TWindow* c = m_sys.Find(k))
        m_sys.Placer().SetWindowPos(c, HWND(), c->Rect.Left + dx, c->Rect.Top + dy, 0, 0,
                                    SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}

void TPaintManager::AddDamage(TWindow* top, const TRegion& rgn) {
  if (rgn.IsEmpty()) return;
  m_damage[top->Handle().Id].Union(rgn.Intersected(TRegion(top->LocalRect())));
}

void TPaintManager::Flush() {
  // Contexts still held keep drawing; show what they cover as well.
  for (const auto& e : m_dcs)
    if (TWindow* top = m_sys.Find(e->Top)) AddDamage(top, e->Visible);
  if (m_damage.empty()) return;
  auto damage = std::move(m_damage);
  m_damage.clear();
  for (auto& [id, rgn] : damage)
    if (TWindow* top = m_sys.Find(HWND(id)); top && !rgn.IsEmpty()) m_sys.Backend().Present(top->Handle(), rgn);
}

void TPaintManager::WindowGone(TWindow* w) {
  std::erase_if(m_dcs, [&](const auto& e) { return e->Wnd == w->Handle(); });
  m_damage.erase(w->Handle().Id);
}

}  // namespace tsm
