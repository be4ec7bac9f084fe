#pragma once
// Geometry of the skinned form frame: where the skin's [FORMINFO] rectangles
// and points stand on a window of W x H, how skin objects drawn in the frame
// picture move with the window (the zone rule), the client margins, and the
// fixed metrics of the default (unskinned) frame. Pure values: no window.
//
// The frame picture is PW x PH; dx = W - PW, dy = H - PH.
//
//        0        LT.x            RT.x      PW
//      0 +---------+----------------+--------+
//        | LT zone |                |RT zone |   objects in one zone move with
//   LT.y +---------+                +--------+ RT.y   that corner; objects that
//        |                                   |   span two zones stretch
//   LB.y +---------+                +--------+ RB.y
//        | LB zone |                |RB zone |
//     PH +---------+----------------+--------+
//                 LB.x             RB.x

#include <cstdint>

#include "platform/core/Geometry.h"
#include "skin/SkinWindowData.h"

namespace tsm {

struct TskFrameGeometry {
  TSize Picture;  // PW x PH
  TSize Frame;    // W x H
  int32_t Dx = 0, Dy = 0;
  TPoint LeftTop, RightTop, LeftBottom, RightBottom;
  TRect Client;   // window coordinates
  TRect Caption;  // empty when the skin has none
  TRect Buttons;  // empty when the skin has none
  int32_t ButtonsOffset = 0;
  bool ButtonsInLeft = false;
  TPoint HitLeftTop, HitRightTop, HitLeftBottom, HitRightBottom;
  TRect MaskRect;

  // The placed geometry for a frame of the given size.
  static TskFrameGeometry Calc(const TskSkinFormInfo& info, TSize picture, TSize frame);
};

// Where a rectangle of the frame picture stands on the resized frame (the
// zone rule above). Inside a zone means right and bottom edges excluded; a
// rectangle whose bottom-right corner lies on the picture's right or bottom
// edge (flush with it) is classified by its last pixel instead.
TRect PlaceByZones(const TskSkinFormInfo& info, TSize picture, TSize frame, const TRect& r);

// The frame thickness around the client area: left, top, right, bottom.
struct TskFrameMargins {
  int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};
// With a skin: clientrect's distances from the picture's edges.
TskFrameMargins SkinFrameMargins(const TskSkinFormInfo& info, TSize picture);
// The client rectangle for a proposed window rectangle: shrunk by the
// margins, never of negative size.
TRect ShrinkByMargins(const TRect& window, const TskFrameMargins& m);

// The default frame: a 3-pixel 3D border and a caption of 19 pixels (15 for
// tool windows) with square buttons of 17 (13) pixels.
struct TskDefaultFrameMetrics {
  static constexpr int32_t kBorder = 3;
  int32_t CaptionHeight = 19;
  int32_t ButtonSize = 17;

  static TskDefaultFrameMetrics For(bool toolWindow) {
    return toolWindow ? TskDefaultFrameMetrics{15, 13} : TskDefaultFrameMetrics{19, 17};
  }
  // The caption band (3, 3, W - 3, caption height + 3), buttons included.
  TRect CaptionRect(int32_t w) const { return {kBorder, kBorder, w - kBorder, CaptionHeight + kBorder}; }
  TRect ClientRect(int32_t w, int32_t h) const {
    return {kBorder, CaptionHeight + kBorder, w - kBorder, h - kBorder};
  }
  TskFrameMargins Margins() const { return {kBorder, CaptionHeight + kBorder, kBorder, kBorder}; }
  // Buttons stand at this row.
  static constexpr int32_t kButtonTop = 4;
};

}  // namespace tsm
