// Text turned by 90 degrees: every ink pixel of the ordinary rendering
// lands where the turn about the cell's top-left corner puts it.

#include <gtest/gtest.h>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/RotatedText.h"

namespace tsm {
namespace {

struct RotatedTextTest : ::testing::Test {
  std::shared_ptr<TFont> song = TFont::Create({"宋体", -12});
  std::shared_ptr<TFont> arial = TFont::Create({"Arial", 16});

  TBitmap Draw(const std::shared_ptr<TFont>& font, std::string_view text, bool turned, int32_t x, int32_t y,
               TBkMode mode = TBkMode::Transparent) {
    TBitmap b(80, 80);
    b.Fill(clWhite);
    TDeviceContext dc(b);
    dc.SetFont(font);
    dc.SetBkMode(mode);
    dc.SetBkColor(clYellow);
    dc.SetTextColor(clNavy);
    if (turned)
      TextOutRotated90(dc, x, y, text);
    else
      dc.TextOut(x, y, text);
    return b;
  }
};

TEST_F(RotatedTextTest, EveryInkPixelTurnsAboutTheCellCorner) {
  for (const auto& font : {song, arial}) {
    const TBitmap flat = Draw(font, "进度45%", false, 0, 0);
    const TBitmap turned = Draw(font, "进度45%", true, 10, 70);
    int ink = 0;
    for (int32_t v = 0; v < 20; ++v)
      for (int32_t u = 0; u < 60; ++u) {
        const TColor c = flat.GetPixel(u, v);
        ASSERT_EQ(turned.GetPixel(10 + v, 70 - 1 - u), c) << u << "," << v;
        if (c != clWhite) ++ink;
      }
    EXPECT_GT(ink, 20);
  }
}

TEST_F(RotatedTextTest, OpaqueModeFillsTheTurnedCellOnly) {
  TBitmap probe(1, 1);
  TDeviceContext m(probe);
  m.SetFont(song);
  const TSize e = m.TextExtent("ab");  // 12 x 13
  const TBitmap b = Draw(song, "ab", true, 20, 50, TBkMode::Opaque);
  EXPECT_EQ(b.GetPixel(20, 50 - e.cx), clYellow);
  EXPECT_EQ(b.GetPixel(20 + e.cy - 1, 49), clYellow);
  EXPECT_EQ(b.GetPixel(19, 45), clWhite);
  EXPECT_EQ(b.GetPixel(20 + e.cy, 45), clWhite);
  EXPECT_EQ(b.GetPixel(25, 50), clWhite);
  EXPECT_EQ(b.GetPixel(25, 50 - e.cx - 1), clWhite);
}

TEST_F(RotatedTextTest, EmptyTextAndTextOffTheBitmapDrawNothing) {
  const TBitmap empty = Draw(song, "", true, 20, 50, TBkMode::Opaque);
  const TBitmap off = Draw(song, "abc", true, -40, 200, TBkMode::Opaque);
  TBitmap white(80, 80);
  white.Fill(clWhite);
  EXPECT_TRUE(empty.SamePixels(white));
  EXPECT_TRUE(off.SamePixels(white));
}

}  // namespace
}  // namespace tsm
