#pragma once
// The window system's programming interface: free functions named after the
// classic desktop calls, so that code written against the message protocol
// translates line by line. Every function may be called before the window
// system was started explicitly (the first call starts it with the default
// backend: see TWindowSystem::CreateDefaultBackend). Calls that name a window
// that does not exist (any more) do nothing and answer 0, false or an empty
// value. Everything runs on the user-interface thread, except PostMessage.
//
// A minimal program:
//
//   LRESULT Proc(HWND w, uint32_t msg, WPARAM wp, LPARAM lp) {
//     if (msg == WM_PAINT) {
//       TPaintStruct ps;
//       TDeviceContext* dc = BeginPaint(w, ps);
//       dc->FillRect(GetClientRect(w), clWhite);
//       EndPaint(w, ps);
//       return 0;
//     }
//     if (msg == WM_DESTROY) PostQuitMessage(0);
//     return DefWindowProc(w, msg, wp, lp);
//   }
//   ...
//   TWindowCreateParams p;
//   p.Style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
//   p.Bounds = TRect::FromSize(100, 100, 400, 300);
//   p.Proc = Proc;
//   CreateWindowEx(p);
//   return RunMessageLoop();

#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "platform/window/Backend.h"
#include "platform/window/DefWindowProc.h"
#include "platform/window/PaintManager.h"
#include "platform/window/VirtualKeys.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

// --- Windows ----------------------------------------------------------------

// Creation sends WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE and WM_MOVE,
// then shows the window when WS_VISIBLE is given (activating a top-level
// window unless it never takes activation). A null handle means failure (no
// parent for a child window, WM_NCCREATE answered 0 or WM_CREATE -1).
HWND CreateWindowEx(const TWindowCreateParams& params);
// Destroys the window's owned windows, then the window and its children:
// WM_DESTROY (parents first), WM_NCDESTROY (children first). Activation,
// focus and capture move off the window; its timers are killed.
bool DestroyWindow(HWND wnd);
bool IsWindow(HWND wnd);

// The procedure; SetWindowProc answers the previous one (subclassing: keep it
// and pass unhandled messages to it with CallWindowProc).
TWndProc GetWindowProc(HWND wnd);
TWndProc SetWindowProc(HWND wnd, TWndProc proc);
LRESULT CallWindowProc(const TWndProc& proc, HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam);
void* GetWindowUserData(HWND wnd);
void SetWindowUserData(HWND wnd, void* data);

uint32_t GetWindowStyle(HWND wnd);
// Changes the style bits as given; frame changes take effect with
// SetWindowPos(SWP_FRAMECHANGED). WS_VISIBLE and WS_DISABLED are ignored here
// (use ShowWindow and EnableWindow).
void SetWindowStyle(HWND wnd, uint32_t style);
uint32_t GetWindowExStyle(HWND wnd);
void SetWindowExStyle(HWND wnd, uint32_t exStyle);
uint32_t GetWindowId(HWND wnd);
void SetClassCursor(HWND wnd, TCursorShape cursor);
void SetClassBackground(HWND wnd, TColor color);
void SetClassStyle(HWND wnd, uint32_t classStyle);

// Window text; SetWindowText sends WM_SETTEXT, GetWindowText WM_GETTEXT.
bool SetWindowText(HWND wnd, const std::string& text);
std::string GetWindowText(HWND wnd);

// --- Hierarchy --------------------------------------------------------------

HWND GetParent(HWND wnd);     // the parent of a child window; null for a top-level window
HWND GetOwner(HWND wnd);      // the owner of a top-level window
HWND GetTopLevel(HWND wnd);   // the top-level window that contains wnd (wnd itself for one)
bool IsChild(HWND parent, HWND wnd);   // wnd is a descendant of parent
// Children, topmost first.
std::vector<HWND> GetChildWindows(HWND wnd);
// Top-level windows, topmost first.
std::vector<HWND> GetTopLevelWindows();
// Moves a child window to a new parent (a child window keeps its position
// relative to the new parent's client area). Answers the old parent.
HWND SetParent(HWND wnd, HWND newParent);

// --- Geometry ---------------------------------------------------------------

TRect GetWindowRect(HWND wnd);   // screen coordinates
TRect GetClientRect(HWND wnd);   // (0, 0, client width, client height)
// The window rectangle in its parent's client coordinates (screen for a
// top-level window).
TRect GetWindowBounds(HWND wnd);
// The client rectangle in window coordinates (where WM_NCCALCSIZE put it).
TRect GetClientRectInWindow(HWND wnd);
TPoint ClientToScreen(HWND wnd, TPoint p);
TPoint ScreenToClient(HWND wnd, TPoint p);
// Maps from the client coordinates of one window to another's (null: screen).
TPoint MapWindowPoint(HWND from, HWND to, TPoint p);
TRect MapWindowRect(HWND from, HWND to, TRect r);
HWND WindowFromPoint(TPoint screen);
// The child of parent under a client point (disabled children included), or null.
HWND ChildWindowFromPoint(HWND parent, TPoint clientPoint);

bool SetWindowPos(HWND wnd, HWND insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy, uint32_t flags);
bool MoveWindow(HWND wnd, int32_t x, int32_t y, int32_t cx, int32_t cy, bool repaint = true);
bool BringWindowToTop(HWND wnd);
// Answers whether the window was visible before.
bool ShowWindow(HWND wnd, TShowCommand cmd);
// Visible flag on the window and all its ancestors.
bool IsWindowVisible(HWND wnd);
bool IsIconic(HWND wnd);
bool IsZoomed(HWND wnd);
TShowState GetShowState(HWND wnd);
// The bounds a minimized or maximized window returns to.
TRect GetNormalBounds(HWND wnd);

// Sends WM_ENABLE; a disabled window gets no mouse or keyboard input, and
// neither do its children. Answers whether it was disabled before.
bool EnableWindow(HWND wnd, bool enable);
bool IsWindowEnabled(HWND wnd);

// --- Shape and opacity ------------------------------------------------------

// The window's shape in window coordinates (no value: the whole rectangle).
// It clips drawing and composition and limits hit testing. With redraw the
// window is repainted.
bool SetWindowRgn(HWND wnd, std::optional<TRegion> region, bool redraw = true);
std::optional<TRegion> GetWindowRgn(HWND wnd);
// Constant opacity of a WS_EX_LAYERED top-level window (255 = opaque).
bool SetLayeredWindowAttributes(HWND wnd, uint8_t alpha);
uint8_t GetWindowOpacity(HWND wnd);

// --- Activation, focus, capture ---------------------------------------------

HWND GetActiveWindow();
HWND SetActiveWindow(HWND wnd);        // answers the previous active window
HWND GetForegroundWindow();
bool SetForegroundWindow(HWND wnd);
HWND GetFocus();
HWND SetFocus(HWND wnd);               // answers the previous focus window
HWND GetCapture();
HWND SetCapture(HWND wnd);             // answers the previous capture window
bool ReleaseCapture();

// --- Messages ---------------------------------------------------------------

inline constexpr uint32_t PM_NOREMOVE = 0;
inline constexpr uint32_t PM_REMOVE = 1;

LRESULT SendMessage(HWND wnd, uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(HWND wnd, uint32_t msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
// Waits for the next message (input, posted, paint, timer); false for WM_QUIT.
bool GetMessage(TMsg& msg);
bool PeekMessage(TMsg& msg, uint32_t removeFlag = PM_REMOVE);
bool TranslateMessage(const TMsg& msg);
LRESULT DispatchMessage(const TMsg& msg);
// Get/Translate/Dispatch until WM_QUIT; answers its exit code.
int RunMessageLoop();
// Dispatches what is waiting without blocking; false once WM_QUIT was met
// (it stays pending for the outer loop).
bool ProcessPendingMessages();
uint32_t GetMessageTime();
TPoint GetMessagePos();
uint64_t GetTickCount64();

// --- Timers -----------------------------------------------------------------

// WM_TIMER(id) to wnd every interval ms (at least 10). Setting an existing
// timer restarts it. Answers id (0 on failure).
uint32_t SetTimer(HWND wnd, uint32_t id, uint32_t interval);
// A timer without window: proc runs every interval ms. Answers its id.
uint32_t SetTimer(uint32_t interval, TTimerProc proc);
bool KillTimer(HWND wnd, uint32_t id);
bool KillTimer(uint32_t procTimerId);

// --- Input state ------------------------------------------------------------

// Bit 0x8000 while the key or button (VK_LBUTTON ...) is down, bit 1 toggled.
int16_t GetKeyState(uint32_t vk);
int16_t GetAsyncKeyState(uint32_t vk);
TPoint GetCursorPos();
bool SetCursorPos(TPoint p);
TCursorShape SetCursor(TCursorShape shape);   // answers the previous shape
TCursorShape GetCursor();
// TME_LEAVE (WM_MOUSELEAVE when the mouse leaves the client area), with
// TME_NONCLIENT for the non-client area (WM_NCMOUSELEAVE), TME_CANCEL.
bool TrackMouseEvent(HWND wnd, uint32_t flags);
uint32_t GetDoubleClickTime();
void SetDoubleClickTime(uint32_t ms);

// --- Painting ---------------------------------------------------------------

bool InvalidateRect(HWND wnd, const TRect* rect, bool erase);   // client coordinates; nullptr: all
bool InvalidateRgn(HWND wnd, const TRegion* region, bool erase);
bool ValidateRect(HWND wnd, const TRect* rect);
// Bounds of the update region (client coordinates); false when it is empty.
bool GetUpdateRect(HWND wnd, TRect& rect);
TRegion GetUpdateRgn(HWND wnd);
bool UpdateWindow(HWND wnd);
// RDW_* flags; rect or region in client coordinates (both null: all).
bool RedrawWindow(HWND wnd, const TRect* rect, const TRegion* region, uint32_t flags);
TDeviceContext* BeginPaint(HWND wnd, TPaintStruct& ps);
bool EndPaint(HWND wnd, const TPaintStruct& ps);
// Device contexts on the client area / the whole window; give them back with
// ReleaseDC. They are clipped to the visible part of the window.
TDeviceContext* GetDC(HWND wnd);
TDeviceContext* GetWindowDC(HWND wnd);
bool ReleaseDC(HWND wnd, TDeviceContext* dc);
// SW_INVALIDATE, SW_ERASE, SW_SCROLLCHILDREN. updated receives the uncovered
// area when given.
bool ScrollWindowEx(HWND wnd, int32_t dx, int32_t dy, const TRect* scroll, const TRect* clip,
                    TRegion* updated, uint32_t flags);
// Window pixels as last painted (the top-level surface part of the window).
TBitmap CaptureWindow(HWND wnd);

// --- Caret ------------------------------------------------------------------

bool CreateCaret(HWND wnd, int32_t width, int32_t height);
bool DestroyCaret();
bool SetCaretPos(TPoint clientPos);
TPoint GetCaretPos();
bool ShowCaret(HWND wnd);
bool HideCaret(HWND wnd);
uint32_t GetCaretBlinkTime();
void SetCaretBlinkTime(uint32_t ms);

// --- Clipboard and text input -----------------------------------------------

std::string GetClipboardText();
bool SetClipboardText(const std::string& text);
bool IsClipboardTextAvailable();
// Asks for text input with an input method for wnd (WM_CHAR,
// WM_IME_COMPOSITION); caretRect in wnd's client coordinates.
void StartTextInput(HWND wnd, const TRect& caretRect);
void StopTextInput();
const std::string& GetImeCompositionText();
// The default beep (a refused key).
void MessageBeep();

// --- Dropped files ------------------------------------------------------------
// Files dropped from another program (a file manager) arrive as WM_DROPFILES
// at a window that accepts them (WS_EX_ACCEPTFILES), or at the nearest
// parent that does; its wParam is a drop handle.

using HDROP = WPARAM;
// Sets or clears WS_EX_ACCEPTFILES.
void DragAcceptFiles(HWND wnd, bool accept);
// The dropped files' paths (UTF-8, absolute), in the order given; empty for
// a finished or unknown handle.
std::vector<std::string> DragQueryFiles(HDROP drop);
// Where the files were dropped, in the receiving window's client
// coordinates; (0, 0) for a finished or unknown handle.
TPoint DragQueryPoint(HDROP drop);
// Frees the handle (the window system also does when WM_DROPFILES has been
// dispatched).
void DragFinish(HDROP drop);

// --- Screen and settings ----------------------------------------------------

enum TSystemMetric : int32_t {
  SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4,
  SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXDLGFRAME = 7, SM_CYDLGFRAME = 8, SM_CYVTHUMB = 9,
  SM_CXHTHUMB = 10, SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14,
  SM_CYMENU = 15, SM_CXFULLSCREEN = 16, SM_CYFULLSCREEN = 17, SM_CYVSCROLL = 20, SM_CXHSCROLL = 21,
  SM_CXMIN = 28, SM_CYMIN = 29, SM_CXFRAME = 32, SM_CYFRAME = 33, SM_CXMINTRACK = 34,
  SM_CYMINTRACK = 35, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37, SM_CXEDGE = 45, SM_CYEDGE = 46,
  SM_CXSMICON = 49, SM_CYSMICON = 50, SM_CXMAXTRACK = 59, SM_CYMAXTRACK = 60, SM_CXMAXIMIZED = 61,
  SM_CYMAXIMIZED = 62, SM_XVIRTUALSCREEN = 76, SM_YVIRTUALSCREEN = 77, SM_CXVIRTUALSCREEN = 78,
  SM_CYVIRTUALSCREEN = 79, SM_CMONITORS = 80,
};
int32_t GetSystemMetrics(TSystemMetric metric);
// The primary monitor's work area.
TRect GetWorkArea();
std::vector<TMonitorInfo> GetMonitors();
TMonitorInfo MonitorFromWindow(HWND wnd);
TMonitorInfo MonitorFromPoint(TPoint screen);
// "Show window contents while dragging". The move and size loops always move
// the window itself; the setting is reported for code that adapts to it.
bool GetDragFullWindows();
void SetDragFullWindows(bool on);

// --- System icons -----------------------------------------------------------

enum class TSystemIcon : uint8_t { Application, Error, Warning, Information, Question };
// A 32 x 32 picture (32-bit, alpha 0 outside the shape) of the icon.
const TBitmap& GetSystemIcon(TSystemIcon icon);
// Draws the icon with its top-left corner at (x, y), leaving the pixels
// outside its shape alone.
void DrawSystemIcon(TDeviceContext& dc, int32_t x, int32_t y, TSystemIcon icon);

}  // namespace tsm
