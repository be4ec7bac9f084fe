#pragma once
// TControlCanvas: the canvas of a control. During painting it draws on the
// context of the paint cycle (the control sets it); outside painting it asks
// the window system for a context on the control's window (or, for a
// windowless control, on its parent's window moved to the control) and gives
// it back when the message loop next gets control (FreeDeviceContexts).

#include <functional>
#include <vector>

#include "framework/graphics/Canvas.h"

namespace tsm {

class TControl;

class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl* control) : m_control(control) {}
  ~TControlCanvas() override;

  // One painting on dc: the canvas draws there with the control's font and
  // a solid brush of its colour while paint runs, and gives the context back
  // afterwards whatever paint does (an error leaves it, the control is
  // freed).
  void PaintOn(TDeviceContext& dc, const std::function<void()>& paint);
  // Releases a context the canvas took for itself (not one set by painting).
  void FreeHandle();
  // Releases every context canvases took for themselves.
  static void FreeDeviceContexts();

 protected:
  void CreateHandle() override;

 private:
  TControl* m_control;
  TDeviceContext* m_ownDC = nullptr;
  uint32_t m_ownWindow = 0;
};

}  // namespace tsm
