// The icon's pixels at places the geometry decides: transparent outside the
// rounded square, its top and bottom colours, the white triangle, the film
// holes at 60 % white over the blue, smooth edges.

#include "app/icon/TesmaroIcon.h"

#include <gtest/gtest.h>

namespace tsm {
namespace {

struct TPixel {
  int b, g, r, a;
};

TPixel At(const TBitmap& icon, int x, int y) {
  const uint8_t* p = icon.ScanLine(y) + x * 4;
  return {p[0], p[1], p[2], p[3]};
}

TEST(TesmaroIcon, ShapesAndColoursFollowTheGeometry) {
  const TBitmap icon = DrawTesmaroIcon(100);
  ASSERT_EQ(icon.Width(), 100);
  ASSERT_EQ(icon.Height(), 100);
  EXPECT_EQ(At(icon, 0, 0).a, 0);    // outside the square
  EXPECT_EQ(At(icon, 5, 5).a, 0);    // cut off by the rounded corner
  EXPECT_EQ(At(icon, 99, 50).a, 0);  // right of the inset
  // Inside, off the holes and the triangle: the gradient, opaque.
  const TPixel top = At(icon, 50, 5);
  EXPECT_EQ(top.a, 255);
  EXPECT_NEAR(top.r, 0x4A, 3);
  EXPECT_NEAR(top.g, 0x8F, 3);
  EXPECT_NEAR(top.b, 0xE6, 3);
  const TPixel bottom = At(icon, 50, 94);
  EXPECT_NEAR(bottom.r, 0x2B, 3);
  EXPECT_NEAR(bottom.b, 0x9E, 3);
  // The triangle's middle is white.
  const TPixel play = At(icon, 50, 50);
  EXPECT_EQ(play.r, 255);
  EXPECT_EQ(play.g, 255);
  EXPECT_EQ(play.b, 255);
  // A hole centre (x 0.17, y 0.22 + 0.14): 60 % white over the blue there.
  const TPixel hole = At(icon, 16, 35);
  const double t = (35.5 / 100 - 0.04) / 0.92;
  const double blueR = 0x4A + (0x2B - 0x4A) * t;
  EXPECT_NEAR(hole.r, 0.6 * 255 + 0.4 * blueR, 3);
  EXPECT_EQ(hole.a, 255);
  // The triangle's slanted edge is smoothed: a pixel between white and blue.
  bool between = false;
  for (int x = 55; x < 75 && !between; ++x) {
    const TPixel p = At(icon, x, 38);
    between = p.r > 0x60 && p.r < 0xF0;
  }
  EXPECT_TRUE(between);
}

TEST(TesmaroIcon, SmallSizesAreStillOpaqueInTheMiddle) {
  const TBitmap icon = DrawTesmaroIcon(16);
  EXPECT_EQ(At(icon, 8, 8).a, 255);
  EXPECT_EQ(At(icon, 0, 0).a, 0);
  EXPECT_EQ(DrawTesmaroIcon(2).Width(), 8);
}

}  // namespace
}  // namespace tsm
