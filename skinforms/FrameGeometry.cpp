#include "skinforms/FrameGeometry.h"

#include <algorithm>

#include "skin/SkinPlatform.h"

namespace tsm {

TskFrameGeometry TskFrameGeometry::Calc(const TskSkinFormInfo& info, TSize picture, TSize frame) {
  TskFrameGeometry g;
  g.Picture = picture;
  g.Frame = frame;
  g.Dx = frame.cx - picture.cx;
  g.Dy = frame.cy - picture.cy;
  const int32_t dx = g.Dx, dy = g.Dy;
  g.LeftTop = info.LeftTopPoint;
  g.RightTop = info.RightTopPoint.Offsetted(dx, 0);
  g.LeftBottom = info.LeftBottomPoint.Offsetted(0, dy);
  g.RightBottom = info.RightBottomPoint.Offsetted(dx, dy);
  const TRect& c = info.ClientRect;
  g.Client = {c.Left, c.Top, c.Right + dx, c.Bottom + dy};
  g.Caption = info.CaptionRect;
  if (!RectIsEmpty(g.Caption)) g.Caption.Right += dx;
  g.Buttons = info.ButtonsRect;
  if (!RectIsEmpty(g.Buttons) && g.Buttons.Left > picture.cx / 2) g.Buttons.Offset(dx, 0);
  g.ButtonsOffset = info.ButtonsOffset;
  g.ButtonsInLeft = info.ButtonsInLeft;
  g.HitLeftTop = info.HitTestLeftTopPoint;
  g.HitRightTop = info.HitTestRightTopPoint.Offsetted(dx, 0);
  g.HitLeftBottom = info.HitTestLeftBottomPoint.Offsetted(0, dy);
  g.HitRightBottom = info.HitTestRightBottomPoint.Offsetted(dx, dy);
  const TRect& m = info.MaskRectArea;
  g.MaskRect = {m.Left, m.Top, m.Right + dx, m.Bottom + dy};
  return g;
}

namespace {

enum class TZone : uint8_t { None, LeftTop, RightTop, LeftBottom, RightBottom };

TZone ZoneOf(const TskSkinFormInfo& info, TSize picture, TPoint p) {
  const TRect lt{0, 0, info.LeftTopPoint.X, info.LeftTopPoint.Y};
  const TRect rt{info.RightTopPoint.X, 0, picture.cx, info.RightTopPoint.Y};
  const TRect lb{0, info.LeftBottomPoint.Y, info.LeftBottomPoint.X, picture.cy};
  const TRect rb{info.RightBottomPoint.X, info.RightBottomPoint.Y, picture.cx, picture.cy};
  if (lt.Contains(p)) return TZone::LeftTop;
  if (rt.Contains(p)) return TZone::RightTop;
  if (lb.Contains(p)) return TZone::LeftBottom;
  if (rb.Contains(p)) return TZone::RightBottom;
  return TZone::None;
}

}  // namespace

TRect PlaceByZones(const TskSkinFormInfo& info, TSize picture, TSize frame, const TRect& r) {
  const int32_t dx = frame.cx - picture.cx, dy = frame.cy - picture.cy;
  const TZone a = ZoneOf(info, picture, r.TopLeft());
  TZone b = ZoneOf(info, picture, r.BottomRight());
  if (b == TZone::None && (r.Right == picture.cx || r.Bottom == picture.cy))
    b = ZoneOf(info, picture, {r.Right - 1, r.Bottom - 1});
  TRect p = r;
  using enum TZone;
  if (a == LeftTop && b == LeftTop) return p;
  if (a == RightTop && b == RightTop) return p.Offsetted(dx, 0);
  if (a == LeftBottom && b == LeftBottom) return p.Offsetted(0, dy);
  if (a == RightBottom && b == RightBottom) return p.Offsetted(dx, dy);
  if (a == LeftTop && b == RightBottom) {
    p.Right += dx;
    p.Bottom += dy;
  } else if (a == LeftTop && b == RightTop) {
    p.Right += dx;
  } else if (a == LeftBottom && b == RightBottom) {
    p.Right += dx;
    p.Top += dy;
    p.Bottom += dy;
  } else if (a == LeftTop && b == LeftBottom) {
    p.Bottom += dy;
  } else if (a == RightTop && b == RightBottom) {
    p.Left += dx;
    p.Right += dx;
    p.Bottom += dy;
  }
  return p;
}

TskFrameMargins SkinFrameMargins(const TskSkinFormInfo& info, TSize picture) {
  const TRect& c = info.ClientRect;
  return {c.Left, c.Top, picture.cx - c.Right, picture.cy - c.Bottom};
}

TRect ShrinkByMargins(const TRect& window, const TskFrameMargins& m) {
  TRect r{window.Left + m.Left, window.Top + m.Top, window.Right - m.Right, window.Bottom - m.Bottom};
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

}  // namespace tsm
