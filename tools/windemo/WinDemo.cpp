// A raw window-system demo: two windows with a frame of their own built on the
// non-client protocol (a caption to drag, borders to size within limits, a
// close box) and a counter that a 100 ms timer advances; a third window with
// the default frame (caption text, caption buttons) whose client takes typed
// text with a caret and copies (Ctrl+C) and pastes (Ctrl+V) through the
// clipboard; a fourth, topmost window shaped as a plus sign. Closing the last
// of the first three windows ends the program.
//
// Owned windows: the key O in a window with the demo's frame opens a window
// it owns (a dialog, which a window manager manages), the key P an owned
// pop-up; they are numbered from 5 on and wear the same frame, so they open
// owned windows in turn. A window opened from an owned window is modal: its
// owner is disabled while it is open, as a picker opened from a dialog.
//
// With --log the demo reports on standard output, one line each, what the
// smoke test under Xvfb checks:
//   sized <n> <x> <y> <w> <h>    a move or size loop ended (WM_EXITSIZEMOVE)
//   click <n> <x> <y>            a client press (client coordinates)
//   active <n>                   window n became the active window
//   text 3 <text>                the text of window 3 changed
//   copied 3 <text>              window 3 put its text on the clipboard
//   shape 4 plus|square          a right click on window 4 toggled its shape
//   state <n> minimized|maximized|restored   window n changed its show state
//   app active|inactive          the program as a whole (WM_ACTIVATEAPP)
//   opened <n> owner <m>         owned window n was opened by window m
// where n is 1 to 4.
//
// "windemo --paste" prints "clipboard <text>" and ends; "windemo --copy TEXT"
// puts TEXT on the clipboard and keeps it there for ten seconds.
//
//   +--------------------------------------+
//   |########### caption (24) #########[X]|   <- HTCAPTION, close box HTCLOSE
//   |+------------------------------------+|
//   ||             client                 ||   <- 4-pixel border: sizing codes
//   ||            8 8 8 8                 ||      (corners 12 pixels)
//   |+------------------------------------+|
//   +--------------------------------------+

#include <cstdio>
#include <deque>
#include <string>

#include "platform/core/Utf8.h"
#include "platform/gfx/Font.h"

#include "platform/gfx/DeviceContext.h"
#include "platform/window/DefWindowProc.h"
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
  int Number = 0;
  int Counter = 0;
  bool Active = false;
  bool ClosePressed = false;
  HWND ModalOwner{};  // disabled while this window is open
};

int g_openWindows = 0;
bool g_log = false;

void Log(const char* fmt, auto... args) {
  if (!g_log) return;
  std::printf(fmt, args...);
  std::fflush(stdout);
}

// Show state changes (WM_SIZE) and the program's activation, which every
// top-level window hears: window 1 reports it.
void LogStateMessages(int number, uint32_t msg, WPARAM wp) {
  if (msg == WM_SIZE)
    Log("state %d %s\n", number, wp == SIZE_MINIMIZED ? "minimized" : wp == SIZE_MAXIMIZED ? "maximized" : "restored");
  if (msg == WM_ACTIVATEAPP && number == 1) Log("app %s\n", wp ? "active" : "inactive");
}

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

void OpenOwnedWindow(HWND owner, bool popup);

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
  if (const int32_t hit = SizingBorderHitTest(p, w, ht, kBorder, kCorner); hit != HTNOWHERE) return hit;
  if (p.Y < kBorder + kCaption) return HTCAPTION;
  return HTCLIENT;
}

LRESULT DemoProc(HWND h, uint32_t msg, WPARAM wp, LPARAM lp) {
  auto* d = static_cast<TDemoWindow*>(GetWindowUserData(h));
  if (d) LogStateMessages(d->Number, msg, wp);
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
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE) Log("active %d\n", d->Number);
      break;
    case WM_EXITSIZEMOVE: {
      const TRect r = GetWindowRect(h);
      Log("sized %d %d %d %d %d\n", d->Number, r.Left, r.Top, r.Width(), r.Height());
      break;
    }
    case WM_LBUTTONDOWN:
      Log("click %d %d %d\n", d->Number, PointFromLParam(lp).X, PointFromLParam(lp).Y);
      break;
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
    case WM_CLOSE:
      // The owner takes its input back before this window goes, so that the
      // activation returns to it.
      if (d->ModalOwner) EnableWindow(d->ModalOwner, true);
      break;
    case WM_DESTROY:
      if (--g_openWindows == 0) PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE) PostMessage(h, WM_CLOSE);
      if (wp == 'O' || wp == 'P') OpenOwnedWindow(h, wp == 'P');
      return 0;
    default:
      break;
  }
  return DefWindowProc(h, msg, wp, lp);
}

// --- Owned windows ----------------------------------------------------------

std::deque<TDemoWindow> g_owned;  // stable addresses for the user data

void OpenOwnedWindow(HWND owner, bool popup) {
  const auto* o = static_cast<const TDemoWindow*>(GetWindowUserData(owner));
  TDemoWindow& d = g_owned.emplace_back(TDemoWindow{RGB(96, 0, 128), int(4 + g_owned.size() + 1)});
  TWindowCreateParams p;
  p.Style = popup ? WS_POPUP : WS_OVERLAPPED;
  p.Parent = owner;
  p.Bounds = TRect::FromSize(GetWindowRect(owner).Left + 40, GetWindowRect(owner).Top + 40, 240, 150);
  const std::string title = "windemo " + std::to_string(d.Number);
  p.Text = title;
  p.UserData = &d;
  p.Proc = DemoProc;
  const HWND h = CreateWindowEx(p);
  if (!h) return;
  if (GetOwner(owner)) {
    d.ModalOwner = owner;
    EnableWindow(owner, false);
  }
  ShowWindow(h, SW_SHOW);
  Log("opened %d owner %d\n", d.Number, o->Number);
}

// --- Window 3: the default frame, a caret and the clipboard ----------------

constexpr TPoint kTextOrigin{6, 6};

struct TNoteWindow {
  std::string Text;
};

void PlaceCaret(HWND h, const TNoteWindow& n) {
  TDeviceContext* dc = GetDC(h);
  dc->SetFont(TFont::Create({"宋体", -12}));
  const int32_t width = dc->TextWidth(n.Text);
  ReleaseDC(h, dc);
  SetCaretPos({kTextOrigin.X + width, kTextOrigin.Y});
}

void TextChanged(HWND h, TNoteWindow& n) {
  Log("text 3 %s\n", n.Text.c_str());
  InvalidateRect(h, nullptr, true);
  if (GetFocus() == h) PlaceCaret(h, n);
}

LRESULT NoteProc(HWND h, uint32_t msg, WPARAM wp, LPARAM lp) {
  auto* n = static_cast<TNoteWindow*>(GetWindowUserData(h));
  LogStateMessages(3, msg, wp);
  switch (msg) {
    case WM_CREATE:
      ++g_openWindows;
      return 0;
    case WM_SETFOCUS:
      CreateCaret(h, 1, 13);
      PlaceCaret(h, *n);
      ShowCaret(h);
      return 0;
    case WM_KILLFOCUS:
      DestroyCaret();
      return 0;
    case WM_LBUTTONDOWN:
      Log("click 3 %d %d\n", PointFromLParam(lp).X, PointFromLParam(lp).Y);
      return 0;
    case WM_CHAR:
      if (wp == 3) {  // Ctrl+C
        SetClipboardText(n->Text);
        Log("copied 3 %s\n", n->Text.c_str());
      } else if (wp == 22) {  // Ctrl+V
        n->Text += GetClipboardText();
        TextChanged(h, *n);
      } else if (wp == 8) {
        if (!n->Text.empty()) n->Text.resize(Utf8PrevCharStart(n->Text, n->Text.size()));
        TextChanged(h, *n);
      } else if (wp >= 32) {
        Utf8Append(n->Text, static_cast<char32_t>(wp));
        TextChanged(h, *n);
      }
      return 0;
    case WM_PAINT: {
      TPaintStruct ps;
      TDeviceContext* dc = BeginPaint(h, ps);
      dc->SetFont(TFont::Create({"宋体", -12}));
      dc->SetBkMode(TBkMode::Transparent);
      dc->SetTextColor(clWindowText);
      dc->TextOut(kTextOrigin.X, kTextOrigin.Y, n->Text);
      EndPaint(h, ps);
      return 0;
    }
    case WM_DESTROY:
      if (--g_openWindows == 0) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProc(h, msg, wp, lp);
  }
}

// --- Window 4: a shape ------------------------------------------------------

constexpr int kPlusSize = 80, kPlusBar = 24;

TRegion PlusShape() {
  const int lo = (kPlusSize - kPlusBar) / 2, hi = lo + kPlusBar;
  return TRegion::FromRects(std::vector<TRect>{TRect(lo, 0, hi, kPlusSize), TRect(0, lo, kPlusSize, hi)});
}

LRESULT PlusProc(HWND h, uint32_t msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
      Log("click 4 %d %d\n", PointFromLParam(lp).X, PointFromLParam(lp).Y);
      return 0;
    case WM_RBUTTONDOWN:  // the shape goes and comes back
      SetWindowRgn(h, GetWindowRgn(h) ? std::nullopt : std::optional<TRegion>(PlusShape()));
      Log("shape 4 %s\n", GetWindowRgn(h) ? "plus" : "square");
      return 0;
    case WM_PAINT: {
      TPaintStruct ps;
      TDeviceContext* dc = BeginPaint(h, ps);
      dc->FillRect(GetClientRect(h), RGB(0, 128, 64));
      dc->FillRect(TRect(kPlusSize / 2 - 2, 4, kPlusSize / 2 + 2, kPlusSize - 4), clWhite);
      dc->FillRect(TRect(4, kPlusSize / 2 - 2, kPlusSize - 4, kPlusSize / 2 + 2), clWhite);
      EndPaint(h, ps);
      return 0;
    }
    default:
      return DefWindowProc(h, msg, wp, lp);
  }
}

HWND OpenPlusWindow(TPoint at) {
  TWindowCreateParams p;
  p.Style = WS_POPUP;
  p.ExStyle = WS_EX_TOPMOST | WS_EX_NOACTIVATE;
  p.Bounds = TRect::FromSize(at.X, at.Y, kPlusSize, kPlusSize);
  p.Text = "windemo 4";
  p.Proc = PlusProc;
  const HWND h = CreateWindowEx(p);
  SetWindowRgn(h, PlusShape());
  ShowWindow(h, SW_SHOWNOACTIVATE);
  return h;
}

HWND OpenNoteWindow(TNoteWindow& data, const TRect& bounds) {
  TWindowCreateParams p;
  p.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
  p.Bounds = bounds;
  p.Text = "windemo 3 — 默认边框 with a caption too long for it";
  p.UserData = &data;
  p.Proc = NoteProc;
  p.Background = clWindow;
  p.Cursor = TCursorShape::IBeam;
  return CreateWindowEx(p);
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
  g_log = argc == 2 && std::string(argv[1]) == "--log";
  if (argc == 2 && std::string(argv[1]) == "--paste") {
    std::printf("clipboard %s\n", GetClipboardText().c_str());
    return 0;
  }
  if (argc == 3 && std::string(argv[1]) == "--copy") {
    SetClipboardText(argv[2]);
    std::printf("copied\n");
    std::fflush(stdout);
    SetTimer(10000, [](uint32_t) { PostQuitMessage(0); });  // the clipboard owner serves requests meanwhile
    return RunMessageLoop();
  }
  if (shot) sys.Headless()->UseManualClock(true);
  std::printf("windemo: backend %s\n", sys.Backend().Name());
  TDemoWindow first{RGB(0, 64, 160), 1}, second{RGB(160, 32, 32), 2};
  TNoteWindow note;
  const HWND a = OpenDemoWindow(first, TRect::FromSize(80, 80, 320, 200), "windemo 1");
  const HWND b = OpenDemoWindow(second, TRect::FromSize(460, 160, 320, 200), "windemo 2");
  const HWND c = OpenNoteWindow(note, TRect::FromSize(100, 430, 420, 150));
  const HWND d = OpenPlusWindow({700, 250});
  std::printf("windemo: windows %u %u %u %u\n", a.Id, b.Id, c.Id, d.Id);
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
