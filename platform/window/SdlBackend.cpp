// The SDL2 backend.
//
// Every shown top-level window is a borderless native window (created when it
// is first shown) that displays the window's surface: Present copies the
// damaged rectangles into SDL's window surface, with the caret inverted over
// them. Pop-ups that never take activation become SDL_WINDOW_TOOLTIP windows,
// other owned pop-ups and topmost windows SDL_WINDOW_POPUP_MENU windows
// (both override-redirect under X11: no window manager moves them). A window
// with a shape is a shaped native window; a shape that appears or goes away
// recreates the native window.
//
// Stacking: the native windows are raised in the window system's order
// whenever it changes and whenever one is mapped. Under X11 an owned window
// is transient for its owner's native window (a window manager keeps it
// above the owner), and after every change among the root window's children
// (a window manager raising a frame on a click, or acting on a raise request
// late) what is out of the window system's order is put back; see
// X11Stacking.h.
//
// Focus: the window system decides which window is active and moves the
// keyboard focus there with SDL_SetWindowInputFocus; the focus events SDL
// reports do not move the activation between our windows, since without a
// window manager SDL gives the focus to every window it shows. They tell
// about the program as a whole: when the keyboard focus has left all our
// windows for kFocusGraceMs (another program was activated; the grace lets
// the focus change that our own activation makes arrive first), the
// application is deactivated; when a window manager gives the focus back to
// one of our windows while none is active (Alt+Tab), it is activated.
//
// Minimizing: a minimized window with a task bar button (TWindow::
// ShowsInTaskBar) is iconified through the window manager
// (SDL_MinimizeWindow): it stays managed and in the task bar, whose button
// brings it back. Restoring it there, and minimizing it there, reach the
// window system as the desktop's requests (SC_RESTORE, SC_MINIMIZE), once the
// window manager's own state (WM_STATE under X11) confirms them, so that
// stale events of our own hiding and showing are never taken for the user's.
// Windows without a task bar button, and every window when no window manager
// runs (nothing could restore an iconified window), are hidden instead.
//
// Pointer: while a button is held, every pointer event must reach the native
// window that took the press, wherever the pointer goes (the move and size
// loops and SetCapture rely on it). The X server's implicit grab of a press
// does that, but SDL ends every pointer grab of its connection
// (XUngrabPointer) whenever it applies a keyboard focus change, and the
// activation that a press on an inactive window causes is such a change; SDL's
// automatic mouse capture adds a grab for the keyboard focus window, which at
// the moment of that press is the other window. The release of a drag that
// ended outside the window (a size limit reached, the pointer over the desktop)
// then went to another client: the move loop kept following the pointer, and
// SDL, believing the button still down, dropped every later press. So:
//  - SDL_HINT_MOUSE_AUTO_CAPTURE is off and SDL_CaptureMouse is never used;
//  - while a button is held the keyboard focus change waits for the release
//    (key input is routed by the window system anyway), and after every event
//    pump the press window is grabbed again explicitly (a window manager may
//    move the focus on a click), until the last release;
//  - under X11 the pointer events are read from the X events themselves (root
//    coordinates and button state; SDL's own positions are relative to a
//    window the loop may just have moved, and its global mouse state goes
//    stale under XTEST input; see X11Pointer.h), and a TPointerTracker pairs
//    presses with releases and releases a button whose release went
//    elsewhere: while a button is held and no event comes, the pointer is
//    queried every kHeldPollMs.
// Without X11 SDL's mouse events are used, made screen-relative with the
// native window's position.
//
// Waiting blocks in SDL_WaitEventTimeout until the next event or timer;
// Wake pushes a user event, which is safe from any thread. SDL installs no
// signal handlers: SIGINT and SIGTERM end the program as they do without a
// display.

#include "platform/window/SdlBackend.h"

#include <SDL.h>
#include <SDL_shape.h>

#include <algorithm>
#include <array>
#include <memory>
#include <unordered_map>

#include "platform/window/PointerTracker.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowSystem.h"
#include "platform/window/X11Pointer.h"
#include "platform/window/X11Stacking.h"
#include "platform/window/X11Tray.h"

namespace tsm {

namespace {

// How often the pointer is queried while a button is held and no pointer
// event arrives, to notice a release that went to another program.
constexpr int64_t kHeldPollMs = 50;
// How long the keyboard focus must stay away from all our windows before
// the application counts as deactivated.
constexpr uint64_t kFocusGraceMs = 100;
// How many times in a row the native windows are put back in order after a
// window manager restacked them (see TX11Stacking).
constexpr int kArrangeBudget = 8;

uint32_t VirtualKeyOf(SDL_Keycode k) {
  if (k >= SDLK_a && k <= SDLK_z) return static_cast<uint32_t>('A' + (k - SDLK_a));
  if (k >= SDLK_0 && k <= SDLK_9) return static_cast<uint32_t>('0' + (k - SDLK_0));
  if (k >= SDLK_F1 && k <= SDLK_F12) return VK_F1 + static_cast<uint32_t>(k - SDLK_F1);
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return VK_NUMPAD1 + static_cast<uint32_t>(k - SDLK_KP_1);
  switch (k) {
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_RETURN: case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_END: return VK_END;
    case SDLK_HOME: return VK_HOME;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return VK_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LALT: case SDLK_RALT: return VK_MENU;
    case SDLK_CAPSLOCK: return VK_CAPITAL;
    case SDLK_PAUSE: return VK_PAUSE;
    case SDLK_APPLICATION: return VK_APPS;
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_KP_MULTIPLY: return VK_MULTIPLY;
    case SDLK_KP_PLUS: return VK_ADD;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PERIOD: return VK_DECIMAL;
    case SDLK_KP_DIVIDE: return VK_DIVIDE;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_BACKQUOTE: return VK_OEM_3;
    case SDLK_LEFTBRACKET: return VK_OEM_4;
    case SDLK_BACKSLASH: return VK_OEM_5;
    case SDLK_RIGHTBRACKET: return VK_OEM_6;
    case SDLK_QUOTE: return VK_OEM_7;
    default: return 0;
  }
}

SDL_SystemCursor SystemCursorOf(TCursorShape s) {
  switch (s) {
    case TCursorShape::IBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case TCursorShape::Wait: return SDL_SYSTEM_CURSOR_WAIT;
    case TCursorShape::AppStarting: return SDL_SYSTEM_CURSOR_WAITARROW;
    case TCursorShape::Hand: return SDL_SYSTEM_CURSOR_HAND;
    case TCursorShape::Cross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case TCursorShape::No: return SDL_SYSTEM_CURSOR_NO;
    case TCursorShape::SizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case TCursorShape::SizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case TCursorShape::SizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case TCursorShape::SizeWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case TCursorShape::SizeNS: return SDL_SYSTEM_CURSOR_SIZENS;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

class TSdlBackendImpl final : public TSdlBackend {
 public:
  TSdlBackendImpl() : m_pointer([this](TRawInput in) { Queue(std::move(in)); }), m_x11(TX11Pointer::Open()) {
    m_wakeEvent = SDL_RegisterEvents(1);
    if (m_x11) {
      TX11Pointer::EnableEvents();
      m_tray = TX11Tray::Open();
    }
    // SDL's own default cursor is "none": the desktop's, which under a bare
    // X server is not an arrow. The window system starts with the arrow.
    SetCursorShape(TCursorShape::Arrow);
  }
  ~TSdlBackendImpl() override {
    m_tray.reset();
    for (auto& [id, n] : m_natives) SDL_DestroyWindow(n.Window);
    for (SDL_Cursor* c : m_cursors)
      if (c) SDL_FreeCursor(c);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }

  void Attach(TWindowSystem* sys) override { m_sys = sys; }
  const char* Name() const override { return "sdl"; }

  std::vector<TMonitorInfo> Monitors() override {
    std::vector<TMonitorInfo> out;
    const int n = SDL_GetNumVideoDisplays();
    for (int i = 0; i < n; ++i) {
      SDL_Rect b, u;
      if (SDL_GetDisplayBounds(i, &b) != 0) continue;
      if (SDL_GetDisplayUsableBounds(i, &u) != 0) u = b;
      out.push_back({TRect::FromSize(b.x, b.y, b.w, b.h), TRect::FromSize(u.x, u.y, u.w, u.h), i == 0});
    }
    if (out.empty()) out.push_back({TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 768), true});
    return out;
  }

  uint64_t Now() override { return SDL_GetTicks64(); }

  void Poll() override {
    SDL_Event e;
    bool any = false;
    while (SDL_PollEvent(&e)) {
      Handle(e);
      any = true;
    }
    if (any) KeepPressGrab();
    SettleStacking();
    CheckApplicationFocus();
  }

  void Wait(int64_t timeoutMs) override {
    const bool watchHeld = m_x11 && m_pointer.Held();
    if (watchHeld && (timeoutMs < 0 || timeoutMs > kHeldPollMs)) timeoutMs = kHeldPollMs;
    if (m_focusCheckAt) {
      const uint64_t now = Now();
      const int64_t left = m_focusCheckAt > now ? int64_t(m_focusCheckAt - now) : 0;
      if (timeoutMs < 0 || timeoutMs > left) timeoutMs = left;
    }
    SDL_Event e;
    const int got = timeoutMs < 0 ? SDL_WaitEvent(&e)
                                  : SDL_WaitEventTimeout(&e, static_cast<int>(std::min<int64_t>(timeoutMs, 1 << 30)));
    if (got) Handle(e);
    Poll();
    if (watchHeld && m_pointer.Held() && Now() - m_lastPointerEvent >= uint64_t(kHeldPollMs)) CheckHeldButtons();
    KeepPressGrab();
    SettleStacking();
  }

  void Wake() override {
    SDL_Event e{};
    e.type = m_wakeEvent;
    SDL_PushEvent(&e);
  }

  void WindowCreated(HWND) override {}

  TTrayHost* TrayHost() override { return m_tray.get(); }

  void WindowDestroyed(HWND wnd) override {
    const auto it = m_natives.find(wnd.Id);
    if (it == m_natives.end()) return;
    m_byNative.erase(SDL_GetWindowID(it->second.Window));
    SDL_DestroyWindow(it->second.Window);
    m_natives.erase(it);
  }

  void WindowChanged(HWND wnd) override {
    TWindow* w = m_sys ? m_sys->Find(wnd) : nullptr;
    if (!w) return;
    const bool visible = w->HasVisibleFlag() && !w->Destroying;
    const bool shown = visible && !w->IsMinimized();
    auto it = m_natives.find(wnd.Id);
    if (!shown) {
      if (visible && w->ShowsInTaskBar() && WindowManagerRunning()) {
        Iconify(*w);
        return;
      }
      if (it != m_natives.end()) {
        it->second.Iconic = false;
        SDL_HideWindow(it->second.Window);
      }
      return;
    }
    it = NativeFor(*w);
    if (it == m_natives.end()) return;
    TNative& n = it->second;
    if (n.Iconic) {
      // Back from the task bar (our restore, or the window manager's that
      // the window system has followed).
      n.Iconic = false;
      SDL_RestoreWindow(n.Window);
    }
    if (n.Rect != w->Rect) {
      if (n.Rect.Size() != w->Rect.Size()) SDL_SetWindowSize(n.Window, w->Rect.Width(), w->Rect.Height());
      SDL_SetWindowPosition(n.Window, w->Rect.Left, w->Rect.Top);
      n.Rect = w->Rect;
    }
    if (n.Shaped && w->Shape) ApplyShape(n, *w);
    SDL_SetWindowOpacity(n.Window, (w->ExStyle & WS_EX_LAYERED) ? w->Opacity / 255.0f : 1.0f);
    if (!(SDL_GetWindowFlags(n.Window) & SDL_WINDOW_SHOWN)) {
      ShowNative(n, *w);
      // A native window is mapped on top of all: back to the window system's
      // order. SDL focuses what it shows; the window system decides instead.
      Restack();
      if (TWindow* active = m_sys->Find(m_sys->Focus().Active())) ActiveChanged(active->Handle());
    }
    PresentAll(*w);
  }

  void StackingChanged(const std::vector<HWND>& topToBottom) override {
    if (topToBottom == m_stacking) return;
    m_stacking = topToBottom;
    Restack();
  }

  void Present(HWND wnd, const TRegion& damage) override {
    TWindow* w = m_sys ? m_sys->Find(wnd) : nullptr;
    const auto it = m_natives.find(wnd.Id);
    if (!w || it == m_natives.end() || !w->Surface) return;
    SDL_Surface* s = SDL_GetWindowSurface(it->second.Window);
    if (!s || s->format->BytesPerPixel != 4) return;
    TRect caret;
    const bool hasCaret = m_sys->Caret().OverlayRect(wnd, caret);
    std::vector<SDL_Rect> rects;
    const TRect bounds(0, 0, std::min(s->w, w->Surface->Width()), std::min(s->h, w->Surface->Height()));
    SDL_LockSurface(s);
    for (const TRect& r0 : damage.Rects()) {
      const TRect r = r0.Intersected(bounds);
      if (r.IsEmpty()) continue;
      for (int32_t y = r.Top; y < r.Bottom; ++y) {
        uint32_t* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + ptrdiff_t(y) * s->pitch);
        const uint32_t* src = w->Surface->Row(y);
        for (int32_t x = r.Left; x < r.Right; ++x) {
          uint32_t p = src[x];
          if (hasCaret && caret.Contains(x, y)) p ^= 0x00FFFFFFu;
          dst[x] = SDL_MapRGB(s->format, uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p));
        }
      }
      rects.push_back({r.Left, r.Top, r.Width(), r.Height()});
    }
    SDL_UnlockSurface(s);
    if (!rects.empty()) SDL_UpdateWindowSurfaceRects(it->second.Window, rects.data(), static_cast<int>(rects.size()));
  }

  // The keyboard focus only: the window system's z-order (StackingChanged)
  // already has the active window where it belongs, below topmost windows.
  void ActiveChanged(HWND wnd) override {
    const auto it = m_natives.find(wnd.Id);
    if (it == m_natives.end() || !(SDL_GetWindowFlags(it->second.Window) & SDL_WINDOW_SHOWN)) return;
    // A keyboard focus change makes SDL end the pointer grab of the press in
    // progress, so while a button is held the focus waits for the release.
    if (m_pointer.Held()) {
      m_pendingFocus = wnd;
      return;
    }
    m_pendingFocus = HWND();
    SDL_SetWindowInputFocus(it->second.Window);
  }

  void SetCursorShape(TCursorShape shape) override {
    if (shape == TCursorShape::None) {
      SDL_ShowCursor(SDL_DISABLE);
      return;
    }
    SDL_ShowCursor(SDL_ENABLE);
    SDL_Cursor*& c = m_cursors[static_cast<size_t>(shape)];
    if (!c) c = SDL_CreateSystemCursor(SystemCursorOf(shape));
    if (c) SDL_SetCursor(c);
  }

  TPoint CursorPos() override {
    TPoint pos;
    uint32_t held = 0;
    if (m_x11 && m_x11->Query(pos, held)) return pos;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return {x, y};
  }
  void SetCursorPos(TPoint p) override { SDL_WarpMouseGlobal(p.X, p.Y); }

  std::string ClipboardText() override {
    char* t = SDL_GetClipboardText();
    std::string out = t ? t : "";
    SDL_free(t);
    return out;
  }
  void SetClipboardText(const std::string& text) override { SDL_SetClipboardText(text.c_str()); }
  bool HasClipboardText() override { return SDL_HasClipboardText() == SDL_TRUE; }

  void StartTextInput(HWND, const TRect& caret) override {
    SDL_Rect r{caret.Left, caret.Top, caret.Width(), caret.Height()};
    SDL_SetTextInputRect(&r);
    SDL_StartTextInput();
  }
  void StopTextInput() override {}
  void Beep() override {
    if (m_x11 && !m_natives.empty()) TX11Pointer::Bell(m_natives.begin()->second.Window);
  }

 private:
  struct TNative {
    SDL_Window* Window = nullptr;
    TRect Rect;
    bool Shaped = false;
    bool Iconic = false;      // we asked the window manager to iconify it
    bool IconicSeen = false;  // ... and it has done so since
    uint64_t XWindow = 0;  // under X11
  };

  bool WindowManagerRunning() const { return !m_x11 || m_x11->WindowManagerRunning(); }

  // Minimizes w into the task bar: its native window is shown (a window
  // minimized before it was ever shown gets one) and iconified.
  void Iconify(TWindow& w) {
    const auto it = NativeFor(w);
    if (it == m_natives.end()) return;
    TNative& n = it->second;
    if (n.Iconic) return;
    n.Iconic = true;
    // Minimized by the window manager itself (the window system follows
    // it): no confirmation will come.
    n.IconicSeen = ManagerShowsIconic(n);
    if (n.IconicSeen) return;
    if (!(SDL_GetWindowFlags(n.Window) & SDL_WINDOW_SHOWN)) {
      ShowNative(n, w);
      PresentAll(w);
    }
    SDL_MinimizeWindow(n.Window);
  }

  // Maps the native window of w. A window manager keeps an owned window
  // above its owner: it reads the owner when the window is mapped.
  void ShowNative(TNative& n, const TWindow& w) {
    if (m_x11) {
      const auto owner = w.Owner ? m_natives.find(w.Owner->Handle().Id) : m_natives.end();
      TX11Stacking::SetOwner(n.Window, owner != m_natives.end() ? owner->second.Window : nullptr);
    }
    SDL_ShowWindow(n.Window);
  }

  // The window manager's view of a native window, when it can be asked.
  bool ManagerShowsIconic(const TNative& n) const {
    if (m_x11 && n.XWindow) return m_x11->WmState(n.XWindow) == TX11Pointer::TWmState::Iconic;
    return (SDL_GetWindowFlags(n.Window) & SDL_WINDOW_MINIMIZED) != 0;
  }
  bool ManagerShowsNormal(const TNative& n) const {
    if (m_x11 && n.XWindow) return m_x11->WmState(n.XWindow) == TX11Pointer::TWmState::Normal;
    const uint32_t flags = SDL_GetWindowFlags(n.Window);
    return (flags & SDL_WINDOW_SHOWN) && !(flags & SDL_WINDOW_MINIMIZED);
  }

  // The window manager minimized or restored a native window (its task bar
  // button, a key of its own) or moved the keyboard focus.
  void HandleDesktopState(const SDL_WindowEvent& e, TWindow& w) {
    const auto it = m_natives.find(w.Handle().Id);
    if (it == m_natives.end()) return;
    TNative& n = it->second;
    TRawInput in;
    in.Window = w.Handle();
    switch (e.event) {
      case SDL_WINDOWEVENT_MINIMIZED:
      case SDL_WINDOWEVENT_HIDDEN:
        // Our own iconify request confirmed: the window manager may set
        // WM_STATE only after it unmapped the window, so the event alone
        // counts (otherwise the restore that follows would be missed).
        if (n.Iconic) {
          n.IconicSeen = true;
          break;
        }
        if (!ManagerShowsIconic(n)) break;
        if (e.event == SDL_WINDOWEVENT_MINIMIZED && TWindowSystem::IsShowing(&w)) {
          in.Kind = TRawInput::TKind::Minimize;
          Queue(std::move(in));
        }
        break;
      case SDL_WINDOWEVENT_RESTORED:
      case SDL_WINDOWEVENT_SHOWN:
      case SDL_WINDOWEVENT_EXPOSED:
        // Only after the window manager has iconified the window: events
        // from before the iconify request are no restore.
        if (n.Iconic && n.IconicSeen && w.IsMinimized() && ManagerShowsNormal(n)) {
          in.Kind = TRawInput::TKind::Activate;
          Queue(std::move(in));
        }
        break;
      case SDL_WINDOWEVENT_FOCUS_LOST:
        m_focusCheckAt = Now() + kFocusGraceMs;
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        // Only a window manager gives the focus on its own (without one SDL
        // focuses every window it shows).
        m_focusCheckAt = 0;
        if (!m_sys->Focus().Active() && TFocusManager::CanActivate(&w) && WindowManagerRunning()) {
          in.Kind = TRawInput::TKind::Activate;
          Queue(std::move(in));
        }
        break;
      default:
        break;
    }
  }

  // Once the grace after a focus loss has passed: when the keyboard focus is
  // in none of our windows, another program is active.
  void CheckApplicationFocus() {
    if (!m_focusCheckAt || Now() < m_focusCheckAt || !m_sys) return;
    m_focusCheckAt = 0;
    // A focus change of ours that waits for the buttons is no loss.
    if (m_pendingFocus || !m_sys->Focus().Active()) return;
    bool ours = false;
    if (m_x11) {
      std::vector<uint64_t> windows;
      for (const auto& [id, n] : m_natives)
        if (n.XWindow) windows.push_back(n.XWindow);
      ours = m_x11->FocusIsIn(windows);
    } else if (SDL_Window* focus = SDL_GetKeyboardFocus()) {
      ours = WindowOf(SDL_GetWindowID(focus)) != HWND();
    }
    if (ours) return;
    TRawInput in;
    in.Kind = TRawInput::TKind::Deactivate;
    Queue(std::move(in));
  }

  // The native window of w, made when there is none yet and made again when
  // a shape appeared or went away (only shaped native windows take shapes).
  std::unordered_map<uint32_t, TNative>::iterator NativeFor(TWindow& w) {
    auto it = m_natives.find(w.Handle().Id);
    if (it != m_natives.end() && it->second.Shaped != w.Shape.has_value()) {
      WindowDestroyed(w.Handle());
      it = m_natives.end();
    }
    return it != m_natives.end() ? it : CreateNative(&w);
  }

  std::unordered_map<uint32_t, TNative>::iterator CreateNative(TWindow* w) {
    uint32_t flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (w->NeverActivates()) flags |= SDL_WINDOW_TOOLTIP;
    else if ((w->Owner && (w->Style & WS_POPUP)) || (w->ExStyle & WS_EX_TOPMOST)) flags |= SDL_WINDOW_POPUP_MENU;
    if (!w->ShowsInTaskBar()) flags |= SDL_WINDOW_SKIP_TASKBAR;
    TNative n;
    n.Shaped = w->Shape.has_value();
    const int width = std::max(w->Rect.Width(), 1), height = std::max(w->Rect.Height(), 1);
    n.Window = n.Shaped ? SDL_CreateShapedWindow(w->Text.c_str(), unsigned(w->Rect.Left), unsigned(w->Rect.Top),
                                                 unsigned(width), unsigned(height), flags)
                        : SDL_CreateWindow(w->Text.c_str(), w->Rect.Left, w->Rect.Top, width, height, flags);
    if (!n.Window && n.Shaped) {
      n.Shaped = false;
      n.Window = SDL_CreateWindow(w->Text.c_str(), w->Rect.Left, w->Rect.Top, width, height, flags);
    }
    if (!n.Window) return m_natives.end();
    n.Rect = w->Rect;
    if (m_x11) {
      n.XWindow = TX11Pointer::WindowOf(n.Window);
      // SDL sets its connection's interest in the root window to its own
      // each time it makes a window, dropping ours: asked for again.
      TX11Stacking::Watch(n.Window);
    }
    m_byNative[SDL_GetWindowID(n.Window)] = w->Handle();
    return m_natives.emplace(w->Handle().Id, n).first;
  }

  void ApplyShape(TNative& n, const TWindow& w) {
    SDL_Surface* mask = SDL_CreateRGBSurfaceWithFormat(0, std::max(w.Rect.Width(), 1), std::max(w.Rect.Height(), 1),
                                                       32, SDL_PIXELFORMAT_ARGB8888);
    if (!mask) return;
    SDL_FillRect(mask, nullptr, 0);
    for (const TRect& r : w.Shape->Rects()) {
      SDL_Rect sr{r.Left, r.Top, r.Width(), r.Height()};
      SDL_FillRect(mask, &sr, 0xFFFFFFFFu);
    }
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    SDL_SetWindowShape(n.Window, mask, &mode);
    SDL_FreeSurface(mask);
  }

  // The shown native windows (iconified ones left out), in the window
  // system's order, the bottom one first. The order is read from the window
  // system itself, never from what the last StackingChanged said, so that a
  // window shown since is in its place.
  std::vector<SDL_Window*> ShownBottomToTop() const {
    std::vector<SDL_Window*> out;
    if (!m_sys) return out;
    const std::vector<TWindow*>& order = m_sys->TopLevels();
    for (auto it = order.rbegin(); it != order.rend(); ++it)
      if (auto n = m_natives.find((*it)->Handle().Id);
          n != m_natives.end() && !n->second.Iconic && (SDL_GetWindowFlags(n->second.Window) & SDL_WINDOW_SHOWN))
        out.push_back(n->second.Window);
    return out;
  }

  // Raises the shown native windows from the bottom of the window system's
  // order to its top, so that the server stacks them the same way. Iconified
  // ones are left alone: raising asks a window manager to activate, which
  // would restore them.
  void Restack() {
    const std::vector<SDL_Window*> natives = ShownBottomToTop();
    for (SDL_Window* n : natives) SDL_RaiseWindow(n);
    m_arrangeBudget = kArrangeBudget;
    Arrange(natives);
  }

  // Under X11, a window manager acts on raises later and restacks on its
  // own (a click raises a frame above our pop-ups): whenever the root
  // window's children changed, whatever is out of the window system's order
  // is put back (see X11Stacking.h).
  void Arrange(const std::vector<SDL_Window*>& bottomToTop) {
    if (!m_x11 || m_arrangeBudget <= 0) return;
    m_arrangeBudget = TX11Stacking::Arrange(bottomToTop) > 0 ? m_arrangeBudget - 1 : kArrangeBudget;
  }

  // After an event pump that saw the root window's children change.
  void SettleStacking() {
    if (!m_rootChanged) return;
    m_rootChanged = false;
    Arrange(ShownBottomToTop());
  }

  void PresentAll(const TWindow& w) { Present(w.Handle(), TRegion(w.LocalRect())); }

  HWND WindowOf(uint32_t nativeId) const {
    const auto it = m_byNative.find(nativeId);
    return it == m_byNative.end() ? HWND() : it->second;
  }

  void Queue(TRawInput in) {
    if (m_sys) m_sys->QueueRawInput(std::move(in));
  }

  static bool ButtonOf(uint32_t sdlButton, TMouseButton& out) {
    switch (sdlButton) {
      case SDL_BUTTON_LEFT: out = TMouseButton::Left; return true;
      case SDL_BUTTON_MIDDLE: out = TMouseButton::Middle; return true;
      case SDL_BUTTON_RIGHT: out = TMouseButton::Right; return true;
      default: return false;
    }
  }

  static uint32_t HeldOf(uint32_t sdlState) {
    uint32_t held = 0;
    if (sdlState & SDL_BUTTON_LMASK) held |= MouseButtonBit(TMouseButton::Left);
    if (sdlState & SDL_BUTTON_MMASK) held |= MouseButtonBit(TMouseButton::Middle);
    if (sdlState & SDL_BUTTON_RMASK) held |= MouseButtonBit(TMouseButton::Right);
    return held;
  }

  // An SDL event position (relative to a native window) on the screen.
  static TPoint ScreenPosOf(uint32_t nativeId, int32_t x, int32_t y) {
    int wx = 0, wy = 0;
    if (SDL_Window* n = SDL_GetWindowFromID(nativeId)) SDL_GetWindowPosition(n, &wx, &wy);
    return {wx + x, wy + y};
  }

  void HandleX11Pointer(const TX11PointerEvent& pe) {
    m_lastPointerEvent = Now();
    using K = TX11PointerEvent::TKind;
    if (pe.Kind == K::Motion) {
      m_pointer.Motion(pe.Root, pe.Held);
      AfterPointerEvent();
      return;
    }
    // X buttons: 1 left, 2 middle, 3 right, 4/5 wheel up/down (a press and a
    // release per notch), 6/7 horizontal wheel, 8/9 side buttons.
    if (pe.Button == 4 || pe.Button == 5) {
      if (pe.Kind == K::Press) m_pointer.Wheel(pe.Root, pe.Button == 4 ? 120 : -120);
      return;
    }
    TMouseButton b;
    if (pe.Button == 1) b = TMouseButton::Left;
    else if (pe.Button == 2) b = TMouseButton::Middle;
    else if (pe.Button == 3) b = TMouseButton::Right;
    else return;
    if (pe.Kind == K::Press) {
      if (!m_pointer.Held()) m_pressWindow = pe.Window;
      m_pointer.Press(b, pe.Root, pe.Held);
    } else {
      m_pointer.Release(b, pe.Root, pe.Held);
    }
    AfterPointerEvent();
  }

  // A button held for the tracker but up for the server lost its release
  // (it went to another program). The release may as well be on its way to
  // SDL's connection, so that connection is synchronised and drained first;
  // only a release still missing then is synthesised.
  void CheckHeldButtons() {
    m_lastPointerEvent = Now();
    TPoint pos;
    uint32_t held = 0;
    if (!m_x11->Query(pos, held) || (m_pointer.Held() & ~held) == 0) return;
    if (!m_natives.empty()) TX11Pointer::Sync(m_natives.begin()->second.Window);
    Poll();
    m_pointer.Reconcile(pos, held);
    AfterPointerEvent();
  }

  // Keeps the pointer with the window that took the press. SDL ends every
  // pointer grab of its connection, the implicit one of a press included,
  // whenever it applies a keyboard focus change (which may happen in any
  // event pump, up to 200 ms after the focus event); so after each pump that
  // may have done so the grab is made again, now an explicit one that
  // AfterPointerEvent ends with the last release.
  void KeepPressGrab() {
    if (!m_x11 || !m_pointer.Held()) return;
    for (auto& [id, n] : m_natives)
      if (n.XWindow == m_pressWindow && (SDL_GetWindowFlags(n.Window) & SDL_WINDOW_SHOWN)) {
        m_grabbed = TX11Pointer::Grab(n.Window) || m_grabbed;
        return;
      }
  }

  // Once every button is up: our own grab ends and a focus change that
  // waited for the release is made.
  void AfterPointerEvent() {
    if (m_pointer.Held()) return;
    if (m_grabbed) {
      m_grabbed = false;
      if (!m_natives.empty()) TX11Pointer::Ungrab(m_natives.begin()->second.Window);
    }
    if (m_pendingFocus) {
      const HWND wnd = m_pendingFocus;
      m_pendingFocus = HWND();
      if (m_sys && m_sys->Focus().Active() == wnd) ActiveChanged(wnd);
    }
  }

  void Handle(const SDL_Event& e) {
    if (!m_sys) return;
    TRawInput in;
    switch (e.type) {
      case SDL_SYSWMEVENT: {
        if (TX11Stacking::IsRootChange(e)) m_rootChanged = true;
        if (m_tray && m_tray->Take(e)) break;   // the tray's icons and host
        TX11PointerEvent pe;
        if (TX11Pointer::Read(e, pe)) HandleX11Pointer(pe);
        break;
      }
      case SDL_MOUSEMOTION:
        if (m_x11) {
          // SDL reads plain motion from XInput2 events, which do not come
          // through as X events we can read: ask the server where the
          // pointer is now (a window moved since the event cannot matter).
          // Button states are taken only from core events and queries.
          TPoint pos;
          uint32_t held = 0;
          if (!m_x11->Query(pos, held)) pos = ScreenPosOf(e.motion.windowID, e.motion.x, e.motion.y);
          m_lastPointerEvent = Now();
          m_pointer.Motion(pos, m_pointer.Held());
          break;
        }
        m_pointer.Motion(ScreenPosOf(e.motion.windowID, e.motion.x, e.motion.y), HeldOf(e.motion.state));
        AfterPointerEvent();
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        TMouseButton b;
        if (m_x11 || !ButtonOf(e.button.button, b)) break;
        const TPoint pos = ScreenPosOf(e.button.windowID, e.button.x, e.button.y);
        if (e.type == SDL_MOUSEBUTTONDOWN) m_pointer.Press(b, pos, m_pointer.Held());
        else m_pointer.Release(b, pos, m_pointer.Held());
        AfterPointerEvent();
        break;
      }
      case SDL_MOUSEWHEEL:
        if (m_x11) break;
        m_pointer.Wheel(CursorPos(), e.wheel.y * 120);
        break;
      case SDL_KEYDOWN:
      case SDL_KEYUP:
        in.Kind = e.type == SDL_KEYDOWN ? TRawInput::TKind::KeyDown : TRawInput::TKind::KeyUp;
        in.Vk = VirtualKeyOf(e.key.keysym.sym);
        in.Repeat = e.key.repeat != 0;
        if (in.Vk) Queue(std::move(in));
        break;
      case SDL_TEXTINPUT:
        in.Kind = TRawInput::TKind::Text;
        in.Text = e.text.text;
        Queue(std::move(in));
        break;
      case SDL_TEXTEDITING:
        in.Kind = TRawInput::TKind::Composition;
        in.Text = e.edit.text;
        Queue(std::move(in));
        break;
      case SDL_WINDOWEVENT: {
        const HWND wnd = WindowOf(e.window.windowID);
        TWindow* w = m_sys->Find(wnd);
        if (!w) break;
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
          PresentAll(*w);
        } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
          in.Kind = TRawInput::TKind::Close;
          in.Window = wnd;
          Queue(std::move(in));
        }
        HandleDesktopState(e.window, *w);
        break;
      }
      // A drop from a file manager comes as BEGIN, one FILE per path (the
      // URI already decoded to a path), COMPLETE; the files go on as one
      // drop at the pointer, where the user let go. SDL tells no position.
      case SDL_DROPBEGIN:
        FlushDrop();
        m_dropOpen = true;
        m_dropWindow = e.drop.windowID;
        break;
      case SDL_DROPFILE:
        if (e.drop.file) {
          if (m_dropFiles.empty()) m_dropWindow = e.drop.windowID;
          m_dropFiles.emplace_back(e.drop.file);
          SDL_free(e.drop.file);
          if (!m_dropOpen) FlushDrop();  // a file without BEGIN and COMPLETE: a drop of its own
        }
        break;
      case SDL_DROPTEXT:
        SDL_free(e.drop.file);
        break;
      case SDL_DROPCOMPLETE:
        FlushDrop();
        m_dropOpen = false;
        break;
      case SDL_QUIT:
        if (TWindow* active = m_sys->Find(m_sys->Focus().Active())) {
          in.Kind = TRawInput::TKind::Close;
          in.Window = active->Handle();
          Queue(std::move(in));
        }
        break;
      default:
        break;
    }
  }

  void FlushDrop() {
    if (m_dropFiles.empty()) return;
    TRawInput in;
    in.Kind = TRawInput::TKind::Drop;
    in.Pos = CursorPos();
    in.Window = WindowOf(m_dropWindow);
    in.Files = std::move(m_dropFiles);
    m_dropFiles.clear();
    Queue(std::move(in));
  }

  TWindowSystem* m_sys = nullptr;
  uint32_t m_wakeEvent = 0;
  std::vector<std::string> m_dropFiles;  // the drop being delivered
  uint32_t m_dropWindow = 0;             // its native window
  bool m_dropOpen = false;               // between BEGIN and COMPLETE
  std::unordered_map<uint32_t, TNative> m_natives;
  std::unordered_map<uint32_t, HWND> m_byNative;
  std::vector<HWND> m_stacking;
  std::array<SDL_Cursor*, kCursorShapeCount> m_cursors{};
  TPointerTracker m_pointer;
  std::unique_ptr<TX11Pointer> m_x11;  // null unless SDL runs on X11
  std::unique_ptr<TX11Tray> m_tray;    // the freedesktop system tray (X11 only)
  uint64_t m_lastPointerEvent = 0;
  uint64_t m_pressWindow = 0;  // X window that took the first press of the held buttons
  bool m_grabbed = false;      // our own pointer grab is active
  bool m_rootChanged = false;  // the root window's children changed in the last event pump (X11)
  // Arrangements left before the native order counts as settled: a window
  // manager that keeps undoing them is not fought without end (renewed with
  // each order of the window system and whenever everything is in place).
  int m_arrangeBudget = kArrangeBudget;
  HWND m_pendingFocus;         // keyboard focus to give once the buttons are up
  uint64_t m_focusCheckAt = 0; // when to look whether the focus left the program (0: not)
};

}  // namespace

std::unique_ptr<TSdlBackend> TSdlBackend::Create() {
  // Software surfaces only: with acceleration SDL recreates each window as an
  // OpenGL window on first surface use, which breaks shaped windows.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The X server's implicit grab is the capture; see the top of this file.
  SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Closing is asked per window (SDL_WINDOWEVENT_CLOSE); no extra SDL_QUIT.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  // Native windows made from now on take drops (which window wants them is
  // decided by WS_EX_ACCEPTFILES).
  SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
  SDL_EventState(SDL_DROPBEGIN, SDL_ENABLE);
  SDL_EventState(SDL_DROPCOMPLETE, SDL_ENABLE);
  SDL_StartTextInput();
  return std::make_unique<TSdlBackendImpl>();
}

}  // namespace tsm
