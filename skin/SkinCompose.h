#pragma once
// Composing skin images: corner pieces are copied unchanged, edge pieces are
// tiled (or stretched) along the edges, the client piece is tiled over the
// middle. Every skinned frame and control paints through these operations.
//
// A source layout is a rectangle R in the source picture (an element's look)
// with four corner points and a client rectangle relative to R's top-left;
// a destination layout is a size W x H with the same five values in
// destination coordinates:
//
//        0      LT.x              RT.x      R.w
//      0 +---a---+-------top--------+---c----+
//        |   b   |                  |   d    |    a..h: corners, copied
//  CL.top+-------+------------------+--------+
//        |       |                  |        |
//   LT.y.| left  |      client      | right  |.RT.y
//        | edge  |     (tiled)      | edge   |
//   LB.y.|       |                  |        |.RB.y
// CL.bot.+-------+------------------+--------+
//        |   f   |                  |   h    |
//        +---e---+------bottom------+---g----+ R.h
//               LB.x              RB.x
//
// Tiling a piece of extent s over a span p ... q: tiles start at p + i*s for
// i = 0 ... (q-p) div s, the last one cut at q. A source extent of 0 or a
// negative span draws nothing. Stretching scales nearest-neighbour (each
// destination pixel takes one source pixel). Only whole-rectangle copies are
// made; the source picture is never changed; the caller owns the results.

#include <cstdint>

#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"

namespace tsm {

class TDeviceContext;

// Corner points and client rectangle of a layout.
struct TskFrameLayout {
  TPoint LeftTop, RightTop, LeftBottom, RightBottom;
  TRect Client;

  friend bool operator==(const TskFrameLayout&, const TskFrameLayout&) = default;
};

// Which edges stretch instead of tiling.
struct TskStretchFlags {
  bool Left = false, Top = false, Right = false, Bottom = false;
};

// How an element may grow: both ways, width only or height only (the other
// direction's terms stay 0).
enum class TskGrowth : uint8_t { Both, WidthOnly, HeightOnly };

// The destination layout for a new size, dx = width - R.w, dy = height - R.h:
// LT stays, RT moves by (dx, 0), LB by (0, dy), RB by (dx, dy); the client's
// right and bottom move by dx and dy.
TskFrameLayout LayoutForSize(const TskFrameLayout& source, TSize sourceSize, TSize newSize,
                             TskGrowth growth = TskGrowth::Both);

// Tiles `piece` of src over the destination span [p, q) along x (horizontal)
// or y, the other dimension given by `band` (its x or y extent in dst). The
// piece is scaled across when its cross extent differs from the band's.
void TileHorizontal(TDeviceContext& dc, const TBitmap& src, const TRect& piece, int32_t p, int32_t q,
                    int32_t bandTop, int32_t bandBottom);
void TileVertical(TDeviceContext& dc, const TBitmap& src, const TRect& piece, int32_t p, int32_t q,
                  int32_t bandLeft, int32_t bandRight);
// Copies src rectangle to dst rectangle (scaled when the sizes differ);
// empty rectangles draw nothing.
void CopyPiece(TDeviceContext& dc, const TRect& dst, const TBitmap& src, const TRect& piece);

// Resizes dst to W x H and composes the element. Nothing is drawn (dst keeps
// its new size and black content) when RB.x = LT.x, RB.y = LT.y or the
// source is empty. The client piece is tiled over d.Client only with
// drawClient.
void ComposeFrameImage(const TBitmap& src, const TRect& r, const TskFrameLayout& s, TBitmap& dst, int32_t w,
                       int32_t h, const TskFrameLayout& d, bool drawClient, TskStretchFlags stretch = {});

// As ComposeFrameImage with every edge tiled and no right side: no right
// edge, no corners c, d, g, h; top and bottom edges run to W, the client
// piece covers (d.Client.Left, d.Client.Top) - (W, d.Client.Bottom).
void ComposeOpenRightImage(const TBitmap& src, const TRect& r, const TskFrameLayout& s, TBitmap& dst, int32_t w,
                           int32_t h, const TskFrameLayout& d, bool drawClient);

// dst becomes W x R.h: the left piece (leftWidth wide) and the right piece
// (rightWidth) are copied, the middle is tiled between them.
void ComposeHorizontalImage(const TBitmap& src, const TRect& r, int32_t leftWidth, int32_t rightWidth,
                            TBitmap& dst, int32_t w);
// As ComposeHorizontalImage without the right piece; the middle (still cut
// at R.right - rightWidth) runs to W.
void ComposeHorizontalOpenRightImage(const TBitmap& src, const TRect& r, int32_t leftWidth, int32_t rightWidth,
                                     TBitmap& dst, int32_t w);
// dst becomes R.w x H: top and bottom pieces copied, the middle tiled.
void ComposeVerticalImage(const TBitmap& src, const TRect& r, int32_t topHeight, int32_t bottomHeight,
                          TBitmap& dst, int32_t h);

// The four bands of a skinned window frame for a window of W x H (R is the
// whole picture). Draw them at: top (0, 0), left (0, top.h),
// right (W - right.w, top.h), bottom (0, H - bottom.h). A band whose
// condition fails stays empty (0 x 0).
struct TskFrameStrips {
  TBitmap Top, Bottom, Left, Right;
};
TskFrameStrips BuildFrameBorderStrips(const TBitmap& src, const TskFrameLayout& s, int32_t w, int32_t h,
                                      const TskFrameLayout& d, TskStretchFlags stretch = {});

}  // namespace tsm
