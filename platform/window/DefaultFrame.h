#pragma once
// The frame that the default window procedure gives a window from its style,
// for windows whose procedure does not draw a frame of its own.
//
//   WS_THICKFRAME  FrameWidth (4) pixels on every side, 3D raised edge
//   WS_DLGFRAME    3 pixels, 3D raised edge
//   WS_BORDER      1 pixel, clWindowFrame
//   WS_CAPTION     (= WS_BORDER | WS_DLGFRAME) a CaptionHeight (19) caption bar
//                  inside the border, clActiveCaption / clInactiveCaption

#include "platform/window/Window.h"

namespace tsm {

struct TSystemSettings;
class TDeviceContext;

struct TFrameMetrics {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;  // caption included in Top
};

TFrameMetrics FrameMetricsOf(const TWindow& w, const TSystemSettings& settings);
// Draws the frame on a whole-window context (window coordinates).
void PaintDefaultFrame(const TWindow& w, TDeviceContext& dc, const TSystemSettings& settings);

}  // namespace tsm
