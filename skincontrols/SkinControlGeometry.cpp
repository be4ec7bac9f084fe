#include "skincontrols/SkinControlGeometry.h"

#include "platform/gfx/DeviceContext.h"
#include "skin/SkinPlatform.h"
#include "skin/SkinRegion.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"

namespace tsm {

TskStretchMode StretchModeOf(const TRect& skinRect, TPoint rightTop, TPoint leftBottom, TPoint rightBottom) {
  if (RectIsEmpty(skinRect)) return TskStretchMode::NoRect;
  if (rightBottom.X != 0 && rightBottom.Y != 0) return TskStretchMode::Corners;
  if (rightTop.X != 0 || rightTop.Y != 0) return TskStretchMode::Horizontal;
  if (leftBottom.X != 0 || leftBottom.Y != 0) return TskStretchMode::Vertical;
  return TskStretchMode::Fixed;
}

void TskControlSkinGeometry::Read(const TskDataSkinCustomControl& data, const TskSkinData& skin) {
  SkinPicture = skin.ActivePicture(data.PictureIndex);
  SkinMaskPicture = skin.ActivePicture(data.MaskPictureIndex);
  SkinRectangle = data.SkinRect;
  LeftTopPoint = data.LeftTopPoint;
  RightTopPoint = data.RightTopPoint;
  LeftBottomPoint = data.LeftBottomPoint;
  RightBottomPoint = data.RightBottomPoint;
  SkinClientRect = data.ClientRect;
  StretchMode = StretchModeOf(SkinRectangle, RightTopPoint, LeftBottomPoint, RightBottomPoint);
  FittedLeftTopPoint = LeftTopPoint;
  FittedRightTopPoint = RightTopPoint;
  FittedLeftBottomPoint = LeftBottomPoint;
  FittedRightBottomPoint = RightBottomPoint;
  FittedClientRect = SkinClientRect;
}

void TskControlSkinGeometry::Clear() { *this = TskControlSkinGeometry(); }

TskFrameLayout TskControlSkinGeometry::LayoutFor(int32_t w, int32_t h) const {
  const TskFrameLayout s = SourceLayout();
  const TSize skinSize{SkinWidth(), SkinHeight()};
  switch (StretchMode) {
    case TskStretchMode::Corners: return LayoutForSize(s, skinSize, {w, h});
    case TskStretchMode::Horizontal: {
      TskFrameLayout d = LayoutForSize(s, skinSize, {w, h}, TskGrowth::WidthOnly);
      d.LeftBottom = s.LeftBottom;
      d.RightBottom = s.RightBottom;
      return d;
    }
    case TskStretchMode::Vertical: {
      TskFrameLayout d = LayoutForSize(s, skinSize, {w, h}, TskGrowth::HeightOnly);
      d.RightTop = s.RightTop;
      d.RightBottom = s.RightBottom;
      return d;
    }
    default: return s;
  }
}

void TskControlSkinGeometry::Fit(int32_t& w, int32_t& h) {
  switch (StretchMode) {
    case TskStretchMode::NoRect: return;
    case TskStretchMode::Fixed:
      w = SkinWidth();
      h = SkinHeight();
      FittedClientRect = SkinClientRect;
      return;
    case TskStretchMode::Horizontal: h = SkinHeight(); break;
    case TskStretchMode::Vertical: w = SkinWidth(); break;
    case TskStretchMode::Corners: break;
  }
  const TskFrameLayout d = LayoutFor(w, h);
  FittedLeftTopPoint = d.LeftTop;
  FittedClientRect = d.Client;
  if (StretchMode != TskStretchMode::Vertical) FittedRightTopPoint = d.RightTop;
  if (StretchMode != TskStretchMode::Horizontal) FittedLeftBottomPoint = d.LeftBottom;
  if (StretchMode == TskStretchMode::Corners) FittedRightBottomPoint = d.RightBottom;
}

TRect TskControlSkinGeometry::SkinRectToControl(const TRect& r, int32_t w, int32_t h) const {
  const int32_t dx = w - SkinWidth();
  const int32_t dy = h - SkinHeight();
  switch (StretchMode) {
    case TskStretchMode::Corners: {
      const int32_t sw = SkinWidth(), sh = SkinHeight();
      const TRect lt{0, 0, LeftTopPoint.X, LeftTopPoint.Y};
      const TRect rt{RightTopPoint.X, 0, sw, RightTopPoint.Y};
      const TRect lb{0, LeftBottomPoint.Y, LeftBottomPoint.X, sh};
      const TRect rb{RightBottomPoint.X, RightBottomPoint.Y, sw, sh};
      const TPoint a = r.TopLeft(), b = r.BottomRight();
      const auto in = [&](const TRect& zone) { return zone.Contains(a) && zone.Contains(b); };
      if (in(lt)) return r;
      if (in(rt)) return r.Offsetted(dx, 0);
      if (in(lb)) return r.Offsetted(0, dy);
      if (in(rb)) return r.Offsetted(dx, dy);
      // R spans zones; the edges now count as inside.
      const auto at = [](const TRect& zone, TPoint p) { return PointInRectInclusive(zone, p); };
      TRect out = r;
      if (at(lt, a) && at(rb, b)) {
        out.Right += dx;
        out.Bottom += dy;
      } else if (at(lt, a) && at(rt, b)) {
        out.Right += dx;
      } else if (at(lb, a) && at(rb, b)) {
        out.Right += dx;
        out.Offset(0, dy);
      } else if (at(lt, a) && at(lb, b)) {
        out.Bottom += dy;
      } else if (at(rt, a) && at(rb, b)) {
        out.Offset(dx, 0);
        out.Bottom += dy;
      }
      return out;
    }
    case TskStretchMode::Horizontal: {
      TRect out = r;
      if (r.Left <= LeftTopPoint.X && r.Right >= RightTopPoint.X)
        out.Right += dx;
      else if (r.Left >= RightTopPoint.X && r.Right > RightTopPoint.X)
        out.Offset(dx, 0);
      return out;
    }
    case TskStretchMode::Vertical: {
      TRect out = r;
      if (r.Top <= LeftTopPoint.Y && r.Bottom >= LeftBottomPoint.Y)
        out.Bottom += dy;
      else if (r.Top >= LeftBottomPoint.Y && r.Bottom > LeftBottomPoint.Y)
        out.Offset(0, dy);
      return out;
    }
    default: return r;
  }
}

void TskControlSkinGeometry::DrawRect(const TRect& rect, int32_t w, int32_t h, TBitmap& dst) const {
  if (!SkinPicture || StretchMode == TskStretchMode::NoRect) return;
  const TBitmap& pic = *SkinPicture;
  switch (StretchMode) {
    case TskStretchMode::Fixed: {
      dst.SetSize(rect.Width(), rect.Height());
      TDeviceContext dc(dst);
      dc.BitBlt(0, 0, rect.Width(), rect.Height(), pic.Surface(), rect.Left, rect.Top);
      return;
    }
    case TskStretchMode::Corners:
      ComposeFrameImage(pic, rect, SourceLayout(), dst, w, h, LayoutFor(w, h), true);
      return;
    case TskStretchMode::Horizontal:
      ComposeHorizontalImage(pic, rect, LeftTopPoint.X, SkinWidth() - RightTopPoint.X, dst, w);
      return;
    case TskStretchMode::Vertical:
      ComposeVerticalImage(pic, rect, LeftTopPoint.Y, SkinHeight() - LeftBottomPoint.Y, dst, h);
      return;
    case TskStretchMode::NoRect: return;
  }
}

std::optional<TRegion> TskControlSkinGeometry::Region(int32_t w, int32_t h) const {
  if (!SkinMaskPicture || SkinMaskPicture->IsEmpty()) return std::nullopt;
  switch (StretchMode) {
    case TskStretchMode::NoRect: return std::nullopt;
    case TskStretchMode::Fixed: return RegionFromMask(*SkinMaskPicture);
    default: {
      const TskFrameLayout d = LayoutFor(w, h);
      return BuildFrameRegion(*SkinMaskPicture, SourceLayout(), SkinClientRect, w, h, d, d.Client);
    }
  }
}

}  // namespace tsm
