#pragma once
// The move and size loop of the default window procedure, as an explicit
// state driven by the ordinary message loop (timers and painting keep
// running while it is active).
//
//   Idle --Begin (press on HTCAPTION / a border)--> Tracking
//        WM_ENTERSIZEMOVE; WM_GETMINMAXINFO (sizing); the window takes the capture
//   Tracking --mouse move (to a new point)--> Tracking
//        moving: WM_MOVING(&proposed screen rect), then SetWindowPos
//        sizing: proposed rect clamped to the tracking sizes, WM_SIZING(edge,
//        &rect), then SetWindowPos; handlers may change the rectangle and
//        their change wins
//   Tracking --button up--> Idle            tracked to the release point, WM_EXITSIZEMOVE
//   Tracking --Enter--> Idle                WM_EXITSIZEMOVE
//   Tracking --Escape--> Idle               start rectangle restored, WM_EXITSIZEMOVE
//   Tracking --capture taken / window gone--> Idle    WM_EXITSIZEMOVE (if alive)
//
// DefWindowProc returns as soon as the loop has started; the loop's end is
// signalled by WM_EXITSIZEMOVE. Input is consumed by the loop while it runs.

#include "platform/window/Messages.h"

namespace tsm {

class TSizeMoveLoop {
 public:
  explicit TSizeMoveLoop(TWindowSystem& sys) : m_sys(sys) {}

  bool IsActive() const { return m_active; }
  HWND Window() const { return m_wnd; }
  bool IsSizing() const { return m_edge != 0; }
  // The sizing edge (WMSZ_*), 0 while moving.
  uint32_t Edge() const { return m_edge; }

  // Starts moving (edge 0) or sizing w with the cursor at the screen point
  // p. False when a loop is already running or w cannot be tracked.
  bool Begin(TWindow* w, uint32_t edge, TPoint p);
  void Track(TPoint p);
  void End(bool restore);

 private:
  TWindowSystem& m_sys;
  bool m_active = false;
  HWND m_wnd;
  uint32_t m_edge = 0;
  TPoint m_start;
  TPoint m_last;      // the point last tracked; tracking it again does nothing
  TRect m_startRect;  // screen coordinates
  TPoint m_minTrack, m_maxTrack;
};

}  // namespace tsm
