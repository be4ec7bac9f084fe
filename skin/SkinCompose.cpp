#include "skin/SkinCompose.h"

#include <algorithm>

#include "platform/gfx/DeviceContext.h"

namespace tsm {

TskFrameLayout LayoutForSize(const TskFrameLayout& s, TSize sourceSize, TSize newSize, TskGrowth growth) {
  const int32_t dx = growth == TskGrowth::HeightOnly ? 0 : newSize.cx - sourceSize.cx;
  const int32_t dy = growth == TskGrowth::WidthOnly ? 0 : newSize.cy - sourceSize.cy;
  TskFrameLayout d;
  d.LeftTop = s.LeftTop;
  d.RightTop = s.RightTop.Offsetted(dx, 0);
  d.LeftBottom = s.LeftBottom.Offsetted(0, dy);
  d.RightBottom = s.RightBottom.Offsetted(dx, dy);
  d.Client = {s.Client.Left, s.Client.Top, s.Client.Right + dx, s.Client.Bottom + dy};
  return d;
}

void CopyPiece(TDeviceContext& dc, const TRect& dst, const TBitmap& src, const TRect& piece) {
  if (dst.IsEmpty() || piece.IsEmpty()) return;
  if (dst.Width() == piece.Width() && dst.Height() == piece.Height())
    dc.BitBlt(dst.Left, dst.Top, dst.Width(), dst.Height(), src.Surface(), piece.Left, piece.Top);
  else
    dc.StretchBlt(dst, src.Surface(), piece);
}

void TileHorizontal(TDeviceContext& dc, const TBitmap& src, const TRect& piece, int32_t p, int32_t q,
                    int32_t bandTop, int32_t bandBottom) {
  const int64_t s = piece.Width();
  if (s <= 0 || q <= p || bandBottom <= bandTop) return;
  const int64_t n = (int64_t(q) - p) / s;
  for (int64_t i = 0; i <= n; ++i) {
    const int64_t x = p + i * s;
    const int64_t extent = s - std::max<int64_t>(0, p + (i + 1) * s - q);
    if (extent <= 0) continue;
    CopyPiece(dc, {int32_t(x), bandTop, int32_t(x + extent), bandBottom}, src,
              {piece.Left, piece.Top, int32_t(piece.Left + extent), piece.Bottom});
  }
}

void TileVertical(TDeviceContext& dc, const TBitmap& src, const TRect& piece, int32_t p, int32_t q,
                  int32_t bandLeft, int32_t bandRight) {
  const int64_t s = piece.Height();
  if (s <= 0 || q <= p || bandRight <= bandLeft) return;
  const int64_t n = (int64_t(q) - p) / s;
  for (int64_t i = 0; i <= n; ++i) {
    const int64_t y = p + i * s;
    const int64_t extent = s - std::max<int64_t>(0, p + (i + 1) * s - q);
    if (extent <= 0) continue;
    CopyPiece(dc, {bandLeft, int32_t(y), bandRight, int32_t(y + extent)}, src,
              {piece.Left, piece.Top, piece.Right, int32_t(piece.Top + extent)});
  }
}

namespace {

// Tiles piece over area in two dimensions: columns outside, rows inside,
// every tile cut at the right and bottom of area.
void TileArea(TDeviceContext& dc, const TBitmap& src, const TRect& piece, const TRect& area) {
  const int64_t cw = piece.Width(), ch = piece.Height();
  if (cw <= 0 || ch <= 0 || area.IsEmpty()) return;
  for (int64_t i = 0; i <= area.Width() / cw; ++i) {
    const int64_t x = area.Left + i * cw;
    const int64_t w = cw - std::max<int64_t>(0, x + cw - area.Right);
    if (w <= 0) continue;
    for (int64_t j = 0; j <= area.Height() / ch; ++j) {
      const int64_t y = area.Top + j * ch;
      const int64_t h = ch - std::max<int64_t>(0, y + ch - area.Bottom);
      if (h <= 0) continue;
      dc.BitBlt(int32_t(x), int32_t(y), int32_t(w), int32_t(h), src.Surface(), piece.Left, piece.Top);
    }
  }
}

// The source pieces of a layout, in picture coordinates (R's offset added).
struct TPieces {
  TRect Top, Bottom, Left, Right, A, B, C, D, E, F, G, H, Client;
};

TPieces SourcePieces(const TRect& r, const TskFrameLayout& s, const TskFrameLayout& d) {
  const int32_t rw = r.Width(), rh = r.Height();
  const TRect& cl = s.Client;
  auto at = [&r](int32_t l, int32_t t, int32_t rr, int32_t b) { return TRect(l, t, rr, b).Offsetted(r.Left, r.Top); };
  TPieces p;
  p.Top = at(s.LeftTop.X, 0, s.RightTop.X, cl.Top);
  p.Bottom = at(s.LeftBottom.X, cl.Bottom, s.RightBottom.X, rh);
  // The left edge is as wide as the destination's client left.
  p.Left = at(0, s.LeftTop.Y, d.Client.Left, s.LeftBottom.Y);
  p.Right = at(cl.Right, s.RightTop.Y, rw, s.RightBottom.Y);
  p.A = at(0, 0, s.LeftTop.X, cl.Top);
  p.B = at(0, cl.Top, cl.Left, s.LeftTop.Y);
  p.C = at(s.RightTop.X, 0, rw, cl.Top);
  p.D = at(cl.Right, cl.Top, rw, s.RightTop.Y);
  p.E = at(0, s.LeftBottom.Y, cl.Left, rh);
  p.F = at(cl.Left, cl.Bottom, s.LeftBottom.X, rh);
  p.G = at(s.RightBottom.X, cl.Bottom, rw, rh);
  p.H = at(cl.Right, s.RightBottom.Y, rw, cl.Bottom);
  p.Client = at(cl.Left, cl.Top, cl.Right, cl.Bottom);
  return p;
}

bool NoCornerLayout(const TBitmap& src, const TskFrameLayout& s) {
  return s.RightBottom.X == s.LeftTop.X || s.RightBottom.Y == s.LeftTop.Y || src.IsEmpty();
}

}  // namespace

void ComposeFrameImage(const TBitmap& src, const TRect& r, const TskFrameLayout& s, TBitmap& dst, int32_t w,
                       int32_t h, const TskFrameLayout& d, bool drawClient, TskStretchFlags stretch) {
  dst.SetSize(w, h);
  if (NoCornerLayout(src, s) || dst.IsEmpty()) return;
  TDeviceContext dc(dst);
  const TPieces p = SourcePieces(r, s, d);
  const TRect& ncl = d.Client;

  const TRect top{d.LeftTop.X, 0, d.RightTop.X, ncl.Top};
  if (stretch.Top) CopyPiece(dc, top, src, p.Top);
  else TileHorizontal(dc, src, p.Top, top.Left, top.Right, top.Top, top.Bottom);

  const TRect bottom{d.LeftBottom.X, ncl.Bottom, d.RightBottom.X, h};
  if (stretch.Bottom) CopyPiece(dc, bottom, src, p.Bottom);
  else TileHorizontal(dc, src, p.Bottom, bottom.Left, bottom.Right, bottom.Top, bottom.Bottom);

  const TRect left{0, d.LeftTop.Y, ncl.Left, d.LeftBottom.Y};
  if (stretch.Left) CopyPiece(dc, left, src, p.Left);
  else TileVertical(dc, src, p.Left, left.Top, left.Bottom, left.Left, left.Right);

  const TRect right{ncl.Right, d.RightTop.Y, w, d.RightBottom.Y};
  if (stretch.Right) CopyPiece(dc, right, src, p.Right);
  else TileVertical(dc, src, p.Right, right.Top, right.Bottom, right.Left, right.Right);

  CopyPiece(dc, {0, 0, d.LeftTop.X, ncl.Top}, src, p.A);
  CopyPiece(dc, {0, ncl.Top, ncl.Left, d.LeftTop.Y}, src, p.B);
  CopyPiece(dc, {d.RightTop.X, 0, w, ncl.Top}, src, p.C);
  CopyPiece(dc, {ncl.Right, ncl.Top, w, d.RightTop.Y}, src, p.D);
  CopyPiece(dc, {0, d.LeftBottom.Y, ncl.Left, h}, src, p.E);
  CopyPiece(dc, {ncl.Left, ncl.Bottom, d.LeftBottom.X, h}, src, p.F);
  CopyPiece(dc, {d.RightBottom.X, ncl.Bottom, w, h}, src, p.G);
  CopyPiece(dc, {ncl.Right, d.RightBottom.Y, w, ncl.Bottom}, src, p.H);

  if (drawClient) TileArea(dc, src, p.Client, ncl);
}

void ComposeOpenRightImage(const TBitmap& src, const TRect& r, const TskFrameLayout& s, TBitmap& dst, int32_t w,
                           int32_t h, const TskFrameLayout& d, bool drawClient) {
  dst.SetSize(w, h);
  if (NoCornerLayout(src, s) || dst.IsEmpty()) return;
  TDeviceContext dc(dst);
  const TPieces p = SourcePieces(r, s, d);
  const TRect& ncl = d.Client;
  TileHorizontal(dc, src, p.Top, d.LeftTop.X, w, 0, ncl.Top);
  TileHorizontal(dc, src, p.Bottom, d.LeftBottom.X, w, ncl.Bottom, h);
  TileVertical(dc, src, p.Left, d.LeftTop.Y, d.LeftBottom.Y, 0, ncl.Left);
  CopyPiece(dc, {0, 0, d.LeftTop.X, ncl.Top}, src, p.A);
  CopyPiece(dc, {0, ncl.Top, ncl.Left, d.LeftTop.Y}, src, p.B);
  CopyPiece(dc, {0, d.LeftBottom.Y, ncl.Left, h}, src, p.E);
  CopyPiece(dc, {ncl.Left, ncl.Bottom, d.LeftBottom.X, h}, src, p.F);
  if (drawClient) TileArea(dc, src, p.Client, {ncl.Left, ncl.Top, w, ncl.Bottom});
}

namespace {

void ComposeHorizontal(const TBitmap& src, const TRect& r, int32_t lw, int32_t rw, TBitmap& dst, int32_t w,
                       bool openRight) {
  const int32_t h = r.Height();
  dst.SetSize(w, h);
  if (dst.IsEmpty()) return;
  TDeviceContext dc(dst);
  if (lw != 0) CopyPiece(dc, {0, 0, lw, h}, src, {r.Left, r.Top, r.Left + lw, r.Bottom});
  if (rw != 0 && !openRight) CopyPiece(dc, {w - rw, 0, w, h}, src, {r.Right - rw, r.Top, r.Right, r.Bottom});
  const int32_t extent = r.Width() - lw - rw;
  if (extent < 0) return;  // the fixed pieces overlap: no middle
  const int32_t s = extent == 0 ? 1 : extent;
  const int32_t end = openRight ? w : w - rw;
  TileHorizontal(dc, src, {r.Left + lw, r.Top, r.Left + lw + s, r.Bottom}, lw, end, 0, h);
}

}  // namespace

void ComposeHorizontalImage(const TBitmap& src, const TRect& r, int32_t leftWidth, int32_t rightWidth,
                            TBitmap& dst, int32_t w) {
  ComposeHorizontal(src, r, leftWidth, rightWidth, dst, w, false);
}

void ComposeHorizontalOpenRightImage(const TBitmap& src, const TRect& r, int32_t leftWidth, int32_t rightWidth,
                                     TBitmap& dst, int32_t w) {
  ComposeHorizontal(src, r, leftWidth, rightWidth, dst, w, true);
}

void ComposeVerticalImage(const TBitmap& src, const TRect& r, int32_t topHeight, int32_t bottomHeight,
                          TBitmap& dst, int32_t h) {
  const int32_t w = r.Width();
  dst.SetSize(w, h);
  if (dst.IsEmpty()) return;
  TDeviceContext dc(dst);
  if (topHeight != 0) CopyPiece(dc, {0, 0, w, topHeight}, src, {r.Left, r.Top, r.Right, r.Top + topHeight});
  if (bottomHeight != 0)
    CopyPiece(dc, {0, h - bottomHeight, w, h}, src, {r.Left, r.Bottom - bottomHeight, r.Right, r.Bottom});
  const TRect middle{r.Left, r.Top + topHeight, r.Right, r.Bottom - bottomHeight};
  if (middle.Height() <= 0) return;
  TileVertical(dc, src, middle, topHeight, h - bottomHeight, 0, w);
}

TskFrameStrips BuildFrameBorderStrips(const TBitmap& src, const TskFrameLayout& s, int32_t w, int32_t h,
                                      const TskFrameLayout& d, TskStretchFlags stretch) {
  TskFrameStrips out;
  const int32_t pw = src.Width(), ph = src.Height();
  const TRect& cl = s.Client;
  const TRect& ncl = d.Client;

  if (w > 0 && ncl.Top > 0 && s.RightTop.X > s.LeftTop.X) {
    const int32_t th = ncl.Top;
    out.Top.SetSize(w, th);
    TDeviceContext dc(out.Top);
    const TRect middle{s.LeftTop.X, 0, s.RightTop.X, th};
    if (stretch.Top) CopyPiece(dc, {d.LeftTop.X, 0, d.RightTop.X, th}, src, middle);
    else TileHorizontal(dc, src, middle, 0, w, 0, th);
    CopyPiece(dc, {0, 0, d.LeftTop.X, th}, src, {0, 0, s.LeftTop.X, th});
    CopyPiece(dc, {d.RightTop.X, 0, w, th}, src, {s.RightTop.X, 0, pw, th});
  }

  const int32_t bh = h - ncl.Bottom;
  if (w > 0 && bh > 0 && s.RightBottom.X > s.LeftBottom.X) {
    out.Bottom.SetSize(w, bh);
    TDeviceContext dc(out.Bottom);
    const TRect middle{s.LeftBottom.X, ph - bh, s.RightBottom.X, ph};
    if (stretch.Bottom) CopyPiece(dc, {d.LeftBottom.X, 0, d.RightBottom.X, bh}, src, middle);
    else TileHorizontal(dc, src, middle, 0, w, 0, bh);
    CopyPiece(dc, {0, 0, d.LeftBottom.X, bh}, src, {0, ph - bh, s.LeftBottom.X, ph});
    CopyPiece(dc, {d.RightBottom.X, 0, w, bh}, src, {s.RightBottom.X, ph - bh, pw, ph});
  }

  const int32_t v = h - out.Bottom.Height() - out.Top.Height();
  if (ncl.Left > 0 && v > 0 && s.LeftBottom.Y > s.LeftTop.Y) {
    const int32_t lw = ncl.Left;
    out.Left.SetSize(lw, v);
    TDeviceContext dc(out.Left);
    const TRect middle{0, s.LeftTop.Y, lw, s.LeftBottom.Y};
    if (stretch.Left) CopyPiece(dc, {0, s.LeftTop.Y - cl.Top, lw, v + s.LeftBottom.Y - cl.Bottom}, src, middle);
    else TileVertical(dc, src, middle, 0, v, 0, lw);
    if (s.LeftTop.Y > cl.Top) CopyPiece(dc, {0, 0, lw, s.LeftTop.Y - cl.Top}, src, {0, cl.Top, lw, s.LeftTop.Y});
    if (cl.Bottom > s.LeftBottom.Y)
      CopyPiece(dc, {0, v - (cl.Bottom - s.LeftBottom.Y), lw, v}, src, {0, s.LeftBottom.Y, lw, cl.Bottom});
  }

  const int32_t rw = w - ncl.Right;
  if (rw >= 1 && v >= 1 && s.RightBottom.Y > s.RightTop.Y) {
    out.Right.SetSize(rw, v);
    TDeviceContext dc(out.Right);
    const TRect middle{cl.Right, s.RightTop.Y, pw, s.RightBottom.Y};
    if (stretch.Right) CopyPiece(dc, {0, s.RightTop.Y - cl.Top, rw, v + s.RightBottom.Y - cl.Bottom}, src, middle);
    else TileVertical(dc, src, middle, 0, v, 0, rw);
    if (s.RightTop.Y > cl.Top)
      CopyPiece(dc, {0, 0, rw, s.RightTop.Y - cl.Top}, src, {cl.Right, cl.Top, pw, s.RightTop.Y});
    if (cl.Bottom > s.RightBottom.Y)
      CopyPiece(dc, {0, v - (cl.Bottom - s.RightBottom.Y), rw, v}, src, {cl.Right, s.RightBottom.Y, pw, cl.Bottom});
  }
  return out;
}

}  // namespace tsm
