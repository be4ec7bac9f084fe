#include "framework/controls/GraphicControl.h"

#include "platform/gfx/DeviceContext.h"

namespace tsm {

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner), m_canvas(this) {}

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    WMPaint(m);
    return;
  }
  TControl::WndProc(m);
}

void TGraphicControl::WMPaint(TMessage& m) {
  auto* dc = reinterpret_cast<TDeviceContext*>(m.WParam);
  if (!dc || Width() <= 0 || Height() <= 0) return;
  m_canvas.PaintOn(*dc, [this] { Paint(); });
}

}  // namespace tsm
