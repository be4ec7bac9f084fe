#include "platform/gfx/DeviceContext.h"

#include <gtest/gtest.h>

#include <set>

namespace tsm {
namespace {

// Positions of the pixels that differ from the background colour.
std::set<std::pair<int, int>> Painted(const TBitmap& b, TColor background = clWhite) {
  std::set<std::pair<int, int>> out;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != background) out.insert({x, y});
  return out;
}

TBitmap White(int w, int h, TPixelFormat f = TPixelFormat::Bgr24) {
  TBitmap b(w, h, f);
  b.Fill(clWhite);
  return b;
}

TEST(DCLines, EndPointIsExcluded) {
  TBitmap b = White(20, 20);
  TDeviceContext dc(b);
  dc.MoveTo(2, 3);
  dc.LineTo(7, 3);
  EXPECT_EQ(dc.PenPos(), TPoint(7, 3));
  EXPECT_EQ(Painted(b), (std::set<std::pair<int, int>>{{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}));

  b.Fill(clWhite);
  dc.MoveTo(5, 9);
  dc.LineTo(5, 6);  // upwards
  EXPECT_EQ(Painted(b), (std::set<std::pair<int, int>>{{5, 9}, {5, 8}, {5, 7}}));

  b.Fill(clWhite);
  dc.MoveTo(8, 1);
  dc.LineTo(4, 5);  // 45 degrees, as the close glyph draws
  EXPECT_EQ(Painted(b), (std::set<std::pair<int, int>>{{8, 1}, {7, 2}, {6, 3}, {5, 4}}));

  b.Fill(clWhite);
  dc.MoveTo(3, 3);
  dc.LineTo(3, 3);  // zero length draws nothing
  EXPECT_TRUE(Painted(b).empty());
}

TEST(DCLines, PolyLineExcludesOnlyTheLastPoint) {
  TBitmap b = White(10, 10);
  TDeviceContext dc(b);
  const TPoint pts[] = {{1, 1}, {4, 1}, {4, 4}};
  dc.PolyLine(pts);
  EXPECT_EQ(Painted(b), (std::set<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}}));
}

TEST(DCLines, DottedPenDrawsThreeOnThreeOff) {
  TBitmap b = White(20, 3);
  TDeviceContext dc(b);
  dc.SetPen({clBlack, 1, TPenStyle::Dot});
  dc.MoveTo(0, 1);
  dc.LineTo(14, 1);
  std::string seen;
  for (int x = 0; x < 15; ++x) seen += b.GetPixel(x, 1) == clBlack ? '#' : '.';
  EXPECT_EQ(seen, "###...###...##.");
}

TEST(DCLines, XorAndNotModesUndoThemselves) {
  TBitmap b(16, 16, TPixelFormat::Bgra32);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) b.SetPixel(x, y, RGB(uint8_t(x * 16), uint8_t(y * 16), 77));
  const TBitmap before = b;
  TDeviceContext dc(b);
  dc.SetPen({RGB(255, 0, 255), 1, TPenStyle::Solid, TPenMode::Xor});
  dc.MoveTo(0, 5);
  dc.LineTo(16, 5);
  EXPECT_EQ(b.GetPixel(3, 5), RGB(uint8_t(48 ^ 255), 80, 77 ^ 255));
  dc.MoveTo(0, 5);
  dc.LineTo(16, 5);
  EXPECT_TRUE(b.SamePixels(before));

  dc.SetPen({clBlack, 3, TPenStyle::Solid, TPenMode::Not});  // a wide sizing line
  dc.MoveTo(8, 0);
  dc.LineTo(8, 16);
  EXPECT_EQ(b.GetPixel(7, 4), RGB(uint8_t(255 - 112), uint8_t(255 - 64), 255 - 77));
  EXPECT_EQ(b.GetPixel(10, 4), before.GetPixel(10, 4));
  dc.MoveTo(8, 0);
  dc.LineTo(8, 16);
  EXPECT_TRUE(b.SamePixels(before)) << "each pixel of a wide line must be inverted exactly once";

  // The same for the joints of a wide poly-line (a sizing rectangle).
  const TPoint frame[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {2, 2}};
  dc.PolyLine(frame);
  EXPECT_NE(b.GetPixel(12, 2), before.GetPixel(12, 2));
  EXPECT_NE(b.GetPixel(2, 12), before.GetPixel(2, 12));
  dc.PolyLine(frame);
  EXPECT_TRUE(b.SamePixels(before));
}

TEST(DCClip, OriginOffsetAndClipRectangles) {
  TBitmap b = White(40, 30);
  TDeviceContext dc(b);
  dc.SetDeviceOrigin({10, 5});  // the window system places a child window
  dc.SetOrigin({-3, -2});       // painting code shifts its logical origin
  EXPECT_EQ(dc.LogicalToSurface({0, 0}), TPoint(7, 3));
  dc.IntersectClipRect({5, 5, 15, 10});  // logical -> surface (12,8)-(22,13)
  dc.FillRect({0, 0, 100, 100}, clRed);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= 12 && x < 22 && y >= 8 && y < 13;
      ASSERT_EQ(b.GetPixel(x, y) == clRed, inside) << x << "," << y;
    }
  EXPECT_EQ(dc.ClipBox(), TRect(5, 5, 15, 10));
  EXPECT_TRUE(dc.PtVisible(5, 5));
  EXPECT_FALSE(dc.PtVisible(15, 5));
  // Moving the logical origin afterwards does not move the clip.
  dc.SetOrigin({0, 0});
  EXPECT_EQ(dc.ClipBox(), TRect(2, 3, 12, 8));
}

TEST(DCClip, ExcludeSystemClipAndSaveRestore) {
  TBitmap b = White(20, 20);
  TDeviceContext dc(b);
  const TRegion system(TRect{0, 0, 10, 20});
  dc.SetSystemClip(&system);
  {
    TDCStateGuard guard(dc);
    dc.ExcludeClipRect({2, 2, 4, 4});
    dc.MoveOrigin(1, 0);
    dc.SetBrushColor(clBlue);
    dc.FillRect({0, 0, 20, 20});
    EXPECT_EQ(b.GetPixel(0, 0), clWhite);   // left of the shifted fill
    EXPECT_EQ(b.GetPixel(1, 0), clBlue);
    EXPECT_EQ(b.GetPixel(2, 2), clWhite);   // excluded
    EXPECT_EQ(b.GetPixel(3, 3), clWhite);
    EXPECT_EQ(b.GetPixel(4, 4), clBlue);
    EXPECT_EQ(b.GetPixel(9, 19), clBlue);
    EXPECT_EQ(b.GetPixel(10, 0), clWhite);  // outside the system clip
  }
  EXPECT_EQ(dc.Origin(), TPoint(0, 0));
  EXPECT_EQ(dc.Brush().Color, clWhite);
  EXPECT_FALSE(dc.ClipRegion().has_value());
  dc.FillRect({0, 0, 20, 20}, clGreen);
  EXPECT_EQ(b.GetPixel(2, 2), clGreen);   // exclusion gone
  EXPECT_EQ(b.GetPixel(10, 0), clWhite);  // system clip stays
  dc.SetSystemClip(nullptr);
  EXPECT_TRUE(dc.PtVisible(19, 19));
}

TEST(DCState, NestedSaveAndRestoreLevels) {
  TDeviceContext dc;
  EXPECT_FALSE(dc.RestoreDC());
  const int first = dc.SaveDC();
  dc.SetTextColor(clRed);
  dc.SaveDC();
  dc.SetTextColor(clBlue);
  dc.SaveDC();
  EXPECT_EQ(dc.SaveDepth(), 3);
  EXPECT_TRUE(dc.RestoreDC(first));  // drops the later ones too
  EXPECT_EQ(dc.SaveDepth(), 0);
  EXPECT_EQ(dc.TextColor(), clBlack);
  EXPECT_FALSE(dc.RestoreDC(1));
}

TEST(DCRectangles, RectangleFrameAndFill) {
  TBitmap b = White(10, 10);
  TDeviceContext dc(b);
  dc.SetPen({clBlack});
  dc.SetBrushColor(clYellow);
  dc.Rectangle({1, 1, 6, 5});
  EXPECT_EQ(b.GetPixel(1, 1), clBlack);
  EXPECT_EQ(b.GetPixel(5, 4), clBlack);
  EXPECT_EQ(b.GetPixel(6, 4), clWhite);
  EXPECT_EQ(b.GetPixel(2, 2), clYellow);
  EXPECT_EQ(b.GetPixel(4, 3), clYellow);

  dc.SetBrush({clWhite, TBrushStyle::Clear});
  dc.SetPen({clRed});
  dc.Rectangle({1, 1, 6, 5});
  EXPECT_EQ(b.GetPixel(2, 2), clYellow);  // interior kept
  EXPECT_EQ(b.GetPixel(1, 4), clRed);

  b.Fill(clWhite);
  dc.FrameRect({2, 2, 5, 6}, clGreen);
  std::set<std::pair<int, int>> frame;
  for (int y = 2; y < 6; ++y)
    for (int x = 2; x < 5; ++x)
      if (x == 2 || x == 4 || y == 2 || y == 5) frame.insert({x, y});
  EXPECT_EQ(Painted(b), frame);
}

TEST(DCRectangles, Frame3DCornerOwnership) {
  TBitmap b = White(8, 8);
  TDeviceContext dc(b);
  TRect r{1, 1, 7, 6};
  dc.Frame3D(r, clBtnHighlight, clBtnShadow, 2);
  EXPECT_EQ(r, TRect(3, 3, 5, 4));
  const TColor hi = RGB(255, 255, 255), sh = RGB(128, 128, 128);
  EXPECT_EQ(b.GetPixel(1, 1), hi);  // top-left corner
  EXPECT_EQ(b.GetPixel(5, 1), hi);
  EXPECT_EQ(b.GetPixel(6, 1), sh);  // top-right corner belongs to the bottom-right colour
  EXPECT_EQ(b.GetPixel(1, 5), sh);  // bottom-left corner too
  EXPECT_EQ(b.GetPixel(1, 4), hi);
  EXPECT_EQ(b.GetPixel(6, 5), sh);
  EXPECT_EQ(b.GetPixel(2, 2), hi);  // second ring
  EXPECT_EQ(b.GetPixel(5, 4), sh);
  EXPECT_EQ(b.GetPixel(3, 3), clWhite);

  b.Fill(clWhite);
  const TRect inner = dc.DrawEdge({0, 0, 8, 8}, TEdgeStyle::Sunken, true);
  EXPECT_EQ(inner, TRect(2, 2, 6, 6));
  EXPECT_EQ(b.GetPixel(0, 0), RGB(128, 128, 128));  // clBtnShadow outer top-left
  EXPECT_EQ(b.GetPixel(7, 7), RGB(255, 255, 255));  // clBtnHighlight outer bottom-right
  EXPECT_EQ(b.GetPixel(1, 1), RGB(0, 0, 0));        // cl3DDkShadow inner top-left
  EXPECT_EQ(b.GetPixel(6, 6), RGB(192, 192, 192));  // cl3DLight inner bottom-right
  EXPECT_EQ(b.GetPixel(3, 3), RGB(192, 192, 192));  // clBtnFace middle
}

TEST(DCRectangles, FocusRectangleIsACheckeredXorFrame) {
  TBitmap b(12, 12, TPixelFormat::Bgra32);
  b.Fill(clSilver);
  const TBitmap before = b;
  TDeviceContext dc(b);
  dc.DrawFocusRect({2, 2, 9, 8});
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool onFrame = x >= 2 && x < 9 && y >= 2 && y < 8 && (x == 2 || x == 8 || y == 2 || y == 7);
      const bool inverted = onFrame && (x + y) % 2 == 0;
      ASSERT_EQ(b.GetPixel(x, y), inverted ? RGB(63, 63, 63) : clSilver) << x << "," << y;
    }
  dc.DrawFocusRect({2, 2, 9, 8});
  EXPECT_TRUE(b.SamePixels(before));
}

TEST(DCBlit, BlockCopyClipsToTheSourceAndConvertsFormats) {
  TBitmap src(4, 4, TPixelFormat::Bgr24);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.SetPixel(x, y, RGB(uint8_t(x * 50), uint8_t(y * 50), 9));
  TBitmap dst = White(10, 10, TPixelFormat::Bgra32);
  TDeviceContext dc(dst);
  dc.BitBlt(5, 5, 6, 6, src.Surface(), 2, 2);  // only a 2x2 block exists there
  EXPECT_EQ(dst.GetPixel(5, 5), RGB(100, 100, 9));
  EXPECT_EQ(dst.GetPixel(6, 6), RGB(150, 150, 9));
  EXPECT_EQ(dst.GetPixel(7, 7), clWhite);
  EXPECT_EQ(dst.ScanLine(5)[5 * 4 + 3], 255);

  dc.BitBlt(0, 0, 2, 2, src.Surface(), -1, -1);  // source starts outside
  EXPECT_EQ(dst.GetPixel(0, 0), clWhite);
  EXPECT_EQ(dst.GetPixel(1, 1), RGB(0, 0, 9));
}

TEST(DCBlit, ScrollingInsideOneSurfaceWithAClipOfSeveralBands) {
  TBitmap b(8, 8, TPixelFormat::Bgra32);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) b.SetPixel(x, y, RGB(uint8_t(x), uint8_t(y), 0));
  TDeviceContext dc(b);
  // A clip made of two bands, so the copy is done in several pieces.
  dc.SelectClipRegion(nullptr);
  TRegion clip = TRegion::FromRects(std::vector<TRect>{{0, 0, 8, 4}, {0, 4, 5, 8}});
  dc.SelectClipRegion(&clip);
  dc.BitBlt(0, 1, 8, 7, dc, 0, 0);  // scroll down by one row
  for (int y = 1; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const TColor expect = clip.Contains(x, y) ? RGB(uint8_t(x), uint8_t(y - 1), 0) : RGB(uint8_t(x), uint8_t(y), 0);
      ASSERT_EQ(b.GetPixel(x, y), expect) << x << "," << y;
    }
}

TEST(DCBlit, StretchPicksTheSourcePixelUnderEachCentre) {
  TBitmap src(3, 2, TPixelFormat::Bgr24);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) src.SetPixel(x, y, RGB(uint8_t(x), uint8_t(y), 0));
  TBitmap dst = White(12, 6, TPixelFormat::Bgra32);
  TDeviceContext dc(dst);
  dc.StretchBlt({0, 0, 6, 4}, src.Surface(), {0, 0, 3, 2});  // 2x
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(dst.GetPixel(x, y), RGB(uint8_t(x / 2), uint8_t(y / 2), 0));
  EXPECT_EQ(dst.GetPixel(6, 0), clWhite);

  // Downscale 6 -> 3 of a 6-wide source row: centres fall on columns 1, 3, 5.
  TBitmap row(6, 1, TPixelFormat::Bgr24);
  for (int x = 0; x < 6; ++x) row.SetPixel(x, 0, RGB(uint8_t(x), 0, 0));
  dc.StretchBlt({0, 5, 3, 6}, row.Surface(), {0, 0, 6, 1});
  EXPECT_EQ(dst.GetPixel(0, 5), RGB(1, 0, 0));
  EXPECT_EQ(dst.GetPixel(1, 5), RGB(3, 0, 0));
  EXPECT_EQ(dst.GetPixel(2, 5), RGB(5, 0, 0));
}

TEST(DCBlit, TransparentCopySkipsTheKeyColour) {
  TBitmap src(3, 1, TPixelFormat::Bgr24);
  src.SetPixel(0, 0, clFuchsia);
  src.SetPixel(1, 0, clNavy);
  src.SetPixel(2, 0, clFuchsia);
  TBitmap dst = White(6, 2);
  TDeviceContext dc(dst);
  dc.TransparentBlt({0, 0, 3, 1}, src.Surface(), {0, 0, 3, 1}, clFuchsia);
  EXPECT_EQ(dst.GetPixel(0, 0), clWhite);
  EXPECT_EQ(dst.GetPixel(1, 0), clNavy);
  EXPECT_EQ(dst.GetPixel(2, 0), clWhite);
  dc.TransparentBlt({0, 1, 6, 2}, src.Surface(), {0, 0, 3, 1}, clFuchsia);  // stretched 2x
  EXPECT_EQ(Painted(dst), (std::set<std::pair<int, int>>{{1, 0}, {2, 1}, {3, 1}}));
}

TEST(DCRegion, FillRegionFollowsOriginAndClip) {
  TBitmap b = White(20, 20);
  TDeviceContext dc(b);
  dc.SetOrigin({2, 3});
  dc.IntersectClipRect({0, 0, 6, 20});
  const TRegion shape = TRegion::FromRects(std::vector<TRect>{{0, 0, 3, 3}, {5, 5, 10, 7}});
  dc.FillRegion(shape, clRed);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool expect = shape.Contains(x - 2, y - 3) && x - 2 < 6;
      ASSERT_EQ(b.GetPixel(x, y) == clRed, expect) << x << "," << y;
    }
}

TEST(DCTarget, EmptyContextDrawsNothing) {
  TDeviceContext dc;
  dc.FillRect({0, 0, 10, 10}, clRed);
  dc.LineTo(5, 5);
  EXPECT_EQ(dc.GetPixel(0, 0), clNone);
  EXPECT_TRUE(dc.ClipBox().IsEmpty());
}

}  // namespace
}  // namespace tsm
