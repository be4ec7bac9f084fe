#pragma once
// The frame that the default window procedure gives a window from its style,
// for windows whose procedure does not draw a frame of its own.
//
//   WS_THICKFRAME  FrameWidth (4) pixels on every side, 3D raised edge
//   WS_DLGFRAME    3 pixels, 3D raised edge
//   WS_BORDER      1 pixel, clWindowFrame
//   WS_CAPTION     (= WS_BORDER | WS_DLGFRAME) a CaptionHeight (19) caption bar
//                  inside the border, clActiveCaption / clInactiveCaption, the
//                  last row clBtnFace
//
// The caption (b = border width, W = window width):
//
//   x: b   b+4                                    ... W-b-2
//   +----+-------------------------------------+-----+-----+--+-----+--+
//   |    | text (bold 宋体 -12, end ellipsis)  | min | max |  | [X] |  |  caption bar
//   +----+-------------------------------------+-----+-----+--+-----+--+
//          text ends 2 pixels before the first button
//
// Caption buttons are 16 x 14, centred vertically in the caption bar, the
// close button 2 pixels from the right end, maximize 2 pixels left of it
// and minimize against maximize. They exist only with WS_SYSMENU: close
// always, maximize and minimize with WS_MAXIMIZEBOX / WS_MINIMIZEBOX (both
// shown when either is set, the other one disabled). The text is
// clCaptionText on an active caption and clInactiveCaptionText otherwise.

#include "platform/window/Window.h"

namespace tsm {

struct TSystemSettings;
class TDeviceContext;

struct TFrameMetrics {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;  // caption included in Top
};

// Where the parts of the caption are, in window coordinates. Empty
// rectangles for parts the window does not have.
struct TCaptionLayout {
  TRect Bar;       // the caption bar without its last row
  TRect Text;      // the clipping rectangle of the caption text
  TRect Close, Maximize, Minimize;
  bool MaximizeEnabled = false, MinimizeEnabled = false;
};

inline constexpr int32_t kCaptionButtonWidth = 16;
inline constexpr int32_t kCaptionButtonHeight = 14;

TFrameMetrics FrameMetricsOf(const TWindow& w, const TSystemSettings& settings);
TCaptionLayout CaptionLayoutOf(const TWindow& w, const TSystemSettings& settings);
// The caption button at p (window coordinates): HTCLOSE, HTMAXBUTTON,
// HTMINBUTTON, or HTNOWHERE. A disabled button still answers its code.
int32_t CaptionButtonAt(const TCaptionLayout& layout, TPoint p);

// Draws the frame on a whole-window context (window coordinates). pushed is
// the hit code of the caption button drawn pushed in (HTNOWHERE: none).
void PaintDefaultFrame(const TWindow& w, TDeviceContext& dc, const TSystemSettings& settings,
                       int32_t pushed = HTNOWHERE);

}  // namespace tsm
