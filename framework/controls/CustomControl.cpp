#include "framework/controls/CustomControl.h"

namespace tsm {

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), m_canvas(this) {}

void TCustomControl::BeforeDestruction() {
  m_canvas.FreeHandle();
  TWinControl::BeforeDestruction();
}

void TCustomControl::PaintWindow(TDeviceContext& dc) {
  TDeviceContext* previous = m_canvas.HandleAllocated() ? m_canvas.Handle() : nullptr;
  m_canvas.SetHandle(&dc);
  m_canvas.Font().Assign(Font());
  m_canvas.Brush() = TBrush{Color(), TBrushStyle::Solid};
  Paint();
  m_canvas.SetHandle(previous);
}

}  // namespace tsm
