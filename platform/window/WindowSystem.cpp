#include "platform/window/WindowSystem.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>

#include "platform/window/DefWindowProc.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/SdlBackend.h"
#include "platform/window/TrayHost.h"

namespace tsm {

namespace {

std::unique_ptr<TWindowSystem> g_system;

}  // namespace

// --- Instance -------------------------------------------------------------

TWindowSystem& TWindowSystem::Instance() {
  if (!g_system) Initialize(CreateDefaultBackend());
  return *g_system;
}

TWindowSystem* TWindowSystem::Current() { return g_system.get(); }

TWindowSystem& TWindowSystem::Initialize(std::unique_ptr<TBackend> backend) {
  Shutdown();
  g_system.reset(new TWindowSystem(std::move(backend)));
  return *g_system;
}

void TWindowSystem::Shutdown() {
  if (!g_system) return;
  // Destroy the top-level windows while the system is still complete.
  while (!g_system->m_topLevels.empty()) {
    const HWND h = g_system->m_topLevels.back()->Handle();
    if (!g_system->Destroy(h)) break;
  }
  g_system.reset();
}

std::unique_ptr<TBackend> TWindowSystem::CreateDefaultBackend() {
  const char* choice = std::getenv("TM_BACKEND");
  const bool wantHeadless = choice && std::strcmp(choice, "headless") == 0;
  const bool wantSdl = choice && std::strcmp(choice, "sdl") == 0;
  const bool display = (std::getenv("DISPLAY") && *std::getenv("DISPLAY")) ||
                       (std::getenv("WAYLAND_DISPLAY") && *std::getenv("WAYLAND_DISPLAY"));
  if (!wantHeadless && (wantSdl || display)) {
    if (auto sdl = TSdlBackend::Create()) return sdl;
  }
  return std::make_unique<THeadlessBackend>();
}

TWindowSystem::TWindowSystem(std::unique_ptr<TBackend> backend)
    : m_backend(std::move(backend)),
      m_uiThread(std::this_thread::get_id()),
      m_focus(*this),
      m_placer(*this),
      m_painter(*this),
      m_input(*this),
      m_caret(*this) {
  m_headless = dynamic_cast<THeadlessBackend*>(m_backend.get());
  if (m_headless) m_headless->Attach(this);
  if (auto* sdl = dynamic_cast<TSdlBackend*>(m_backend.get())) sdl->Attach(this);
}

TWindowSystem::~TWindowSystem() {
  m_timers.Clear();
  if (m_headless) m_headless->Attach(nullptr);
  if (auto* sdl = dynamic_cast<TSdlBackend*>(m_backend.get())) sdl->Attach(nullptr);
}

// --- Hierarchy ------------------------------------------------------------

TWindow* TWindowSystem::Find(HWND wnd) const {
  if (!wnd) return nullptr;
  const auto it = m_windows.find(wnd.Id);
  return it == m_windows.end() ? nullptr : it->second.get();
}

TWindow* TWindowSystem::TopLevelOf(TWindow* w) {
  while (w && w->Parent) w = w->Parent;
  return w;
}

bool TWindowSystem::IsDescendant(const TWindow* w, const TWindow* ancestor) {
  for (; w; w = w->Parent)
    if (w == ancestor) return true;
  return false;
}

TPoint TWindowSystem::OriginInTopLevel(const TWindow* w) {
  // Each level adds the window's place in its parent's client area and
  // where that client area lies in the parent.
  TPoint p;
  for (const TWindow* c = w; c->Parent; c = c->Parent) p = p + c->Rect.TopLeft() + c->Parent->ClientRect.TopLeft();
  return p;
}

TPoint TWindowSystem::ScreenOrigin(const TWindow* w) {
  const TWindow* top = w;
  while (top->Parent) top = top->Parent;
  return top->Rect.TopLeft() + OriginInTopLevel(w);
}

bool TWindowSystem::IsShowing(const TWindow* w) {
  for (; w; w = w->Parent)
    if (!w->HasVisibleFlag() || w->IsMinimized() || w->Destroying) return false;
  return true;
}

bool TWindowSystem::IsEnabledForInput(const TWindow* w) {
  for (; w; w = w->Parent)
    if (w->HasDisabledFlag()) return false;
  return true;
}

namespace {

bool Skipped(const std::vector<const TWindow*>& skip, const TWindow* w) {
  return std::find(skip.begin(), skip.end(), w) != skip.end();
}

}  // namespace

TWindow* TWindowSystem::ChildFromPoint(TWindow* parent, TPoint clientPoint, bool skipDisabled,
                                       const std::vector<const TWindow*>& skip) {
  for (TWindow* c : parent->Children) {
    if (!c->HasVisibleFlag() || c->Destroying || (skipDisabled && c->HasDisabledFlag()) || Skipped(skip, c)) continue;
    if (!c->Rect.Contains(clientPoint)) continue;
    const TPoint local = clientPoint - c->Rect.TopLeft();
    if (c->Shape && !c->Shape->Contains(local)) continue;
    return c;
  }
  return nullptr;
}

TWindow* TWindowSystem::WindowFromPoint(TPoint screen, const std::vector<const TWindow*>& skip) const {
  for (TWindow* t : m_topLevels) {
    if (!t->HasVisibleFlag() || t->IsMinimized() || t->Destroying || Skipped(skip, t)) continue;
    if (!t->Rect.Contains(screen)) continue;
    TPoint local = screen - t->Rect.TopLeft();
    if (t->Shape && !t->Shape->Contains(local)) continue;
    // Descend into the children while the point is in a client area.
    TWindow* w = t;
    for (;;) {
      if (!w->ClientRect.Contains(local)) break;
      TWindow* c = ChildFromPoint(w, local - w->ClientRect.TopLeft(), true, skip);
      if (!c) break;
      local = local - w->ClientRect.TopLeft() - c->Rect.TopLeft();
      w = c;
    }
    return w;
  }
  return nullptr;
}

// --- Creation and destruction ---------------------------------------------

HWND TWindowSystem::Create(const TWindowCreateParams& params) {
  assert(IsUiThread());
  TWindow* parent = Find(params.Parent);
  const bool child = (params.Style & WS_CHILD) != 0;
  if (child && !parent) return HWND();
  if (parent && parent->Destroying) return HWND();

  const HWND handle(m_nextId++);
  auto owned = std::make_shared<TWindow>(handle, params.Style & ~WS_VISIBLE, params.ExStyle, params.ClassStyle);
  TWindow* w = owned.get();
  m_windows.emplace(handle.Id, owned);
  w->Rect = params.Bounds.IsEmpty() && (params.Bounds.Width() < 0 || params.Bounds.Height() < 0)
                ? TRect::FromSize(params.Bounds.Left, params.Bounds.Top, 0, 0)
                : params.Bounds;
  w->ClientRect = w->LocalRect();
  w->NormalRect = w->Rect;
  w->Text = params.Text;
  w->Proc = params.Proc ? params.Proc : TWndProc(&DefWindowProc);
  w->UserData = params.UserData;
  w->ClassCursor = params.Cursor;
  w->ClassBackground = params.Background;
  w->ControlId = params.ControlId;
  if (child) {
    w->Parent = parent;
    parent->Children.insert(parent->Children.begin(), w);
  } else {
    // Owned windows stay above their owner, so the owner is a top-level
    // window: a pop-up created for a control (a drop-down list) belongs to
    // the control's top-level window.
    w->Owner = TopLevelOf(parent);
    w->Surface = std::make_unique<TSurface>(w->Rect.Width(), w->Rect.Height(), 0xFFC0C0C0u);
    // New top-level windows start at the top of their band. The backend
    // hears of the place at once: a window shown later without any other
    // change of the order must not be missing from the backend's order.
    m_placer.PlaceTopLevel(w, 0);
    m_backend->WindowCreated(handle);
    m_placer.StackingChanged();
  }

  TCreateStruct cs;
  cs.lpCreateParams = params.CreateParam;
  cs.hwndParent = params.Parent;
  cs.x = w->Rect.Left;
  cs.y = w->Rect.Top;
  cs.cx = w->Rect.Width();
  cs.cy = w->Rect.Height();
  cs.style = params.Style;
  cs.exStyle = params.ExStyle;
  cs.lpszName = params.Text.c_str();

  if (!Send(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) || !Find(handle)) {
    Destroy(handle);
    return HWND();
  }
  TRect calc = w->Rect;
  Send(handle, WM_NCCALCSIZE, 0, reinterpret_cast<LPARAM>(&calc));
  if (!Find(handle)) return HWND();
  calc.Offset(-w->Rect.Left, -w->Rect.Top);
  calc.Left = std::clamp(calc.Left, 0, w->Rect.Width());
  calc.Top = std::clamp(calc.Top, 0, w->Rect.Height());
  calc.Right = std::clamp(calc.Right, calc.Left, w->Rect.Width());
  calc.Bottom = std::clamp(calc.Bottom, calc.Top, w->Rect.Height());
  w->ClientRect = calc;
  if (Send(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || !Find(handle)) {
    Destroy(handle);
    return HWND();
  }
  w->Created = true;
  Send(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(w->ClientRect.Width(), w->ClientRect.Height()));
  if (!Find(handle)) return HWND();
  const TPoint clientOrigin = w->Rect.TopLeft() + w->ClientRect.TopLeft();
  Send(handle, WM_MOVE, 0, PointToLParam(clientOrigin));
  if (!Find(handle)) return HWND();
  if (params.Style & WS_VISIBLE) m_placer.ShowWindow(w, SW_SHOW);
  return Find(handle) ? handle : HWND();
}

bool TWindowSystem::Destroy(HWND wnd) {
  TWindow* w = Find(wnd);
  if (!w || w->Destroying) return false;
  const std::shared_ptr<TWindow> keep = m_windows[wnd.Id];

  // Owned windows go first, then this window with its children.
  std::vector<HWND> ownedWindows;
  for (TWindow* t : m_topLevels)
    if (t->Owner == w) ownedWindows.push_back(t->Handle());
  for (HWND o : ownedWindows) Destroy(o);

  const bool wasShowing = IsShowing(w);
  if (w->HasVisibleFlag() && w->Created)
    m_placer.SetWindowPos(w, HWND(), 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  w->Destroying = true;
  m_focus.WindowLeaving(w, true);
  if (m_focus.Active() == wnd) m_focus.Activate(m_focus.NextToActivate(w));
  if (w->IsChild() && wasShowing && w->Parent) m_painter.ExposeInParent(w, w->Rect);
  DestroyTree(w);
  return true;
}

void TWindowSystem::DestroyTree(TWindow* w) {
  // WM_DESTROY parent first, WM_NCDESTROY children first.
  const HWND h = w->Handle();
  w->Destroying = true;
  m_input.WindowGone(w);
  m_caret.WindowGone(h);
  if (m_focus.Capture() == h) m_focus.ReleaseCapture();
  Send(h, WM_DESTROY, 0, 0);
  std::vector<HWND> kids;
  for (TWindow* c : w->Children) kids.push_back(c->Handle());
  for (HWND k : kids)
    if (TWindow* c = Find(k)) {
      // Owned windows of children go as well.
      std::vector<HWND> owned;
      for (TWindow* t : m_topLevels)
        if (t->Owner == c) owned.push_back(t->Handle());
      for (HWND o : owned) Destroy(o);
      if ((c = Find(k)) && !c->Destroying) DestroyTree(c);
    }
  Send(h, WM_NCDESTROY, 0, 0);
  m_timers.KillAll(h);
  if (TTrayHost* tray = m_backend->TrayHost()) tray->WindowDestroyed(h);
  m_painter.WindowGone(w);
  Unlink(w);
}

void TWindowSystem::Unlink(TWindow* w) {
  const HWND h = w->Handle();
  if (w->Parent) std::erase(w->Parent->Children, w);
  for (TWindow* c : w->Children) c->Parent = nullptr;
  if (w->IsTopLevel()) {
    std::erase(m_topLevels, w);
    for (TWindow* t : m_topLevels)
      if (t->Owner == w) t->Owner = nullptr;
    m_backend->WindowDestroyed(h);
  }
  m_windows.erase(h.Id);
}

// --- Messages -------------------------------------------------------------

LRESULT TWindowSystem::Send(HWND wnd, uint32_t msg, WPARAM w, LPARAM l) {
  assert(IsUiThread());
  const auto it = m_windows.find(wnd.Id);
  if (!wnd || it == m_windows.end()) return 0;
  // The window and its procedure stay alive for the whole call, even when the
  // procedure destroys the window or replaces itself.
  const std::shared_ptr<TWindow> keep = it->second;
  const TWndProc proc = keep->Proc;
  return proc(wnd, msg, w, l);
}

TMsg TWindowSystem::MakeMessage(HWND wnd, uint32_t msg, WPARAM w, LPARAM l) {
  TMsg m;
  m.hwnd = wnd;
  m.message = msg;
  m.wParam = w;
  m.lParam = l;
  return m;
}

bool TWindowSystem::Post(HWND wnd, uint32_t msg, WPARAM w, LPARAM l) {
  if (wnd && IsUiThread() && !Find(wnd)) return false;
  TMsg m = MakeMessage(wnd, msg, w, l);
  {
    std::lock_guard<std::mutex> lock(m_postLock);
    m_posted.push_back(m);
  }
  if (!IsUiThread()) m_backend->Wake();
  return true;
}

void TWindowSystem::PostQuit(int exitCode) {
  m_quitPending = true;
  m_quitCode = exitCode;
}

bool TWindowSystem::NextMessage(TMsg& msg, bool remove, bool wait) {
  for (;;) {
    m_painter.Flush();
    m_backend->Poll();
    const uint64_t now = m_backend->Now();
    {
      std::lock_guard<std::mutex> lock(m_postLock);
      if (!m_posted.empty()) {
        msg = m_posted.front();
        if (remove) m_posted.pop_front();
        msg.time = static_cast<uint32_t>(now);
        msg.pt = m_input.CursorPos();
        return true;
      }
    }
    if (m_input.Next(msg, remove)) return true;
    {
      // Turning input into messages may have posted some (a window closed
      // from the desktop, a caption button released): they come first.
      std::lock_guard<std::mutex> lock(m_postLock);
      if (!m_posted.empty()) continue;
    }
    if (m_quitPending) {
      msg = MakeMessage(HWND(), WM_QUIT, static_cast<WPARAM>(m_quitCode), 0);
      if (remove) m_quitPending = false;
      return true;
    }
    if (TWindow* p = m_painter.NextToPaint()) {
      msg = MakeMessage(p->Handle(), WM_PAINT, 0, 0);
      msg.time = static_cast<uint32_t>(now);
      msg.pt = m_input.CursorPos();
      return true;
    }
    TTimerQueue::TEntry timer;
    if (m_timers.NextDue() && *m_timers.NextDue() <= now) {
      if (!remove) {
        // Peeking does not consume the expiry.
        for (;;) {
          TTimerQueue::TEntry probe;
          TTimerQueue copy = m_timers;
          if (copy.TakeDue(now, probe)) {
            msg = MakeMessage(probe.Window, WM_TIMER, probe.Id, 0);
            msg.time = static_cast<uint32_t>(now);
            return true;
          }
          break;
        }
      } else if (m_timers.TakeDue(now, timer)) {
        msg = MakeMessage(timer.Window, WM_TIMER, timer.Id, 0);
        msg.time = static_cast<uint32_t>(now);
        msg.pt = m_input.CursorPos();
        return true;
      }
    }
    if (!wait) return false;
    m_painter.Flush();
    int64_t timeout = -1;
    if (const auto due = m_timers.NextDue()) timeout = *due > now ? static_cast<int64_t>(*due - now) : 0;
    m_backend->Wait(timeout);
  }
}

bool TWindowSystem::GetMessage(TMsg& msg) {
  NextMessage(msg, true, true);
  m_lastMessage = msg;
  return msg.message != WM_QUIT;
}

bool TWindowSystem::PeekMessage(TMsg& msg, bool remove) {
  if (!NextMessage(msg, remove, false)) return false;
  if (remove) m_lastMessage = msg;
  return true;
}

bool TWindowSystem::TranslateMessage(const TMsg& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const uint32_t vk = static_cast<uint32_t>(msg.wParam);
  uint32_t ch = 0;
  if (vk == 0x08 || vk == 0x09 || vk == 0x0D || vk == 0x1B) ch = vk;   // Backspace, Tab, Enter, Escape
  else if (m_input.IsKeyDown(0x11) && !m_input.IsKeyDown(0x12) && vk >= 'A' && vk <= 'Z') ch = vk - 'A' + 1;
  if (!ch) return false;
  TMsg m = msg;
  m.message = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  m.wParam = ch;
  std::lock_guard<std::mutex> lock(m_postLock);
  m_posted.push_front(m);
  return true;
}

LRESULT TWindowSystem::DispatchMessage(const TMsg& msg) {
  if (msg.message == WM_TIMER && !msg.hwnd) {
    if (TTimerProc proc = m_timers.ProcOf(static_cast<uint32_t>(msg.wParam))) proc(static_cast<uint32_t>(msg.wParam));
    return 0;
  }
  if (!msg.hwnd) return 0;
  if (msg.message == WM_TIMER && !m_timers.Exists(msg.hwnd, static_cast<uint32_t>(msg.wParam))) return 0;
  TWindow* w = Find(msg.hwnd);
  if (!w) return 0;
  if (msg.message == WM_DROPFILES) {
    const LRESULT r = Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    m_input.FinishDrop(msg.wParam);
    return r;
  }
  if (msg.message != WM_PAINT) return Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  // A WM_PAINT whose handler neither painted nor validated must not come
  // back forever: what was due when it was handed out counts as painted.
  // What a handler invalidates while or after painting stays due.
  const uint32_t cycles = w->PaintCycles;
  const TRegion due = w->Update;
  const LRESULT r = Send(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  if ((w = Find(msg.hwnd)) && w->PaintCycles == cycles && !w->InPaint) {
    w->Update.Subtract(due);
    if (w->Update.IsEmpty()) w->EraseNeeded = false;
    w->InternalPaint = false;
    w->FrameNeeded = false;
  }
  return r;
}

bool TWindowSystem::ProcessPendingMessages() {
  TMsg msg;
  while (PeekMessage(msg, true)) {
    if (msg.message == WM_QUIT) {
      PostQuit(static_cast<int>(msg.wParam));
      return false;
    }
    TranslateMessage(msg);
    DispatchMessage(msg);
  }
  return true;
}

}  // namespace tsm
