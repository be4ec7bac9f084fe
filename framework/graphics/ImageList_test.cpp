// The image list: pictures cut to the list's size, the transparent colour
// left out, strips split into pictures, greyed drawing, bitmaps of items.

#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/ImageList.h"
#include "platform/gfx/DeviceContext.h"

namespace tsm {
namespace {

// A 4 x 3 picture: a magenta background with one dark and one light pixel.
tsm::TBitmap Picture(TColor dark = clNavy) {
  tsm::TBitmap b(4, 3);
  b.Fill(clFuchsia);
  b.SetPixel(1, 1, dark);
  b.SetPixel(2, 1, clYellow);
  return b;
}

TEST(ImageListTest, MaskedPicturesLeaveTheirBackgroundOut) {
  TImageList list(nullptr);
  list.SetSize(4, 3);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  EXPECT_EQ(list.AddMasked(Picture()), 0);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(changes, 1);

  tsm::TBitmap target(10, 10);
  target.Fill(clGreen);
  TDeviceContext dc(target);
  list.Draw(dc, 3, 4, 0);
  EXPECT_EQ(target.GetPixel(3, 4), clGreen);    // transparent
  EXPECT_EQ(target.GetPixel(4, 5), clNavy);
  EXPECT_EQ(target.GetPixel(5, 5), clYellow);
  list.Draw(dc, 0, 0, 1);   // out of range: nothing
  list.Draw(dc, 0, 0, -1);
  EXPECT_EQ(target.GetPixel(0, 0), clGreen);
}

TEST(ImageListTest, DisabledDrawingEngravesDarkAndLightPixels) {
  TImageList list(nullptr);
  list.SetSize(4, 3);
  list.AddMasked(Picture());
  tsm::TBitmap target(4, 3);
  target.Fill(clGreen);
  TDeviceContext dc(target);
  list.Draw(dc, 0, 0, 0, false);
  EXPECT_EQ(target.GetPixel(0, 0), clGreen);
  EXPECT_EQ(target.GetPixel(1, 1), ColorToRGB(clBtnShadow));
  EXPECT_EQ(target.GetPixel(2, 1), ColorToRGB(clBtnHighlight));
}

TEST(ImageListTest, StripsSplitAndOtherSizesAreCutOrPadded) {
  TImageList list(nullptr);
  list.SetSize(2, 3);
  tsm::TBitmap strip(5, 3);  // two whole pictures and a partial one
  strip.Fill(clFuchsia);
  strip.SetPixel(0, 0, clRed);
  strip.SetPixel(3, 2, clBlue);
  EXPECT_EQ(list.AddStrip(strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);
  tsm::TBitmap out;
  ASSERT_TRUE(list.GetBitmap(1, out, clWhite));
  EXPECT_EQ(out.Width(), 2);
  EXPECT_EQ(out.GetPixel(1, 2), clBlue);
  EXPECT_EQ(out.GetPixel(0, 0), clWhite);
  EXPECT_FALSE(list.GetBitmap(2, out, clWhite));
  EXPECT_EQ(list.AddStrip(tsm::TBitmap(1, 3), clFuchsia), -1);

  list.Add(Picture(), clFuchsia);  // 4 wide: cut to 2
  ASSERT_TRUE(list.GetBitmap(2, out, clBlack));
  EXPECT_EQ(out.GetPixel(1, 1), clNavy);
  list.SetSize(8, 8);  // a new size clears the list
  EXPECT_EQ(list.Count(), 0);
  ui::TBitmap framework(3, 3);
  framework.SetTransparent(true);
  EXPECT_EQ(list.Add(framework), 0);
  ASSERT_TRUE(list.GetBitmap(0, out, clBlack));
  EXPECT_EQ(out.GetPixel(1, 1), clBlack);  // white was transparent: padded and left out
}

}  // namespace
}  // namespace tsm
