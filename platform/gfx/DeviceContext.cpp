#include "platform/gfx/DeviceContext.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace tsm {

namespace {

// On/off runs of the styled pens, starting with "on".
std::span<const uint8_t> PatternOf(TPenStyle style) {
  static constexpr uint8_t kDash[] = {18, 6};
  static constexpr uint8_t kDot[] = {3, 3};
  static constexpr uint8_t kDashDot[] = {9, 6, 3, 6};
  static constexpr uint8_t kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  static constexpr uint8_t kAlternate[] = {1, 1};
  switch (style) {
    case TPenStyle::Dash: return kDash;
    case TPenStyle::Dot: return kDot;
    case TPenStyle::DashDot: return kDashDot;
    case TPenStyle::DashDotDot: return kDashDotDot;
    case TPenStyle::Alternate: return kAlternate;
    default: return {};
  }
}

bool PatternOn(std::span<const uint8_t> pattern, int phase) {
  if (pattern.empty()) return true;
  int cycle = 0;
  for (uint8_t run : pattern) cycle += run;
  int pos = phase % cycle;
  for (size_t k = 0; k < pattern.size(); ++k) {
    if (pos < pattern[k]) return k % 2 == 0;
    pos -= pattern[k];
  }
  return false;
}

inline uint32_t Load(const uint8_t* p, int bpp) {
  if (bpp == 3) return 0xFF000000u | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline void Store(uint8_t* p, int bpp, uint32_t v) {
  if (bpp == 3) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
  } else {
    v |= 0xFF000000u;
    std::memcpy(p, &v, 4);
  }
}

inline void ApplyMode(uint8_t* p, int bpp, uint32_t pixel, TPenMode mode) {
  switch (mode) {
    case TPenMode::Copy: Store(p, bpp, pixel); break;
    case TPenMode::Xor: Store(p, bpp, Load(p, bpp) ^ (pixel & 0x00FFFFFFu)); break;
    case TPenMode::Not: Store(p, bpp, ~Load(p, bpp)); break;
  }
}

inline uint32_t ApplyRop(uint32_t d, uint32_t s, TRop rop) {
  switch (rop) {
    case TRop::SrcCopy: return s;
    case TRop::SrcInvert: return d ^ s;
    case TRop::SrcAnd: return d & s;
    case TRop::SrcPaint: return d | s;
    case TRop::NotSrcCopy: return ~s;
  }
  return s;
}

bool SameMemory(const TPixelSurface& a, const TPixelSurface& b) { return a.Bits != nullptr && a.Bits == b.Bits; }

// A copy of part of a surface, used when a transfer reads the pixels it writes.
TBitmap Snapshot(const TPixelSurface& src, const TRect& part) {
  TBitmap copy(part.Width(), part.Height(), src.Format);
  CopyPixels(copy.Surface(), 0, 0, src, part.Left, part.Top, part.Width(), part.Height());
  return copy;
}

}  // namespace

TDeviceContext::TDeviceContext() = default;

TDeviceContext::TDeviceContext(const TPixelSurface& target) : m_target(target) {}

TDeviceContext::TDeviceContext(TBitmap& bitmap) : m_target(bitmap.Surface()) {}

TDeviceContext::~TDeviceContext() = default;

void TDeviceContext::SetTarget(const TPixelSurface& target) {
  m_target = target;
  ClipChanged();
}

void TDeviceContext::SetDeviceOrigin(TPoint surfacePoint) {
  m_deviceOrigin = surfacePoint;
  ClipChanged();
}

void TDeviceContext::SetSystemClip(const TRegion* region) {
  if (region) m_systemClip = *region;
  else m_systemClip.reset();
  ClipChanged();
}

void TDeviceContext::SetOrigin(TPoint origin) { m_state.Origin = origin; }

void TDeviceContext::MoveOrigin(int32_t dx, int32_t dy) { m_state.Origin.Offset(dx, dy); }

// ---------------------------------------------------------------------------
// Clipping

TRect TDeviceContext::DeviceUniverse() const {
  return m_target.Bounds().Offsetted(-m_deviceOrigin.X, -m_deviceOrigin.Y);
}

const TRegion& TDeviceContext::Visible() const {
  if (!m_visibleValid) {
    const TRect surface = m_target.IsEmpty() ? TRect{} : m_target.Bounds();
    if (!m_systemClip && !m_state.Clip) {
      m_visible = TRegion(surface);
    } else {
      TRegion r = m_systemClip ? *m_systemClip : TRegion(DeviceUniverse());
      if (m_state.Clip) r.Intersect(*m_state.Clip);
      r.Offset(m_deviceOrigin.X, m_deviceOrigin.Y);
      r.Intersect(surface);
      m_visible = std::move(r);
    }
    m_visibleValid = true;
  }
  return m_visible;
}

bool TDeviceContext::SurfaceVisible(int32_t x, int32_t y) const { return Visible().Contains(x, y); }

void TDeviceContext::IntersectClipRect(const TRect& rect) {
  const TRect r = ToDevice(rect);
  if (m_state.Clip) m_state.Clip->Intersect(r);
  else m_state.Clip = TRegion(r);
  ClipChanged();
}

void TDeviceContext::ExcludeClipRect(const TRect& rect) {
  if (!m_state.Clip) m_state.Clip = TRegion(DeviceUniverse());
  m_state.Clip->Subtract(ToDevice(rect));
  ClipChanged();
}

void TDeviceContext::IntersectClipRegion(const TRegion& region) {
  const TRegion r = region.Offsetted(m_state.Origin.X, m_state.Origin.Y);
  if (m_state.Clip) m_state.Clip->Intersect(r);
  else m_state.Clip = r;
  ClipChanged();
}

void TDeviceContext::SelectClipRegion(const TRegion* region) {
  if (region) m_state.Clip = region->Offsetted(m_state.Origin.X, m_state.Origin.Y);
  else m_state.Clip.reset();
  ClipChanged();
}

std::optional<TRegion> TDeviceContext::ClipRegion() const {
  if (!m_state.Clip) return std::nullopt;
  return m_state.Clip->Offsetted(-m_state.Origin.X, -m_state.Origin.Y);
}

TRect TDeviceContext::ClipBox() const {
  const TPoint d = m_state.Origin + m_deviceOrigin;
  const TRect b = Visible().Bounds();
  return b.IsEmpty() ? TRect{} : b.Offsetted(-d.X, -d.Y);
}

bool TDeviceContext::PtVisible(int32_t x, int32_t y) const {
  const TPoint p = LogicalToSurface({x, y});
  return SurfaceVisible(p.X, p.Y);
}

bool TDeviceContext::RectVisible(const TRect& rect) const { return Visible().Intersects(ToSurface(rect)); }

// ---------------------------------------------------------------------------
// State stack

int TDeviceContext::SaveDC() {
  m_saved.push_back(m_state);
  return static_cast<int>(m_saved.size());
}

bool TDeviceContext::RestoreDC(int level) {
  const int depth = static_cast<int>(m_saved.size());
  const int target = level > 0 ? level : depth + 1 + level;
  if (level == 0 || target < 1 || target > depth) return false;
  m_state = std::move(m_saved[target - 1]);
  m_saved.resize(target - 1);
  ClipChanged();
  return true;
}

// ---------------------------------------------------------------------------
// Primitive writers (surface coordinates)

void TDeviceContext::FillSurface(const TRect& r, uint32_t pixel, TPenMode mode) {
  if (r.IsEmpty()) return;
  const int bpp = m_target.BytesPerPixel();
  for (const TRect& v : Visible().Rects()) {
    if (v.Top >= r.Bottom) break;
    const TRect c = v.Intersected(r);
    if (c.IsEmpty()) continue;
    const size_t rowBytes = static_cast<size_t>(c.Width()) * bpp;
    if (mode == TPenMode::Copy) {
      uint8_t* first = m_target.PixelAddress(c.Left, c.Top);
      for (int32_t x = 0; x < c.Width(); ++x) Store(first + x * bpp, bpp, pixel);
      for (int32_t y = c.Top + 1; y < c.Bottom; ++y) std::memcpy(m_target.PixelAddress(c.Left, y), first, rowBytes);
    } else {
      for (int32_t y = c.Top; y < c.Bottom; ++y) {
        uint8_t* p = m_target.PixelAddress(c.Left, y);
        for (int32_t x = 0; x < c.Width(); ++x, p += bpp) ApplyMode(p, bpp, pixel, mode);
      }
    }
  }
}

void TDeviceContext::PlotSurface(int32_t x, int32_t y, uint32_t pixel, TPenMode mode) {
  if (SurfaceVisible(x, y)) ApplyMode(m_target.PixelAddress(x, y), m_target.BytesPerPixel(), pixel, mode);
}

void TDeviceContext::InvertCheckered(const TRect& r) {
  const int bpp = m_target.BytesPerPixel();
  for (const TRect& v : Visible().Rects()) {
    const TRect c = v.Intersected(r);
    for (int32_t y = c.Top; y < c.Bottom; ++y)
      for (int32_t x = c.Left + ((c.Left + y) & 1); x < c.Right; x += 2)
        ApplyMode(m_target.PixelAddress(x, y), bpp, 0, TPenMode::Not);
  }
}

// ---------------------------------------------------------------------------
// Pixels and lines

TColor TDeviceContext::GetPixel(int32_t x, int32_t y) const {
  const TPoint p = LogicalToSurface({x, y});
  if (!SurfaceVisible(p.X, p.Y)) return clNone;
  return PixelToColor(m_target.ReadPixel(p.X, p.Y));
}

void TDeviceContext::SetPixel(int32_t x, int32_t y, TColor color) {
  const TPoint p = LogicalToSurface({x, y});
  PlotSurface(p.X, p.Y, ColorToPixel(color), TPenMode::Copy);
}

void TDeviceContext::PenLine(TPoint from, TPoint to, int& phase, std::vector<TRect>& shape) {
  const TPen& pen = m_state.Pen;
  if (pen.Style == TPenStyle::Clear) return;
  const TPoint d = m_state.Origin + m_deviceOrigin;
  int32_t x = from.X + d.X, y = from.Y + d.Y;
  const int32_t x1 = to.X + d.X, y1 = to.Y + d.Y;
  const uint32_t pixel = ColorToPixel(pen.Color);
  const int32_t width = std::max<int32_t>(1, pen.Width);
  const std::span<const uint8_t> pattern = width == 1 ? PatternOf(pen.Style) : std::span<const uint8_t>{};
  const int64_t dx = std::abs(int64_t(x1) - x), dy = -std::abs(int64_t(y1) - y);
  const int32_t sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
  int64_t err = dx + dy;
  const int32_t lead = (width - 1) / 2;
  // Bresenham; the loop stops before plotting the end point.
  while (x != x1 || y != y1) {
    if (width > 1) shape.push_back(TRect::FromSize(x - lead, y - lead, width, width));
    else if (PatternOn(pattern, phase)) PlotSurface(x, y, pixel, pen.Mode);
    ++phase;
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void TDeviceContext::FillPenShape(const std::vector<TRect>& shape) {
  if (shape.empty()) return;
  const TRegion region = TRegion::FromRects(shape);
  const uint32_t pixel = ColorToPixel(m_state.Pen.Color);
  for (const TRect& r : region.Rects()) FillSurface(r, pixel, m_state.Pen.Mode);
}

void TDeviceContext::LineTo(int32_t x, int32_t y) {
  int phase = 0;
  std::vector<TRect> shape;
  PenLine(m_state.PenPos, {x, y}, phase, shape);
  FillPenShape(shape);
  m_state.PenPos = {x, y};
}

void TDeviceContext::PolyLine(std::span<const TPoint> points) {
  int phase = 0;
  std::vector<TRect> shape;
  for (size_t k = 1; k < points.size(); ++k) PenLine(points[k - 1], points[k], phase, shape);
  FillPenShape(shape);
}

// ---------------------------------------------------------------------------
// Rectangles

void TDeviceContext::Rectangle(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const TPen& pen = m_state.Pen;
  TRect interior = rect;
  if (pen.Style != TPenStyle::Clear) {
    const int32_t w = std::max<int32_t>(1, pen.Width);
    if (w == 1 && pen.Style != TPenStyle::Solid) {
      const TPoint outline[] = {{rect.Left, rect.Top},
                                {rect.Right - 1, rect.Top},
                                {rect.Right - 1, rect.Bottom - 1},
                                {rect.Left, rect.Bottom - 1},
                                {rect.Left, rect.Top}};
      PolyLine(outline);
    } else {
      const TRegion ring = TRegion(ToSurface(rect)).Subtracted(TRegion(ToSurface(rect.Inflated(-w, -w))));
      const uint32_t pixel = ColorToPixel(pen.Color);
      for (const TRect& r : ring.Rects()) FillSurface(r, pixel, pen.Mode);
    }
    interior = rect.Inflated(-w, -w);
  }
  if (m_state.Brush.Style == TBrushStyle::Solid)
    FillSurface(ToSurface(interior), ColorToPixel(m_state.Brush.Color), pen.Mode);
}

void TDeviceContext::FillRect(const TRect& rect) {
  if (m_state.Brush.Style == TBrushStyle::Solid) FillRect(rect, m_state.Brush.Color);
}

void TDeviceContext::FillRect(const TRect& rect, TColor color) {
  FillSurface(ToSurface(rect), ColorToPixel(color), TPenMode::Copy);
}

void TDeviceContext::FrameRect(const TRect& rect) { FrameRect(rect, m_state.Brush.Color); }

void TDeviceContext::FrameRect(const TRect& rect, TColor color) {
  if (rect.IsEmpty()) return;
  const TRect r = ToSurface(rect);
  const uint32_t pixel = ColorToPixel(color);
  FillSurface({r.Left, r.Top, r.Right, r.Top + 1}, pixel, TPenMode::Copy);
  FillSurface({r.Left, r.Bottom - 1, r.Right, r.Bottom}, pixel, TPenMode::Copy);
  FillSurface({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, pixel, TPenMode::Copy);
  FillSurface({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1}, pixel, TPenMode::Copy);
}

void TDeviceContext::FillRegion(const TRegion& region, TColor color) {
  const uint32_t pixel = ColorToPixel(color);
  for (const TRect& r : region.Rects()) FillSurface(ToSurface(r), pixel, TPenMode::Copy);
}

void TDeviceContext::InvertRect(const TRect& rect) { FillSurface(ToSurface(rect), 0, TPenMode::Not); }

void TDeviceContext::DrawFocusRect(const TRect& rect) {
  if (rect.IsEmpty()) return;
  const TRect r = ToSurface(rect);
  // Four disjoint pieces, so that no pixel is inverted twice.
  InvertCheckered({r.Left, r.Top, r.Right, r.Top + 1});
  if (r.Bottom - 1 > r.Top) InvertCheckered({r.Left, r.Bottom - 1, r.Right, r.Bottom});
  InvertCheckered({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1});
  if (r.Right - 1 > r.Left) InvertCheckered({r.Right - 1, r.Top + 1, r.Right, r.Bottom - 1});
}

void TDeviceContext::Frame3D(TRect& rect, TColor topLeft, TColor bottomRight, int32_t width) {
  const uint32_t tl = ColorToPixel(topLeft), br = ColorToPixel(bottomRight);
  for (; width > 0 && !rect.IsEmpty(); --width) {
    const TRect r = ToSurface(rect);
    FillSurface({r.Left, r.Top, r.Right - 1, r.Top + 1}, tl, TPenMode::Copy);
    FillSurface({r.Left, r.Top + 1, r.Left + 1, r.Bottom - 1}, tl, TPenMode::Copy);
    FillSurface({r.Right - 1, r.Top, r.Right, r.Bottom - 1}, br, TPenMode::Copy);
    FillSurface({r.Left, r.Bottom - 1, r.Right, r.Bottom}, br, TPenMode::Copy);
    rect.Inflate(-1, -1);
  }
}

TRect TDeviceContext::DrawEdge(const TRect& rect, TEdgeStyle edge, bool fillMiddle) {
  struct TRing {
    TColor TopLeft, BottomRight;
  };
  constexpr TRing kRaisedOuter{cl3DLight, cl3DDkShadow}, kRaisedInner{clBtnHighlight, clBtnShadow},
      kSunkenOuter{clBtnShadow, clBtnHighlight}, kSunkenInner{cl3DDkShadow, cl3DLight};
  std::array<TRing, 2> rings{};
  int count = 2;
  switch (edge) {
    case TEdgeStyle::RaisedOuter: rings[0] = kRaisedOuter; count = 1; break;
    case TEdgeStyle::RaisedInner: rings[0] = kRaisedInner; count = 1; break;
    case TEdgeStyle::SunkenOuter: rings[0] = kSunkenOuter; count = 1; break;
    case TEdgeStyle::SunkenInner: rings[0] = kSunkenInner; count = 1; break;
    case TEdgeStyle::Raised: rings = {kRaisedOuter, kRaisedInner}; break;
    case TEdgeStyle::Sunken: rings = {kSunkenOuter, kSunkenInner}; break;
    case TEdgeStyle::Etched: rings = {kSunkenOuter, kRaisedInner}; break;
    case TEdgeStyle::Bump: rings = {kRaisedOuter, kSunkenInner}; break;
  }
  TRect r = rect;
  for (int k = 0; k < count; ++k) Frame3D(r, rings[k].TopLeft, rings[k].BottomRight, 1);
  if (fillMiddle) FillRect(r, clBtnFace);
  return r;
}

// ---------------------------------------------------------------------------
// Block transfers

void TDeviceContext::BlitSurface(const TRect& dst, const TPixelSurface& src, TPoint srcPos, TRop rop) {
  if (dst.IsEmpty() || src.IsEmpty()) return;
  const TRect srcRect = TRect::FromSize(srcPos.X, srcPos.Y, dst.Width(), dst.Height());
  if (SameMemory(src, m_target) && srcRect.Intersects(dst)) {
    // Reading pixels that earlier clip pieces may have overwritten: copy the
    // source aside first.
    const TBitmap copy = Snapshot(src, srcRect);
    BlitSurface(dst, copy.Surface(), {0, 0}, rop);
    return;
  }
  const int dbpp = m_target.BytesPerPixel(), sbpp = src.BytesPerPixel();
  for (const TRect& v : Visible().Rects()) {
    if (v.Top >= dst.Bottom) break;
    const TRect c = v.Intersected(dst);
    if (c.IsEmpty()) continue;
    const int32_t sx = srcPos.X + (c.Left - dst.Left), sy = srcPos.Y + (c.Top - dst.Top);
    if (rop == TRop::SrcCopy) {
      CopyPixels(m_target, c.Left, c.Top, src, sx, sy, c.Width(), c.Height());
      continue;
    }
    for (int32_t y = 0; y < c.Height(); ++y) {
      uint8_t* d = m_target.PixelAddress(c.Left, c.Top + y);
      const uint8_t* s = src.PixelAddress(sx, sy + y);
      for (int32_t x = 0; x < c.Width(); ++x, d += dbpp, s += sbpp) Store(d, dbpp, ApplyRop(Load(d, dbpp), Load(s, sbpp), rop));
    }
  }
}

void TDeviceContext::BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const TPixelSurface& src, int32_t sx,
                            int32_t sy, TRop rop) {
  if (w <= 0 || h <= 0 || src.IsEmpty()) return;
  const TRect wanted = TRect::FromSize(sx, sy, w, h);
  const TRect s = wanted.Intersected(src.Bounds());
  if (s.IsEmpty()) return;
  const TRect d = ToSurface(TRect::FromSize(x + (s.Left - sx), y + (s.Top - sy), s.Width(), s.Height()));
  BlitSurface(d, src, s.TopLeft(), rop);
}

void TDeviceContext::BitBlt(int32_t x, int32_t y, int32_t w, int32_t h, const TDeviceContext& src, int32_t sx,
                            int32_t sy, TRop rop) {
  const TPoint p = src.LogicalToSurface({sx, sy});
  BitBlt(x, y, w, h, src.m_target, p.X, p.Y, rop);
}

void TDeviceContext::StretchSurface(const TRect& dst, const TPixelSurface& src, const TRect& srcRect, TRop rop,
                                    const std::optional<uint32_t>& transparent) {
  if (dst.IsEmpty() || srcRect.IsEmpty() || src.IsEmpty()) return;
  if (SameMemory(src, m_target)) {
    const TRect part = srcRect.Intersected(src.Bounds());
    if (part.IsEmpty()) return;
    const TBitmap copy = Snapshot(src, part);
    StretchSurface(dst, copy.Surface(), srcRect.Offsetted(-part.Left, -part.Top), rop, transparent);
    return;
  }
  const TRect drawn = dst.Intersected(Visible().Bounds());
  if (drawn.IsEmpty()) return;
  // Source column of every destination column (-1: outside the source).
  std::vector<int32_t> cols(static_cast<size_t>(drawn.Width()));
  const int64_t dw = dst.Width(), dh = dst.Height(), sw = srcRect.Width(), shh = srcRect.Height();
  for (int32_t x = drawn.Left; x < drawn.Right; ++x) {
    const int64_t i = x - dst.Left;
    const int64_t s = srcRect.Left + (2 * i + 1) * sw / (2 * dw);
    cols[x - drawn.Left] = (s >= 0 && s < src.Width) ? static_cast<int32_t>(s) : -1;
  }
  const int dbpp = m_target.BytesPerPixel(), sbpp = src.BytesPerPixel();
  const bool plain = rop == TRop::SrcCopy && !transparent;
  const uint32_t key = transparent ? (*transparent & 0x00FFFFFFu) : 0;
  for (const TRect& v : Visible().Rects()) {
    if (v.Top >= drawn.Bottom) break;
    const TRect c = v.Intersected(drawn);
    if (c.IsEmpty()) continue;
    for (int32_t y = c.Top; y < c.Bottom; ++y) {
      const int64_t j = y - dst.Top;
      const int64_t sy = srcRect.Top + (2 * j + 1) * shh / (2 * dh);
      if (sy < 0 || sy >= src.Height) continue;
      const uint8_t* srow = src.Row(static_cast<int32_t>(sy));
      uint8_t* d = m_target.PixelAddress(c.Left, y);
      const int32_t* map = &cols[c.Left - drawn.Left];
      for (int32_t x = 0; x < c.Width(); ++x, d += dbpp) {
        const int32_t sx = map[x];
        if (sx < 0) continue;
        const uint32_t s = Load(srow + static_cast<ptrdiff_t>(sx) * sbpp, sbpp);
        if (plain) {
          Store(d, dbpp, s);
        } else {
          if (transparent && (s & 0x00FFFFFFu) == key) continue;
          Store(d, dbpp, ApplyRop(Load(d, dbpp), s, rop));
        }
      }
    }
  }
}

void TDeviceContext::StretchBlt(const TRect& dst, const TPixelSurface& src, const TRect& srcRect, TRop rop) {
  StretchSurface(ToSurface(dst), src, srcRect, rop, std::nullopt);
}

void TDeviceContext::StretchBlt(const TRect& dst, const TDeviceContext& src, const TRect& srcRect, TRop rop) {
  const TPoint d = src.m_state.Origin + src.m_deviceOrigin;
  StretchSurface(ToSurface(dst), src.m_target, srcRect.Offsetted(d), rop, std::nullopt);
}

void TDeviceContext::TransparentBlt(const TRect& dst, const TPixelSurface& src, const TRect& srcRect,
                                    TColor transparent) {
  StretchSurface(ToSurface(dst), src, srcRect, TRop::SrcCopy, ColorToPixel(transparent));
}

void TDeviceContext::TransparentBlt(const TRect& dst, const TDeviceContext& src, const TRect& srcRect,
                                    TColor transparent) {
  const TPoint d = src.m_state.Origin + src.m_deviceOrigin;
  StretchSurface(ToSurface(dst), src.m_target, srcRect.Offsetted(d), TRop::SrcCopy, ColorToPixel(transparent));
}

}  // namespace tsm
