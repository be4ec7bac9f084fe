#include "tools/windemo/XProbe.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

namespace tsm {

namespace {

Display* DisplayOf(void* d) { return static_cast<Display*>(d); }

// The UTF-8 name of w or, when it has none, of the first named window
// inside it (depth first); empty when there is none.
std::string NameWithin(Display* d, Window w) {
  const Atom netName = XInternAtom(d, "_NET_WM_NAME", False), utf8 = XInternAtom(d, "UTF8_STRING", False);
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  std::string name;
  if (XGetWindowProperty(d, w, netName, 0, 1024, False, utf8, &type, &format, &count, &after, &data) == Success &&
      data && format == 8)
    name.assign(reinterpret_cast<char*>(data), count);
  if (data) XFree(data);
  if (name.empty()) {
    char* plain = nullptr;
    if (XFetchName(d, w, &plain) && plain) name = plain;
    if (plain) XFree(plain);
  }
  if (!name.empty()) return name;
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  if (!XQueryTree(d, w, &root, &parent, &children, &n)) return {};
  for (unsigned int i = 0; i < n && name.empty(); ++i) name = NameWithin(d, children[i]);
  if (children) XFree(children);
  return name;
}

}  // namespace

std::unique_ptr<TXProbe> TXProbe::Open(const std::string& display) {
  Display* d = XOpenDisplay(display.c_str());
  if (!d) return nullptr;
  std::unique_ptr<TXProbe> p(new TXProbe());
  p->m_display = d;
  return p;
}

TXProbe::~TXProbe() {
  if (m_display) XCloseDisplay(DisplayOf(m_display));
}

TBitmap TXProbe::Screen() const {
  Display* d = DisplayOf(m_display);
  const Window root = DefaultRootWindow(d);
  XWindowAttributes a;
  XGetWindowAttributes(d, root, &a);
  XImage* image = XGetImage(d, root, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
  if (!image) return {};
  TBitmap out(a.width, a.height, TPixelFormat::Bgra32);
  for (int32_t y = 0; y < a.height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(out.ScanLine(y));
    for (int32_t x = 0; x < a.width; ++x) row[x] = uint32_t(XGetPixel(image, x, y)) & 0x00FFFFFFu;
  }
  XDestroyImage(image);
  return out;
}

TCursorInfo TXProbe::Cursor() const {
  TCursorInfo info;
  XFixesCursorImage* c = XFixesGetCursorImage(DisplayOf(m_display));
  if (!c) return info;
  info = {c->width, c->height, c->xhot, c->yhot, c->cursor_serial};
  XFree(c);
  return info;
}

std::vector<std::string> TXProbe::StackingOrder() const {
  Display* d = DisplayOf(m_display);
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int n = 0;
  std::vector<std::string> out;
  if (!XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &n)) return out;
  for (unsigned int i = n; i-- > 0;) {  // the server lists the bottom one first
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, children[i], &a) || a.map_state != IsViewable) continue;
    if (std::string name = NameWithin(d, children[i]); !name.empty()) out.push_back(std::move(name));
  }
  if (children) XFree(children);
  return out;
}

}  // namespace tsm
