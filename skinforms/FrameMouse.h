#pragma once
// The mouse on a skinned frame: the hit test of WM_NCHITTEST, and what the
// frame's skin objects make of presses, releases, double clicks and moves
// over the frame, driven by the frame's non-client messages (after their
// default processing) and by its 50 ms mouse timer.
//
// A press on an object captures it (and the mouse, unless it is the
// caption); until the release the captured object alone can be active, and
// the release goes to it. Objects follow the pointer at every hit test and
// timer tick; the objects' own state machines (TskSkinStdButtonObject ...)
// decide what a release runs.

#include <cstdint>

#include "framework/controls/ControlTypes.h"
#include "platform/core/Geometry.h"
#include "platform/window/Backend.h"
#include "platform/window/Messages.h"

namespace tsm {

class TskFormFrame;

class TskFrameMouse {
 public:
  explicit TskFrameMouse(TskFormFrame& frame) : m_frame(frame) {}

  // The hit code of a window point; moves the active object to it.
  THitTest HitTest(TPoint p);
  // A non-client button went down at p (hit code hit).
  void ButtonDown(TPoint p, int32_t hit, TMouseButton button);
  void ButtonDblClk(TPoint p, int32_t hit, TMouseButton button);
  void ButtonUp(TPoint p, TMouseButton button);
  void Move(TPoint p);
  // A client mouse message (WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP,
  // WM_CAPTURECHANGED) while an object holds the mouse; false when none
  // does (the message is the form's).
  bool CapturedMouse(const TMessage& m);
  // A move or size loop started inside a button's default processing.
  void LoopStarted() { m_sizeMove = true; }
  // One tick of the mouse timer; false when the timer may stop.
  bool TimerTick();

 private:
  void CaptionDblClick();
  // Captures the active object (and the mouse) and presses it.
  void PressActive(TPoint p, TMouseButton button);
  void ReleaseCaptured(TPoint p, TMouseButton button);

  TskFormFrame& m_frame;
  bool m_sizeMove = false;  // set by a loop, cleared by the next press
};

}  // namespace tsm
