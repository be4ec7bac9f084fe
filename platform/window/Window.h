#pragma once
// The window system's record of one window. Code outside platform/window names
// windows by HWND and goes through the API in WindowApi.h; this record is what
// the window system and its backends work on.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/window/Cursor.h"
#include "platform/window/Messages.h"
#include "platform/gfx/Region.h"
#include "platform/window/Surface.h"

namespace tsm {

class TWindow {
 public:
  TWindow(HWND handle, uint32_t style, uint32_t exStyle, uint32_t classStyle)
      : Style(style), ExStyle(exStyle), ClassStyle(classStyle), m_handle(handle) {}
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  HWND Handle() const { return m_handle; }
  bool IsChild() const { return (Style & WS_CHILD) != 0; }
  bool IsTopLevel() const { return !IsChild(); }
  bool HasVisibleFlag() const { return (Style & WS_VISIBLE) != 0; }
  bool HasDisabledFlag() const { return (Style & WS_DISABLED) != 0; }
  bool IsMinimized() const { return ShowState == TShowState::Minimized; }
  bool IsMaximized() const { return ShowState == TShowState::Maximized; }
  // Never becomes the active window (drop-down lists, menus, hints).
  bool NeverActivates() const { return IsChild() || (ExStyle & WS_EX_NOACTIVATE) != 0; }
  // Stands in the band of topmost windows: WS_EX_TOPMOST itself, or owned
  // by such a window (owned windows always stay above their owner).
  bool InTopmostBand() const {
    for (const TWindow* w = this; w; w = w->Owner)
      if (w->ExStyle & WS_EX_TOPMOST) return true;
    return false;
  }
  // Has a button in the desktop's task bar, from which a minimized window
  // is restored: unowned top-level windows other than tool windows, and
  // any top-level window with WS_EX_APPWINDOW.
  bool ShowsInTaskBar() const {
    if (IsChild()) return false;
    if (ExStyle & WS_EX_APPWINDOW) return true;
    return !Owner && !(ExStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
  }

  // Size of the window rectangle, and the window rectangle at the origin.
  TSize Size() const { return Rect.Size(); }
  TRect LocalRect() const { return TRect(0, 0, Rect.Width(), Rect.Height()); }

  // Hierarchy. Children are kept in z-order, the topmost first. A child's
  // parent and a top-level window's owner outlive the link: destroying a
  // window destroys its children and owned windows first. An owner is
  // always a top-level window (a child named as owner stands for its
  // top-level window).
  TWindow* Parent = nullptr;
  TWindow* Owner = nullptr;
  std::vector<TWindow*> Children;

  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  uint32_t ClassStyle = 0;
  uint32_t ControlId = 0;

  // Window rectangle: relative to the parent's client area for a child,
  // screen coordinates for a top-level window.
  TRect Rect;
  // Client rectangle in window coordinates, as the last WM_NCCALCSIZE gave it.
  TRect ClientRect;

  std::string Text;
  TWndProc Proc;
  void* UserData = nullptr;
  TCursorShape ClassCursor = TCursorShape::Arrow;
  // Colour WM_ERASEBKGND fills the client area with by default; clNone: none.
  TColor ClassBackground = clBtnFace;

  TShowState ShowState = TShowState::Normal;
  TRect NormalRect;                 // bounds to restore to from min/max
  bool RestoreToMaximized = false;  // minimized from the maximized state

  // Shape (window coordinates); no value means the whole window rectangle.
  std::optional<TRegion> Shape;
  uint8_t Opacity = 255;            // used while WS_EX_LAYERED is set

  bool FrameActive = false;         // last WM_NCACTIVATE state
  bool Destroying = false;          // WM_DESTROY has been sent
  bool Created = false;             // WM_CREATE has returned

  // Painting state. The update region is in client coordinates.
  TRegion Update;
  bool EraseNeeded = false;
  bool FrameNeeded = false;
  bool InternalPaint = false;
  bool InPaint = false;
  // Counts BeginPaint and ValidateRect calls: a WM_PAINT handler that made
  // neither leaves its update region to the system.
  uint32_t PaintCycles = 0;
  bool NeedsPaint() const { return !Update.IsEmpty() || FrameNeeded || InternalPaint; }

  // Top-level windows only: the pixels of the whole window, the children
  // included, which the backend shows.
  std::unique_ptr<TSurface> Surface;

 private:
  HWND m_handle;
};

}  // namespace tsm
