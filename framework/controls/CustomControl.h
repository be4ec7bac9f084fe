#pragma once
// TCustomControl: a windowed control that paints itself on a canvas (Paint),
// the base of plain panels, buttons and the skinned controls.

#include "framework/controls/ControlCanvas.h"
#include "framework/controls/WinControl.h"

namespace tsm {

class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);

  TCanvas& Canvas() { return m_canvas; }

 protected:
  void BeforeDestruction() override;
  // Draws the control on Canvas(), within the paint cycle.
  virtual void Paint() {}
  void PaintWindow(TDeviceContext& dc) override;

 private:
  TControlCanvas m_canvas;
};

}  // namespace tsm
