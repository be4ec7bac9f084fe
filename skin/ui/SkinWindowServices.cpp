#include "skin/ui/SkinWindowServices.h"

#include "framework/controls/WinControl.h"
#include "framework/forms/CustomForm.h"
#include "framework/graphics/Canvas.h"
#include "platform/window/WindowApi.h"

namespace tsm {

void MonitorAreaOfWindow(HWND window, bool workArea, TRect& rect) {
  if (GetSystemMetrics(SM_CMONITORS) > 1) {
    if (!IsWindow(window)) return;
    const TMonitorInfo monitor = MonitorFromWindow(window);
    rect = workArea ? monitor.WorkArea : monitor.Bounds;
    return;
  }
  rect = workArea ? GetWorkArea() : TRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void ApplyWindowAlpha(HWND window, uint8_t opacity) { SetLayeredWindowAttributes(window, opacity); }

void PaintParentBackground(TControl& control, TCanvas& canvas) {
  TWinControl* parent = control.Parent();
  if (parent == nullptr) return;
  TDeviceContext* dc = canvas.Handle();
  if (dc == nullptr) return;
  TDCStateGuard guard(*dc);
  dc->MoveOrigin(-control.Left(), -control.Top());
  dc->IntersectClipRect(TRect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
  if (dynamic_cast<TCustomForm*>(parent) != nullptr) {
    SendMessage(parent->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    return;
  }
  // What the parent shows: its background first, then its own painting and
  // the windowless controls below this one. (Painting first and erasing
  // afterwards would cover the painting with the background colour; asking
  // for all windowless children would paint a windowless control into itself
  // without end.)
  parent->HandleNeeded();
  parent->PaintBackgroundUnder(&control, *dc);
}

}  // namespace tsm
