#pragma once
// Translucency of a skinned frame's window: a constant opacity while
// AlphaBlend is on, and the fade-in when the window is shown (opacity 0,
// then, one timer tick later, up to the target in steps of 5 with
// AlphaBlendAnimation, or at once). Under X without a compositor the steps
// have no visible ramp; the headless compositor blends every step.

#include <cstdint>

#include "platform/window/WindowFwd.h"

namespace tsm {

class TTimer;
class TskFormFrame;

class TskFrameTranslucency {
 public:
  explicit TskFrameTranslucency(TskFormFrame& frame);

  // AlphaBlend or its value changed at run time.
  void Apply(bool on, uint8_t value);
  // The window is being shown (or hidden).
  void Shown(bool shown);
  // The fade step (the frame's fade timer).
  void Tick();

 private:
  TskFormFrame& m_frame;
  TTimer* m_timer;  // owned by the frame
};

}  // namespace tsm
