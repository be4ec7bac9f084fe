#include "platform/gfx/Png.h"

#include <gtest/gtest.h>

namespace tsm {
namespace {

TEST(PngTest, RoundTripKeepsEveryPixelOfBothFormats) {
  for (TPixelFormat f : {TPixelFormat::Bgr24, TPixelFormat::Bgra32}) {
    TBitmap b(7, 5, f);  // odd width: padded 24-bit rows
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) b.SetPixel(x, y, RGB(uint8_t(x * 37), uint8_t(y * 51), uint8_t(x * y * 9)));
    const std::vector<uint8_t> png = EncodePng(b.Surface());
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(png[2], 'N');
    EXPECT_EQ(png[3], 'G');
    const TPngReadResult r = DecodePng(png, TPixelFormat::Bgr24);
    ASSERT_TRUE(r.Ok()) << r.Error;
    EXPECT_TRUE(r.Bitmap.SamePixels(b));
  }
}

TEST(PngTest, FailuresAreReported) {
  TBitmap empty;
  EXPECT_TRUE(EncodePng(empty.Surface()).empty());
  const std::vector<uint8_t> junk{1, 2, 3, 4, 5};
  EXPECT_FALSE(DecodePng(junk).Ok());
  TBitmap b(3, 3, TPixelFormat::Bgr24);
  std::vector<uint8_t> png = EncodePng(b.Surface());
  png.resize(png.size() / 2);  // truncated
  EXPECT_FALSE(DecodePng(png).Ok());
  EXPECT_FALSE(LoadPng("/nonexistent/x.png").Ok());
}

}  // namespace
}  // namespace tsm
