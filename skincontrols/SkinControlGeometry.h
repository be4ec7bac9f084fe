#pragma once
// The common geometry a skinned control copies from its control data, and
// what follows from it: the stretch mode, the fitting of a size to the skin,
// the mapping of skin rectangles into control coordinates, the composing of
// a look at the control's size and the window region from the mask.
//
// All of it is pure (no window, no component), shared by the windowed and
// the windowless control bases.
//
// Coordinates: the points and the client rectangle are relative to the skin
// rectangle's top-left; the fitted values are the same for the control's
// current size (dx = width - skin width, dy = height - skin height):
//
//   mode        condition (in this order)        follows the size
//   NoRect      skin rectangle empty             freely, nothing drawn
//   Corners     RightBottom has no 0 coordinate  both ways; corners stay
//   Horizontal  RightTop has a non-0 coordinate  width; height = skin height
//   Vertical    LeftBottom has a non-0 coord.    height; width = skin width
//   Fixed       otherwise                        neither: the skin's size

#include <cstdint>
#include <optional>

#include "platform/core/Geometry.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Region.h"
#include "skin/SkinCompose.h"

namespace tsm {

class TskDataSkinCustomControl;
class TskSkinData;

enum class TskStretchMode : int8_t { NoRect = -1, Fixed = 0, Corners = 1, Horizontal = 2, Vertical = 3 };

TskStretchMode StretchModeOf(const TRect& skinRect, TPoint rightTop, TPoint leftBottom, TPoint rightBottom);

class TskControlSkinGeometry {
 public:
  // Copies the geometry of a control data entry; the pictures are looked up
  // in the skin's active pictures (none for -1 or an index beyond them).
  // The fitted values are set for the skin's own size.
  void Read(const TskDataSkinCustomControl& data, const TskSkinData& skin);
  // Forgets everything (no pictures, NoRect).
  void Clear();

  // Not owned; valid until the skin changes.
  const TBitmap* SkinPicture = nullptr;
  const TBitmap* SkinMaskPicture = nullptr;
  TRect SkinRectangle;
  TPoint LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint;
  TRect SkinClientRect;
  TskStretchMode StretchMode = TskStretchMode::NoRect;

  TPoint FittedLeftTopPoint, FittedRightTopPoint, FittedLeftBottomPoint, FittedRightBottomPoint;
  TRect FittedClientRect;

  int32_t SkinWidth() const { return SkinRectangle.Width(); }
  int32_t SkinHeight() const { return SkinRectangle.Height(); }
  TskFrameLayout SourceLayout() const {
    return {LeftTopPoint, RightTopPoint, LeftBottomPoint, RightBottomPoint, SkinClientRect};
  }
  TskFrameLayout FittedLayout() const {
    return {FittedLeftTopPoint, FittedRightTopPoint, FittedLeftBottomPoint, FittedRightBottomPoint,
            FittedClientRect};
  }

  // The size fitting of the control base: corrects w and h by the stretch
  // mode and sets the fitted values for the corrected size. NoRect changes
  // nothing at all.
  void Fit(int32_t& w, int32_t& h);

  // The size Fit would give w x h, without changing anything.
  TSize FittedSize(int32_t w, int32_t h) const {
    TskControlSkinGeometry g = *this;
    g.Fit(w, h);
    return {w, h};
  }

  // A rectangle in skin coordinates mapped into a control of w x h.
  TRect SkinRectToControl(const TRect& r, int32_t w, int32_t h) const;

  // Draws the rectangle `rect` of the skin picture (the normal look or
  // another look of the same size) by the stretch mode into dst for a
  // control of w x h, with the fitted values for that size: Fixed makes dst
  // the rectangle's size, Horizontal w x rect height, Vertical rect width x h,
  // Corners w x h. Nothing is drawn (dst unchanged) in NoRect mode or without
  // a picture.
  void DrawRect(const TRect& rect, int32_t w, int32_t h, TBitmap& dst) const;

  // The window region of a control of w x h from the mask picture; none
  // without a mask, in NoRect mode, or when the mask gives none.
  std::optional<TRegion> Region(int32_t w, int32_t h) const;

 private:
  // The fitted layout for w x h without changing anything.
  TskFrameLayout LayoutFor(int32_t w, int32_t h) const;
};

}  // namespace tsm
