#include "platform/window/WindowApi.h"

#include "platform/gfx/DeviceContext.h"

namespace tsm {

namespace {

TWindowSystem& Sys() { return TWindowSystem::Instance(); }
TWindow* Win(HWND h) { return Sys().Find(h); }


}  // namespace

// --- Windows ----------------------------------------------------------------

HWND CreateWindowEx(const TWindowCreateParams& params) { return Sys().Create(params); }
bool DestroyWindow(HWND wnd) { return Sys().Destroy(wnd); }
bool IsWindow(HWND wnd) { return Win(wnd) != nullptr; }

TWndProc GetWindowProc(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->Proc : TWndProc();
}

TWndProc SetWindowProc(HWND wnd, TWndProc proc) {
  TWindow* w = Win(wnd);
  if (!w) return {};
  TWndProc old = std::move(w->Proc);
  w->Proc = proc ? std::move(proc) : TWndProc(&DefWindowProc);
  return old;
}

LRESULT CallWindowProc(const TWndProc& proc, HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(wnd, msg, wParam, lParam) : DefWindowProc(wnd, msg, wParam, lParam);
}

void* GetWindowUserData(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->UserData : nullptr;
}

void SetWindowUserData(HWND wnd, void* data) {
  if (TWindow* w = Win(wnd)) w->UserData = data;
}

uint32_t GetWindowStyle(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->Style : 0;
}

void SetWindowStyle(HWND wnd, uint32_t style) {
  TWindow* w = Win(wnd);
  if (!w) return;
  constexpr uint32_t kept = WS_VISIBLE | WS_DISABLED | WS_CHILD | WS_MINIMIZE | WS_MAXIMIZE;
  w->Style = (w->Style & kept) | (style & ~kept);
}

uint32_t GetWindowExStyle(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->ExStyle : 0;
}

void SetWindowExStyle(HWND wnd, uint32_t exStyle) {
  TWindow* w = Win(wnd);
  if (!w) return;
  const bool layeredChanged = ((w->ExStyle ^ exStyle) & WS_EX_LAYERED) != 0;
  const bool topmostChanged = ((w->ExStyle ^ exStyle) & WS_EX_TOPMOST) != 0;
  w->ExStyle = exStyle;
  if (w->IsTopLevel() && layeredChanged) Sys().Backend().WindowChanged(wnd);
  if (w->IsTopLevel() && topmostChanged) Sys().Placer().BringToTop(w);
}

uint32_t GetWindowId(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->ControlId : 0;
}

void SetClassCursor(HWND wnd, TCursorShape cursor) {
  if (TWindow* w = Win(wnd)) w->ClassCursor = cursor;
}

void SetClassBackground(HWND wnd, TColor color) {
  if (TWindow* w = Win(wnd)) w->ClassBackground = color;
}

void SetClassStyle(HWND wnd, uint32_t classStyle) {
  if (TWindow* w = Win(wnd)) w->ClassStyle = classStyle;
}

bool SetWindowText(HWND wnd, const std::string& text) {
  if (!Win(wnd)) return false;
  return Sys().Send(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

std::string GetWindowText(HWND wnd) {
  std::string text;
  if (Win(wnd)) Sys().Send(wnd, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text));
  return text;
}

// --- Hierarchy --------------------------------------------------------------

HWND GetParent(HWND wnd) {
  TWindow* w = Win(wnd);
  return w && w->Parent ? w->Parent->Handle() : HWND();
}

HWND GetOwner(HWND wnd) {
  TWindow* w = Win(wnd);
  return w && w->Owner ? w->Owner->Handle() : HWND();
}

HWND GetTopLevel(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? TWindowSystem::TopLevelOf(w)->Handle() : HWND();
}

bool IsChild(HWND parent, HWND wnd) {
  TWindow* p = Win(parent);
  TWindow* w = Win(wnd);
  return p && w && w != p && TWindowSystem::IsDescendant(w, p);
}

std::vector<HWND> GetChildWindows(HWND wnd) {
  std::vector<HWND> out;
  if (TWindow* w = Win(wnd))
    for (TWindow* c : w->Children) out.push_back(c->Handle());
  return out;
}

std::vector<HWND> GetTopLevelWindows() {
  std::vector<HWND> out;
  for (TWindow* t : Sys().TopLevels()) out.push_back(t->Handle());
  return out;
}

HWND SetParent(HWND wnd, HWND newParent) {
  TWindow* w = Win(wnd);
  TWindow* p = Win(newParent);
  if (!w || !w->IsChild() || !p || TWindowSystem::IsDescendant(p, w)) return HWND();
  TWindow* old = w->Parent;
  if (old == p) return old->Handle();
  const bool showing = TWindowSystem::IsShowing(w);
  if (showing) Sys().Painter().ExposeInParent(w, w->Rect);
  Sys().Focus().WindowLeaving(w, false);
  std::erase(old->Children, w);
  w->Parent = p;
  p->Children.insert(p->Children.begin(), w);
  if (TWindowSystem::IsShowing(w)) Sys().Painter().InvalidateTree(w);
  return old->Handle();
}

// --- Geometry ---------------------------------------------------------------

TRect GetWindowRect(HWND wnd) {
  TWindow* w = Win(wnd);
  if (!w) return {};
  const TPoint o = TWindowSystem::ScreenOrigin(w);
  return TRect::FromSize(o.X, o.Y, w->Rect.Width(), w->Rect.Height());
}

TRect GetClientRect(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? TRect(0, 0, w->ClientRect.Width(), w->ClientRect.Height()) : TRect();
}

TRect GetWindowBounds(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->Rect : TRect();
}

TRect GetClientRectInWindow(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->ClientRect : TRect();
}

TPoint ClientToScreen(HWND wnd, TPoint p) {
  TWindow* w = Win(wnd);
  return w ? p + TWindowSystem::ClientScreenOrigin(w) : p;
}

TPoint ScreenToClient(HWND wnd, TPoint p) {
  TWindow* w = Win(wnd);
  return w ? p - TWindowSystem::ClientScreenOrigin(w) : p;
}

TPoint MapWindowPoint(HWND from, HWND to, TPoint p) { return ScreenToClient(to, ClientToScreen(from, p)); }

TRect MapWindowRect(HWND from, HWND to, TRect r) {
  const TPoint d = MapWindowPoint(from, to, TPoint()) ;
  return r.Offsetted(d);
}

HWND WindowFromPoint(TPoint screen) {
  TWindow* w = Sys().WindowFromPoint(screen);
  return w ? w->Handle() : HWND();
}

HWND ChildWindowFromPoint(HWND parent, TPoint clientPoint) {
  TWindow* p = Win(parent);
  if (!p) return HWND();
  TWindow* c = TWindowSystem::ChildFromPoint(p, clientPoint, false);
  return c ? c->Handle() : HWND();
}

bool SetWindowPos(HWND wnd, HWND insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags) {
  return Sys().Placer().SetWindowPos(Win(wnd), insertAfter, x, y, cx, cy, flags);
}

bool MoveWindow(HWND wnd, int32_t x, int32_t y, int32_t cx, int32_t cy, bool repaint) {
  return SetWindowPos(wnd, HWND(), x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

bool BringWindowToTop(HWND wnd) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  if (w->IsTopLevel() && TFocusManager::CanActivate(w)) return Sys().Focus().Activate(w);
  Sys().Placer().BringToTop(w);
  return true;
}

bool ShowWindow(HWND wnd, TShowCommand cmd) { return Sys().Placer().ShowWindow(Win(wnd), cmd); }

bool IsWindowVisible(HWND wnd) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  for (; w; w = w->Parent)
    if (!w->HasVisibleFlag()) return false;
  return true;
}

bool IsIconic(HWND wnd) {
  TWindow* w = Win(wnd);
  return w && w->IsMinimized();
}

bool IsZoomed(HWND wnd) {
  TWindow* w = Win(wnd);
  return w && w->IsMaximized();
}

TShowState GetShowState(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->ShowState : TShowState::Normal;
}

TRect GetNormalBounds(HWND wnd) {
  TWindow* w = Win(wnd);
  if (!w) return {};
  return w->IsMinimized() || w->IsMaximized() ? w->NormalRect : w->Rect;
}

bool EnableWindow(HWND wnd, bool enable) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  const bool wasDisabled = w->HasDisabledFlag();
  if (wasDisabled == !enable) return wasDisabled;
  if (enable) {
    w->Style &= ~WS_DISABLED;
  } else {
    w->Style |= WS_DISABLED;
    // The focus and the capture leave a disabled window; a disabled active
    // window stays active (its modal dialog is usually about to take over).
    TWindowSystem& sys = Sys();
    if (TWindow* f = sys.Find(sys.Focus().Focus()); f && TWindowSystem::IsDescendant(f, w)) sys.Focus().SetFocus(nullptr);
    if (TWindow* c = sys.Find(sys.Focus().Capture()); c && TWindowSystem::IsDescendant(c, w)) sys.Focus().ReleaseCapture();
  }
  if (Win(wnd)) Sys().Send(wnd, WM_ENABLE, enable ? 1 : 0, 0);
  return wasDisabled;
}

bool IsWindowEnabled(HWND wnd) {
  TWindow* w = Win(wnd);
  return w && !w->HasDisabledFlag();
}

// --- Shape and opacity ------------------------------------------------------

bool SetWindowRgn(HWND wnd, std::optional<TRegion> region, bool redraw) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  const TRegion oldArea = w->Shape ? *w->Shape : TRegion(w->LocalRect());
  if (region)
    w->Shape = *region;
  else
    w->Shape.reset();
  if (w->IsTopLevel()) {
    Sys().Backend().WindowChanged(wnd);
  } else if (TWindowSystem::IsShowing(w) && redraw) {
    // What the old shape covered and the new one does not shows the parent.
    TRegion exposed = oldArea;
    if (w->Shape) exposed.Subtract(*w->Shape);
    else exposed.Clear();
    exposed.Offset(w->Rect.Left, w->Rect.Top);
    if (!exposed.IsEmpty()) {
      Sys().Painter().Invalidate(w->Parent, &exposed, true);
      for (TWindow* s : w->Parent->Children)
        if (s != w && s->HasVisibleFlag() && s->Rect.Intersects(exposed.Bounds())) Sys().Painter().InvalidateTree(s);
    }
  }
  if (redraw && TWindowSystem::IsShowing(w)) Sys().Painter().InvalidateTree(w);
  return true;
}

std::optional<TRegion> GetWindowRgn(HWND wnd) {
  TWindow* w = Win(wnd);
  if (!w || !w->Shape) return std::nullopt;
  return *w->Shape;
}

bool SetLayeredWindowAttributes(HWND wnd, uint8_t alpha) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  w->Opacity = alpha;
  if (w->IsTopLevel()) Sys().Backend().WindowChanged(wnd);
  return true;
}

uint8_t GetWindowOpacity(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->Opacity : 0;
}

// --- Activation, focus, capture ---------------------------------------------

HWND GetActiveWindow() { return Sys().Focus().Active(); }

HWND SetActiveWindow(HWND wnd) {
  const HWND old = Sys().Focus().Active();
  TWindow* w = Win(wnd);
  if (w) Sys().Focus().Activate(TWindowSystem::TopLevelOf(w), WA_ACTIVE);
  return old;
}

HWND GetForegroundWindow() { return Sys().Focus().Active(); }

bool SetForegroundWindow(HWND wnd) {
  TWindow* w = Win(wnd);
  return w && Sys().Focus().Activate(TWindowSystem::TopLevelOf(w), WA_ACTIVE);
}

HWND GetFocus() { return Sys().Focus().Focus(); }
HWND SetFocus(HWND wnd) { return Sys().Focus().SetFocus(Win(wnd)); }
HWND GetCapture() { return Sys().Focus().Capture(); }

HWND SetCapture(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? Sys().Focus().SetCapture(w) : Sys().Focus().Capture();
}

bool ReleaseCapture() { return Sys().Focus().ReleaseCapture(); }

// --- Messages ---------------------------------------------------------------

LRESULT SendMessage(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  return Sys().Send(wnd, msg, wParam, lParam);
}

bool PostMessage(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam) {
  return Sys().Post(wnd, msg, wParam, lParam);
}

void PostQuitMessage(int exitCode) { Sys().PostQuit(exitCode); }
bool GetMessage(TMsg& msg) { return Sys().GetMessage(msg); }
bool PeekMessage(TMsg& msg, uint32_t removeFlag) { return Sys().PeekMessage(msg, removeFlag & PM_REMOVE); }
bool TranslateMessage(const TMsg& msg) { return Sys().TranslateMessage(msg); }
LRESULT DispatchMessage(const TMsg& msg) { return Sys().DispatchMessage(msg); }

int RunMessageLoop() {
  TMsg msg;
  while (GetMessage(msg)) {
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  return static_cast<int>(msg.wParam);
}

bool ProcessPendingMessages() { return Sys().ProcessPendingMessages(); }
uint32_t GetMessageTime() { return Sys().MessageTime(); }
TPoint GetMessagePos() { return Sys().MessagePos(); }
uint64_t GetTickCount64() { return Sys().Now(); }

// --- Timers -----------------------------------------------------------------

uint32_t SetTimer(HWND wnd, uint32_t id, uint32_t interval) {
  if (!Win(wnd)) return 0;
  return Sys().Timers().Set(wnd, id, interval, {}, Sys().Now());
}

uint32_t SetTimer(uint32_t interval, TTimerProc proc) {
  if (!proc) return 0;
  return Sys().Timers().Set(HWND(), 0, interval, std::move(proc), Sys().Now());
}

bool KillTimer(HWND wnd, uint32_t id) { return Sys().Timers().Kill(wnd, id); }
bool KillTimer(uint32_t procTimerId) { return Sys().Timers().Kill(HWND(), procTimerId); }

// --- Input state ------------------------------------------------------------

int16_t GetKeyState(uint32_t vk) { return Sys().Input().KeyState(vk); }
int16_t GetAsyncKeyState(uint32_t vk) { return Sys().Input().KeyState(vk); }
TPoint GetCursorPos() { return Sys().Input().CursorPos(); }

bool SetCursorPos(TPoint p) {
  Sys().Input().SetCursorPos(p);
  Sys().Backend().SetCursorPos(p);
  return true;
}

TCursorShape SetCursor(TCursorShape shape) { return Sys().Input().SetCursor(shape); }
TCursorShape GetCursor() { return Sys().Input().Cursor(); }
bool TrackMouseEvent(HWND wnd, uint32_t flags) { return Sys().Input().TrackMouseLeave(wnd, flags); }
uint32_t GetDoubleClickTime() { return Sys().Settings().DoubleClickTime; }
void SetDoubleClickTime(uint32_t ms) { Sys().Settings().DoubleClickTime = ms ? ms : 500; }

// --- Painting ---------------------------------------------------------------

bool InvalidateRect(HWND wnd, const TRect* rect, bool erase) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  if (rect) {
    const TRegion s(*rect);
    Sys().Painter().Invalidate(w, &s, erase);
  } else {
    Sys().Painter().Invalidate(w, nullptr, erase);
  }
  return true;
}

bool InvalidateRgn(HWND wnd, const TRegion* region, bool erase) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  if (region) {
    const TRegion s = *region;
    Sys().Painter().Invalidate(w, &s, erase);
  } else {
    Sys().Painter().Invalidate(w, nullptr, erase);
  }
  return true;
}

bool ValidateRect(HWND wnd, const TRect* rect) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  if (rect) {
    const TRegion s(*rect);
    Sys().Painter().Validate(w, &s);
  } else {
    Sys().Painter().Validate(w, nullptr);
  }
  return true;
}

bool GetUpdateRect(HWND wnd, TRect& rect) {
  TWindow* w = Win(wnd);
  rect = w ? w->Update.Bounds() : TRect();
  return !rect.IsEmpty();
}

TRegion GetUpdateRgn(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? w->Update : TRegion();
}

bool UpdateWindow(HWND wnd) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  Sys().Painter().UpdateWindow(w);
  return true;
}

bool RedrawWindow(HWND wnd, const TRect* rect, const TRegion* region, uint32_t flags) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  std::optional<TRegion> area;
  if (region) area = *region;
  else if (rect) area = TRegion(*rect);
  Sys().Painter().RedrawWindow(w, area ? &*area : nullptr, flags);
  return true;
}

TDeviceContext* BeginPaint(HWND wnd, TPaintStruct& ps) {
  TWindow* w = Win(wnd);
  if (!w) {
    ps = {};
    return nullptr;
  }
  return Sys().Painter().BeginPaint(w, ps);
}

bool EndPaint(HWND wnd, const TPaintStruct& ps) {
  Sys().Painter().EndPaint(Win(wnd), ps);
  return true;
}

TDeviceContext* GetDC(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? Sys().Painter().GetDC(w, false) : nullptr;
}

TDeviceContext* GetWindowDC(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? Sys().Painter().GetDC(w, true) : nullptr;
}

bool ReleaseDC(HWND wnd, TDeviceContext* dc) { return Sys().Painter().ReleaseDC(Win(wnd), dc); }

bool ScrollWindowEx(HWND wnd, int32_t dx, int32_t dy, const TRect* scroll, const TRect* clip, TRegion* updated,
                    uint32_t flags) {
  TWindow* w = Win(wnd);
  if (!w) return false;
  TRegion uncovered;
  const bool ok = Sys().Painter().ScrollWindowEx(w, dx, dy, scroll, clip, &uncovered, flags);
  if (updated) *updated = uncovered;
  return ok;
}

TBitmap CaptureWindow(HWND wnd) {
  TWindow* w = Win(wnd);
  if (!w) return {};
  TWindow* top = TWindowSystem::TopLevelOf(w);
  const TPoint o = TWindowSystem::OriginInTopLevel(w);
  TBitmap out(w->Rect.Width(), w->Rect.Height(), TPixelFormat::Bgra32);
  const TPixelSurface src = top->Surface->View();
  for (int32_t y = 0; y < out.Height(); ++y)
    for (int32_t x = 0; x < out.Width(); ++x) {
      const int32_t sx = x + o.X, sy = y + o.Y;
      if (src.Bounds().Contains(sx, sy)) out.Surface().WritePixel(x, y, src.ReadPixel(sx, sy));
    }
  return out;
}

// --- Caret ------------------------------------------------------------------

bool CreateCaret(HWND wnd, int32_t width, int32_t height) { return Sys().Caret().Create(wnd, width, height); }
bool DestroyCaret() { return Sys().Caret().Destroy(); }
bool SetCaretPos(TPoint clientPos) { return Sys().Caret().SetPos(clientPos); }
TPoint GetCaretPos() { return Sys().Caret().Pos(); }
bool ShowCaret(HWND wnd) { return Sys().Caret().Show(wnd); }
bool HideCaret(HWND wnd) { return Sys().Caret().Hide(wnd); }
uint32_t GetCaretBlinkTime() { return Sys().Settings().CaretBlinkTime; }
void SetCaretBlinkTime(uint32_t ms) { Sys().Settings().CaretBlinkTime = ms; }

// --- Clipboard and text input -----------------------------------------------

std::string GetClipboardText() { return Sys().Backend().ClipboardText(); }

bool SetClipboardText(const std::string& text) {
  Sys().Backend().SetClipboardText(text);
  return true;
}

bool IsClipboardTextAvailable() { return Sys().Backend().HasClipboardText(); }

void StartTextInput(HWND wnd, const TRect& caretRect) {
  TWindow* w = Win(wnd);
  if (!w) return;
  Sys().Backend().StartTextInput(wnd, caretRect.Offsetted(TWindowSystem::ClientScreenOrigin(w)));
}

void StopTextInput() { Sys().Backend().StopTextInput(); }

void MessageBeep() { Sys().Backend().Beep(); }
const std::string& GetImeCompositionText() { return Sys().Input().CompositionText(); }

void DragAcceptFiles(HWND wnd, bool accept) {
  const uint32_t ex = GetWindowExStyle(wnd);
  SetWindowExStyle(wnd, accept ? ex | WS_EX_ACCEPTFILES : ex & ~WS_EX_ACCEPTFILES);
}

std::vector<std::string> DragQueryFiles(HDROP drop) {
  const TInputRouter::TDrop* d = Sys().Input().Drop(drop);
  return d ? d->Files : std::vector<std::string>();
}

TPoint DragQueryPoint(HDROP drop) {
  const TInputRouter::TDrop* d = Sys().Input().Drop(drop);
  return d ? d->Point : TPoint();
}

void DragFinish(HDROP drop) { Sys().Input().FinishDrop(drop); }

// --- Screen and settings ----------------------------------------------------

int32_t GetSystemMetrics(TSystemMetric metric) {
  TWindowSystem& sys = Sys();
  const TSystemSettings& s = sys.Settings();
  const std::vector<TMonitorInfo> monitors = sys.Backend().Monitors();
  const TMonitorInfo& primary = monitors.front();
  TRect all;
  for (const TMonitorInfo& m : monitors) all.Unite(m.Bounds);
  switch (metric) {
    case SM_CXSCREEN: return primary.Bounds.Width();
    case SM_CYSCREEN: return primary.Bounds.Height();
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
    case SM_CYVTHUMB: case SM_CXHTHUMB: return 16;
    case SM_CYCAPTION: return s.CaptionHeight;
    case SM_CXBORDER: case SM_CYBORDER: return 1;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return 3;
    case SM_CXEDGE: case SM_CYEDGE: return 2;
    case SM_CXICON: return s.Icon.cx;
    case SM_CYICON: return s.Icon.cy;
    case SM_CXCURSOR: return s.Cursor.cx;
    case SM_CYCURSOR: return s.Cursor.cy;
    case SM_CYMENU: return 19;
    case SM_CXFULLSCREEN: return primary.WorkArea.Width();
    case SM_CYFULLSCREEN: return primary.WorkArea.Height() - s.CaptionHeight;
    case SM_CXMIN: case SM_CXMINTRACK: return 112;
    case SM_CYMIN: case SM_CYMINTRACK: return 27;
    case SM_CXFRAME: case SM_CYFRAME: return s.FrameWidth;
    case SM_CXDOUBLECLK: return s.DoubleClickBox.cx;
    case SM_CYDOUBLECLK: return s.DoubleClickBox.cy;
    case SM_CXSMICON: return s.SmallIcon.cx;
    case SM_CYSMICON: return s.SmallIcon.cy;
    case SM_CXMAXTRACK: return all.Width() + 12;
    case SM_CYMAXTRACK: return all.Height() + 12;
    case SM_CXMAXIMIZED: return primary.WorkArea.Width();
    case SM_CYMAXIMIZED: return primary.WorkArea.Height();
    case SM_XVIRTUALSCREEN: return all.Left;
    case SM_YVIRTUALSCREEN: return all.Top;
    case SM_CXVIRTUALSCREEN: return all.Width();
    case SM_CYVIRTUALSCREEN: return all.Height();
    case SM_CMONITORS: return static_cast<int32_t>(monitors.size());
  }
  return 0;
}

TRect GetWorkArea() { return Sys().Backend().Monitors().front().WorkArea; }
std::vector<TMonitorInfo> GetMonitors() { return Sys().Backend().Monitors(); }

TMonitorInfo MonitorFromWindow(HWND wnd) {
  TWindow* w = Win(wnd);
  return w ? Sys().Placer().MonitorOf(w) : Sys().Backend().Monitors().front();
}

TMonitorInfo MonitorFromPoint(TPoint screen) {
  return Sys().Placer().MonitorOfRect(TRect::FromSize(screen.X, screen.Y, 1, 1));
}

bool GetDragFullWindows() { return Sys().Settings().DragFullWindows; }
void SetDragFullWindows(bool on) { Sys().Settings().DragFullWindows = on; }

}  // namespace tsm
