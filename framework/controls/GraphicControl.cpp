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
  TDeviceContext* previous = m_canvas.HandleAllocated() ? m_canvas.Handle() : nullptr;
  m_canvas.SetHandle(dc);
  m_canvas.Font().Assign(Font());
  m_canvas.Brush() = TBrush{Color(), TBrushStyle::Solid};
  Paint();
  m_canvas.SetHandle(previous);
}

}  // namespace tsm
