#pragma once
// The frame's own window states: normal, maximized (to the work area of the
// window's monitor) and minimized (a caption-only strip parked along the
// bottom of the work area), plus roll-up (the window shrunk to its caption),
// which is independent of them. The form's window system state stays
// normal; only its bounds change. The bounds of the normal window are saved
// on the first step away from normal and put back by Restore.
//
//   normal <-> maximized      maximize / restore
//   normal <-> minimized      minimize / restore (the main form minimizes
//                             the application instead)
//   maximized -> minimized    keeps the saved normal bounds
//   rolled up                 a flag beside the state; rolled up while
//                             maximized is undone by Restore
//
// The pure helpers below hold the arithmetic and are tested on their own.

#include <cstdint>
#include <vector>

#include "platform/core/Geometry.h"
#include "skinforms/SkinFrameTypes.h"

namespace tsm {

class TskFormFrame;

// Magnetic moving: the proposed rectangle snapped to the work area's edges
// when an edge is closer than m pixels (|distance| < m); right and bottom
// edges are tested last and win.
TRect MagneticSnap(const TRect& proposed, const TRect& workArea, int32_t m);

// The bounds of a maximized window: the work area, or the monitor with
// fullScreen. When the work area is the whole monitor and the monitor is the
// whole screen (a task bar that hides itself), 1 pixel is left free on every
// side so that the task bar can still be reached.
TRect MaximizeTarget(const TRect& workArea, const TRect& monitor, TSize screen, bool fullScreen);

// The first free parking slot of a minimized window of size s: from the
// bottom-left corner of the work area rightwards, then one row higher; the
// bottom-left slot when every row is taken. taken: top-left corners of the
// other minimized windows.
TPoint MinimizedSlot(const TRect& workArea, TSize s, const std::vector<TPoint>& taken);

class TskFrameWindowStates {
 public:
  explicit TskFrameWindowStates(TskFormFrame& frame) : m_frame(frame) {}

  TskFrameState State() const { return m_state; }
  bool RolledUp() const { return m_rolledUp; }
  bool RolledUpWhileMaximized() const { return m_rollUpMaximized; }
  const TRect& SavedBounds() const { return m_savedBounds; }

  // Nothing when the state does not change.
  void SetState(TskFrameState state);
  void SetRollUp(bool value);

 private:
  void Minimize();
  void Maximize();
  void Restore();
  void SaveBounds();

  TskFormFrame& m_frame;
  TskFrameState m_state = TskFrameState::wsNormal;
  bool m_rolledUp = false;
  bool m_rollUpMaximized = false;
  TRect m_savedBounds;       // empty: none saved
  int32_t m_savedHeight = 0; // height before rolling up
};

}  // namespace tsm
