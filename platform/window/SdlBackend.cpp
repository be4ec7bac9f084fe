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
// Focus: the window system decides which window is active and moves the
// keyboard focus there with SDL_SetWindowInputFocus; the focus events SDL
// reports are not followed, since without a window manager SDL gives the
// focus to every window it shows. Mouse positions are read from the global
// pointer state, because a native window that the move loop just moved may
// report coordinates relative to where it was.
//
// Waiting blocks in SDL_WaitEventTimeout until the next event or timer;
// Wake pushes a user event, which is safe from any thread.

#include "platform/window/SdlBackend.h"

#include <SDL.h>
#include <SDL_shape.h>

#include <algorithm>
#include <array>
#include <unordered_map>

#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

namespace {

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
  TSdlBackendImpl() { m_wakeEvent = SDL_RegisterEvents(1); }
  ~TSdlBackendImpl() override {
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
    while (SDL_PollEvent(&e)) Handle(e);
  }

  void Wait(int64_t timeoutMs) override {
    SDL_Event e;
    const int got = timeoutMs < 0 ? SDL_WaitEvent(&e)
                                  : SDL_WaitEventTimeout(&e, static_cast<int>(std::min<int64_t>(timeoutMs, 1 << 30)));
    if (got) Handle(e);
    Poll();
  }

  void Wake() override {
    SDL_Event e{};
    e.type = m_wakeEvent;
    SDL_PushEvent(&e);
  }

  void WindowCreated(HWND) override {}

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
    const bool shown = w->HasVisibleFlag() && !w->IsMinimized() && !w->Destroying;
    auto it = m_natives.find(wnd.Id);
    if (!shown) {
      if (it != m_natives.end()) SDL_HideWindow(it->second.Window);
      return;
    }
    if (it != m_natives.end() && it->second.Shaped != w->Shape.has_value()) {
      WindowDestroyed(wnd);
      it = m_natives.end();
    }
    if (it == m_natives.end()) it = CreateNative(w);
    if (it == m_natives.end()) return;
    TNative& n = it->second;
    if (n.Rect != w->Rect) {
      if (n.Rect.Size() != w->Rect.Size()) SDL_SetWindowSize(n.Window, w->Rect.Width(), w->Rect.Height());
      SDL_SetWindowPosition(n.Window, w->Rect.Left, w->Rect.Top);
      n.Rect = w->Rect;
    }
    if (n.Shaped && w->Shape) ApplyShape(n, *w);
    SDL_SetWindowOpacity(n.Window, (w->ExStyle & WS_EX_LAYERED) ? w->Opacity / 255.0f : 1.0f);
    if (!(SDL_GetWindowFlags(n.Window) & SDL_WINDOW_SHOWN)) {
      SDL_ShowWindow(n.Window);
      // SDL focuses what it shows; the window system decides instead.
      if (TWindow* active = m_sys->Find(m_sys->Focus().Active())) ActiveChanged(active->Handle());
    }
    PresentAll(*w);
  }

  void StackingChanged(const std::vector<HWND>& topToBottom) override {
    if (topToBottom == m_stacking) return;
    m_stacking = topToBottom;
    for (auto it = topToBottom.rbegin(); it != topToBottom.rend(); ++it)
      if (auto n = m_natives.find(it->Id); n != m_natives.end() && (SDL_GetWindowFlags(n->second.Window) & SDL_WINDOW_SHOWN))
        SDL_RaiseWindow(n->second.Window);
    if (TWindow* active = m_sys ? m_sys->Find(m_sys->Focus().Active()) : nullptr) ActiveChanged(active->Handle());
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

  void ActiveChanged(HWND wnd) override {
    const auto it = m_natives.find(wnd.Id);
    if (it == m_natives.end() || !(SDL_GetWindowFlags(it->second.Window) & SDL_WINDOW_SHOWN)) return;
    SDL_RaiseWindow(it->second.Window);
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

 private:
  struct TNative {
    SDL_Window* Window = nullptr;
    TRect Rect;
    bool Shaped = false;
  };

  std::unordered_map<uint32_t, TNative>::iterator CreateNative(TWindow* w) {
    uint32_t flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
    if (w->NeverActivates()) flags |= SDL_WINDOW_TOOLTIP;
    else if ((w->Owner && (w->Style & WS_POPUP)) || (w->ExStyle & WS_EX_TOPMOST)) flags |= SDL_WINDOW_POPUP_MENU;
    if (w->Owner || (w->ExStyle & WS_EX_TOOLWINDOW)) flags |= SDL_WINDOW_SKIP_TASKBAR;
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

  void PresentAll(const TWindow& w) { Present(w.Handle(), TRegion(w.LocalRect())); }

  HWND WindowOf(uint32_t nativeId) const {
    const auto it = m_byNative.find(nativeId);
    return it == m_byNative.end() ? HWND() : it->second;
  }

  void Queue(TRawInput in) {
    if (m_sys) m_sys->QueueRawInput(std::move(in));
  }

  void Handle(const SDL_Event& e) {
    if (!m_sys) return;
    TRawInput in;
    switch (e.type) {
      case SDL_MOUSEMOTION:
        in.Kind = TRawInput::TKind::MouseMove;
        in.Pos = CursorPos();
        Queue(std::move(in));
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP: {
        const bool down = e.type == SDL_MOUSEBUTTONDOWN;
        in.Kind = down ? TRawInput::TKind::ButtonDown : TRawInput::TKind::ButtonUp;
        in.Pos = CursorPos();
        if (e.button.button == SDL_BUTTON_LEFT) in.Button = TMouseButton::Left;
        else if (e.button.button == SDL_BUTTON_RIGHT) in.Button = TMouseButton::Right;
        else if (e.button.button == SDL_BUTTON_MIDDLE) in.Button = TMouseButton::Middle;
        else break;
        // No SDL_CaptureMouse: the X server's implicit grab already keeps
        // the pointer with the window while a button is held.
        Queue(std::move(in));
        break;
      }
      case SDL_MOUSEWHEEL:
        in.Kind = TRawInput::TKind::Wheel;
        in.Pos = CursorPos();
        in.Delta = e.wheel.y * 120;
        Queue(std::move(in));
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
        break;
      }
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

  TWindowSystem* m_sys = nullptr;
  uint32_t m_wakeEvent = 0;
  std::unordered_map<uint32_t, TNative> m_natives;
  std::unordered_map<uint32_t, HWND> m_byNative;
  std::vector<HWND> m_stacking;
  std::array<SDL_Cursor*, kCursorShapeCount> m_cursors{};
};

}  // namespace

std::unique_ptr<TSdlBackend> TSdlBackend::Create() {
  // Software surfaces only: with acceleration SDL recreates each window as an
  // OpenGL window on first surface use, which breaks shaped windows.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  SDL_StartTextInput();
  return std::make_unique<TSdlBackendImpl>();
}

}  // namespace tsm
