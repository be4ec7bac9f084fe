#pragma once
// TGraphicControl: a control without a window of its own (labels, skinned
// speed buttons). Its parent paints it (Paint, with the canvas on the
// parent's context, origin at the control's top-left, clipped to it) and
// passes it its mouse messages in its own coordinates.

#include "framework/controls/Control.h"
#include "framework/controls/ControlCanvas.h"

namespace tsm {

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);

  TCanvas& Canvas() { return m_canvas; }

 protected:
  void WndProc(TMessage& message) override;
  // Draws the control on Canvas(); the default draws nothing.
  virtual void Paint() {}
  virtual void WMPaint(TMessage& m);

 private:
  TControlCanvas m_canvas;
};

}  // namespace tsm
