#include "skinforms/FrameHitTest.h"

namespace tsm {

namespace {

// A black pixel of a mask band marks a point inside the shape; points
// outside the bitmap are outside.
bool MaskPixelInside(const TBitmap& band, int32_t x, int32_t y) {
  if (band.IsEmpty() || x < 0 || y < 0 || x >= band.Width() || y >= band.Height()) return false;
  return (band.GetPixel(x, y) & 0xFFFFFF) == 0;
}

bool ProbeInside(TPoint p, const TskFrameGeometry& g, const TskMaskStrips& m) {
  const TRect& r = g.MaskRect;
  if (r.Contains(p)) return true;
  if (p.Y < r.Top) return MaskPixelInside(m.Top, p.X, p.Y);
  if (p.Y >= r.Bottom) return MaskPixelInside(m.Bottom, p.X, p.Y - r.Bottom);
  if (p.X < r.Left) return MaskPixelInside(m.Left, p.X, p.Y - r.Top);
  return MaskPixelInside(m.Right, p.X - r.Right, p.Y - r.Top);
}

bool HasMask(const TskMaskStrips* m) {
  return m && !(m->Top.IsEmpty() && m->Bottom.IsEmpty() && m->Left.IsEmpty() && m->Right.IsEmpty());
}

}  // namespace

THitTest SkinHitTest(TPoint p, const TskFrameGeometry& g, const TskHitState& s, int32_t b,
                     const TskMaskStrips* masks) {
  const TRect frame{0, 0, s.Frame.cx, s.Frame.cy};
  if (s.Normal) {
    // The sizing band comes first, so that it has the same width all round,
    // over caption buttons too.
    if (!s.Maximized && s.Sizeable) {
      const TPoint probes[] = {{p.X - b, p.Y}, {p.X, p.Y - b}, {p.X + b, p.Y}, {p.X, p.Y + b}};
      bool nearEdge = false;
      if (HasMask(masks)) {
        if (!g.MaskRect.Contains(p))
          for (const TPoint& q : probes) nearEdge |= !ProbeInside(q, g, *masks);
      } else {
        for (const TPoint& q : probes) nearEdge |= !frame.Contains(q);
      }
      if (nearEdge) {
        if (p.X <= g.HitLeftTop.X && p.Y <= g.HitLeftTop.Y) return HTTOPLEFT;
        if (p.X >= g.HitRightTop.X && p.Y <= g.HitRightTop.Y) return HTTOPRIGHT;
        if (p.X <= g.HitLeftBottom.X && p.Y >= g.HitLeftBottom.Y) return HTBOTTOMLEFT;
        if (p.X >= g.HitRightBottom.X && p.Y >= g.HitRightBottom.Y) return HTBOTTOMRIGHT;
        if (TRect{g.HitLeftTop.X, 0, g.HitRightTop.X, g.Client.Top}.Contains(p)) return HTTOP;
        if (TRect{g.HitLeftBottom.X, g.Client.Bottom, g.HitRightBottom.X, s.Frame.cy}.Contains(p)) return HTBOTTOM;
        if (TRect{0, g.HitLeftTop.Y, g.Client.Left, g.HitLeftBottom.Y}.Contains(p)) return HTLEFT;
        if (TRect{g.Client.Right, g.HitRightTop.Y, s.Frame.cx, g.HitRightBottom.Y}.Contains(p)) return HTRIGHT;
      }
    }
    if (s.ObjectActive && !s.OverCaption && !g.Client.Contains(p) && !s.LoopRunning) return HTOBJECT;
    if (g.Client.Contains(p)) return HTCLIENT;
  }
  return s.OverCaption ? HTCAPTION : HTOBJECT;
}

THitTest DefaultHitTest(TPoint p, const TRect& caption, const TskDefaultFrameMetrics& m, const TskHitState& s) {
  const int32_t w = s.Frame.cx, h = s.Frame.cy;
  if (s.Normal && !s.Maximized && s.Sizeable) {
    if (s.ObjectActive) return HTOBJECT;
    const bool left = p.X <= 2, right = p.X >= w - 2, top = p.Y <= 2, bottom = p.Y >= h - 2;
    if (left && top) return HTTOPLEFT;
    if (right && top) return HTTOPRIGHT;
    if (left && bottom) return HTBOTTOMLEFT;
    if (right && bottom) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (top) return HTTOP;
    if (right) return HTRIGHT;
    if (bottom) return HTBOTTOM;
  }
  if (caption.Contains(p)) return HTCAPTION;
  if (m.ClientRect(w, h).Contains(p)) return HTCLIENT;
  return HTOBJECT;
}

}  // namespace tsm
