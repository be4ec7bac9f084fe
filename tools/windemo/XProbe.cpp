#include "tools/windemo/XProbe.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

namespace tsm {

namespace {

Display* DisplayOf(void* d) { return static_cast<Display*>(d); }

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

}  // namespace tsm
