#pragma once
// The default window procedure: what a window does with a message that its
// own procedure passes on. Every procedure ends by calling it (directly or
// through the procedures it replaced) for the messages it does not answer.
//
// Defaults worth knowing:
//   WM_NCCALCSIZE   borders from the style: WS_THICKFRAME 4 px, WS_DLGFRAME 3,
//                   WS_BORDER 1, WS_CAPTION adds a 19-pixel caption
//   WM_NCHITTEST    HTCLIENT, HTCAPTION, the eight sizing codes (WS_THICKFRAME),
//                   HTBORDER, HTNOWHERE
//   WM_NCPAINT      a classic 3D frame and caption bar (active: clActiveCaption)
//   WM_NCACTIVATE   records the state, repaints the frame, answers TRUE
//   WM_NCLBUTTONDOWN  HTCAPTION -> WM_SYSCOMMAND(SC_MOVE | HTCAPTION);
//                   a sizing code -> WM_SYSCOMMAND(SC_SIZE | edge)
//   WM_NCLBUTTONDBLCLK on HTCAPTION with WS_MAXIMIZEBOX: maximize / restore
//   WM_SYSCOMMAND   SC_MOVE and SC_SIZE start the move / size loop (mouse
//                   only), SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE change the show
//                   state, SC_CLOSE sends WM_CLOSE, SC_KEYMENU does nothing
//   WM_CLOSE        destroys the window
//   WM_SETCURSOR    a child asks its parent first; sizing codes show the
//                   sizing cursors, HTCLIENT the window's class cursor, the
//                   rest the arrow
//   WM_MOUSEACTIVATE  a child asks its parent first; MA_ACTIVATE
//   WM_ACTIVATE     focuses the window when it becomes active (not minimized)
//   WM_ERASEBKGND   fills the client area with the class background colour
//   WM_PAINT        BeginPaint / EndPaint (validates)
//   WM_WINDOWPOSCHANGING  clamps sizable top-level windows to the tracking sizes
//   WM_WINDOWPOSCHANGED   sends WM_MOVE and WM_SIZE
//   WM_SYSKEYDOWN   Alt+F4 -> SC_CLOSE; WM_SYSKEYUP of Alt alone or F10 -> SC_KEYMENU
//   WM_MOUSEWHEEL   a child passes it to its parent
//   WM_CANCELMODE   ends the move / size loop and releases the capture

#include "platform/window/Cursor.h"
#include "platform/window/Messages.h"

namespace tsm {

LRESULT DefWindowProc(HWND wnd, uint32_t msg, WPARAM wParam, LPARAM lParam);

// The cursor that DefWindowProc shows for a hit code (HTCLIENT: the class cursor).
TCursorShape CursorForHitTest(int32_t hit);

// The sizing code of a point p in a width x height frame whose sizing border
// is `border` pixels wide: an edge's code within the border, a corner's code
// where the border is within `corner` pixels of that corner (along either
// edge); HTNOWHERE off the border.
THitTest SizingBorderHitTest(TPoint p, int32_t width, int32_t height, int32_t border, int32_t corner);

}  // namespace tsm
