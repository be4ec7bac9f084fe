#include "skin/SkinRegion.h"

#include "platform/gfx/DeviceContext.h"
#include "skin/TskFBitmap.h"

namespace tsm {

namespace {

void PutI32(std::vector<uint8_t>& b, size_t at, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(u >> (8 * i));
}

}  // namespace

std::vector<uint8_t> BuildRegionData(const TBitmap& mask, int32_t x0, int32_t y0) {
  if (mask.IsEmpty()) return {};
  const TskFBitmap bits(mask);
  const int32_t w = bits.Width(), h = bits.Height();
  // The run list grows as needed (no fixed capacity).
  std::vector<TRect> runs;
  runs.reserve(1024);
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* row = bits.Rows()[size_t(y)];
    int32_t x = 0;
    while (x < w) {
      while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) != 0) ++x;
      if (x >= w) break;
      const int32_t x1 = x;
      while (x < w && (row[3 * x] | row[3 * x + 1] | row[3 * x + 2]) == 0) ++x;
      runs.push_back({x0 + x1, y0 + y, x0 + x, y0 + y + 1});
    }
  }
  std::vector<uint8_t> data(32 + 16 * runs.size(), 0);
  PutI32(data, 0, 32);
  PutI32(data, 4, 1);
  PutI32(data, 8, static_cast<int32_t>(runs.size()));
  PutI32(data, 12, 0);
  PutI32(data, 16, x0);
  PutI32(data, 20, y0);
  PutI32(data, 24, x0 + w);
  PutI32(data, 28, y0 + h);
  for (size_t i = 0; i < runs.size(); ++i) {
    PutI32(data, 32 + 16 * i, runs[i].Left);
    PutI32(data, 36 + 16 * i, runs[i].Top);
    PutI32(data, 40 + 16 * i, runs[i].Right);
    PutI32(data, 44 + 16 * i, runs[i].Bottom);
  }
  return data;
}

std::optional<TRegion> RegionFromMask(const TBitmap& mask) {
  const std::vector<uint8_t> data = BuildRegionData(mask, 0, 0);
  if (data.empty()) return std::nullopt;
  return TRegion::FromRegionData(data);
}

TskMaskStrips BuildFrameMaskStrips(const TBitmap& mask, const TskFrameLayout& s, const TRect& c, int32_t w,
                                   [[maybe_unused]] int32_t h, const TskFrameLayout& d, const TRect& nc) {
  TskMaskStrips out;
  const int32_t mw = mask.Width(), mh = mask.Height();
  const int32_t sh = nc.Height();

  // Left and right strips: the edge piece tiled from the strip's top, then
  // the pieces above and below it copied to the strip's ends.
  auto side = [&](TBitmap& strip, int32_t left, int32_t right, int32_t topY, int32_t bottomY) {
    strip.SetSize(right - left, sh);
    TDeviceContext dc(strip);
    const int32_t sw = right - left;
    if (bottomY != topY) TileVertical(dc, mask, {left, topY, right, bottomY}, 0, sh, 0, sw);
    if (topY > c.Top) CopyPiece(dc, {0, 0, sw, topY - c.Top}, mask, {left, c.Top, right, topY});
    if (c.Bottom > bottomY) CopyPiece(dc, {0, sh - (c.Bottom - bottomY), sw, sh}, mask, {left, bottomY, right, c.Bottom});
  };
  if (c.Left > 0 && sh > 0) side(out.Left, 0, c.Left, s.LeftTop.Y, s.LeftBottom.Y);
  if (mw - c.Right > 0 && sh > 0) side(out.Right, c.Right, mw, s.RightTop.Y, s.RightBottom.Y);

  if (w > 0 && c.Top > 0) {
    out.Top.SetSize(w, c.Top);
    TDeviceContext dc(out.Top);
    if (s.RightTop.X != s.LeftTop.X)
      TileHorizontal(dc, mask, {s.LeftTop.X, 0, s.RightTop.X, c.Top}, d.LeftTop.X, d.RightTop.X, 0, c.Top);
    CopyPiece(dc, {0, 0, s.LeftTop.X, c.Top}, mask, {0, 0, s.LeftTop.X, c.Top});
    CopyPiece(dc, {d.RightTop.X, 0, w, c.Top}, mask, {s.RightTop.X, 0, mw, c.Top});
  }

  const int32_t bh = mh - c.Bottom;
  if (w >= 1 && bh >= 1) {
    out.Bottom.SetSize(w, bh);
    TDeviceContext dc(out.Bottom);
    if (s.RightBottom.X != s.LeftBottom.X)
      TileHorizontal(dc, mask, {s.LeftBottom.X, c.Bottom, s.RightBottom.X, mh}, d.LeftBottom.X, d.RightBottom.X, 0,
                     bh);
    CopyPiece(dc, {0, 0, s.LeftBottom.X, bh}, mask, {0, c.Bottom, s.LeftBottom.X, mh});
    CopyPiece(dc, {d.RightBottom.X, 0, w, bh}, mask, {s.RightBottom.X, c.Bottom, mw, mh});
  }
  return out;
}

std::optional<TRegion> BuildFrameRegion(const TBitmap& mask, const TskFrameLayout& s, const TRect& c, int32_t w,
                                        int32_t h, const TskFrameLayout& d, const TRect& nc) {
  if (d.RightTop.X < d.LeftTop.X || d.LeftBottom.Y < d.LeftTop.Y) return std::nullopt;
  const TskMaskStrips strips = BuildFrameMaskStrips(mask, s, c, w, h, d, nc);
  if (nc.IsEmpty()) return std::nullopt;
  TRegion region(nc);
  auto add = [&region](const TBitmap& strip, int32_t x, int32_t y) {
    if (strip.IsEmpty()) return;
    if (auto r = TRegion::FromRegionData(BuildRegionData(strip, x, y))) region.Union(*r);
  };
  add(strips.Top, 0, 0);
  add(strips.Bottom, 0, nc.Bottom);
  add(strips.Left, 0, nc.Top);
  add(strips.Right, nc.Right, nc.Top);
  return region;
}

}  // namespace tsm
