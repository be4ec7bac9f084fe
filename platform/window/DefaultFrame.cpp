#include "platform/window/DefaultFrame.h"

#include "platform/gfx/DeviceContext.h"
#include "platform/window/WindowSystem.h"

namespace tsm {

TFrameMetrics FrameMetricsOf(const TWindow& w, const TSystemSettings& s) {
  int32_t b = 0;
  if (w.Style & WS_THICKFRAME) b = s.FrameWidth;
  else if (w.Style & WS_DLGFRAME) b = 3;
  else if (w.Style & WS_BORDER) b = 1;
  TFrameMetrics m{b, b, b, b};
  if ((w.Style & WS_CAPTION) == WS_CAPTION) m.Top += s.CaptionHeight;
  return m;
}

void PaintDefaultFrame(const TWindow& w, TDeviceContext& dc, const TSystemSettings& s) {
  const TFrameMetrics m = FrameMetricsOf(w, s);
  TDCStateGuard guard(dc);
  dc.ExcludeClipRect(w.ClientRect);
  TRect r = w.LocalRect();
  if ((w.Style & (WS_THICKFRAME | WS_DLGFRAME)) != 0) {
    dc.Frame3D(r, cl3DLight, cl3DDkShadow);
    dc.Frame3D(r, clBtnHighlight, clBtnShadow);
    const int32_t rest = m.Left - 2;
    if (rest > 0) dc.Frame3D(r, clBtnFace, clBtnFace, rest);
  } else if (w.Style & WS_BORDER) {
    dc.FrameRect(r, clWindowFrame);
    r.Inflate(-1, -1);
  }
  if ((w.Style & WS_CAPTION) == WS_CAPTION) {
    const TRect caption(r.Left, r.Top, r.Right, r.Top + s.CaptionHeight - 1);
    dc.FillRect(caption, w.FrameActive ? clActiveCaption : clInactiveCaption);
    dc.FillRect(TRect(r.Left, caption.Bottom, r.Right, caption.Bottom + 1), clBtnFace);
  }
}

}  // namespace tsm
