#pragma once
// Window regions from mask pictures: black pixels (red, green and blue all 0)
// belong to the window, every other pixel is cut away.
//
// Region data layout (little-endian 32-bit integers):
//   header (32 bytes): header size 32, type 1 (rectangles), rectangle count,
//                      0, bounding rectangle left, top, right, bottom
//   count rectangles:  left, top, right, bottom (16 bytes each)
// One rectangle per maximal run of black pixels in a row, rows from the top,
// runs from the left; runs are not merged across rows.

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "skin/SkinCompose.h"

namespace tsm {

// Region data of the black pixels of mask, offset by (x0, y0); the bounding
// rectangle is (x0, y0, x0 + width, y0 + height). An empty mask yields an
// empty vector.
std::vector<uint8_t> BuildRegionData(const TBitmap& mask, int32_t x0, int32_t y0);

// The region of BuildRegionData(mask, 0, 0); none for an empty mask.
std::optional<TRegion> RegionFromMask(const TBitmap& mask);

// The mask cut into four strips around the clip rectangle c (the frame's
// mask area, a control's client rectangle) for a window of W x H whose clip
// rectangle becomes nc. s holds the corner points (its Client is unused).
struct TskMaskStrips {
  TBitmap Top, Bottom, Left, Right;
};
TskMaskStrips BuildFrameMaskStrips(const TBitmap& mask, const TskFrameLayout& s, const TRect& c, int32_t w,
                                   int32_t h, const TskFrameLayout& d, const TRect& nc);

// The window region of a shaped frame or control: nc united with the strip
// regions placed at top (0, 0), bottom (0, nc.Bottom), left (0, nc.Top) and
// right (nc.Right, nc.Top). None (the window shows whole) when d's right-top
// point lies left of its left-top point, its left-bottom point above its
// left-top point, or nc is empty.
std::optional<TRegion> BuildFrameRegion(const TBitmap& mask, const TskFrameLayout& s, const TRect& c, int32_t w,
                                        int32_t h, const TskFrameLayout& d, const TRect& nc);

}  // namespace tsm
