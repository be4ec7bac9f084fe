#include "skin/SkinGlyphs.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/core/Utf8.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/SkinPlatform.h"

namespace tsm {
namespace {

using TPixels = std::set<std::pair<int, int>>;

TPixels Drawn(const TBitmap& b) {
  TPixels p;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != clWhite) p.insert({x, y});
  return p;
}

TBitmap White(int w, int h) {
  TBitmap b(w, h);
  b.Fill(clWhite);
  return b;
}

TEST(SkinGlyphs, ArrowsAreSolidAndCentred) {
  // Rectangle 20 x 20 at (0, 0): cx = cy = 10.
  for (int kind = 1; kind <= 4; ++kind) {
    TBitmap b = White(20, 20);
    TDeviceContext dc(b);
    DrawArrowGlyph(dc, {0, 0, 20, 20}, clRed, kind);
    TPixels expected;
    for (int i = 0; i <= 3; ++i)
      for (int j = -i; j <= i; ++j) {
        if (kind == 1) expected.insert({8 + i, 10 + j});  // widest column right
        if (kind == 2) expected.insert({12 - i, 10 + j});
        if (kind == 3) expected.insert({10 + j, 8 + i});
        if (kind == 4) expected.insert({10 + j, 12 - i});
      }
    EXPECT_EQ(Drawn(b), expected) << kind;
    EXPECT_EQ(b.GetPixel(10, 10), clRed);
  }
  TBitmap none = White(20, 20);
  TDeviceContext dc(none);
  DrawArrowGlyph(dc, {0, 0, 20, 20}, clRed, 5);
  EXPECT_TRUE(Drawn(none).empty());
}

TEST(SkinGlyphs, SmallDownArrowCheckDotAndTray) {
  TBitmap b = White(10, 10);
  TDeviceContext dc(b);
  DrawSmallDownArrow(dc, {0, 0, 10, 10}, clBlack);  // cx = cy = 5
  EXPECT_EQ(Drawn(b), (TPixels{{3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {4, 6}, {5, 6}, {6, 6}, {5, 7}}));

  TBitmap dot = White(10, 10);
  TDeviceContext dotDc(dot);
  DrawDotGlyph(dotDc, 2, 3, clBlue);
  EXPECT_EQ(Drawn(dot).size(), 36u);
  EXPECT_EQ(dot.GetPixel(7, 8), clBlue);
  EXPECT_EQ(dot.GetPixel(8, 8), clWhite);
  EXPECT_EQ(dotDc.Brush().Color, clBlue);

  TBitmap tray = White(12, 12);
  TDeviceContext trayDc(tray);
  DrawTrayGlyph(trayDc, 0, 0, clBlack);
  EXPECT_EQ(Drawn(tray).size(), 25u);

  TBitmap check = White(12, 12);
  TDeviceContext checkDc(check);
  DrawCheckGlyph(checkDc, 1, 1, clBlack);
  // Three strokes: (x, y+5-i) -> (x+2, y+7-i) -> (x+7, y+2-i), end points excluded.
  EXPECT_EQ(check.GetPixel(1, 6), clBlack);
  EXPECT_EQ(check.GetPixel(3, 8), clBlack);
  EXPECT_EQ(check.GetPixel(7, 4), clBlack);
  EXPECT_EQ(check.GetPixel(8, 3), clWhite);  // the final end point of the lowest stroke
  EXPECT_EQ(check.GetPixel(0, 6), clWhite);
}

TEST(SkinGlyphs, BevelFrameColoursItsSides) {
  TBitmap b = White(6, 5);
  TDeviceContext dc(b);
  DrawBevelFrame(dc, {0, 0, 6, 5}, clRed, clBlue);
  EXPECT_EQ(b.GetPixel(0, 4), clBlue);  // bottom row belongs to the second colour
  EXPECT_EQ(b.GetPixel(0, 3), clRed);
  EXPECT_EQ(b.GetPixel(4, 0), clRed);
  EXPECT_EQ(b.GetPixel(5, 0), clBlue);
  EXPECT_EQ(b.GetPixel(5, 4), clBlue);
  EXPECT_EQ(b.GetPixel(2, 2), clWhite);
}

TEST(SkinGlyphs, CaptionGlyphs) {
  TBitmap b = White(14, 12);
  TDeviceContext dc(b);
  DrawMaximizeGlyph(dc, 1, 1, clBlack);
  // Outline (1, 1)-(12, 11) and a two-row title bar (1, 1)-(12, 3).
  EXPECT_EQ(b.GetPixel(1, 1), clBlack);
  EXPECT_EQ(b.GetPixel(11, 10), clBlack);
  EXPECT_EQ(b.GetPixel(6, 2), clBlack);
  EXPECT_EQ(b.GetPixel(6, 5), clWhite);
  EXPECT_EQ(b.GetPixel(12, 5), clWhite);

  TBitmap close = White(12, 12);
  TDeviceContext closeDc(close);
  DrawCloseGlyph(closeDc, 0, 0, clBlack);
  EXPECT_EQ(close.GetPixel(1, 1), clBlack);
  EXPECT_EQ(close.GetPixel(8, 8), clBlack);
  EXPECT_EQ(close.GetPixel(9, 9), clWhite);
  EXPECT_EQ(close.GetPixel(2, 1), clBlack);

  TBitmap roll = White(12, 12);
  TDeviceContext rollDc(roll);
  DrawRollUpGlyph(rollDc, 0, 0, clBlack);
  EXPECT_EQ(roll.GetPixel(1, 6), clBlack);
  EXPECT_EQ(roll.GetPixel(8, 6), clBlack);
  EXPECT_EQ(roll.GetPixel(9, 6), clWhite);
  EXPECT_EQ(roll.GetPixel(4, 3), clBlack);  // i = 3: x 4 ... 5
}

TEST(SkinGlyphs, StripGlyphDrawsOneFrameTransparently) {
  TBitmap strip(9, 2);
  strip.Fill(clFuchsia);
  strip.SetPixel(4, 0, clRed);  // frame 2 (x 3 ... 5)
  TBitmap b = White(6, 4);
  TDeviceContext dc(b);
  DrawStripGlyph(dc, 2, 1, 2, 3, strip);
  EXPECT_EQ(Drawn(b), (TPixels{{3, 1}}));
  DrawStripGlyph(dc, 0, 0, 1, 0, strip);  // no frames: nothing
  EXPECT_EQ(Drawn(b).size(), 1u);
}

TEST(SkinGlyphs, EllipsisRemovesWholeCharacters) {
  // Every character is 10 pixels wide, whatever its byte length.
  const TskTextWidth width = [](std::string_view s) { return int32_t(Utf8Length(s) * 10); };
  std::string fits = "视频abc";
  FitTextWithEllipsis(fits, 50, width);
  EXPECT_EQ(fits, "视频abc");
  std::string cut = "视频转换文件";
  FitTextWithEllipsis(cut, 55, width);  // "视频" + "..." = 50
  EXPECT_EQ(cut, "视频...");
  EXPECT_TRUE(IsValidUtf8(cut));
  std::string nothing = "转换";
  FitTextWithEllipsis(nothing, 15, width);
  EXPECT_EQ(nothing, "...");
}

TEST(SkinPlatform, GeometryQueries) {
  EXPECT_TRUE(RectIsEmpty({5, 5, 5, 10}));
  EXPECT_TRUE(RectIsEmpty({5, 5, 10, 4}));
  EXPECT_FALSE(RectIsEmpty({0, 0, 1, 1}));
  EXPECT_TRUE(PointHasZero({0, 7}));
  EXPECT_FALSE(PointHasZero({1, 7}));
  EXPECT_TRUE(PointInRectInclusive({0, 0, 10, 10}, {10, 10}));
  EXPECT_FALSE(PointInRectInclusive({0, 0, 10, 10}, {11, 10}));
  EXPECT_TRUE(SameRect({1, 2, 3, 4}, {1, 2, 3, 4}));
  EXPECT_FALSE(SameRect({1, 2, 3, 4}, {1, 2, 3, 5}));
  EXPECT_TRUE(OsSupportsLayering());
  EXPECT_FALSE(OsIsVersion51());
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST(SkinGlyphs, TextHelpersUseTheContextsFont) {
  TBitmap b(120, 30);
  b.Fill(clWhite);
  TDeviceContext dc(b);
  std::string text = "播放格式转换程序的很长的标题";
  const std::string original = text;
  FitTextWithEllipsis(dc, text, 60);
  EXPECT_LE(dc.TextWidth(text), 60);
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text.substr(text.size() - 3), "...");
  EXPECT_EQ(original.compare(0, text.size() - 3, text, 0, text.size() - 3), 0);
  EXPECT_TRUE(IsValidUtf8(text));

  // The rectangle is filled with the brush and nothing outside it changes.
  dc.SetBrushColor(clRed);
  DrawTextLeftCentered(dc, "Ab", {10, 5, 60, 25});
  EXPECT_EQ(b.GetPixel(10, 5), clRed);
  EXPECT_EQ(b.GetPixel(59, 24), clRed);
  EXPECT_EQ(b.GetPixel(9, 5), clWhite);
  EXPECT_EQ(b.GetPixel(60, 24), clWhite);
  bool inked = false;
  for (int y = 5; y < 25; ++y)
    for (int x = 12; x < 30; ++x) inked |= b.GetPixel(x, y) != clRed;
  EXPECT_TRUE(inked);
  // A clear brush leaves the background alone.
  dc.SetBrush({clBlue, TBrushStyle::Clear});
  DrawTextLeftCentered(dc, "Ab", {70, 5, 110, 25});
  EXPECT_EQ(b.GetPixel(70, 5), clWhite);
}

}  // namespace
}  // namespace tsm
