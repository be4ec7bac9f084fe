#include "framework/controls/WinControl.h"

#include <algorithm>
#include <unordered_map>

#include "framework/base/SysUtils.h"
#include "framework/forms/Application.h"
#include "framework/forms/CustomForm.h"
#include "framework/forms/Screen.h"
#include "platform/window/WindowApi.h"

namespace tsm {

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  m_isWindowed = true;
  m_color = clBtnFace;
}

void TWinControl::BeforeDestruction() {
  FreeChildControls();
  DestroyHandle();
  TControl::BeforeDestruction();
}

void TWinControl::FreeChildControls() {
  // Parents free their children. Freeing a child removes it from the lists.
  while (!m_winControls.empty()) m_winControls.back()->Free();
  while (!m_controls.empty()) m_controls.back()->Free();
}

namespace {

// The framework's windows, so that a handle can be mapped to its control
// without trusting a window's user data.
std::unordered_map<uint32_t, TWinControl*>& ControlsByWindow() {
  static std::unordered_map<uint32_t, TWinControl*> map;
  return map;
}

}  // namespace

TWinControl* TWinControl::FindControl(HWND wnd) {
  if (!wnd) return nullptr;
  const auto it = ControlsByWindow().find(wnd.Id);
  return it == ControlsByWindow().end() ? nullptr : it->second;
}

// --- Window -----------------------------------------------------------------

HWND TWinControl::Handle() {
  HandleNeeded();
  return m_handle;
}

void TWinControl::HandleNeeded() {
  if (m_handle || m_creatingHandle) return;
  if (Parent()) {
    // The parent's window brings its children's windows with it.
    Parent()->HandleNeeded();
    if (m_handle) return;
  }
  CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = Text();
  p.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | m_extraStyle;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (m_tabStop) p.Style |= WS_TABSTOP;
  p.ClassStyle = ControlStyle().Contains(TControlStyleFlag::DoubleClicks) ? CS_DBLCLKS : 0;
  p.Bounds = BoundsRect();
  p.Parent = Parent() ? Parent()->m_handle : HWND();
  // Erasing is done by WMEraseBkgnd with the control's colour.
  p.Background = clNone;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.Parent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name()));
  TWindowCreateParams wp;
  wp.Style = p.Style;
  wp.ExStyle = p.ExStyle;
  wp.ClassStyle = p.ClassStyle;
  wp.Parent = p.Parent;
  wp.Bounds = p.Bounds;
  wp.Text = p.Caption;
  wp.UserData = this;
  wp.Cursor = p.ClassCursor;
  wp.Background = p.Background;
  wp.Proc = [this](HWND h, uint32_t msg, WPARAM w, LPARAM l) { return MainWndProc(h, msg, w, l); };
  m_creatingHandle = true;
  const HWND h = CreateWindowEx(wp);
  m_creatingHandle = false;
  if (!h) {
    m_handle = HWND();
    throw EInvalidOperation(Format("Error creating window for '%s'", Name()));
  }
  m_handle = h;
  ControlsByWindow()[h.Id] = this;
}

void TWinControl::CreateHandle() {
  SetControlStateFlag(TControlStateFlag::Creating, true);
  CreateWnd();
  SetControlStateFlag(TControlStateFlag::Creating, false);
  UpdateBoundsFromWindow();
  CreateChildHandles();
  CreateHandleDone();
  Realign();
}

void TWinControl::CreateChildHandles() {
  const std::vector<TWinControl*> children = m_winControls;
  for (TWinControl* c : children)
    if (!c->m_handle) c->CreateHandle();
}

void TWinControl::DestroyWnd() { DestroyWindow(m_handle); }

void TWinControl::DestroyHandle() {
  if (!m_handle) return;
  m_destroyingHandle = true;
  DestroyWnd();
  m_handle = HWND();
  m_destroyingHandle = false;
}

void TWinControl::RecreateWnd() {
  if (!m_handle) return;
  const bool hadFocus = Focused();
  m_recreating = true;
  DestroyHandle();
  CreateHandle();
  if (hadFocus && CanFocus()) ::tsm::SetFocus(m_handle);
  m_recreating = false;
}

LRESULT TWinControl::MainWndProc(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  // The messages of creation arrive before CreateWindowEx answers the handle.
  if (!m_handle && m_creatingHandle) {
    m_handle = wnd;
    ControlsByWindow()[wnd.Id] = this;
  }
  TMessage m{msg, wParam, lParam, 0};
  const auto alive = AliveToken();
  try {
    const TWndMethod proc = WindowProc();
    proc(m);
  } catch (const std::exception& e) {
    Application().HandleException(this, e);
  } catch (...) {
    Application().HandleException(this, Exception("Unknown error"));
  }
  if (msg == WM_NCDESTROY) {
    const auto it = ControlsByWindow().find(wnd.Id);
    if (it != ControlsByWindow().end() && it->second == this) ControlsByWindow().erase(it);
    if (!alive.expired() && m_handle == wnd) m_handle = HWND();
  }
  return m.Result;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (m_handle) m.Result = DefWindowProc(m_handle, m.Msg, m.WParam, m.LParam);
}

// --- Children ---------------------------------------------------------------

TControl* TWinControl::Controls(size_t index) const {
  if (index < m_controls.size()) return m_controls[index];
  return m_winControls.at(index - m_controls.size());
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  control->m_parent = this;
  if (control->m_isWindowed) {
    auto* w = static_cast<TWinControl*>(control);
    m_winControls.push_back(w);
    m_tabList.push_back(w);
    if (m_handle && !w->m_handle) w->CreateHandle();
  } else {
    m_controls.push_back(control);
    control->Invalidate();
  }
  if (control->Align() != TAlign::alNone) DoAlign(control);
}

void TWinControl::RemoveControl(TControl* control) {
  if (control->m_isWindowed) {
    auto* w = static_cast<TWinControl*>(control);
    w->DestroyHandle();
    std::erase(m_winControls, w);
    std::erase(m_tabList, w);
  } else {
    control->Invalidate();
    std::erase(m_controls, control);
  }
  control->m_parent = nullptr;
  if (control->Align() != TAlign::alNone) DoAlign(nullptr);
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled, bool allowWinControls) const {
  const auto hit = [&](TControl* c) {
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) return false;
    if (!c->BoundsRect().Contains(p)) return false;
    const TPoint local = p - TPoint{c->Left(), c->Top()};
    return c->Perform(CM_HITTEST, 0, PointToLParam(local)) != 0;
  };
  if (allowWinControls)
    for (auto it = m_winControls.rbegin(); it != m_winControls.rend(); ++it)
      if (hit(*it)) return *it;
  for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
    if (hit(*it)) return *it;
  return nullptr;
}

void TWinControl::Broadcast(TMessage& msg) {
  const size_t n = ControlCount();
  std::vector<TControl*> all;
  all.reserve(n);
  for (size_t i = 0; i < n; ++i) all.push_back(Controls(i));
  for (TControl* c : all) {
    if (!ContainsControl(c)) continue;  // freed or moved by an earlier child
    c->WindowProc()(msg);
    if (msg.Result != 0) return;
  }
}

void TWinControl::SetChildZOrder(TControl* child, bool toFront) {
  if (child->m_isWindowed) {
    auto* w = static_cast<TWinControl*>(child);
    const auto it = std::find(m_winControls.begin(), m_winControls.end(), w);
    if (it == m_winControls.end()) return;
    m_winControls.erase(it);
    if (toFront) m_winControls.push_back(w);
    else m_winControls.insert(m_winControls.begin(), w);
    if (w->m_handle)
      SetWindowPos(w->m_handle, toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  } else {
    const auto it = std::find(m_controls.begin(), m_controls.end(), child);
    if (it == m_controls.end()) return;
    m_controls.erase(it);
    if (toFront) m_controls.push_back(child);
    else m_controls.insert(m_controls.begin(), child);
    child->Invalidate();
  }
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  if (parent && ContainsControl(parent)) throw EInvalidOperation("A control cannot be placed inside one of its own children");
  TControl::SetParent(parent);
}

// --- Layout -----------------------------------------------------------------

void TWinControl::Realign() { DoAlign(nullptr); }

void TWinControl::EnableAlign() {
  if (m_alignDisabled > 0 && --m_alignDisabled == 0 && m_alignPending) Realign();
}

void TWinControl::AdjustClientRect(TRect&) {}

void TWinControl::DoAlign(TControl* control) {
  if (m_alignDisabled > 0 || m_aligning || IsDestroying()) {
    m_alignPending = true;
    return;
  }
  m_aligning = true;
  m_alignPending = false;
  TRect rect = ClientRect();
  AlignControls(control, rect);
  m_aligning = false;
}

void TWinControl::AlignControls(TControl* control, TRect& rect) {
  std::vector<TControl*> all;
  for (size_t i = 0; i < ControlCount(); ++i) all.push_back(Controls(i));
  if (std::none_of(all.begin(), all.end(), [](TControl* c) { return c->Align() != TAlign::alNone; })) return;
  AdjustClientRect(rect);

  // Within one alignment, controls keep the order of their positions; the
  // control that caused the alignment goes first among equals.
  const auto key = [](TControl* c, TAlign a) {
    switch (a) {
      case TAlign::alTop: return c->Top();
      case TAlign::alBottom: return -(c->Top() + c->Height());
      case TAlign::alLeft: return c->Left();
      case TAlign::alRight: return -(c->Left() + c->Width());
      default: return 0;
    }
  };
  for (TAlign a : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
    std::vector<TControl*> list;
    for (TControl* c : all)
      if (c->Align() == a && c->Visible()) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [&](TControl* x, TControl* y) {
      const int kx = key(x, a), ky = key(y, a);
      if (kx != ky) return kx < ky;
      return x == control && y != control;
    });
    for (TControl* c : list) {
      switch (a) {
        case TAlign::alTop:
          c->SetBounds(rect.Left, rect.Top, rect.Width(), c->Height());
          rect.Top += c->Height();
          break;
        case TAlign::alBottom:
          c->SetBounds(rect.Left, rect.Bottom - c->Height(), rect.Width(), c->Height());
          // A control that corrected its height stands on the bottom edge still.
          if (c->Top() + c->Height() != rect.Bottom) c->SetBounds(rect.Left, rect.Bottom - c->Height(), c->Width(), c->Height());
          rect.Bottom -= c->Height();
          break;
        case TAlign::alLeft:
          c->SetBounds(rect.Left, rect.Top, c->Width(), rect.Height());
          rect.Left += c->Width();
          break;
        case TAlign::alRight:
          c->SetBounds(rect.Right - c->Width(), rect.Top, c->Width(), rect.Height());
          if (c->Left() + c->Width() != rect.Right) c->SetBounds(rect.Right - c->Width(), c->Top(), c->Width(), c->Height());
          rect.Right -= c->Width();
          break;
        case TAlign::alClient:
          c->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
          break;
        default: break;
      }
    }
  }
}

// --- Geometry ---------------------------------------------------------------

TRect TWinControl::ClientRect() const {
  if (m_handle) return GetClientRect(m_handle);
  return TControl::ClientRect();
}

TPoint TWinControl::ClientOrigin() const {
  if (m_handle) return ::tsm::ClientToScreen(m_handle, {0, 0});
  return TControl::ClientOrigin();
}

TPoint TWinControl::ClientOffsetInParent() const {
  if (m_handle && Parent() && Parent()->m_handle) return MapWindowPoint(m_handle, Parent()->m_handle, {0, 0});
  return TControl::ClientOffsetInParent();
}

void TWinControl::ApplyBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  if (!m_handle) {
    // Without a window no WM_SIZE comes: the control lays out its own
    // aligned children itself (a form sized before it is first shown).
    const bool sized = width != m_width || height != m_height;
    const auto alive = AliveToken();
    TControl::ApplyBounds(left, top, width, height);
    if (sized && !alive.expired()) Realign();
    return;
  }
  // The window reports the bounds it really got (WM_WINDOWPOSCHANGED), which
  // may differ from the request (tracking sizes of a sizeable window).
  SetWindowPos(m_handle, HWND(), left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (m_handle) UpdateBoundsFromWindow();
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!m_handle || m_updatingBounds) return;
  const TRect r = GetWindowBounds(m_handle);
  if (r == BoundsRect()) return;
  const bool sizeChanged = r.Width() != m_width || r.Height() != m_height;
  m_left = r.Left;
  m_top = r.Top;
  m_width = r.Width();
  m_height = r.Height();
  m_updatingBounds = true;
  BoundsChanged(sizeChanged);
  m_updatingBounds = false;
}

// --- State ------------------------------------------------------------------

void TWinControl::SetVisible(bool visible) {
  if (visible == Visible()) return;
  TControl::SetVisible(visible);
  if (m_handle) ShowWindow(m_handle, visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
  if (enabled == Enabled()) return;
  TControl::SetEnabled(enabled);
  if (m_handle) EnableWindow(m_handle, enabled);
}

void TWinControl::SetText(const std::string& text) {
  if (text == Text()) return;
  const auto alive = AliveToken();
  TControl::SetText(text);   // OnChange and the like may free the control
  if (!alive.expired() && m_handle) SetWindowText(m_handle, text);
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  TMessage m{CM_PARENTFONTCHANGED, 0, 0, 0};
  Broadcast(m);
}

void TWinControl::ColorChanged() {
  TControl::ColorChanged();
  TMessage m{CM_PARENTCOLORCHANGED, 0, 0, 0};
  Broadcast(m);
}

// --- Focus ------------------------------------------------------------------

bool TWinControl::CanFocus() const {
  const TCustomForm* form = GetParentForm(this);
  if (form && (!form->Visible() || !form->Enabled())) return false;
  for (const TControl* c = this; c && c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  if (!form) {
    const TControl* top = this;
    while (top->Parent()) top = top->Parent();
    const auto* w = static_cast<const TWinControl*>(top);
    if (!w->m_handle || !IsWindowVisible(w->m_handle)) return false;
  }
  return true;
}

bool TWinControl::Focused() const { return m_handle && GetFocus() == m_handle; }

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  TCustomForm* form = GetParentForm(this);
  if (form && form != this) {
    form->FocusControl(this);
  } else if (form) {
    form->SetFocus();
  } else {
    ::tsm::SetFocus(Handle());
  }
}

int32_t TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  const auto& list = Parent()->m_tabList;
  const auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int32_t>(it - list.begin());
}

void TWinControl::SetTabOrder(int32_t order) {
  if (!Parent()) return;
  auto& list = Parent()->m_tabList;
  std::erase(list, this);
  const auto pos = static_cast<size_t>(std::clamp<int32_t>(order, 0, static_cast<int32_t>(list.size())));
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), this);
}

void TWinControl::SetTabStop(bool on) {
  if (on == m_tabStop) return;
  m_tabStop = on;
  if (m_handle) {
    const uint32_t s = GetWindowStyle(m_handle);
    SetWindowStyle(m_handle, on ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* c : m_tabList) {
    list.push_back(c);
    c->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const auto found = std::find(list.begin(), list.end(), current);
  size_t start = found == list.end() ? (forward ? list.size() - 1 : 0) : size_t(found - list.begin());
  size_t i = start;
  do {
    if (forward) i = (i + 1) % list.size();
    else i = (i == 0 ? list.size() : i) - 1;
    TWinControl* c = list[i];
    if (c != current && c->CanFocus() && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* next = FindNextControl(current, forward, checkTabStop, !checkTabStop)) next->SetFocus();
}

void TWinControl::DoEnter() {
  CallEvent(OnEnter, this);
}

void TWinControl::DoExit() {
  CallEvent(OnExit, this);
}

// --- Painting ---------------------------------------------------------------

void TWinControl::Invalidate() {
  if (m_handle) ::tsm::InvalidateRect(m_handle, nullptr, true);
}

void TWinControl::Update() {
  if (m_handle) UpdateWindow(m_handle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::PaintWindow(TDeviceContext&) {}

void TWinControl::PaintControls(TDeviceContext& dc, const TControl* stopAt) {
  const std::vector<TControl*> list = m_controls;
  for (TControl* c : list) {
    if (c == stopAt) break;
    if (!c->Visible()) continue;
    const TRect r = c->BoundsRect();
    if (r.IsEmpty() || !dc.RectVisible(r)) continue;
    TDCStateGuard guard(dc);
    dc.IntersectClipRect(r);
    dc.MoveOrigin(r.Left, r.Top);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
  }
}

void TWinControl::PaintHandler(TDeviceContext& dc, bool) {
  {
    TDCStateGuard guard(dc);
    PaintWindow(dc);
  }
  PaintControls(dc, m_paintStopAt);
}

void TWinControl::PaintBackgroundUnder(const TControl* child, TDeviceContext& dc) {
  if (!m_handle) return;
  const TControl* previous = m_paintStopAt;
  m_paintStopAt = child;
  {
    TDCStateGuard guard(dc);
    SendMessage(m_handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
  }
  {
    TDCStateGuard guard(dc);
    SendMessage(m_handle, WM_PAINT, reinterpret_cast<WPARAM>(&dc), 0);
  }
  m_paintStopAt = previous;
}

// --- Message router ---------------------------------------------------------

void TWinControl::WndProc(TMessage& m) {
  if (IsClientMouseMessage(m.Msg)) {
    const auto alive = AliveToken();
    if (ForwardMouseToChild(m)) {
      // The window's own default still asks for the context menu, which
      // reaches the windowless child through WMContextMenu.
      if (m.Msg == WM_RBUTTONUP && !alive.expired()) DefaultHandler(m);
      return;
    }
  }
  switch (m.Msg) {
    case WM_PAINT: WMPaint(m); break;
    case WM_ERASEBKGND: WMEraseBkgnd(m); break;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); break;
    case WM_SIZE: WMSize(m); break;
    case WM_SETCURSOR: WMSetCursor(m); break;
    case WM_SETFOCUS: WMSetFocus(m); break;
    case WM_KILLFOCUS: WMKillFocus(m); break;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: WMKeyDown(m); break;
    case WM_KEYUP: case WM_SYSKEYUP: WMKeyUp(m); break;
    case WM_CHAR: WMChar(m); break;
    case WM_GETDLGCODE: WMGetDlgCode(m); break;
    case WM_MOUSEWHEEL: WMMouseWheel(m); break;
    case WM_HSCROLL: WMHScroll(m); break;
    case WM_VSCROLL: WMVScroll(m); break;
    case WM_NCDESTROY: WMNCDestroy(m); break;
    case WM_CAPTURECHANGED: WMCaptureChanged(m); break;
    case CN_KEYDOWN: case CN_SYSKEYDOWN: CNKeyDown(m); break;
    case CN_CHAR: CNChar(m); break;
    case CM_DIALOGKEY: case CM_DIALOGCHAR: case CM_FOCUSCHANGED: Broadcast(m); break;
    default: TControl::WndProc(m); break;
  }
}

bool TWinControl::ForwardMouseToChild(TMessage& m) {
  TControl* target = nullptr;
  TControl* capture = CaptureControl();
  if (capture) {
    if (capture->m_isWindowed || capture->Parent() != this) return false;
    target = capture;
  } else {
    target = ControlAtPos(PointFromLParam(m.LParam), false, false);
  }
  if (!target) return false;
  const TPoint p = PointFromLParam(m.LParam) - TPoint{target->Left(), target->Top()};
  m.Result = target->Perform(m.Msg, m.WParam, PointToLParam(p));
  return true;
}

void TWinControl::WMPaint(TMessage& m) {
  if (m.WParam) {
    PaintHandler(*reinterpret_cast<TDeviceContext*>(m.WParam), true);
    return;
  }
  // The paint cycle completes whatever the painting does (an error leaves
  // it, the control is freed): otherwise the window would never be painted
  // again.
  struct TPaintCycle {
    HWND Wnd;
    TPaintStruct Ps;
    ~TPaintCycle() { EndPaint(Wnd, Ps); }
  } cycle{m_handle, {}};
  TDeviceContext* dc = BeginPaint(cycle.Wnd, cycle.Ps);
  if (dc) PaintHandler(*dc, true);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  m.Result = 1;
  if (ControlStyle().Contains(TControlStyleFlag::Opaque) || !m.WParam) return;
  reinterpret_cast<TDeviceContext*>(m.WParam)->FillRect(ClientRect(), Color());
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
  UpdateBoundsFromWindow();
  DefaultHandler(m);
}

void TWinControl::WMSize(TMessage& m) {
  UpdateBoundsFromWindow();
  Realign();
  DefaultHandler(m);
}

void TWinControl::WMSetCursor(TMessage& m) {
  TCursor cursor = Screen().Cursor();
  const auto hit = static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(m.LParam)));
  if (cursor == crDefault && hit == HTCLIENT && HWND::FromParam(m.WParam) == m_handle) {
    const TPoint p = ScreenToClient(GetCursorPos());
    TControl* c = ControlAtPos(p, false, false);
    cursor = c ? c->Cursor() : Cursor();
    if (cursor == crDefault && c) cursor = Cursor();
  }
  if (cursor != crDefault) {
    ::tsm::SetCursor(CursorShapeOf(cursor));
    m.Result = 1;
    return;
  }
  DefaultHandler(m);
}

void TWinControl::WMSetFocus(TMessage& m) {
  DefaultHandler(m);
  const auto alive = AliveToken();
  if (TCustomForm* form = GetParentForm(this); form && form != this) {
    form->SetFocusedControl(this);
    if (alive.expired()) return;
  }
  FocusGained();
}

void TWinControl::WMKillFocus(TMessage& m) {
  DefaultHandler(m);
  FocusLost();
}

void TWinControl::WMKeyDown(TMessage& m) {
  auto key = static_cast<uint16_t>(m.WParam);
  const auto alive = AliveToken();
  KeyDown(key, KeyboardShiftState());
  if (alive.expired()) return;
  if (key != 0) DefaultHandler(m);
}

void TWinControl::WMKeyUp(TMessage& m) {
  auto key = static_cast<uint16_t>(m.WParam);
  const auto alive = AliveToken();
  KeyUp(key, KeyboardShiftState());
  if (alive.expired()) return;
  if (key != 0) DefaultHandler(m);
}

void TWinControl::WMChar(TMessage& m) {
  auto ch = static_cast<char32_t>(m.WParam);
  const auto alive = AliveToken();
  KeyPress(ch);
  if (alive.expired()) return;
  if (ch != 0) DefaultHandler(m);
}

void TWinControl::WMGetDlgCode(TMessage& m) { m.Result = 0; }

void TWinControl::WMMouseWheel(TMessage& m) {
  const auto alive = AliveToken();
  TShiftState shift = MouseShiftState(LOWORD(m.WParam));
  if (DoMouseWheel(shift, GET_WHEEL_DELTA_WPARAM(m.WParam), PointFromLParam(m.LParam))) {
    m.Result = 1;
    return;
  }
  if (!alive.expired()) DefaultHandler(m);   // passes it to the parent window
}

bool TWinControl::DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) {
  bool handled = false;
  CallEvent(OnMouseWheel, this, shift, delta, pos, handled);
  return handled;
}

void TWinControl::WMNCDestroy(TMessage& m) {
  DefaultHandler(m);
  m_handle = HWND();
}

void TWinControl::WMCaptureChanged(TMessage& m) {
  TControl* capture = CaptureControl();
  if (capture && HWND::FromParam(m.LParam) != m_handle && (capture == this || capture->Parent() == this)) {
    // The capture went elsewhere: the press that took it will not click.
    ForgetCaptureControl();
    capture->Perform(WM_CANCELMODE);
  }
  DefaultHandler(m);
}

void TWinControl::WMContextMenu(TMessage& m) {
  const TPoint screen = PointFromLParam(m.LParam);
  if (screen != TPoint{-1, -1})
    if (TControl* child = ControlAtPos(ScreenToClient(screen), false, false)) {
      const auto alive = AliveToken();
      m.Result = child->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
      if (m.Result || alive.expired()) return;
    }
  TControl::WMContextMenu(m);
}

void TWinControl::CNKeyDown(TMessage& m) {
  m.Result = PreProcessKey(static_cast<uint16_t>(m.WParam), KeyboardShiftState(), m.LParam) ? 1 : 0;
}

bool TWinControl::PreProcessKey(uint16_t key, TShiftState shift, LPARAM keyData) {
  TCustomForm* form = GetParentForm(this);
  const auto alive = AliveToken();
  if (form && form->IsShortCut(key, shift)) return true;
  if (alive.expired() || !form) return false;
  // Alt with a letter or digit: the accelerator of a caption.
  if (shift.Contains(TShiftKey::Alt) && !shift.Contains(TShiftKey::Ctrl) &&
      ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))) {
    const char32_t ch = (key >= 'A' && key <= 'Z') ? char32_t(key - 'A' + 'a') : char32_t(key);
    return form->Perform(CM_DIALOGCHAR, ch, keyData) != 0;
  }
  const LRESULT code = Perform(WM_GETDLGCODE, key);
  if (alive.expired()) return true;
  switch (key) {
    case VK_TAB:
      if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) return false;
      break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
      if (code & (DLGC_WANTARROWS | DLGC_WANTALLKEYS)) return false;
      break;
    case VK_RETURN: case VK_ESCAPE:
      if (code & DLGC_WANTALLKEYS) return false;
      break;
    default:
      return false;
  }
  if (Perform(CM_WANTSPECIALKEY, key) != 0) return false;
  return form->Perform(CM_DIALOGKEY, key, keyData) != 0;
}

void TWinControl::CNChar(TMessage& m) {
  m.Result = 0;
  if (Perform(WM_GETDLGCODE) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)) return;
  TCustomForm* form = GetParentForm(this);
  if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) m.Result = 1;
}

void TWinControl::KeyDown(uint16_t& key, TShiftState shift) {
  if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
    const auto alive = AliveToken();
    static_cast<TWinControl*>(form)->KeyDown(key, shift);
    if (alive.expired() || key == 0) return;
  }
  CallEvent(OnKeyDown, this, key, shift);
}

void TWinControl::KeyUp(uint16_t& key, TShiftState shift) {
  if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
    const auto alive = AliveToken();
    static_cast<TWinControl*>(form)->KeyUp(key, shift);
    if (alive.expired() || key == 0) return;
  }
  CallEvent(OnKeyUp, this, key, shift);
}

void TWinControl::KeyPress(char32_t& key) {
  if (TCustomForm* form = GetParentForm(this); form && form != this && form->KeyPreview()) {
    const auto alive = AliveToken();
    static_cast<TWinControl*>(form)->KeyPress(key);
    if (alive.expired() || key == 0) return;
  }
  CallEvent(OnKeyPress, this, key);
}

}  // namespace tsm
