#include "skin/TskEffectBmp.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/gfx/DeviceContext.h"

namespace tsm {
namespace {

TskEffectBmp Filled(int w, int h, const std::function<TColor(int, int)>& f) {
  TskEffectBmp b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.SetPixel(x, y, f(x, y));
  return b;
}
TskEffectBmp Plain(int w, int h, TColor c) {
  return Filled(w, h, [c](int, int) { return c; });
}
TColor Grey(int v) { return RGB(uint8_t(v), uint8_t(v), uint8_t(v)); }

TEST(TskEffectBmp, LayoutPadsRowsByWidthModFour) {
  TskEffectBmp b(5, 3);
  EXPECT_EQ(b.RowStep(), 16);
  EXPECT_EQ(b.Size(), 48u);
  b.SetPixel(4, 2, RGB(1, 2, 3));
  EXPECT_EQ(b.Row(2)[12], 3);  // blue first
  EXPECT_EQ(b.Row(2)[14], 1);
  EXPECT_EQ(b.Pixel(4, 2), RGB(1, 2, 3));
  TskEffectBmp flipped(5, 3);
  b.CopyFlipped(flipped);
  EXPECT_EQ(flipped.Pixel(4, 0), RGB(1, 2, 3));
}

TEST(TskEffectBmp, BlendRoundsHalvesToEven) {
  auto a = Filled(2, 1, [](int x, int) { return x == 0 ? Grey(100) : Grey(101); });
  const auto o = Filled(2, 1, [](int x, int) { return x == 0 ? Grey(101) : Grey(102); });
  auto keep = a;
  keep.MorphBlend(o, 0);
  EXPECT_EQ(keep.Pixel(0, 0), Grey(100));
  auto full = a;
  full.MorphBlend(o, 1);
  EXPECT_EQ(full.Pixel(1, 0), Grey(102));
  a.MorphBlend(o, 0.5);
  EXPECT_EQ(a.Pixel(0, 0), Grey(100));  // 100.5 -> 100
  EXPECT_EQ(a.Pixel(1, 0), Grey(102));  // 101.5 -> 102
  // Factors outside 0 ... 1 are limited.
  auto over = Plain(2, 1, Grey(10));
  over.MorphBlend(Plain(2, 1, Grey(20)), 3.0);
  EXPECT_EQ(over.Pixel(0, 0), Grey(20));
}

TEST(TskEffectBmp, MorphsIgnoreImagesOfAnotherSize) {
  const auto other = Plain(4, 3, clWhite);
  for (int kind = 0; kind <= 6; ++kind) {
    auto b = Plain(4, 2, clBlack);
    b.Morph(static_cast<TskMorphKind>(kind), other, 0.5);
    EXPECT_EQ(b.Pixel(0, 0), clBlack) << kind;
    EXPECT_EQ(b.Pixel(3, 1), clBlack) << kind;
  }
}

TEST(TskEffectBmp, HorizontalGradientOpensFromTheMiddle) {
  auto b = Plain(100, 20, Grey(200));
  b.MorphGradient(Plain(100, 20, Grey(100)), 0.5);  // a = 50, d = 25, step 0.04
  for (int x = 25; x <= 75; ++x) EXPECT_EQ(b.Pixel(x, 7), Grey(100)) << x;
  // Left side: t = (25 - x) * 0.04, t = 1 at column 0.
  EXPECT_EQ(b.Pixel(24, 0), Grey(104));
  EXPECT_EQ(b.Pixel(0, 19), Grey(200));
  // Right side: t = (x - 75) * 0.04, 0.96 at column 99.
  EXPECT_EQ(b.Pixel(76, 3), Grey(104));
  EXPECT_EQ(b.Pixel(99, 3), Grey(196));
}

TEST(TskEffectBmp, VerticalGradientForTallImages) {
  auto b = Plain(3, 11, Grey(0));
  b.MorphGradient(Plain(3, 11, Grey(250)), 0.2);
  // b = Round(2.2) = 2, d = (11 - 1 - 2) div 2 = 4, step 0.25, band rows 4 ... 6.
  for (int y = 4; y <= 6; ++y) EXPECT_EQ(b.Pixel(1, y), Grey(250)) << y;
  EXPECT_EQ(b.Pixel(0, 3), Grey(188));  // t 0.25: Round(187.5) = 188
  EXPECT_EQ(b.Pixel(0, 2), Grey(125));  // t 0.5
  EXPECT_EQ(b.Pixel(0, 0), Grey(0));    // t 1
  EXPECT_EQ(b.Pixel(2, 10), Grey(0));   // t 1 (rows 6 ... 10)
}

TEST(TskEffectBmp, SideGradients) {
  auto left = Plain(10, 1, Grey(0));
  left.MorphLeftGradient(Plain(10, 1, Grey(200)), 0.4);  // a = 4, step 0.25
  EXPECT_EQ(left.Pixel(0, 0), Grey(200));
  EXPECT_EQ(left.Pixel(1, 0), Grey(150));
  EXPECT_EQ(left.Pixel(4, 0), Grey(0));
  EXPECT_EQ(left.Pixel(9, 0), Grey(0));

  auto right = Plain(10, 1, Grey(0));
  right.MorphRightGradient(Plain(10, 1, Grey(200)), 0.4);  // a = 6, step 0.25
  EXPECT_EQ(right.Pixel(9, 0), Grey(200));
  EXPECT_EQ(right.Pixel(8, 0), Grey(150));
  EXPECT_EQ(right.Pixel(6, 0), Grey(50));
  EXPECT_EQ(right.Pixel(5, 0), Grey(0));
}

TEST(TskEffectBmp, SlidesAndPush) {
  auto column = [](int x, int) { return Grey(x); };
  auto other = [](int x, int) { return Grey(100 + x); };
  auto zero = Filled(5, 2, column);
  zero.MorphLeftSlide(Filled(5, 2, other), 0);  // still one column
  EXPECT_EQ(zero.Pixel(0, 1), Grey(104));
  EXPECT_EQ(zero.Pixel(1, 1), Grey(1));
  auto one = Filled(5, 2, column);
  one.MorphLeftSlide(Filled(5, 2, other), 1);  // all but the last column
  EXPECT_EQ(one.Pixel(0, 0), Grey(101));
  EXPECT_EQ(one.Pixel(3, 0), Grey(104));
  EXPECT_EQ(one.Pixel(4, 0), Grey(4));

  auto right = Filled(5, 1, column);
  right.MorphRightSlide(Filled(5, 1, other), 0.4);  // b = 2
  EXPECT_EQ(right.Pixel(2, 0), Grey(2));
  EXPECT_EQ(right.Pixel(3, 0), Grey(100));
  EXPECT_EQ(right.Pixel(4, 0), Grey(101));

  auto push = Filled(5, 1, column);
  push.MorphPush(Filled(5, 1, other), 0.4);  // a = 2
  const int expected[] = {102, 103, 104, 0, 1};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(push.Pixel(x, 0), Grey(expected[x])) << x;
}

TEST(TskEffectBmp, InactiveEffects) {
  auto g = Filled(4, 1, [](int x, int) { return x == 0 ? clRed : x == 1 ? clLime : x == 2 ? clBlue : clWhite; });
  g.EffectGrayScale();
  EXPECT_EQ(g.Pixel(0, 0), Grey(76));  // 76.5 rounds to even
  EXPECT_EQ(g.Pixel(1, 0), Grey(150));
  EXPECT_EQ(g.Pixel(2, 0), Grey(28));
  EXPECT_EQ(g.Pixel(3, 0), Grey(255));

  auto b = Filled(2, 1, [](int x, int) { return x == 0 ? clBlack : clWhite; });
  b.EffectBrightness(0.5);
  EXPECT_EQ(b.Pixel(0, 0), Grey(128));  // 127.5 rounds to even
  EXPECT_EQ(b.Pixel(1, 0), Grey(255));

  auto d = Plain(1, 1, RGB(100, 50, 255));
  d.ApplyInactiveEffect(TskInactiveEffect::iedarkness);  // k = 0.3 in extended precision
  EXPECT_EQ(d.Pixel(0, 0), RGB(70, 35, 178));              // 178.5 -> 178

  auto inv = Plain(1, 1, RGB(0, 100, 255));
  inv.EffectInvert();
  EXPECT_EQ(inv.Pixel(0, 0), RGB(255, 155, 0));
}

TEST(TskEffectBmp, NoiseStaysInRangeAndShiftsChannelsAlike) {
  auto b = Plain(64, 64, RGB(128, 130, 132));
  b.EffectNoise(50);
  int lo = 999, hi = -999;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const TColor c = b.Pixel(x, y);
      const int n = GetRValue(c) - 128;
      EXPECT_EQ(GetGValue(c) - 130, n);
      EXPECT_EQ(GetBValue(c) - 132, n);
      lo = std::min(lo, n);
      hi = std::max(hi, n);
    }
  EXPECT_EQ(lo, -25);
  EXPECT_EQ(hi, 24);
  auto same = Plain(2, 2, clWhite);
  same.EffectNoise(0);
  EXPECT_EQ(same.Pixel(1, 1), clWhite);
}

TEST(TskEffectBmp, SplitBlurReadsTheImageAsItStands) {
  auto one = Plain(1, 1, RGB(9, 8, 7));
  one.EffectSplitBlur(1);
  EXPECT_EQ(one.Pixel(0, 0), RGB(9, 8, 7));

  // 3 x 1: no row above or below, so u = v = 0.
  auto row = Filled(3, 1, [](int x, int) { return Grey(x == 0 ? 0 : x == 1 ? 100 : 200); });
  row.EffectSplitBlur(1);
  // x0: l = 0 (own), r = 1: (0 + 0 + 100 + 100) / 4 = 50
  // x1: l = 0 (already 50), r = 2: (50 + 50 + 200 + 200) / 4 = 125
  // x2: l = 1 (already 125), r = 2 (own): (125 + 125 + 200 + 200) / 4 = 162
  EXPECT_EQ(row.Pixel(0, 0), Grey(50));
  EXPECT_EQ(row.Pixel(1, 0), Grey(125));
  EXPECT_EQ(row.Pixel(2, 0), Grey(162));
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST(TskEffectBmp, BitmapsGoInAndOutUnchanged) {
  TBitmap src(5, 2, TPixelFormat::Bgra32);
  src.SetPixel(4, 1, RGB(1, 2, 3));
  TskEffectBmp e(src);
  EXPECT_EQ(e.Pixel(4, 1), RGB(1, 2, 3));
  EXPECT_EQ(e.ToBitmap().GetPixel(4, 1), RGB(1, 2, 3));
  TBitmap target(8, 4);
  target.Fill(clWhite);
  TDeviceContext dc(target);
  e.DrawTo(dc, 3, 2);
  EXPECT_EQ(target.GetPixel(7, 3), RGB(1, 2, 3));
  EXPECT_EQ(target.GetPixel(3, 2), clBlack);
  EXPECT_EQ(target.GetPixel(2, 2), clWhite);
}

}  // namespace
}  // namespace tsm
