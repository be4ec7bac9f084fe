#include "platform/window/X11Tray.h"

#include <SDL_syswm.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace tsm {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

constexpr long kRequestDock = 0;      // SYSTEM_TRAY_REQUEST_DOCK
constexpr long kXembedMapped = 1;     // XEMBED_MAPPED flag of _XEMBED_INFO
constexpr int kInitialSize = 22;      // until the host gives a size

// A bit position and width of a visual's colour mask.
struct TChannel {
  int Shift = 0;
  int Bits = 0;
  explicit TChannel(unsigned long mask) {
    if (!mask) return;
    while (!(mask & 1)) mask >>= 1, ++Shift;
    while (mask & 1) mask >>= 1, ++Bits;
  }
  unsigned long Put(int value) const { return Bits ? (static_cast<unsigned long>(value) >> (8 - std::min(Bits, 8))) << Shift : 0; }
};

// The picture box-filtered to size x size, straight alpha kept (colours
// weighted by alpha so that transparent pixels do not bleed in).
std::vector<uint8_t> ScaledBgra(const TBitmap& image, int32_t size) {
  std::vector<uint8_t> out(static_cast<size_t>(size) * size * 4, 0);
  const int32_t sw = image.Width(), sh = image.Height();
  if (sw <= 0 || sh <= 0) return out;
  for (int32_t y = 0; y < size; ++y) {
    const int32_t y0 = y * sh / size, y1 = std::max(y0 + 1, (y + 1) * sh / size);
    for (int32_t x = 0; x < size; ++x) {
      const int32_t x0 = x * sw / size, x1 = std::max(x0 + 1, (x + 1) * sw / size);
      uint64_t b = 0, g = 0, r = 0, a = 0, n = 0;
      for (int32_t sy = y0; sy < y1; ++sy) {
        const uint8_t* p = image.ScanLine(sy) + x0 * 4;
        for (int32_t sx = x0; sx < x1; ++sx, p += 4, ++n) {
          b += p[0] * p[3];
          g += p[1] * p[3];
          r += p[2] * p[3];
          a += p[3];
        }
      }
      uint8_t* q = out.data() + (static_cast<size_t>(y) * size + x) * 4;
      if (a) {
        q[0] = static_cast<uint8_t>(b / a);
        q[1] = static_cast<uint8_t>(g / a);
        q[2] = static_cast<uint8_t>(r / a);
      }
      q[3] = static_cast<uint8_t>(a / n);
    }
  }
  return out;
}

}  // namespace

struct TX11Tray::TState {
  SDL_Window* Anchor = nullptr;   // a hidden SDL window: the way to SDL's connection
  Display* Dpy = nullptr;
  int Screen = 0;
  Window Root = 0;
  Atom Selection = 0;             // _NET_SYSTEM_TRAY_S<screen>
  Atom Opcode = 0, Manager = 0, XembedInfo = 0, TrayVisual = 0, NetWmName = 0, Utf8 = 0;
  Window Host = 0;                // the host's selection window we watch (0: none)

  struct TIconWindow {
    Window Win = 0;
    int Width = kInitialSize, Height = kInitialSize;
    bool Argb = false;            // a 32-bit visual with alpha (the host asked for it)
    Visual* Vis = nullptr;
    int Depth = 0;
    Colormap Map = 0;
  };
  std::vector<std::pair<TTrayIconEntry*, TIconWindow>> Icons;

  TIconWindow* Of(const TTrayIconEntry& e) {
    for (auto& [entry, w] : Icons)
      if (entry == &e) return &w;
    return nullptr;
  }
};

std::unique_ptr<TX11Tray> TX11Tray::Open() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || std::strcmp(driver, "x11") != 0) return nullptr;
  auto s = std::make_unique<TState>();
  s->Anchor = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!s->Anchor || SDL_GetWindowWMInfo(s->Anchor, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    if (s->Anchor) SDL_DestroyWindow(s->Anchor);
    return nullptr;
  }
  Display* d = info.info.x11.display;
  s->Dpy = d;
  s->Screen = DefaultScreen(d);
  s->Root = RootWindow(d, s->Screen);
  const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(s->Screen);
  s->Selection = XInternAtom(d, selection.c_str(), False);
  s->Opcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
  s->Manager = XInternAtom(d, "MANAGER", False);
  s->XembedInfo = XInternAtom(d, "_XEMBED_INFO", False);
  s->TrayVisual = XInternAtom(d, "_NET_SYSTEM_TRAY_VISUAL", False);
  s->NetWmName = XInternAtom(d, "_NET_WM_NAME", False);
  s->Utf8 = XInternAtom(d, "UTF8_STRING", False);
  // Hosts announce themselves on the root window (StructureNotify); SDL's
  // own interest in the root window is kept.
  XWindowAttributes root{};
  XGetWindowAttributes(d, s->Root, &root);
  XSelectInput(d, s->Root, root.your_event_mask | StructureNotifyMask);
  std::unique_ptr<TX11Tray> tray(new TX11Tray(std::move(s)));
  tray->WatchHost();
  XFlush(d);
  return tray;
}

TX11Tray::TX11Tray(std::unique_ptr<TState> state) : m_state(std::move(state)) {}

TX11Tray::~TX11Tray() {
  for (auto& [entry, w] : m_state->Icons) {
    XDestroyWindow(m_state->Dpy, w.Win);
    if (w.Map) XFreeColormap(m_state->Dpy, w.Map);
  }
  XFlush(m_state->Dpy);
  SDL_DestroyWindow(m_state->Anchor);
}

uint64_t TX11Tray::WatchHost() {
  TState& s = *m_state;
  const Window host = XGetSelectionOwner(s.Dpy, s.Selection);
  if (host != s.Host && host) XSelectInput(s.Dpy, host, StructureNotifyMask);
  s.Host = host;
  return host;
}

bool TX11Tray::Present() { return XGetSelectionOwner(m_state->Dpy, m_state->Selection) != 0; }

bool TX11Tray::Dock(TTrayIconEntry& icon) {
  TState& s = *m_state;
  const Window host = WatchHost();
  if (!host) return false;
  TState::TIconWindow w;
  // A host that composites asks for a visual with alpha.
  XSetWindowAttributes attrs{};
  unsigned long mask = CWEventMask | CWBorderPixel;
  attrs.event_mask = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
  attrs.border_pixel = 0;
  w.Vis = DefaultVisual(s.Dpy, s.Screen);
  w.Depth = DefaultDepth(s.Dpy, s.Screen);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(s.Dpy, host, s.TrayVisual, 0, 1, False, XA_VISUALID, &type, &format, &count, &after, &data) ==
          Success && data && count == 1 && format == 32) {
    const VisualID id = *reinterpret_cast<unsigned long*>(data);
    XVisualInfo want{};
    want.visualid = id;
    int n = 0;
    if (XVisualInfo* found = XGetVisualInfo(s.Dpy, VisualIDMask, &want, &n); found && n > 0) {
      if (found->depth == 32) {
        w.Vis = found->visual;
        w.Depth = 32;
        w.Argb = true;
      }
      XFree(found);
    }
  }
  if (data) XFree(data);
  if (w.Argb) {
    w.Map = XCreateColormap(s.Dpy, s.Root, w.Vis, AllocNone);
    attrs.colormap = w.Map;
    attrs.background_pixel = 0;   // transparent
    mask |= CWColormap | CWBackPixel;
  } else {
    attrs.background_pixmap = ParentRelative;   // the host's background shows through
    mask |= CWBackPixmap;
  }
  w.Win = XCreateWindow(s.Dpy, s.Root, 0, 0, kInitialSize, kInitialSize, 0, w.Depth, InputOutput, w.Vis, mask, &attrs);
  if (!w.Win) {
    if (w.Map) XFreeColormap(s.Dpy, w.Map);
    return false;
  }
  const long info[2] = {0, kXembedMapped};
  XChangeProperty(s.Dpy, w.Win, s.XembedInfo, s.XembedInfo, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(info), 2);
  XClassHint cls{const_cast<char*>("tesmaro"), const_cast<char*>("Tesmaro")};
  XSetClassHint(s.Dpy, w.Win, &cls);
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.window = host;
  ev.xclient.message_type = s.Opcode;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = CurrentTime;
  ev.xclient.data.l[1] = kRequestDock;
  ev.xclient.data.l[2] = static_cast<long>(w.Win);
  XSendEvent(s.Dpy, host, False, NoEventMask, &ev);
  icon.Native = w.Win;
  s.Icons.emplace_back(&icon, w);
  Update(icon);
  return true;
}

void TX11Tray::Update(TTrayIconEntry& icon) {
  TState& s = *m_state;
  TState::TIconWindow* w = s.Of(icon);
  if (!w) return;
  XChangeProperty(s.Dpy, w->Win, s.NetWmName, s.Utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(icon.Tip.data()), static_cast<int>(icon.Tip.size()));
  XStoreName(s.Dpy, w->Win, icon.Tip.c_str());
  Draw(icon);
}

void TX11Tray::Undock(TTrayIconEntry& icon) {
  TState& s = *m_state;
  const auto it = std::find_if(s.Icons.begin(), s.Icons.end(), [&](const auto& p) { return p.first == &icon; });
  if (it == s.Icons.end()) return;
  XDestroyWindow(s.Dpy, it->second.Win);
  if (it->second.Map) XFreeColormap(s.Dpy, it->second.Map);
  s.Icons.erase(it);
  XFlush(s.Dpy);
}

TTrayIconEntry* TX11Tray::EntryOfWindow(uint64_t window) {
  for (auto& [entry, w] : m_state->Icons)
    if (w.Win == window) return entry;
  return nullptr;
}

void TX11Tray::Draw(TTrayIconEntry& icon) {
  TState& s = *m_state;
  TState::TIconWindow* w = s.Of(icon);
  if (!w) return;
  XClearWindow(s.Dpy, w->Win);
  const int32_t size = std::min(w->Width, w->Height);
  if (size <= 0 || icon.Image.IsEmpty()) {
    XFlush(s.Dpy);
    return;
  }
  const std::vector<uint8_t> pixels = ScaledBgra(icon.Image, size);
  XImage* image = XCreateImage(s.Dpy, w->Vis, w->Depth, ZPixmap, 0, nullptr, size, size, 32, 0);
  if (!image) return;
  image->data = static_cast<char*>(std::malloc(static_cast<size_t>(image->bytes_per_line) * size));
  const TChannel red(w->Vis->red_mask), green(w->Vis->green_mask), blue(w->Vis->blue_mask);
  // Without alpha in the visual, the shape is the pixels at least half opaque.
  std::vector<uint8_t> shape(static_cast<size_t>((size + 7) / 8) * size, 0);
  for (int32_t y = 0; y < size; ++y)
    for (int32_t x = 0; x < size; ++x) {
      const uint8_t* p = pixels.data() + (static_cast<size_t>(y) * size + x) * 4;
      unsigned long pixel;
      if (w->Argb) {   // premultiplied ARGB
        const unsigned a = p[3];
        pixel = (static_cast<unsigned long>(a) << 24) | ((p[2] * a / 255) << 16) | ((p[1] * a / 255) << 8) |
                (p[0] * a / 255);
      } else {
        pixel = red.Put(p[2]) | green.Put(p[1]) | blue.Put(p[0]);
        if (p[3] >= 128) shape[static_cast<size_t>(y) * ((size + 7) / 8) + x / 8] |= uint8_t(1u << (x % 8));
      }
      XPutPixel(image, x, y, pixel);
    }
  const int left = (w->Width - size) / 2, top = (w->Height - size) / 2;
  GC gc = XCreateGC(s.Dpy, w->Win, 0, nullptr);
  Pixmap clip = 0;
  if (!w->Argb) {
    clip = XCreateBitmapFromData(s.Dpy, w->Win, reinterpret_cast<const char*>(shape.data()), size, size);
    XSetClipMask(s.Dpy, gc, clip);
    XSetClipOrigin(s.Dpy, gc, left, top);
  }
  XPutImage(s.Dpy, w->Win, gc, image, 0, 0, left, top, size, size);
  XFreeGC(s.Dpy, gc);
  if (clip) XFreePixmap(s.Dpy, clip);
  XDestroyImage(image);   // frees the pixel block too
  XFlush(s.Dpy);
}

bool TX11Tray::Take(const SDL_Event& e) {
  if (e.type != SDL_SYSWMEVENT || !e.syswm.msg || e.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
  TState& s = *m_state;
  const XEvent& x = e.syswm.msg->msg.x11.event;
  // The host's announcement and its end.
  if (x.type == ClientMessage && x.xclient.window == s.Root && x.xclient.message_type == s.Manager &&
      static_cast<Atom>(x.xclient.data.l[1]) == s.Selection) {
    // A host that takes over from another one starts without our icons.
    const Window old = s.Host;
    WatchHost();
    if (old && old != s.Host && !s.Icons.empty()) HostLost();
    HostAppeared();
    return true;
  }
  if (x.type == DestroyNotify && s.Host && x.xdestroywindow.window == s.Host) {
    s.Host = 0;
    HostLost();
    // A host that replaced the one that went is there already.
    if (WatchHost()) HostAppeared();
    return true;
  }
  TTrayIconEntry* icon = EntryOfWindow(x.xany.window);
  if (!icon) return false;
  TState::TIconWindow* w = s.Of(*icon);
  const auto button = [](unsigned int b, TMouseButton& out) {
    if (b == 1) out = TMouseButton::Left;
    else if (b == 2) out = TMouseButton::Middle;
    else if (b == 3) out = TMouseButton::Right;
    else return false;
    return true;
  };
  TMouseButton b = TMouseButton::Left;
  switch (x.type) {
    case Expose:
      if (x.xexpose.count == 0) Draw(*icon);
      break;
    case ConfigureNotify:
      if (w->Width != x.xconfigure.width || w->Height != x.xconfigure.height) {
        w->Width = x.xconfigure.width;
        w->Height = x.xconfigure.height;
        Draw(*icon);
      }
      break;
    case ButtonPress:
      if (button(x.xbutton.button, b)) IconMouse(*icon, TAction::Press, b, {x.xbutton.x_root, x.xbutton.y_root});
      break;
    case ButtonRelease:
      if (button(x.xbutton.button, b)) IconMouse(*icon, TAction::Release, b, {x.xbutton.x_root, x.xbutton.y_root});
      break;
    case MotionNotify:
      IconMouse(*icon, TAction::Move, TMouseButton::Left, {x.xmotion.x_root, x.xmotion.y_root});
      break;
    default:
      break;
  }
  return true;
}

#else

struct TX11Tray::TState {};
std::unique_ptr<TX11Tray> TX11Tray::Open() { return nullptr; }
TX11Tray::TX11Tray(std::unique_ptr<TState> state) : m_state(std::move(state)) {}
TX11Tray::~TX11Tray() = default;
bool TX11Tray::Present() { return false; }
bool TX11Tray::Take(const SDL_Event&) { return false; }
bool TX11Tray::Dock(TTrayIconEntry&) { return false; }
void TX11Tray::Update(TTrayIconEntry&) {}
void TX11Tray::Undock(TTrayIconEntry&) {}
TTrayIconEntry* TX11Tray::EntryOfWindow(uint64_t) { return nullptr; }
void TX11Tray::Draw(TTrayIconEntry&) {}
uint64_t TX11Tray::WatchHost() { return 0; }

#endif

}  // namespace tsm
