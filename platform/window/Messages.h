#pragma once
// The message vocabulary of the window system: message numbers, hit-test
// codes, system commands, styles and the structures that messages point to.
//
// The names and numbers are the classic desktop ones, so that code written
// against the message protocol reads as the protocol describes it. Messages
// are an open set (applications add WM_USER + n), so they are plain
// constants; closed sets that a function returns (hit-test codes, show
// commands) are enumerations.

#include <cstdint>

#include "platform/core/Geometry.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

// ---------------------------------------------------------------------------
// Messages. The comment gives what the parameters carry.

inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_CREATE = 0x0001;           // lParam: const TCreateStruct*; return -1 to fail
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_MOVE = 0x0003;             // lParam: client origin (parent client / screen coords)
inline constexpr uint32_t WM_SIZE = 0x0005;             // wParam: SIZE_*; lParam: client width, height
inline constexpr uint32_t WM_ACTIVATE = 0x0006;         // wParam: WA_*; lParam: the other window
inline constexpr uint32_t WM_SETFOCUS = 0x0007;         // wParam: window that lost the focus
inline constexpr uint32_t WM_KILLFOCUS = 0x0008;        // wParam: window that gets the focus
inline constexpr uint32_t WM_ENABLE = 0x000A;           // wParam: TRUE when enabled
inline constexpr uint32_t WM_SETTEXT = 0x000C;          // lParam: const char* (UTF-8)
inline constexpr uint32_t WM_GETTEXT = 0x000D;          // lParam: std::string* receiving the text
inline constexpr uint32_t WM_GETTEXTLENGTH = 0x000E;
inline constexpr uint32_t WM_PAINT = 0x000F;            // wParam: a TDC* to paint into instead, or 0
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;             // wParam: exit code (never dispatched)
inline constexpr uint32_t WM_ERASEBKGND = 0x0014;       // wParam: TDC*; return non-zero when erased
inline constexpr uint32_t WM_SHOWWINDOW = 0x0018;       // wParam: TRUE when shown; lParam: 0 (a call)
inline constexpr uint32_t WM_ACTIVATEAPP = 0x001C;      // wParam: TRUE when the program becomes active
inline constexpr uint32_t WM_CANCELMODE = 0x001F;
inline constexpr uint32_t WM_SETCURSOR = 0x0020;        // wParam: window under the cursor; lParam: hit code, mouse message
inline constexpr uint32_t WM_MOUSEACTIVATE = 0x0021;    // wParam: top-level window; lParam: hit code, mouse message; return MA_*
inline constexpr uint32_t WM_GETMINMAXINFO = 0x0024;    // lParam: TMinMaxInfo*
inline constexpr uint32_t WM_CONTEXTMENU = 0x007B;      // wParam: window clicked; lParam: screen point, or -1 (keyboard)
inline constexpr uint32_t WM_WINDOWPOSCHANGING = 0x0046;  // lParam: TWindowPos* (may be changed)
inline constexpr uint32_t WM_WINDOWPOSCHANGED = 0x0047;   // lParam: const TWindowPos*
inline constexpr uint32_t WM_NCCREATE = 0x0081;         // lParam: const TCreateStruct*; return 0 to fail
inline constexpr uint32_t WM_NCDESTROY = 0x0082;
inline constexpr uint32_t WM_NCCALCSIZE = 0x0083;       // lParam: TRect*: proposed window rect in, client rect out (parent coords)
inline constexpr uint32_t WM_NCHITTEST = 0x0084;        // lParam: screen point; return THitTest
inline constexpr uint32_t WM_NCPAINT = 0x0085;          // wParam: 1 (whole frame)
inline constexpr uint32_t WM_NCACTIVATE = 0x0086;       // wParam: TRUE when the frame shows the active look
inline constexpr uint32_t WM_GETDLGCODE = 0x0087;
inline constexpr uint32_t WM_SYNCPAINT = 0x0088;        // paint the frame and what is due now (never sent by the system)
inline constexpr uint32_t WM_NCMOUSEMOVE = 0x00A0;      // wParam: hit code; lParam: screen point
inline constexpr uint32_t WM_NCLBUTTONDOWN = 0x00A1;
inline constexpr uint32_t WM_NCLBUTTONUP = 0x00A2;
inline constexpr uint32_t WM_NCLBUTTONDBLCLK = 0x00A3;
inline constexpr uint32_t WM_NCRBUTTONDOWN = 0x00A4;
inline constexpr uint32_t WM_NCRBUTTONUP = 0x00A5;
inline constexpr uint32_t WM_NCRBUTTONDBLCLK = 0x00A6;
inline constexpr uint32_t WM_NCMBUTTONDOWN = 0x00A7;
inline constexpr uint32_t WM_NCMBUTTONUP = 0x00A8;
inline constexpr uint32_t WM_NCMBUTTONDBLCLK = 0x00A9;
inline constexpr uint32_t WM_KEYDOWN = 0x0100;          // wParam: VK_*; lParam: key data (see MakeKeyData)
inline constexpr uint32_t WM_KEYUP = 0x0101;
inline constexpr uint32_t WM_CHAR = 0x0102;             // wParam: Unicode code point; lParam: key data
inline constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
inline constexpr uint32_t WM_SYSKEYUP = 0x0105;
inline constexpr uint32_t WM_SYSCHAR = 0x0106;
inline constexpr uint32_t WM_COMMAND = 0x0111;
inline constexpr uint32_t WM_SYSCOMMAND = 0x0112;       // wParam: SC_* (low 4 bits: detail); lParam: screen point
inline constexpr uint32_t WM_TIMER = 0x0113;            // wParam: timer id
inline constexpr uint32_t WM_HSCROLL = 0x0114;
inline constexpr uint32_t WM_VSCROLL = 0x0115;
inline constexpr uint32_t WM_MOUSEMOVE = 0x0200;        // wParam: MK_*; lParam: client point
inline constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
inline constexpr uint32_t WM_LBUTTONUP = 0x0202;
inline constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
inline constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
inline constexpr uint32_t WM_RBUTTONUP = 0x0205;
inline constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
inline constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
inline constexpr uint32_t WM_MBUTTONUP = 0x0208;
inline constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
inline constexpr uint32_t WM_MOUSEWHEEL = 0x020A;       // wParam: MK_* | delta << 16; lParam: screen point
inline constexpr uint32_t WM_PARENTNOTIFY = 0x0210;
inline constexpr uint32_t WM_SIZING = 0x0214;           // wParam: WMSZ_*; lParam: TRect* (screen, may be changed)
inline constexpr uint32_t WM_CAPTURECHANGED = 0x0215;   // lParam: window that gets the capture
inline constexpr uint32_t WM_MOVING = 0x0216;           // lParam: TRect* (screen, may be changed)
inline constexpr uint32_t WM_ENTERSIZEMOVE = 0x0231;
inline constexpr uint32_t WM_EXITSIZEMOVE = 0x0232;
inline constexpr uint32_t WM_DROPFILES = 0x0233;        // wParam: HDROP (DragQueryFiles, DragQueryPoint)
inline constexpr uint32_t WM_IME_STARTCOMPOSITION = 0x010D;
inline constexpr uint32_t WM_IME_ENDCOMPOSITION = 0x010E;
inline constexpr uint32_t WM_IME_COMPOSITION = 0x010F;  // lParam: const char* composition text (UTF-8)
inline constexpr uint32_t WM_MOUSEHOVER = 0x02A1;
inline constexpr uint32_t WM_NCMOUSELEAVE = 0x02A2;
inline constexpr uint32_t WM_MOUSELEAVE = 0x02A3;
inline constexpr uint32_t WM_CUT = 0x0300;
inline constexpr uint32_t WM_COPY = 0x0301;
inline constexpr uint32_t WM_PASTE = 0x0302;
inline constexpr uint32_t WM_CLEAR = 0x0303;
inline constexpr uint32_t WM_UNDO = 0x0304;
inline constexpr uint32_t WM_PRINTCLIENT = 0x0318;      // wParam: TDC* to paint the client area into
inline constexpr uint32_t WM_USER = 0x0400;
inline constexpr uint32_t WM_APP = 0x8000;

// ---------------------------------------------------------------------------
// Hit-test codes (the answer of WM_NCHITTEST). HTOBJECT is the code that a
// skinned frame gives for its own objects; the default procedure treats it
// like HTBORDER.

enum THitTest : int32_t {
  HTERROR = -2,
  HTTRANSPARENT = -1,
  HTNOWHERE = 0,
  HTCLIENT = 1,
  HTCAPTION = 2,
  HTSYSMENU = 3,
  HTGROWBOX = 4,
  HTMENU = 5,
  HTHSCROLL = 6,
  HTVSCROLL = 7,
  HTMINBUTTON = 8,
  HTMAXBUTTON = 9,
  HTLEFT = 10,
  HTRIGHT = 11,
  HTTOP = 12,
  HTTOPLEFT = 13,
  HTTOPRIGHT = 14,
  HTBOTTOM = 15,
  HTBOTTOMLEFT = 16,
  HTBOTTOMRIGHT = 17,
  HTBORDER = 18,
  HTOBJECT = 19,
  HTCLOSE = 20,
  HTHELP = 21,
};

// True for the eight sizing border codes HTLEFT .. HTBOTTOMRIGHT.
constexpr bool IsSizingHitTest(int32_t code) { return code >= HTLEFT && code <= HTBOTTOMRIGHT; }

// Sizing edges (wParam of WM_SIZING, low bits of SC_SIZE). A sizing hit code
// maps to its edge as code - 9.
enum TSizingEdge : uint32_t {
  WMSZ_LEFT = 1, WMSZ_RIGHT = 2, WMSZ_TOP = 3, WMSZ_TOPLEFT = 4, WMSZ_TOPRIGHT = 5,
  WMSZ_BOTTOM = 6, WMSZ_BOTTOMLEFT = 7, WMSZ_BOTTOMRIGHT = 8,
};
constexpr TSizingEdge SizingEdgeOfHitTest(int32_t code) { return static_cast<TSizingEdge>(code - 9); }

// ---------------------------------------------------------------------------
// System commands (wParam of WM_SYSCOMMAND; the low four bits carry a detail:
// the hit code for SC_MOVE, the sizing edge for SC_SIZE).

inline constexpr uint32_t SC_SIZE = 0xF000;
inline constexpr uint32_t SC_MOVE = 0xF010;
inline constexpr uint32_t SC_MINIMIZE = 0xF020;
inline constexpr uint32_t SC_MAXIMIZE = 0xF030;
inline constexpr uint32_t SC_CLOSE = 0xF060;
inline constexpr uint32_t SC_MOUSEMENU = 0xF090;
inline constexpr uint32_t SC_KEYMENU = 0xF100;
inline constexpr uint32_t SC_RESTORE = 0xF120;
inline constexpr uint32_t SC_COMMAND_MASK = 0xFFF0;

// WM_SIZE kinds.
inline constexpr WPARAM SIZE_RESTORED = 0;
inline constexpr WPARAM SIZE_MINIMIZED = 1;
inline constexpr WPARAM SIZE_MAXIMIZED = 2;

// WM_ACTIVATE kinds.
inline constexpr WPARAM WA_INACTIVE = 0;
inline constexpr WPARAM WA_ACTIVE = 1;
inline constexpr WPARAM WA_CLICKACTIVE = 2;

// WM_MOUSEACTIVATE answers.
inline constexpr LRESULT MA_ACTIVATE = 1;
inline constexpr LRESULT MA_ACTIVATEANDEAT = 2;
inline constexpr LRESULT MA_NOACTIVATE = 3;
inline constexpr LRESULT MA_NOACTIVATEANDEAT = 4;

// Mouse key state flags (wParam of client mouse messages).
inline constexpr WPARAM MK_LBUTTON = 0x0001;
inline constexpr WPARAM MK_RBUTTON = 0x0002;
inline constexpr WPARAM MK_SHIFT = 0x0004;
inline constexpr WPARAM MK_CONTROL = 0x0008;
inline constexpr WPARAM MK_MBUTTON = 0x0010;

inline constexpr int WHEEL_DELTA = 120;

// ---------------------------------------------------------------------------
// Show commands.

enum TShowCommand : int32_t {
  SW_HIDE = 0,
  SW_SHOWNORMAL = 1,
  SW_SHOWMINIMIZED = 2,
  SW_MAXIMIZE = 3,
  SW_SHOWMAXIMIZED = 3,
  SW_SHOWNOACTIVATE = 4,
  SW_SHOW = 5,
  SW_MINIMIZE = 6,
  SW_SHOWMINNOACTIVE = 7,
  SW_SHOWNA = 8,
  SW_RESTORE = 9,
};

// The show state a top-level window is in.
enum class TShowState : uint8_t { Normal, Minimized, Maximized };

// ---------------------------------------------------------------------------
// Window styles. A window without WS_CHILD is a top-level window; WS_POPUP
// marks owned pop-ups (menus, hints, drop-down lists) and changes nothing else.
// Child windows always clip their siblings and their parent always clips them.

inline constexpr uint32_t WS_OVERLAPPED = 0x00000000;
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_MINIMIZE = 0x20000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_DISABLED = 0x08000000;
inline constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
inline constexpr uint32_t WS_CLIPCHILDREN = 0x02000000;
inline constexpr uint32_t WS_MAXIMIZE = 0x01000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;   // WS_BORDER | WS_DLGFRAME
inline constexpr uint32_t WS_BORDER = 0x00800000;
inline constexpr uint32_t WS_DLGFRAME = 0x00400000;
inline constexpr uint32_t WS_VSCROLL = 0x00200000;
inline constexpr uint32_t WS_HSCROLL = 0x00100000;
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr uint32_t WS_GROUP = 0x00020000;
inline constexpr uint32_t WS_TABSTOP = 0x00010000;
inline constexpr uint32_t WS_MINIMIZEBOX = 0x00020000;
inline constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;
inline constexpr uint32_t WS_OVERLAPPEDWINDOW =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

inline constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
inline constexpr uint32_t WS_EX_ACCEPTFILES = 0x00000010;  // takes files dropped from other programs
inline constexpr uint32_t WS_EX_TRANSPARENT = 0x00000020;
inline constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr uint32_t WS_EX_APPWINDOW = 0x00040000;
inline constexpr uint32_t WS_EX_LAYERED = 0x00080000;
inline constexpr uint32_t WS_EX_NOACTIVATE = 0x08000000;

// Class styles (given at creation).
inline constexpr uint32_t CS_DBLCLKS = 0x0008;      // client double clicks are reported
inline constexpr uint32_t CS_SAVEBITS = 0x0800;     // accepted, no effect: every window keeps its pixels
inline constexpr uint32_t CS_DROPSHADOW = 0x00020000;

// ---------------------------------------------------------------------------
// SetWindowPos flags.

inline constexpr uint32_t SWP_NOSIZE = 0x0001;
inline constexpr uint32_t SWP_NOMOVE = 0x0002;
inline constexpr uint32_t SWP_NOZORDER = 0x0004;
inline constexpr uint32_t SWP_NOREDRAW = 0x0008;
inline constexpr uint32_t SWP_NOACTIVATE = 0x0010;
inline constexpr uint32_t SWP_FRAMECHANGED = 0x0020;
inline constexpr uint32_t SWP_SHOWWINDOW = 0x0040;
inline constexpr uint32_t SWP_HIDEWINDOW = 0x0080;
inline constexpr uint32_t SWP_NOCOPYBITS = 0x0100;
inline constexpr uint32_t SWP_NOOWNERZORDER = 0x0200;
inline constexpr uint32_t SWP_NOSENDCHANGING = 0x0400;

// RedrawWindow flags.
inline constexpr uint32_t RDW_INVALIDATE = 0x0001;
inline constexpr uint32_t RDW_INTERNALPAINT = 0x0002;
inline constexpr uint32_t RDW_ERASE = 0x0004;
inline constexpr uint32_t RDW_VALIDATE = 0x0008;
inline constexpr uint32_t RDW_NOERASE = 0x0020;
inline constexpr uint32_t RDW_NOCHILDREN = 0x0040;
inline constexpr uint32_t RDW_ALLCHILDREN = 0x0080;
inline constexpr uint32_t RDW_UPDATENOW = 0x0100;
inline constexpr uint32_t RDW_ERASENOW = 0x0200;
inline constexpr uint32_t RDW_FRAME = 0x0400;
inline constexpr uint32_t RDW_NOFRAME = 0x0800;

// ScrollWindowEx flags.
inline constexpr uint32_t SW_SCROLLCHILDREN = 0x0001;
inline constexpr uint32_t SW_INVALIDATE = 0x0002;
inline constexpr uint32_t SW_ERASE = 0x0004;

// TrackMouseEvent flags.
inline constexpr uint32_t TME_LEAVE = 0x0002;
inline constexpr uint32_t TME_NONCLIENT = 0x0010;
inline constexpr uint32_t TME_CANCEL = 0x80000000;

// ---------------------------------------------------------------------------
// Structures that messages point to.

struct TMsg {
  HWND hwnd;
  uint32_t message = WM_NULL;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  uint32_t time = 0;   // milliseconds of the window system's clock
  TPoint pt;           // cursor position (screen) when the message was made
};

struct TCreateStruct {
  void* lpCreateParams = nullptr;
  HWND hwndParent;     // parent (child windows) or owner (top-level windows)
  int32_t x = 0, y = 0, cx = 0, cy = 0;
  uint32_t style = 0;
  uint32_t exStyle = 0;
  const char* lpszName = "";
};

struct TMinMaxInfo {
  TPoint ptReserved;
  TPoint ptMaxSize;       // size of a maximized window
  TPoint ptMaxPosition;   // position of a maximized window (screen)
  TPoint ptMinTrackSize;  // smallest size the sizing loop produces
  TPoint ptMaxTrackSize;  // largest size the sizing loop produces
};

struct TWindowPos {
  HWND hwnd;
  HWND hwndInsertAfter;
  int32_t x = 0, y = 0, cx = 0, cy = 0;  // position relative to the parent's client area (screen for top-level)
  uint32_t flags = 0;                   // SWP_*
};

// ---------------------------------------------------------------------------
// Parameter packing.

constexpr uint16_t LOWORD(uintptr_t v) { return static_cast<uint16_t>(v & 0xFFFF); }
constexpr uint16_t HIWORD(uintptr_t v) { return static_cast<uint16_t>((v >> 16) & 0xFFFF); }
constexpr LPARAM MAKELPARAM(int32_t lo, int32_t hi) {
  return static_cast<LPARAM>((static_cast<uint32_t>(lo) & 0xFFFF) | ((static_cast<uint32_t>(hi) & 0xFFFF) << 16));
}
constexpr WPARAM MAKEWPARAM(int32_t lo, int32_t hi) { return static_cast<WPARAM>(static_cast<uint32_t>(MAKELPARAM(lo, hi))); }
// Signed coordinates packed in an lParam.
constexpr int32_t GET_X_LPARAM(LPARAM l) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(l))); }
constexpr int32_t GET_Y_LPARAM(LPARAM l) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(l))); }
constexpr TPoint PointFromLParam(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }
constexpr LPARAM PointToLParam(TPoint p) { return MAKELPARAM(p.X, p.Y); }
constexpr int32_t GET_WHEEL_DELTA_WPARAM(WPARAM w) { return static_cast<int16_t>(HIWORD(w)); }

// Key data (lParam of key and character messages): repeat count in bits 0-15,
// bit 29 set while Alt is down, bit 30 when the key was down before, bit 31 on
// release.
constexpr LPARAM MakeKeyData(uint16_t repeat, bool altDown, bool wasDown, bool releasing) {
  return static_cast<LPARAM>(uint32_t(repeat) | (altDown ? (1u << 29) : 0u) | (wasDown ? (1u << 30) : 0u) |
                             (releasing ? (1u << 31) : 0u));
}
constexpr bool KeyDataAltDown(LPARAM l) { return (static_cast<uint32_t>(l) & (1u << 29)) != 0; }
constexpr bool KeyDataWasDown(LPARAM l) { return (static_cast<uint32_t>(l) & (1u << 30)) != 0; }

// Mouse messages in the client and non-client ranges.
constexpr bool IsClientMouseMessage(uint32_t m) { return m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK; }
constexpr bool IsNonClientMouseMessage(uint32_t m) { return m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK; }
constexpr bool IsKeyMessage(uint32_t m) { return m >= WM_KEYDOWN && m <= WM_SYSCHAR; }

}  // namespace tsm
