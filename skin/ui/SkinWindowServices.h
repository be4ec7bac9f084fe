#pragma once
// What the skin asks of the window system: the area of the monitor that shows
// a window, a layered window's opacity, and the picture of what lies under a
// control.

#include <cstdint>

#include "platform/core/Geometry.h"
#include "platform/window/WindowFwd.h"

namespace tsm {

class TControl;
class TCanvas;

// The work area (workArea) or the whole area of the monitor that shows the
// window. With more than one monitor the monitor nearest to the window
// answers, and rect stays unchanged when the window does not exist; with one
// monitor the result is the primary work area, or (0, 0, screen width,
// screen height).
void MonitorAreaOfWindow(HWND window, bool workArea, TRect& rect);

// Sets the constant opacity (0 transparent ... 255 opaque) of a window that
// has the layered style (WS_EX_LAYERED); a window without it keeps looking
// opaque until it gets the style.
void ApplyWindowAlpha(HWND window, uint8_t opacity);

// Paints into canvas the part of the control's parent that lies under the
// control, canvas coordinates being the control's (0, 0 at its top-left).
// Nothing when the control has no parent. The canvas's state is saved, its
// origin moved by (-Left, -Top) and drawing clipped to the parent's client
// area (0, 0, client width, client height); a form parent is sent its
// erase-background message with the canvas; any other parent is sent the
// erase-background message and then asked to paint its window content into
// the canvas (with the windowless controls below this control, never this
// control or those above it); then the state is restored.
//
// Inside a TControl descendant call it qualified, ::tsm::PaintParentBackground,
// as TControl has a member of the same name.
void PaintParentBackground(TControl& control, TCanvas& canvas);

}  // namespace tsm
