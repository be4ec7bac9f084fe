// Fonts, canvases, bitmaps and icons of the framework over the graphics
// layer: change notices, the tools applied to each drawing call, text over a
// clear or solid brush, transparency by the bottom-left pixel.

#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/Icon.h"

namespace tsm {
namespace {

TEST(FontTest, ChangesAreAnnouncedOnlyWhenSomethingChanged) {
  ui::TFont f;
  int notices = 0;
  f.OnChange = [&](TObject*) { ++notices; };
  f.SetName("宋体");   // the default: no change
  f.SetHeight(-12);
  EXPECT_EQ(notices, 0);
  f.SetStyle({TFontStyle::Bold});
  f.SetColor(clNavy);
  EXPECT_EQ(notices, 2);
  ui::TFont other("Arial", 14, {TFontStyle::Bold, TFontStyle::Underline}, clRed);
  f.Assign(other);
  EXPECT_EQ(notices, 3);   // one notice for the whole copy
  EXPECT_TRUE(f.SameAs(other));
  f.Assign(other);
  EXPECT_EQ(notices, 3);
  const TFontDesc d = f.Desc();
  EXPECT_EQ(d.Name, "Arial");
  EXPECT_EQ(d.Height, 14);
  EXPECT_TRUE(d.Bold && d.Underline && !d.Italic);
}

TEST(FontTest, PointSizesMapToPixelHeightsAt96Dpi) {
  ui::TFont f;
  f.SetSize(9);
  EXPECT_EQ(f.Height(), -12);
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  f.SetHeight(-15);
  EXPECT_EQ(f.Size(), 11);
}

TEST(FontTest, TheFaceFollowsTheAttributes) {
  ui::TFont f;
  const auto plain = f.Handle();
  EXPECT_EQ(f.Handle(), plain);   // cached
  f.SetHeight(-16);
  EXPECT_EQ(f.Handle()->Desc().Height, -16);
}

TEST(CanvasTest, ShapesUseTheCanvasBrushAndPen) {
  ui::TBitmap bmp(20, 20);
  TCanvas& c = bmp.Canvas();
  c.Brush() = TBrush{clRed, TBrushStyle::Solid};
  c.FillRect({0, 0, 10, 10});
  EXPECT_EQ(bmp.Image().GetPixel(9, 9), clRed);
  EXPECT_EQ(bmp.Image().GetPixel(10, 10), clWhite);
  c.Pen() = TPen{clBlue, 1};
  c.Brush().Style = TBrushStyle::Clear;
  c.Rectangle({5, 5, 15, 15});
  EXPECT_EQ(bmp.Image().GetPixel(5, 5), clBlue);
  EXPECT_EQ(bmp.Image().GetPixel(14, 14), clBlue);
  EXPECT_EQ(bmp.Image().GetPixel(8, 8), clRed);   // clear brush: inside untouched
  c.MoveTo(0, 19);
  c.LineTo(20, 19);
  EXPECT_EQ(c.PenPos(), (TPoint{20, 19}));
  EXPECT_EQ(bmp.Image().GetPixel(19, 19), clBlue);
}

TEST(CanvasTest, TextOverASolidBrushFillsItsCell) {
  ui::TBitmap bmp(60, 20);
  TCanvas& c = bmp.Canvas();
  c.Font().SetColor(clBlack);
  const TSize extent = c.TextExtent("ab");
  EXPECT_GT(extent.cx, 0);
  EXPECT_EQ(extent.cy, c.Font().Handle()->Height());
  c.Brush() = TBrush{clYellow, TBrushStyle::Solid};
  c.TextOut(0, 0, "  ");   // blanks: only the cell background
  EXPECT_EQ(bmp.Image().GetPixel(1, 1), clYellow);
  c.Brush().Style = TBrushStyle::Clear;
  c.TextOut(30, 0, "  ");
  EXPECT_EQ(bmp.Image().GetPixel(31, 1), clWhite);
  // Measuring works without a context too.
  TCanvas loose;
  EXPECT_EQ(loose.TextWidth("ab"), extent.cx);
}

TEST(BitmapTest, TransparentDrawingLeavesOutTheBottomLeftColour) {
  ui::TBitmap glyph(4, 4);
  glyph.Canvas().Brush() = TBrush{clFuchsia, TBrushStyle::Solid};
  glyph.Canvas().FillRect({0, 0, 4, 4});
  glyph.Image().SetPixel(1, 1, clGreen);
  glyph.SetTransparent(true);
  EXPECT_EQ(glyph.TransparentColor(), clFuchsia);
  ui::TBitmap target(10, 10);
  target.Canvas().Draw(3, 3, glyph);
  EXPECT_EQ(target.Image().GetPixel(4, 4), clGreen);
  EXPECT_EQ(target.Image().GetPixel(3, 3), clWhite);
  // A fixed colour instead.
  glyph.SetTransparentColor(clGreen);
  EXPECT_EQ(glyph.TransparentMode(), ui::TTransparentMode::Fixed);
  ui::TBitmap target2(10, 10);
  target2.Canvas().Draw(0, 0, glyph);
  EXPECT_EQ(target2.Image().GetPixel(0, 0), clFuchsia);
  EXPECT_EQ(target2.Image().GetPixel(1, 1), clWhite);
}

TEST(BitmapTest, ResizingKeepsTheCanvasOnThePixels) {
  ui::TBitmap bmp(2, 2);
  int notices = 0;
  bmp.OnChange = [&](TObject*) { ++notices; };
  TCanvas& c = bmp.Canvas();
  bmp.SetSize(30, 10);
  c.Brush() = TBrush{clRed, TBrushStyle::Solid};
  c.FillRect({0, 0, 30, 10});
  EXPECT_EQ(bmp.Image().GetPixel(29, 9), clRed);
  EXPECT_EQ(notices, 1);
  ui::TBitmap copy;
  copy.Assign(bmp);
  EXPECT_TRUE(copy.Image().SamePixels(bmp.Image()));
}

TEST(BitmapTest, LoadsWhatItSavesAndRefusesOtherFiles) {
  ui::TBitmap bmp(5, 3);
  bmp.Image().SetPixel(4, 2, clBlue);
  const std::string path = ::testing::TempDir() + "canvas_test.bmp";
  ASSERT_TRUE(bmp.SaveToFile(path));
  ui::TBitmap loaded;
  ASSERT_TRUE(loaded.LoadFromFile(path));
  EXPECT_EQ(loaded.Width(), 5);
  EXPECT_EQ(loaded.Image().GetPixel(4, 2), clBlue);
  EXPECT_FALSE(loaded.LoadFromFile(path + ".missing"));
  EXPECT_EQ(loaded.Width(), 5);
}

TEST(IconTest, OnlyPixelsInsideTheShapeAreDrawn) {
  tsm::TBitmap picture(2, 1, TPixelFormat::Bgra32);
  uint8_t* row = picture.ScanLine(0);
  row[0] = 255, row[1] = 0, row[2] = 0, row[3] = 255;     // blue, opaque
  row[4] = 0, row[5] = 0, row[6] = 255, row[7] = 0;       // red, outside
  TIcon icon;
  icon.SetImage(picture);
  ui::TBitmap target(4, 4);
  icon.Draw(target.Canvas(), 1, 1);
  EXPECT_EQ(target.Image().GetPixel(1, 1), clBlue);
  EXPECT_EQ(target.Image().GetPixel(2, 1), clWhite);
}

}  // namespace
}  // namespace tsm
