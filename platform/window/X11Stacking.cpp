#include "platform/window/X11Stacking.h"

#include <SDL_syswm.h>

#include <algorithm>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#endif

namespace tsm {

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

bool WmInfoOf(SDL_Window* w, SDL_SysWMinfo& info) {
  SDL_VERSION(&info.version);
  return w && SDL_GetWindowWMInfo(w, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11;
}

// The child of the root window that holds w: w itself, or the frame a
// window manager put it in. 0 when w is gone.
Window TopOf(Display* d, Window root, Window w) {
  while (w) {
    Window r = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d, w, &r, &parent, &children, &n)) return 0;
    if (children) XFree(children);
    if (parent == root) return w;
    w = parent;
  }
  return 0;
}

}  // namespace

bool TX11Stacking::Watch(SDL_Window* anyNative) {
  SDL_SysWMinfo info;
  if (!WmInfoOf(anyNative, info)) return false;
  Display* d = info.info.x11.display;
  const Window root = DefaultRootWindow(d);
  XWindowAttributes attributes{};
  XGetWindowAttributes(d, root, &attributes);
  XSelectInput(d, root, attributes.your_event_mask | SubstructureNotifyMask | StructureNotifyMask);
  XFlush(d);
  return true;
}

bool TX11Stacking::IsRootChange(const SDL_Event& e) {
  if (e.type != SDL_SYSWMEVENT || !e.syswm.msg || e.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
  const XEvent& x = e.syswm.msg->msg.x11.event;
  const Window root = DefaultRootWindow(x.xany.display);
  switch (x.type) {
    case ConfigureNotify: return x.xconfigure.event == root;
    case MapNotify: return x.xmap.event == root;
    case CirculateNotify: return x.xcirculate.event == root;
    case ReparentNotify: return x.xreparent.event == root;
    default: return false;
  }
}

int TX11Stacking::Arrange(const std::vector<SDL_Window*>& bottomToTop) {
  SDL_SysWMinfo info;
  if (bottomToTop.size() < 2 || !WmInfoOf(bottomToTop.front(), info)) return 0;
  Display* d = info.info.x11.display;
  const Window root = DefaultRootWindow(d);
  Window r = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(d, root, &r, &parent, &children, &n)) return 0;
  std::vector<Window> stack(children, children + n);  // the bottom one first
  if (children) XFree(children);

  int moved = 0;
  Window below = 0;  // the root child holding the previous window of the list
  for (SDL_Window* native : bottomToTop) {
    SDL_SysWMinfo own;
    const Window window = WmInfoOf(native, own) ? own.info.x11.window : 0;
    const Window top = window ? TopOf(d, root, window) : 0;
    if (!top) continue;
    const auto at = std::find(stack.begin(), stack.end(), top);
    const auto under = std::find(stack.begin(), stack.end(), below);
    if (below && at != stack.end() && under != stack.end() && at < under) {
      stack.erase(at);
      if (top == window) {
        // Ours to stack: directly above the one below it.
        XWindowChanges changes{};
        changes.sibling = below;
        changes.stack_mode = Above;
        XConfigureWindow(d, window, CWSibling | CWStackMode, &changes);
        stack.insert(std::find(stack.begin(), stack.end(), below) + 1, window);
      } else {
        // Framed: the window manager raises the frame when asked to raise
        // the window (the windows above it in the list follow in turn).
        XRaiseWindow(d, window);
        stack.push_back(top);
      }
      ++moved;
    }
    below = top;
  }
  if (moved) XFlush(d);
  return moved;
}

void TX11Stacking::SetOwner(SDL_Window* w, SDL_Window* owner) {
  SDL_SysWMinfo info, ownerInfo;
  if (!WmInfoOf(w, info)) return;
  Display* d = info.info.x11.display;
  if (WmInfoOf(owner, ownerInfo))
    XSetTransientForHint(d, info.info.x11.window, ownerInfo.info.x11.window);
  else
    XDeleteProperty(d, info.info.x11.window, XA_WM_TRANSIENT_FOR);
  XFlush(d);
}

#else  // SDL without X11 support

bool TX11Stacking::Watch(SDL_Window*) { return false; }
bool TX11Stacking::IsRootChange(const SDL_Event&) { return false; }
int TX11Stacking::Arrange(const std::vector<SDL_Window*>&) { return 0; }
void TX11Stacking::SetOwner(SDL_Window*, SDL_Window*) {}

#endif

}  // namespace tsm
