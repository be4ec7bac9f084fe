#include "skin/SkinCompose.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/gfx/DeviceContext.h"

namespace tsm {
namespace {

// A picture whose every pixel names its own coordinates.
TColor At(int x, int y) { return RGB(uint8_t(x * 5), uint8_t(y * 5), 77); }
TBitmap CoordinatePicture(int w, int h) {
  TBitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, At(x, y));
  return b;
}

// Reference painter: a grid of expected colours, painted piece by piece by
// the composition rules, one pixel at a time.
struct TReference {
  int W, H;
  std::vector<TColor> px;
  TReference(int w, int h) : W(w), H(h), px(size_t(w) * h, clBlack) {}
  TColor& P(int x, int y) { return px[size_t(y) * W + x]; }
  void Put(int x, int y, TColor c) {
    if (x >= 0 && x < W && y >= 0 && y < H) P(x, y) = c;
  }
  // Copy: destination (dx, dy) takes source (sx + i, sy + j).
  void Copy(const TRect& dst, int sx, int sy) {
    for (int y = dst.Top; y < dst.Bottom; ++y)
      for (int x = dst.Left; x < dst.Right; ++x) Put(x, y, At(sx + x - dst.Left, sy + y - dst.Top));
  }
  // Tiles along x: source column = sx + (x - p) mod s.
  void TileX(const TRect& dst, int sx, int sy, int s) {
    if (s <= 0) return;
    for (int y = dst.Top; y < dst.Bottom; ++y)
      for (int x = dst.Left; x < dst.Right; ++x) Put(x, y, At(sx + (x - dst.Left) % s, sy + y - dst.Top));
  }
  void TileY(const TRect& dst, int sx, int sy, int s) {
    if (s <= 0) return;
    for (int y = dst.Top; y < dst.Bottom; ++y)
      for (int x = dst.Left; x < dst.Right; ++x) Put(x, y, At(sx + x - dst.Left, sy + (y - dst.Top) % s));
  }
  void TileXY(const TRect& dst, int sx, int sy, int sw, int sh) {
    for (int y = dst.Top; y < dst.Bottom; ++y)
      for (int x = dst.Left; x < dst.Right; ++x)
        Put(x, y, At(sx + (x - dst.Left) % sw, sy + (y - dst.Top) % sh));
  }
};

void ExpectSame(const TBitmap& b, TReference& ref) {
  ASSERT_EQ(b.Width(), ref.W);
  ASSERT_EQ(b.Height(), ref.H);
  int bad = 0;
  for (int y = 0; y < ref.H; ++y)
    for (int x = 0; x < ref.W; ++x)
      if (b.GetPixel(x, y) != ref.P(x, y) && ++bad < 5) ADD_FAILURE() << "pixel " << x << "," << y;
  EXPECT_EQ(bad, 0);
}

TEST(SkinCompose, LayoutForSizeKeepsDistancesToTheNearerEdges) {
  const TskFrameLayout s{{4, 5}, {11, 6}, {5, 9}, {12, 8}, {3, 4, 13, 11}};
  const TskFrameLayout d = LayoutForSize(s, {16, 14}, {29, 23});
  EXPECT_EQ(d.LeftTop, TPoint(4, 5));
  EXPECT_EQ(d.RightTop, TPoint(24, 6));
  EXPECT_EQ(d.LeftBottom, TPoint(5, 18));
  EXPECT_EQ(d.RightBottom, TPoint(25, 17));
  EXPECT_EQ(d.Client, TRect(3, 4, 26, 20));
  EXPECT_EQ(LayoutForSize(s, {16, 14}, {29, 23}, TskGrowth::WidthOnly).LeftBottom, TPoint(5, 9));
  EXPECT_EQ(LayoutForSize(s, {16, 14}, {29, 23}, TskGrowth::HeightOnly).RightTop, TPoint(11, 6));
}

TEST(SkinCompose, FrameImageMatchesThePieceRules) {
  const TBitmap src = CoordinatePicture(20, 16);
  const TRect r{2, 1, 18, 15};  // 16 x 14
  const TskFrameLayout s{{4, 5}, {11, 6}, {5, 9}, {12, 8}, {3, 4, 13, 11}};
  const int W = 29, H = 23;
  const TskFrameLayout d = LayoutForSize(s, r.Size(), {W, H});
  TBitmap dst;
  ComposeFrameImage(src, r, s, dst, W, H, d, true);

  TReference ref(W, H);
  const int ox = r.Left, oy = r.Top, rw = r.Width(), rh = r.Height();
  const TRect& cl = s.Client;
  const TRect& ncl = d.Client;
  ref.TileX({d.LeftTop.X, 0, d.RightTop.X, ncl.Top}, ox + s.LeftTop.X, oy, s.RightTop.X - s.LeftTop.X);
  ref.TileX({d.LeftBottom.X, ncl.Bottom, d.RightBottom.X, H}, ox + s.LeftBottom.X, oy + cl.Bottom,
            s.RightBottom.X - s.LeftBottom.X);
  ref.TileY({0, d.LeftTop.Y, ncl.Left, d.LeftBottom.Y}, ox, oy + s.LeftTop.Y, s.LeftBottom.Y - s.LeftTop.Y);
  ref.TileY({ncl.Right, d.RightTop.Y, W, d.RightBottom.Y}, ox + cl.Right, oy + s.RightTop.Y,
            s.RightBottom.Y - s.RightTop.Y);
  ref.Copy({0, 0, d.LeftTop.X, ncl.Top}, ox, oy);                                          // a
  ref.Copy({0, ncl.Top, ncl.Left, d.LeftTop.Y}, ox, oy + cl.Top);                          // b
  ref.Copy({d.RightTop.X, 0, W, ncl.Top}, ox + s.RightTop.X, oy);                          // c
  ref.Copy({ncl.Right, ncl.Top, W, d.RightTop.Y}, ox + cl.Right, oy + cl.Top);             // d
  ref.Copy({0, d.LeftBottom.Y, ncl.Left, H}, ox, oy + s.LeftBottom.Y);                     // e
  ref.Copy({ncl.Left, ncl.Bottom, d.LeftBottom.X, H}, ox + cl.Left, oy + cl.Bottom);       // f
  ref.Copy({d.RightBottom.X, ncl.Bottom, W, H}, ox + s.RightBottom.X, oy + cl.Bottom);     // g
  ref.Copy({ncl.Right, d.RightBottom.Y, W, ncl.Bottom}, ox + cl.Right, oy + s.RightBottom.Y);  // h
  ref.TileXY(ncl, ox + cl.Left, oy + cl.Top, cl.Width(), cl.Height());
  (void)rw;
  (void)rh;
  ExpectSame(dst, ref);

  // Without the client flag the client area keeps what the edges left there.
  TBitmap noClient;
  ComposeFrameImage(src, r, s, noClient, W, H, d, false);
  EXPECT_EQ(noClient.GetPixel(10, 10), clBlack);
}

TEST(SkinCompose, StretchedEdgesTakeOneSourcePixelEach) {
  const TBitmap src = CoordinatePicture(20, 16);
  const TRect r{0, 0, 16, 14};
  const TskFrameLayout s{{4, 5}, {11, 6}, {5, 9}, {12, 8}, {3, 4, 13, 11}};
  const TskFrameLayout d = LayoutForSize(s, r.Size(), {30, 14});
  TBitmap dst;
  ComposeFrameImage(src, r, s, dst, 30, 14, d, false, {false, true, false, false});
  // Top edge: 7 source columns (4 ... 10) stretched over 21 (4 ... 24).
  for (int i = 0; i < 21; ++i) {
    const int sx = 4 + (2 * i + 1) * 7 / (2 * 21);
    EXPECT_EQ(dst.GetPixel(4 + i, 2), At(sx, 2)) << i;
  }
}

TEST(SkinCompose, NoCornerLayoutOrNoPictureDrawsNothing) {
  const TBitmap src = CoordinatePicture(20, 16);
  const TskFrameLayout flat{{4, 5}, {11, 6}, {5, 9}, {4, 8}, {3, 4, 13, 11}};
  TBitmap dst;
  ComposeFrameImage(src, {0, 0, 16, 14}, flat, dst, 40, 30, flat, true);
  EXPECT_EQ(dst.Width(), 40);
  EXPECT_EQ(dst.Height(), 30);
  EXPECT_EQ(dst.GetPixel(0, 0), clBlack);
  const TskFrameLayout s{{4, 5}, {11, 6}, {5, 9}, {12, 8}, {3, 4, 13, 11}};
  ComposeFrameImage(TBitmap(), {0, 0, 16, 14}, s, dst, 20, 10, s, true);
  EXPECT_EQ(dst.Size(), TSize(20, 10));
}

TEST(SkinCompose, HorizontalImageOfTheSixtyByTwentyButton) {
  // Skin rect 60 x 20, left piece 12 (LT.x), right piece 60 - 46 = 14.
  const TBitmap src = CoordinatePicture(60, 20);
  TBitmap dst;
  ComposeHorizontalImage(src, {0, 0, 60, 20}, 12, 14, dst, 100);
  ASSERT_EQ(dst.Size(), TSize(100, 20));
  for (int x = 0; x < 100; ++x) {
    int sx;
    if (x < 12) sx = x;                      // left piece
    else if (x >= 86) sx = 46 + (x - 86);    // right piece
    else sx = 12 + (x - 12) % 34;            // tiles at 12, 46, and 80 cut to 6
    EXPECT_EQ(dst.GetPixel(x, 7), At(sx, 7)) << x;
  }
  // Open right: the middle (still cut at 46) runs to the end.
  ComposeHorizontalOpenRightImage(src, {0, 0, 60, 20}, 12, 14, dst, 100);
  EXPECT_EQ(dst.GetPixel(99, 3), At(12 + (99 - 12) % 34, 3));
}

TEST(SkinCompose, TilingStopsExactlyAtTheSpanEnd) {
  const TBitmap src = CoordinatePicture(10, 4);
  TBitmap dst(30, 4);
  dst.Fill(clWhite);
  TDeviceContext dc(dst);
  TileHorizontal(dc, src, {2, 0, 7, 4}, 3, 13, 0, 4);  // exactly two tiles of 5
  EXPECT_EQ(dst.GetPixel(2, 1), clWhite);
  EXPECT_EQ(dst.GetPixel(3, 1), At(2, 1));
  EXPECT_EQ(dst.GetPixel(8, 1), At(2, 1));
  EXPECT_EQ(dst.GetPixel(12, 1), At(6, 1));
  EXPECT_EQ(dst.GetPixel(13, 1), clWhite);
  TileHorizontal(dc, src, {2, 0, 7, 4}, 20, 20, 0, 4);  // empty span
  TileHorizontal(dc, src, {2, 0, 7, 4}, 25, 20, 0, 4);  // negative span
  TileHorizontal(dc, src, {2, 0, 2, 4}, 20, 25, 0, 4);  // extent 0
  for (int x = 13; x < 30; ++x) EXPECT_EQ(dst.GetPixel(x, 0), clWhite) << x;
}

TEST(SkinCompose, VerticalImage) {
  const TBitmap src = CoordinatePicture(8, 20);
  TBitmap dst;
  ComposeVerticalImage(src, {1, 2, 7, 12}, 3, 2, dst, 25);  // middle rows 5 ... 9 (5 high)
  ASSERT_EQ(dst.Size(), TSize(6, 25));
  for (int y = 0; y < 25; ++y) {
    int sy;
    if (y < 3) sy = 2 + y;
    else if (y >= 23) sy = 10 + (y - 23);
    else sy = 5 + (y - 3) % 5;
    EXPECT_EQ(dst.GetPixel(4, y), At(5, sy)) << y;
  }
}

TEST(SkinCompose, BorderStripsAroundTheClientArea) {
  const TBitmap src = CoordinatePicture(20, 16);  // the whole picture is R
  const TskFrameLayout s{{4, 3}, {15, 3}, {4, 12}, {15, 12}, {2, 3, 18, 13}};
  const int W = 31, H = 26;
  const TskFrameLayout d = LayoutForSize(s, src.Size(), {W, H});
  const TskFrameStrips strips = BuildFrameBorderStrips(src, s, W, H, d);
  EXPECT_EQ(strips.Top.Size(), TSize(W, 3));
  EXPECT_EQ(strips.Bottom.Size(), TSize(W, 3));
  EXPECT_EQ(strips.Left.Size(), TSize(2, 20));
  EXPECT_EQ(strips.Right.Size(), TSize(2, 20));
  // Top: left piece, middle tiled from x 0 (11 wide), right piece from NRT.x.
  EXPECT_EQ(strips.Top.GetPixel(1, 1), At(1, 1));
  EXPECT_EQ(strips.Top.GetPixel(12, 1), At(4 + 12 % 11, 1));
  EXPECT_EQ(strips.Top.GetPixel(W - 1, 2), At(19, 2));
  // Bottom strip rows come from the picture's last rows.
  EXPECT_EQ(strips.Bottom.GetPixel(0, 0), At(0, 13));
  // Left strip: middle (rows 3 ... 11, 9 high) tiled from the strip's top.
  EXPECT_EQ(strips.Left.GetPixel(1, 10), At(1, 3 + 10 % 9));
  // Right strip from the picture columns right of the client.
  EXPECT_EQ(strips.Right.GetPixel(0, 0), At(18, 3));
  // A frame without a top band gives an empty top strip.
  TskFrameLayout noTop = d;
  noTop.Client.Top = 0;
  EXPECT_TRUE(BuildFrameBorderStrips(src, s, W, H, noTop).Top.IsEmpty());
}

}  // namespace
}  // namespace tsm
