#include "framework/controls/CustomControl.h"

namespace tsm {

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner), m_canvas(this) {}

void TCustomControl::BeforeDestruction() {
  m_canvas.FreeHandle();
  TWinControl::BeforeDestruction();
}

void TCustomControl::PaintWindow(TDeviceContext& dc) {
  m_canvas.PaintOn(dc, [this] { Paint(); });
}

}  // namespace tsm
