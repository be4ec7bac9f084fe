// A raw window-system demo: two windows with a frame of their own built on the
// non-client protocol (a caption to drag, borders to size within limits, a
// close box) and a counter that a 100 ms timer advances. Closing the last
// window ends the program.
//
//   +--------------------------------------+
//   |########### caption (24) #########[X]|   <- HTCAPTION, close box HTCLOSE
//   |+------------------------------------+|
//   ||             client                 ||   <- 4-pixel border: sizing codes
//   ||            8 8 8 8                 ||      (corners 12 pixels)
//   |+------------------------------------+|
//   +--------------------------------------+

#include <cstdio>
#include <string>

#include "platform/gfx/DeviceContext.h"
#include "platform/window/HeadlessBackend.h"
#include "platform/window/WindowApi.h"

namespace tsm {
namespace {

constexpr int kBorder = 4;
constexpr int kCaption = 24;
constexpr int kCorner = 12;
constexpr uint32_t kCounterTimer = 1;

struct TDemoWindow {
  TColor Accent;
  int Counter = 0;
  bool Active = false;
  bool ClosePressed = false;
};

int g_openWindows = 0;

TRect CloseBox(HWND h) {
  const TRect r = GetWindowRect(h);
  return TRect::FromSize(r.Width() - kBorder - 20, kBorder + 3, 17, 17);
}

// Seven-segment digits: segments a..g as bits 0..6.
constexpr uint8_t kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void DrawDigit(TDeviceContext& dc, int x, int y, int digit, int size, TColor c) {
  const int w = size, h = size * 2, t = std::max(2, size / 5);
  const uint8_t s = kSegments[digit];
  if (s & 0x01) dc.FillRect(TRect(x, y, x + w, y + t), c);
  if (s & 0x02) dc.FillRect(TRect(x + w - t, y, x + w, y + h / 2), c);
  if (s & 0x04) dc.FillRect(TRect(x + w - t, y + h / 2, x + w, y + h), c);
  if (s & 0x08) dc.FillRect(TRect(x, y + h - t, x + w, y + h), c);
  if (s & 0x10) dc.FillRect(TRect(x, y + h / 2, x + t, y + h), c);
  if (s & 0x20) dc.FillRect(TRect(x, y, x + t, y + h / 2), c);
  if (s & 0x40) dc.FillRect(TRect(x, y + h / 2 - t / 2, x + w, y + h / 2 + t - t / 2), c);
}

void PaintFrame(HWND h, TDemoWindow& d) {
  TDeviceContext* dc = GetWindowDC(h);
  const TRect wr = GetWindowRect(h);
  const TRect all(0, 0, wr.Width(), wr.Height());
  dc->ExcludeClipRect(GetClientRectInWindow(h));
  TRect r = all;
  dc->Frame3D(r, clBtnHighlight, cl3DDkShadow);
  dc->Frame3D(r, clBtnFace, clBtnShadow, kBorder - 1);
  dc->FillRect(TRect(kBorder, kBorder, wr.Width() - kBorder, kBorder + kCaption), d.Active ? d.Accent : clInactiveCaption);
  // Grip lines in the caption.
  for (int y = kBorder + 6; y < kBorder + kCaption - 6; y += 3)
    dc->FillRect(TRect(kBorder + 8, y, wr.Width() - kBorder - 30, y + 1), d.Active ? clWhite : clBtnFace);
  TRect box = CloseBox(h);
  dc->FillRect(box, d.ClosePressed ? clBtnShadow : clBtnFace);
  TRect edge = box;
  dc->Frame3D(edge, d.ClosePressed ? clBtnShadow : clBtnHighlight, d.ClosePressed ? clBtnHighlight : cl3DDkShadow);
  for (int i = 4; i < 13; ++i) {  // the X
    dc->SetPixel(box.Left + i, box.Top + i, clBlack);
    dc->SetPixel(box.Left + i + 1, box.Top + i, clBlack);
    dc->SetPixel(box.Left + 16 - i, box.Top + i, clBlack);
    dc->SetPixel(box.Left + 17 - i, box.Top + i, clBlack);
  }
  ReleaseDC(h, dc);
}

void PaintClient(HWND h, TDemoWindow& d) {
  TPaintStruct ps;
  TDeviceContext* dc = BeginPaint(h, ps);
  const TRect c = GetClientRect(h);
  dc->FillRect(c, clWindow);
  const std::string digits = std::to_string(d.Counter % 10000);
  const int size = 16, gap = 8;
  const int width = int(digits.size()) * (size + gap) - gap;
  int x = c.Width() / 2 - width / 2;
  const int y = c.Height() / 2 - size;
  for (char ch : digits) {
    DrawDigit(*dc, x, y, ch - '0', size, d.Accent);
    x += size + gap;
  }
  EndPaint(h, ps);
}

LRESULT HitTest(HWND h, LPARAM lp) {
  const TRect wr = GetWindowRect(h);
  const TPoint p = PointFromLParam(lp) - wr.TopLeft();
  const int w = wr.Width(), ht = wr.Height();
  if (CloseBox(h).Contains(p)) return HTCLOSE;
  const bool l = p.X < kBorder, r = p.X >= w - kBorder, t = p.Y < kBorder, b = p.Y >= ht - kBorder;
  if (l || r || t || b) {
    const bool nl = p.X < kCorner, nr = p.X >= w - kCorner, nt = p.Y < kCorner, nb = p.Y >= ht - kCorner;
    if ((t && nl) || (l && nt)) return HTTOPLEFT;
    if ((t && nr) || (r && nt)) return HTTOPRIGHT;
    if ((b && nl) || (l && nb)) return HTBOTTOMLEFT;
    if ((b && nr) || (r && nb)) return HTBOTTOMRIGHT;
    return l ? HTLEFT : r ? HTRIGHT : t ? HTTOP : HTBOTTOM;
  }
  if (p.Y < kBorder + kCaption) return HTCAPTION;
  return HTCLIENT;
}

LRESULT DemoProc(HWND h, uint32_t msg, WPARAM wp, LPARAM lp) {
  auto* d = static_cast<TDemoWindow*>(GetWindowUserData(h));
  switch (msg) {
    case WM_CREATE:
      SetTimer(h, kCounterTimer, 100);
      ++g_openWindows;
      return 0;
    case WM_NCCALCSIZE: {
      TRect* r = reinterpret_cast<TRect*>(lp);
      *r = TRect(r->Left + kBorder, r->Top + kBorder + kCaption, r->Right - kBorder, r->Bottom - kBorder);
      return 0;
    }
    case WM_NCHITTEST:
      return HitTest(h, lp);
    case WM_NCPAINT:
      PaintFrame(h, *d);
      return 0;
    case WM_NCACTIVATE:
      d->Active = wp != 0;
      PaintFrame(h, *d);
      return 1;
    case WM_GETMINMAXINFO: {
      auto* mm = reinterpret_cast<TMinMaxInfo*>(lp);
      mm->ptMinTrackSize = {160, 100};
      mm->ptMaxTrackSize = {640, 480};
      return 0;
    }
    case WM_NCLBUTTONDOWN:
      if (wp == HTCLOSE) {
        d->ClosePressed = true;
        SetCapture(h);
        PaintFrame(h, *d);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (d->ClosePressed) {
        d->ClosePressed = false;
        ReleaseCapture();
        // Client coordinates -> window coordinates for the close box test.
        const TPoint p = ClientToScreen(h, PointFromLParam(lp)) - GetWindowRect(h).TopLeft();
        if (CloseBox(h).Contains(p)) {
          PostMessage(h, WM_SYSCOMMAND, SC_CLOSE);
        } else {
          PaintFrame(h, *d);
        }
        return 0;
      }
      break;
    case WM_TIMER:
      if (wp == kCounterTimer) {
        ++d->Counter;
        InvalidateRect(h, nullptr, false);
      }
      return 0;
    case WM_PAINT:
      PaintClient(h, *d);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_DESTROY:
      if (--g_openWindows == 0) PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) PostMessage(h, WM_CLOSE);
      return 0;
    default:
      break;
  }
  return DefWindowProc(h, msg, wp, lp);
}

HWND OpenDemoWindow(TDemoWindow& data, const TRect& bounds, const char* title) {
  TWindowCreateParams p;
  p.Style = WS_POPUP | WS_VISIBLE;
  p.Bounds = bounds;
  p.Text = title;
  p.UserData = &data;
  p.Proc = DemoProc;
  return CreateWindowEx(p);
}

}  // namespace
}  // namespace tsm

int main(int argc, char** argv) {
  using namespace tsm;
  TWindowSystem& sys = TWindowSystem::Instance();
  const bool shot = argc == 4 && std::string(argv[1]) == "--shot" && sys.Headless();
  if (shot) sys.Headless()->UseManualClock(true);
  std::printf("windemo: backend %s\n", sys.Backend().Name());
  TDemoWindow first{RGB(0, 64, 160)}, second{RGB(160, 32, 32)};
  const HWND a = OpenDemoWindow(first, TRect::FromSize(80, 80, 320, 200), "windemo 1");
  const HWND b = OpenDemoWindow(second, TRect::FromSize(460, 160, 320, 200), "windemo 2");
  std::printf("windemo: windows %u %u\n", a.Id, b.Id);
  std::fflush(stdout);
  // "--shot FILE MS" (headless): run MS milliseconds, save the screen, quit.
  if (shot) {
    sys.Headless()->RunFor(static_cast<uint64_t>(std::stoul(argv[3])));
    return sys.Headless()->SaveScreenPng(argv[2]) ? 0 : 1;
  }
  const int code = RunMessageLoop();
  TWindowSystem::Shutdown();
  return code;
}
