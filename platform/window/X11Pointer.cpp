#include "platform/window/X11Pointer.h"

#include <SDL_syswm.h>

#include <cstdio>
#include <cstring>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/Xutil.h>
#endif

namespace tsm {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

uint32_t HeldOf(unsigned int state) {
  uint32_t held = 0;
  if (state & Button1Mask) held |= MouseButtonBit(TMouseButton::Left);
  if (state & Button2Mask) held |= MouseButtonBit(TMouseButton::Middle);
  if (state & Button3Mask) held |= MouseButtonBit(TMouseButton::Right);
  return held;
}

Display* DisplayOf(void* d) { return static_cast<Display*>(d); }

// Errors arrive asynchronously, and a native window can be destroyed while
// requests naming it are still on their way (a window is recreated when its
// shape changes; focus and stacking requests for it may already be queued).
// Xlib's default handler ends the process on any error; a desktop program
// must not die of such a race. Errors about windows and drawables that no
// longer exist are dropped, and so are focus requests for a window that a
// window manager has not mapped (yet, or any more); anything else is
// reported and survived.
int SurviveXErrors(Display* display, XErrorEvent* e) {
  if (e->error_code == BadWindow || e->error_code == BadDrawable) return 0;
  if (e->error_code == BadMatch && e->request_code == X_SetInputFocus) return 0;
  char text[128] = {};
  XGetErrorText(display, e->error_code, text, sizeof text);
  std::fprintf(stderr, "X error: %s (request %d.%d, resource 0x%lx)\n", text, int(e->request_code),
               int(e->minor_code), static_cast<unsigned long>(e->resourceid));
  return 0;
}

}  // namespace

std::unique_ptr<TX11Pointer> TX11Pointer::Open() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return nullptr;
  Display* d = XOpenDisplay(nullptr);
  if (!d) return nullptr;
  // The handler is process-wide: it covers the display SDL opened as well.
  XSetErrorHandler(SurviveXErrors);
  std::unique_ptr<TX11Pointer> p(new TX11Pointer());
  p->m_display = d;
  return p;
}

TX11Pointer::~TX11Pointer() {
  if (m_display) XCloseDisplay(DisplayOf(m_display));
}

void TX11Pointer::EnableEvents() { SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE); }

bool TX11Pointer::Read(const SDL_Event& e, TX11PointerEvent& out) {
  if (e.type != SDL_SYSWMEVENT || !e.syswm.msg || e.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
  const XEvent& x = e.syswm.msg->msg.x11.event;
  switch (x.type) {
    case MotionNotify:
      out.Kind = TX11PointerEvent::TKind::Motion;
      out.Root = {x.xmotion.x_root, x.xmotion.y_root};
      out.Button = 0;
      out.Held = HeldOf(x.xmotion.state);
      out.Window = x.xmotion.window;
      return true;
    case ButtonPress:
    case ButtonRelease:
      out.Kind = x.type == ButtonPress ? TX11PointerEvent::TKind::Press : TX11PointerEvent::TKind::Release;
      out.Root = {x.xbutton.x_root, x.xbutton.y_root};
      out.Button = x.xbutton.button;
      out.Held = HeldOf(x.xbutton.state);
      out.Window = x.xbutton.window;
      return true;
    default:
      return false;
  }
}

bool TX11Pointer::Query(TPoint& pos, uint32_t& held) const {
  Display* d = DisplayOf(m_display);
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, winX = 0, winY = 0;
  unsigned int state = 0;
  if (!XQueryPointer(d, DefaultRootWindow(d), &root, &child, &rootX, &rootY, &winX, &winY, &state)) return false;
  pos = {rootX, rootY};
  held = HeldOf(state);
  return true;
}

namespace {

bool WmInfoOf(SDL_Window* w, SDL_SysWMinfo& info) {
  SDL_VERSION(&info.version);
  return w && SDL_GetWindowWMInfo(w, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11;
}

}  // namespace

uint64_t TX11Pointer::WindowOf(SDL_Window* w) {
  SDL_SysWMinfo info;
  return WmInfoOf(w, info) ? info.info.x11.window : 0;
}

bool TX11Pointer::Grab(SDL_Window* w) {
  SDL_SysWMinfo info;
  if (!WmInfoOf(w, info)) return false;
  constexpr unsigned int mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
  const int r = XGrabPointer(info.info.x11.display, info.info.x11.window, False, mask, GrabModeAsync, GrabModeAsync,
                             0 /* no confinement */, 0 /* the window's cursor */, CurrentTime);
  XFlush(info.info.x11.display);
  return r == GrabSuccess;
}

void TX11Pointer::Ungrab(SDL_Window* anyNative) {
  SDL_SysWMinfo info;
  if (!WmInfoOf(anyNative, info)) return;
  XUngrabPointer(info.info.x11.display, CurrentTime);
  XFlush(info.info.x11.display);
}

void TX11Pointer::Sync(SDL_Window* anyNative) {
  SDL_SysWMinfo info;
  if (WmInfoOf(anyNative, info)) XSync(info.info.x11.display, False);
}

namespace {

// The first 32-bit item of a window property of the given type; false when
// the window has no such property.
bool ReadProperty32(Display* d, Window w, Atom property, Atom type, long& value) {
  Atom actualType = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  const bool ok = XGetWindowProperty(d, w, property, 0, 1, False, type, &actualType, &format, &count, &after,
                                     &data) == Success &&
                  data && count >= 1 && format == 32;
  if (ok) value = *reinterpret_cast<long*>(data);
  if (data) XFree(data);
  return ok;
}

}  // namespace

bool TX11Pointer::WindowManagerRunning() const {
  Display* d = DisplayOf(m_display);
  long wm = 0;
  if (!ReadProperty32(d, DefaultRootWindow(d), XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False), XA_WINDOW, wm))
    return false;
  // The announcing window must still exist (a window manager that died
  // leaves the property behind).
  XWindowAttributes attributes;
  return XGetWindowAttributes(d, static_cast<Window>(wm), &attributes) != 0;
}

TX11Pointer::TWmState TX11Pointer::WmState(uint64_t window) const {
  Display* d = DisplayOf(m_display);
  const Atom wmState = XInternAtom(d, "WM_STATE", False);
  long state = 0;
  if (!ReadProperty32(d, static_cast<Window>(window), wmState, wmState, state)) return TWmState::Unknown;
  switch (state) {
    case NormalState: return TWmState::Normal;
    case IconicState: return TWmState::Iconic;
    case WithdrawnState: return TWmState::Withdrawn;
    default: return TWmState::Unknown;
  }
}

bool TX11Pointer::FocusIsIn(const std::vector<uint64_t>& windows) const {
  Display* d = DisplayOf(m_display);
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(d, &focus, &revert);
  const Window root = DefaultRootWindow(d);
  // PointerRoot and None name no window of ours.
  for (Window w = focus; w > PointerRoot && w != root;) {
    for (uint64_t x : windows)
      if (x == w) return true;
    Window r = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &r, &parent, &children, &n)) break;
    if (children) XFree(children);
    w = parent;
  }
  return false;
}

void TX11Pointer::Bell(SDL_Window* anyNative) {
  SDL_SysWMinfo info;
  if (!WmInfoOf(anyNative, info)) return;
  XBell(info.info.x11.display, 0);
  XFlush(info.info.x11.display);
}

#else  // SDL without X11 support

std::unique_ptr<TX11Pointer> TX11Pointer::Open() { return nullptr; }
TX11Pointer::~TX11Pointer() = default;
void TX11Pointer::EnableEvents() {}
bool TX11Pointer::Read(const SDL_Event&, TX11PointerEvent&) { return false; }
bool TX11Pointer::Query(TPoint&, uint32_t&) const { return false; }
uint64_t TX11Pointer::WindowOf(SDL_Window*) { return 0; }
bool TX11Pointer::Grab(SDL_Window*) { return false; }
void TX11Pointer::Ungrab(SDL_Window*) {}
void TX11Pointer::Sync(SDL_Window*) {}
bool TX11Pointer::WindowManagerRunning() const { return true; }
TX11Pointer::TWmState TX11Pointer::WmState(uint64_t) const { return TWmState::Unknown; }
bool TX11Pointer::FocusIsIn(const std::vector<uint64_t>&) const { return false; }
void TX11Pointer::Bell(SDL_Window*) {}

#endif

}  // namespace tsm
