#include "platform/gfx/Bitmap.h"

#include <gtest/gtest.h>

namespace tsm {
namespace {

TEST(BitmapLayout, Rows24ArePaddedToFourBytesAsTheSkinExpects) {
  for (int32_t w = 1; w <= 9; ++w) {
    TBitmap b(w, 3, TPixelFormat::Bgr24);
    EXPECT_EQ(b.Stride(), 3 * w + w % 4) << w;
    EXPECT_EQ(b.Stride() % 4, 0) << w;
    EXPECT_GE(b.Stride(), 3 * w) << w;
    EXPECT_EQ(b.SizeInBytes(), size_t(b.Stride()) * 3);
  }
  TBitmap b32(5, 2, TPixelFormat::Bgra32);
  EXPECT_EQ(b32.Stride(), 20);
}

TEST(BitmapLayout, PixelBytesAreBlueGreenRedTopDown) {
  TBitmap b(3, 2, TPixelFormat::Bgr24);
  b.SetPixel(2, 1, RGB(10, 20, 30));
  const uint8_t* p = b.ScanLine(1) + 2 * 3;
  EXPECT_EQ(p[0], 30);  // blue
  EXPECT_EQ(p[1], 20);  // green
  EXPECT_EQ(p[2], 10);  // red
  EXPECT_EQ(b.ScanLine(1), b.Bits() + b.Stride());

  TBitmap c(3, 2, TPixelFormat::Bgra32);
  c.SetPixel(1, 0, RGB(10, 20, 30));
  const uint8_t* q = c.ScanLine(0) + 4;
  EXPECT_EQ(q[0], 30);
  EXPECT_EQ(q[1], 20);
  EXPECT_EQ(q[2], 10);
  EXPECT_EQ(q[3], 255);
}

TEST(BitmapPixels, GetSetRoundTripAndBounds) {
  for (TPixelFormat f : {TPixelFormat::Bgr24, TPixelFormat::Bgra32}) {
    TBitmap b(4, 4, f);
    b.SetPixel(3, 3, RGB(1, 2, 3));
    EXPECT_EQ(b.GetPixel(3, 3), RGB(1, 2, 3));
    EXPECT_EQ(b.GetPixel(0, 0), clBlack);
    EXPECT_EQ(b.GetPixel(4, 0), clNone);
    EXPECT_EQ(b.GetPixel(0, -1), clNone);
    b.SetPixel(-1, 2, clWhite);  // ignored, must not write out of bounds
    b.SetPixel(1, 1, clBtnFace);
    EXPECT_EQ(b.GetPixel(1, 1), RGB(192, 192, 192));
  }
}

TEST(BitmapPixels, FillCoversEveryPixelButNotThePadding) {
  TBitmap b(5, 3, TPixelFormat::Bgr24);
  b.Fill(clRed);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(b.GetPixel(x, y), clRed);
    EXPECT_EQ(b.ScanLine(y)[15], 0);  // padding byte untouched
  }
}

TEST(BitmapConversion, KeepsThePictureBothWays) {
  TBitmap b(7, 5, TPixelFormat::Bgr24);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) b.SetPixel(x, y, RGB(uint8_t(x * 30), uint8_t(y * 40), uint8_t(x + y)));
  TBitmap c = b.ConvertedTo(TPixelFormat::Bgra32);
  EXPECT_EQ(c.Format(), TPixelFormat::Bgra32);
  EXPECT_TRUE(c.SamePixels(b));
  EXPECT_EQ(c.ScanLine(4)[4 * 6 + 3], 255);
  c.ConvertTo(TPixelFormat::Bgr24);
  EXPECT_EQ(c.Stride(), b.Stride());
  EXPECT_TRUE(c.SamePixels(b));
  c.SetPixel(6, 4, clWhite);
  EXPECT_FALSE(c.SamePixels(b));
}

TEST(BitmapSize, EmptyAndResize) {
  TBitmap b(0, 10);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(b.SizeInBytes(), 0u);
  b.SetSize(2, 2);
  EXPECT_FALSE(b.IsEmpty());
  EXPECT_EQ(b.GetPixel(1, 1), clBlack);
  EXPECT_THROW(b.SetSize(TBitmap::kMaxSide + 1, 1), std::length_error);
}

TEST(CopyPixelsTest, OverlappingCopyInsideOneBitmap) {
  TBitmap b(6, 6, TPixelFormat::Bgra32);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) b.SetPixel(x, y, RGB(uint8_t(x), uint8_t(y), 0));
  // Shift the top-left 4x4 block one pixel right and down.
  CopyPixels(b.Surface(), 1, 1, b.Surface(), 0, 0, 4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b.GetPixel(x + 1, y + 1), RGB(uint8_t(x), uint8_t(y), 0)) << x << "," << y;
}

TEST(BitmapCrop, ClipsToTheBitmap) {
  TBitmap b(4, 4, TPixelFormat::Bgr24);
  b.SetPixel(3, 3, clLime);
  TBitmap c = b.Cropped({2, 2, 10, 10});
  EXPECT_EQ(c.Size(), TSize(2, 2));
  EXPECT_EQ(c.GetPixel(1, 1), clLime);
}

}  // namespace
}  // namespace tsm
