#include "platform/window/InputRouter.h"

#include "platform/core/Utf8.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

namespace {

uint32_t ButtonVk(TMouseButton b) {
  switch (b) {
    case TMouseButton::Left: return VK_LBUTTON;
    case TMouseButton::Right: return VK_RBUTTON;
    case TMouseButton::Middle: return VK_MBUTTON;
  }
  return VK_LBUTTON;
}

// WM_xBUTTONDOWN of the client range; up is +1, double click +2.
uint32_t ClientDownMessage(TMouseButton b) {
  switch (b) {
    case TMouseButton::Left: return WM_LBUTTONDOWN;
    case TMouseButton::Right: return WM_RBUTTONDOWN;
    case TMouseButton::Middle: return WM_MBUTTONDOWN;
  }
  return WM_LBUTTONDOWN;
}

uint32_t NonClientDownMessage(TMouseButton b) {
  switch (b) {
    case TMouseButton::Left: return WM_NCLBUTTONDOWN;
    case TMouseButton::Right: return WM_NCRBUTTONDOWN;
    case TMouseButton::Middle: return WM_NCMBUTTONDOWN;
  }
  return WM_NCLBUTTONDOWN;
}

}  // namespace

void TInputRouter::Queue(TRawInput input) {
  // Successive moves collapse into the latest one.
  if (input.Kind == TRawInput::TKind::MouseMove && !m_raw.empty() &&
      m_raw.back().Kind == TRawInput::TKind::MouseMove) {
    m_raw.back() = std::move(input);
    return;
  }
  m_raw.push_back(std::move(input));
}

bool TInputRouter::Next(TMsg& out, bool remove) {
  while (m_ready.empty() && !m_raw.empty()) {
    const TRawInput in = std::move(m_raw.front());
    m_raw.pop_front();
    Process(in);
  }
  if (m_ready.empty()) return false;
  out = m_ready.front();
  if (remove) m_ready.pop_front();
  return true;
}

int16_t TInputRouter::KeyState(uint32_t vk) const {
  const uint8_t k = m_keys[vk & 0xFF];
  return static_cast<int16_t>(((k & 0x80) ? 0x8000 : 0) | (k & 1));
}

WPARAM TInputRouter::MouseKeyFlags() const {
  WPARAM f = 0;
  if (IsKeyDown(VK_LBUTTON)) f |= MK_LBUTTON;
  if (IsKeyDown(VK_RBUTTON)) f |= MK_RBUTTON;
  if (IsKeyDown(VK_MBUTTON)) f |= MK_MBUTTON;
  if (IsKeyDown(VK_SHIFT)) f |= MK_SHIFT;
  if (IsKeyDown(VK_CONTROL)) f |= MK_CONTROL;
  return f;
}

TCursorShape TInputRouter::SetCursor(TCursorShape shape) {
  const TCursorShape old = m_shape;
  if (shape != m_shape) {
    m_shape = shape;
    m_sys.Backend().SetCursorShape(shape);
  }
  return old;
}

void TInputRouter::Emit(HWND wnd, uint32_t msg, WPARAM w, LPARAM l) {
  TMsg m;
  m.hwnd = wnd;
  m.message = msg;
  m.wParam = w;
  m.lParam = l;
  m.time = static_cast<uint32_t>(m_sys.Now());
  m.pt = m_cursor;
  m_ready.push_back(m);
}

void TInputRouter::Process(const TRawInput& in) {
  using K = TRawInput::TKind;
  switch (in.Kind) {
    case K::MouseMove:
    case K::ButtonDown:
    case K::ButtonUp:
    case K::Wheel:
      ProcessMouse(in);
      break;
    case K::KeyDown:
    case K::KeyUp:
      ProcessKey(in);
      break;
    case K::Text:
    case K::Composition:
      ProcessText(in);
      break;
    case K::Activate:
      // A minimized window is restored as the desktop does it, with
      // SC_RESTORE (its program may restore more than that window; the
      // restore activates it); a window disabled by a modal one hands the
      // activation to that one.
      if (TWindow* w = m_sys.Find(in.Window); w && w->IsMinimized() && w->HasVisibleFlag())
        m_sys.Post(in.Window, WM_SYSCOMMAND, SC_RESTORE, 0);
      else if (w && TFocusManager::CanActivate(w))
        m_sys.Focus().Activate(w);
      else if (w && w->HasDisabledFlag())
        m_sys.Focus().ForwardToOwned(w, WA_ACTIVE);
      break;
    case K::Close:
      if (m_sys.Find(in.Window)) m_sys.Post(in.Window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case K::Minimize:
      if (TWindow* w = m_sys.Find(in.Window); w && !w->IsMinimized() && w->HasVisibleFlag())
        m_sys.Post(in.Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      break;
    case K::Deactivate:
      m_sys.Focus().DeactivateApplication();
      break;
    case K::Drop:
      ProcessDrop(in);
      break;
  }
}

void TInputRouter::ProcessDrop(const TRawInput& in) {
  if (in.Files.empty()) return;
  TWindow* w = m_sys.WindowFromPoint(in.Pos);
  // A backend that knows the native window trusts it over a point that
  // lies elsewhere (the pointer moved on before the drop was reported).
  if (TWindow* native = m_sys.Find(in.Window); native && (!w || TWindowSystem::TopLevelOf(w) != native)) w = native;
  while (w && !(w->ExStyle & WS_EX_ACCEPTFILES) && w->IsChild()) w = w->Parent;
  if (!w || !(w->ExStyle & WS_EX_ACCEPTFILES) || !TWindowSystem::IsShowing(w) ||
      !TWindowSystem::IsEnabledForInput(w))
    return;
  // Handles nobody finishes (a message taken from the queue but never
  // dispatched) are dropped once a few newer ones exist.
  constexpr size_t kKeptDrops = 16;
  while (m_drops.size() >= kKeptDrops) m_drops.erase(m_drops.begin());
  const WPARAM handle = ++m_lastDrop;
  m_drops[handle] = TDrop{in.Files, in.Pos - TWindowSystem::ClientScreenOrigin(w)};
  Emit(w->Handle(), WM_DROPFILES, handle, 0);
}

const TInputRouter::TDrop* TInputRouter::Drop(WPARAM handle) const {
  const auto it = m_drops.find(handle);
  return it == m_drops.end() ? nullptr : &it->second;
}

TWindow* TInputRouter::HitTarget(TPoint screen, int32_t& hit) {
  // A window answering HTTRANSPARENT (a hint over the form) passes the
  // input on to whatever lies below it there: a sibling, its parent, or
  // another top-level window.
  std::vector<const TWindow*> transparent;
  while (TWindow* w = m_sys.WindowFromPoint(screen, transparent)) {
    const HWND h = w->Handle();
    hit = static_cast<int32_t>(m_sys.Send(w, WM_NCHITTEST, 0, PointToLParam(screen)));
    if (!m_sys.Find(h)) return nullptr;
    if (hit != HTTRANSPARENT) return w;
    transparent.push_back(w);
  }
  return nullptr;
}

void TInputRouter::ProcessMouse(const TRawInput& in) {
  using K = TRawInput::TKind;
  m_cursor = in.Pos;
  if (in.Kind == K::ButtonDown) {
    m_keys[ButtonVk(in.Button)] |= 0x80;
    m_altAlone = false;
  } else if (in.Kind == K::ButtonUp) {
    m_keys[ButtonVk(in.Button)] &= static_cast<uint8_t>(~0x80);
  }

  if (in.Kind == K::Wheel) {
    TWindow* target = KeyTarget();
    int32_t hit = HTNOWHERE;
    if (!target) target = HitTarget(in.Pos, hit);
    if (target && TWindowSystem::IsEnabledForInput(target))
      Emit(target->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(int32_t(MouseKeyFlags()), in.Delta), PointToLParam(in.Pos));
    return;
  }

  if (m_sizeMove.IsActive()) {
    if (in.Kind == K::MouseMove) m_sizeMove.Track(in.Pos);
    if (in.Kind == K::ButtonUp && in.Button == TMouseButton::Left) {
      // The release point counts: its motion may have been collapsed away.
      m_sizeMove.Track(in.Pos);
      m_sizeMove.End(false);
    }
    return;
  }

  if (m_captionButton.IsActive()) {
    if (in.Kind == K::MouseMove) m_captionButton.Track(in.Pos);
    if (in.Kind == K::ButtonUp && in.Button == TMouseButton::Left) m_captionButton.End(in.Pos, true);
    return;
  }

  TWindow* capture = m_sys.Find(m_sys.Focus().Capture());
  int32_t hit = HTCLIENT;
  TWindow* target = capture;
  if (!target) {
    target = HitTarget(in.Pos, hit);
    if (!target) {
      UpdateLeaveTracking(nullptr, false);
      SetCursor(TCursorShape::Arrow);
      return;
    }
    TWindow* top = TWindowSystem::TopLevelOf(target);
    if (!TWindowSystem::IsEnabledForInput(target)) {
      // A disabled (modal) owner: a press brings it forward with its owned
      // windows and activates the enabled one.
      if (in.Kind == K::ButtonDown) m_sys.Focus().ForwardToOwned(top, WA_ACTIVE);
      UpdateLeaveTracking(nullptr, false);
      SetCursor(TCursorShape::Arrow);
      return;
    }
  }
  const HWND handle = target->Handle();
  const bool client = capture || hit == HTCLIENT;
  UpdateLeaveTracking(target, client);

  uint32_t clientMsg = WM_MOUSEMOVE;
  if (in.Kind == K::ButtonDown) clientMsg = ClientDownMessage(in.Button);
  if (in.Kind == K::ButtonUp) clientMsg = ClientDownMessage(in.Button) + 1;

  if (!capture) {
    m_sys.Send(target, WM_SETCURSOR, handle.ToWParam(), MAKELPARAM(hit, int32_t(clientMsg)));
    if (!(target = m_sys.Find(handle))) return;
  }

  if (in.Kind == K::ButtonDown && !capture) {
    TWindow* top = TWindowSystem::TopLevelOf(target);
    if (top->Handle() != m_sys.Focus().Active()) {
      const LRESULT ma = m_sys.Send(target, WM_MOUSEACTIVATE, top->Handle().ToWParam(), MAKELPARAM(hit, int32_t(clientMsg)));
      if (!(target = m_sys.Find(handle))) return;
      top = TWindowSystem::TopLevelOf(target);
      if ((ma == MA_ACTIVATE || ma == MA_ACTIVATEANDEAT) && TFocusManager::CanActivate(top))
        m_sys.Focus().Activate(top, WA_CLICKACTIVE);
      if (ma == MA_ACTIVATEANDEAT || ma == MA_NOACTIVATEANDEAT) {
        m_clicks.Reset();
        return;
      }
      if (!(target = m_sys.Find(handle))) return;
    }
  }

  const TPoint clientPt = in.Pos - TWindowSystem::ClientScreenOrigin(target);
  const WPARAM mk = MouseKeyFlags();
  switch (in.Kind) {
    case K::MouseMove:
      if (client)
        Emit(handle, WM_MOUSEMOVE, mk, PointToLParam(clientPt));
      else
        Emit(handle, WM_NCMOUSEMOVE, static_cast<WPARAM>(hit), PointToLParam(in.Pos));
      break;
    case K::ButtonDown: {
      const TSystemSettings& s = m_sys.Settings();
      bool dbl = m_clicks.Press(in.Button, handle, client, in.Pos, m_sys.Now(), s.DoubleClickTime, s.DoubleClickBox);
      if (dbl && client && !(target->ClassStyle & CS_DBLCLKS)) dbl = false;
      if (client)
        Emit(handle, ClientDownMessage(in.Button) + (dbl ? 2 : 0), mk, PointToLParam(clientPt));
      else
        Emit(handle, NonClientDownMessage(in.Button) + (dbl ? 2 : 0), static_cast<WPARAM>(hit), PointToLParam(in.Pos));
      break;
    }
    case K::ButtonUp:
      if (client)
        Emit(handle, ClientDownMessage(in.Button) + 1, mk, PointToLParam(clientPt));
      else
        Emit(handle, NonClientDownMessage(in.Button) + 1, static_cast<WPARAM>(hit), PointToLParam(in.Pos));
      break;
    default:
      break;
  }
}

TWindow* TInputRouter::KeyTarget() const {
  TWindow* t = m_sys.Find(m_sys.Focus().Focus());
  if (!t) t = m_sys.Find(m_sys.Focus().Active());
  if (t && !TWindowSystem::IsEnabledForInput(t)) return nullptr;
  return t;
}

void TInputRouter::ProcessKey(const TRawInput& in) {
  const uint32_t vk = in.Vk & 0xFF;
  const bool down = in.Kind == TRawInput::TKind::KeyDown;
  const bool wasDown = IsKeyDown(vk);
  if (down) {
    if (!wasDown) m_keys[vk] ^= 1;  // toggle state (Caps Lock ...)
    m_keys[vk] |= 0x80;
    if (vk == VK_MENU) {
      if (!wasDown) m_altAlone = true;
    } else {
      m_altAlone = false;
    }
  } else {
    m_keys[vk] &= static_cast<uint8_t>(~0x80);
    m_menuAlone = vk == VK_MENU && m_altAlone;
    if (vk == VK_MENU) m_altAlone = false;
  }

  if (m_sizeMove.IsActive()) {
    if (down && vk == VK_ESCAPE) m_sizeMove.End(true);
    if (down && vk == VK_RETURN) m_sizeMove.End(false);
    return;
  }
  if (m_captionButton.IsActive()) {
    if (down && vk == VK_ESCAPE) m_captionButton.End(m_cursor, false);
    return;
  }
  TWindow* target = KeyTarget();
  if (!target) return;
  const bool alt = IsKeyDown(VK_MENU) || (!down && vk == VK_MENU);
  const bool ctrl = IsKeyDown(VK_CONTROL);
  const bool sys = (alt && !ctrl) || vk == VK_F10 || vk == VK_MENU;
  if (down)
    Emit(target->Handle(), sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, MakeKeyData(1, alt, wasDown, false));
  else
    Emit(target->Handle(), sys ? WM_SYSKEYUP : WM_KEYUP, vk, MakeKeyData(1, alt, true, true));
}

void TInputRouter::ProcessText(const TRawInput& in) {
  TWindow* target = KeyTarget();
  if (in.Kind == TRawInput::TKind::Composition) {
    const bool starting = m_composition.empty() && !in.Text.empty();
    const bool ending = !m_composition.empty() && in.Text.empty();
    m_composition = in.Text;
    if (!target) return;
    if (starting) Emit(target->Handle(), WM_IME_STARTCOMPOSITION, 0, 0);
    Emit(target->Handle(), WM_IME_COMPOSITION, 0, 0);
    if (ending) Emit(target->Handle(), WM_IME_ENDCOMPOSITION, 0, 0);
    return;
  }
  if (!m_composition.empty()) {
    m_composition.clear();
    if (target) Emit(target->Handle(), WM_IME_ENDCOMPOSITION, 0, 0);
  }
  if (!target) return;
  const bool alt = IsKeyDown(VK_MENU);
  size_t pos = 0;
  while (pos < in.Text.size()) {
    const char32_t cp = Utf8Next(in.Text, pos);
    Emit(target->Handle(), WM_CHAR, static_cast<WPARAM>(cp), MakeKeyData(1, alt, false, false));
  }
}

bool TInputRouter::TrackMouseLeave(HWND w, uint32_t flags) {
  if (flags & TME_CANCEL) {
    if (m_leaveWnd == w) {
      m_leaveWnd = HWND();
      m_leaveFlags = 0;
    }
    return true;
  }
  if (!m_sys.Find(w)) return false;
  m_leaveWnd = w;
  m_leaveFlags = flags;
  const bool nc = (flags & TME_NONCLIENT) != 0;
  const bool inside = m_hoverWnd == w && (nc ? !m_hoverClient : m_hoverClient);
  if (!inside) {
    m_sys.Post(w, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    m_leaveWnd = HWND();
    m_leaveFlags = 0;
  }
  return true;
}

void TInputRouter::UpdateLeaveTracking(TWindow* under, bool client) {
  m_hoverWnd = under ? under->Handle() : HWND();
  m_hoverClient = client;
  if (!m_leaveWnd) return;
  const bool nc = (m_leaveFlags & TME_NONCLIENT) != 0;
  const bool inside = m_hoverWnd == m_leaveWnd && (nc ? !client : client);
  if (!inside) {
    Emit(m_leaveWnd, nc ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    m_leaveWnd = HWND();
    m_leaveFlags = 0;
  }
}

void TInputRouter::CaptureChanged(HWND newCapture) {
  if (m_sizeMove.IsActive() && newCapture != m_sizeMove.Window()) m_sizeMove.End(false);
  if (m_captionButton.IsActive() && newCapture != m_captionButton.Window()) m_captionButton.End(m_cursor, false);
}

void TInputRouter::WindowGone(TWindow* w) {
  if (m_leaveWnd == w->Handle()) {
    m_leaveWnd = HWND();
    m_leaveFlags = 0;
  }
  if (m_hoverWnd == w->Handle()) m_hoverWnd = HWND();
  if (m_sizeMove.IsActive() && m_sizeMove.Window() == w->Handle()) m_sizeMove.End(false);
  if (m_captionButton.IsActive() && m_captionButton.Window() == w->Handle()) m_captionButton.End(m_cursor, false);
}

void TInputRouter::RefreshCursor() {
  if (m_sizeMove.IsActive() || m_captionButton.IsActive() || m_sys.Focus().Capture()) return;
  int32_t hit = HTNOWHERE;
  TWindow* w = HitTarget(m_cursor, hit);
  if (!w || !TWindowSystem::IsEnabledForInput(w)) {
    SetCursor(TCursorShape::Arrow);
    return;
  }
  m_sys.Send(w, WM_SETCURSOR, w->Handle().ToWParam(), MAKELPARAM(hit, int32_t(WM_MOUSEMOVE)));
}

}  // namespace tsm
