#pragma once
// Hit testing of the form frame: which non-client code a window point gets.
// Pure functions of the placed geometry and the frame's state.

#include <cstdint>

#include "platform/core/Geometry.h"
#include "platform/window/Messages.h"
#include "skin/SkinRegion.h"
#include "skinforms/FrameGeometry.h"

namespace tsm {

// What the hit test needs to know besides the geometry.
struct TskHitState {
  TSize Frame;                    // W x H
  bool Normal = true;             // neither rolled up nor minimized
  bool Maximized = false;
  bool Sizeable = false;          // sizeable border style (window or tool window)
  bool ObjectActive = false;      // a skin object other than the caption is under the point
  bool OverCaption = false;       // the point is over a caption object
  bool LoopRunning = false;       // a move or size loop runs
};

// With a skin. b: the skin's border width; masks: the mask-border bitmaps
// (null or empty: no mask). A mask probe outside its bitmap is outside the
// shape.
THitTest SkinHitTest(TPoint p, const TskFrameGeometry& g, const TskHitState& s, int32_t b,
                     const TskMaskStrips* masks);

// Without a skin: 2-pixel sizing borders while normal and sizeable;
// caption is the default caption rectangle without the buttons.
THitTest DefaultHitTest(TPoint p, const TRect& caption, const TskDefaultFrameMetrics& m, const TskHitState& s);

// The cursor's hit code with UseFormCursorInNCArea: every code but the
// client and the sizing codes becomes HTCLIENT.
constexpr int32_t FormCursorHitCode(int32_t code) {
  return code == HTCLIENT || IsSizingHitTest(code) ? code : HTCLIENT;
}

}  // namespace tsm
