#include <gtest/gtest.h>

#include "platform/core/Utf8.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/TextLayout.h"

namespace tsm {
namespace {

// Bounding box of the pixels that differ from the background.
TRect InkBox(const TBitmap& b, TColor background = clWhite) {
  TRect box;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (b.GetPixel(x, y) != background) box.Unite({x, y, x + 1, y + 1});
  return box;
}

struct TCanvasFixture : ::testing::Test {
  TBitmap bmp{160, 80, TPixelFormat::Bgra32};
  TDeviceContext dc{bmp};
  std::shared_ptr<TFont> song = TFont::Create({"宋体", -12});
  void SetUp() override {
    bmp.Fill(clWhite);
    dc.SetFont(song);
    dc.SetBkMode(TBkMode::Transparent);
    dc.SetTextColor(clBlack);
  }
};

using TextOutTest = TCanvasFixture;

TEST_F(TextOutTest, ExtentsOfAsciiAndChinese) {
  EXPECT_EQ(dc.TextExtent("中文ab"), TSize(36, 13));
  EXPECT_EQ(dc.TextExtent(""), TSize(0, 13));
  EXPECT_EQ(dc.TextWidth("100%"), 24);
  EXPECT_EQ(dc.TextWidth("未完成"), 36);
}

TEST_F(TextOutTest, InkStaysInTheCellAndIsCrisp) {
  dc.TextOut(10, 20, "转换 Wg");
  const TRect ink = InkBox(bmp);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_TRUE(TRect(10, 20, 10 + dc.TextWidth("转换 Wg"), 33).Contains(ink));
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) {
      const TColor c = bmp.GetPixel(x, y);
      ASSERT_TRUE(c == clWhite || c == clBlack) << "strike text must not be smoothed";
    }
}

TEST_F(TextOutTest, OpaqueModeFillsExactlyTheCell) {
  dc.SetBkMode(TBkMode::Opaque);
  dc.SetBkColor(clNavy);
  dc.SetTextColor(clWhite);
  dc.TextOut(5, 7, "ab中");
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x) {
      const bool inCell = x >= 5 && x < 5 + 24 && y >= 7 && y < 20;
      const TColor c = bmp.GetPixel(x, y);
      if (inCell) {
        ASSERT_TRUE(c == clNavy || c == clWhite) << x << "," << y;
      } else {
        ASSERT_EQ(c, clWhite) << x << "," << y;
      }
    }
  // Some ink and some background inside the cell.
  int navy = 0;
  for (int x = 5; x < 29; ++x) navy += bmp.GetPixel(x, 12) == clNavy;
  EXPECT_GT(navy, 0);
  EXPECT_LT(navy, 24);
}

TEST_F(TextOutTest, ClippingWithAnOffsetOrigin) {
  dc.SetOrigin({30, 10});
  dc.IntersectClipRect({0, 0, 20, 8});  // surface (30,10)-(50,18)
  dc.TextOut(0, 0, "中文字幕测试");
  const TRect ink = InkBox(bmp);
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_TRUE(TRect(30, 10, 50, 18).Contains(ink));
}

TEST_F(TextOutTest, UnderlineAndStrikeOutStyles) {
  dc.SetFont(TFont::Create({"宋体", -12, false, false, true}));
  dc.TextOut(0, 0, "ab");
  const int32_t row = dc.Font().UnderlineTop();
  EXPECT_GE(row, 11);
  EXPECT_LT(row, 13);
  for (int x = 0; x < 12; ++x) EXPECT_EQ(bmp.GetPixel(x, row), clBlack) << x;
  EXPECT_EQ(bmp.GetPixel(12, row), clWhite);

  bmp.Fill(clWhite);
  dc.SetFont(TFont::Create({"宋体", -12, false, false, false, true}));
  dc.TextOut(0, 0, "  ");  // blanks: only the stroke has ink
  const int32_t srow = dc.Font().StrikeOutTop();
  EXPECT_GT(srow, 2);
  EXPECT_LT(srow, 11);
  EXPECT_EQ(InkBox(bmp), TRect(0, srow, 12, srow + dc.Font().StrikeOutThickness()));
}

using DrawTextTest = TCanvasFixture;

TEST_F(DrawTextTest, AlignmentAndVerticalCentring) {
  TRect r{20, 10, 120, 50};  // 100 x 40
  dc.DrawText("中文", r, TTextFormat::Center | TTextFormat::VCenter | TTextFormat::SingleLine);
  // The 24 x 13 cell starts at 20 + (100 - 24) / 2 = 58 and 10 + (40 - 13) / 2 = 23.
  EXPECT_TRUE(TRect(58, 23, 82, 36).Contains(InkBox(bmp)));
  EXPECT_LT(InkBox(bmp).Left, 60);

  bmp.Fill(clWhite);
  dc.DrawText("中文", r, TTextFormat::Right | TTextFormat::Bottom | TTextFormat::SingleLine);
  EXPECT_TRUE(TRect(96, 37, 120, 50).Contains(InkBox(bmp)));
  EXPECT_GT(InkBox(bmp).Right, 116);
}

TEST_F(DrawTextTest, AcceleratorUnderlineAndDoubleAmpersand) {
  TRect r{0, 0, 100, 20};
  dc.DrawText("&File", r, TTextFormat::SingleLine);
  const int32_t row = song->UnderlineTop();
  for (int x = 0; x < 6; ++x) EXPECT_EQ(bmp.GetPixel(x, row), clBlack) << x;
  for (int x = 6; x < 24; ++x) EXPECT_EQ(bmp.GetPixel(x, row), clWhite) << x;
  EXPECT_LE(InkBox(bmp).Right, 24);  // four characters, the '&' is gone

  bmp.Fill(clWhite);
  dc.DrawText("A&&B", r, TTextFormat::SingleLine);
  EXPECT_GT(InkBox(bmp).Right, 12);  // three characters drawn: "A&B"
  EXPECT_LE(InkBox(bmp).Right, 18);
  for (int x = 0; x < 18; ++x) EXPECT_EQ(bmp.GetPixel(x, row), clWhite) << "no underline for &&";

  bmp.Fill(clWhite);
  dc.DrawText("&File", r, TTextFormat::SingleLine | TTextFormat::HidePrefix);
  for (int x = 0; x < 6; ++x) EXPECT_EQ(bmp.GetPixel(x, row), clWhite);
  bmp.Fill(clWhite);
  dc.DrawText("&File", r, TTextFormat::SingleLine | TTextFormat::NoPrefix);
  EXPECT_GT(InkBox(bmp).Right, 24);  // five characters
}

TEST_F(DrawTextTest, ClipsToTheRectangleUnlessNoClip) {
  TRect r{10, 10, 40, 30};
  dc.DrawText("很长的一行文字超出了矩形", r, TTextFormat::SingleLine);
  EXPECT_TRUE(r.Contains(InkBox(bmp)));
  bmp.Fill(clWhite);
  dc.DrawText("很长的一行文字超出了矩形", r, TTextFormat::SingleLine | TTextFormat::NoClip);
  EXPECT_GT(InkBox(bmp).Right, 100);
}

TEST_F(DrawTextTest, EllipsisKeepsWholeCharacters) {
  TRect r{0, 0, 40, 20};
  dc.DrawText("中文字幕abc", r, TTextFormat::SingleLine | TTextFormat::EndEllipsis);
  // "中" (12) + "..." (18) = 30 fits; "中文..." (42) does not.
  const TRect ink = InkBox(bmp);
  EXPECT_LE(ink.Right, 30);
  EXPECT_GT(ink.Right, 20);
}

TEST_F(DrawTextTest, WordBreakAndCalcRect) {
  TRect r{0, 0, 30, 10};
  const int32_t h = dc.DrawText("中文字幕 abc def", r, TTextFormat::WordBreak | TTextFormat::CalcRect);
  EXPECT_EQ(h, 4 * 13);
  EXPECT_EQ(r, TRect(0, 0, 30, 52));
  EXPECT_TRUE(InkBox(bmp).IsEmpty()) << "CalcRect draws nothing";

  TRect single{5, 5, 6, 6};
  EXPECT_EQ(dc.DrawText("中文", single, TTextFormat::SingleLine | TTextFormat::CalcRect), 13);
  EXPECT_EQ(single, TRect(5, 5, 29, 18));

  TRect box{0, 0, 30, 60};
  dc.DrawText("中文字幕 abc def", box, TTextFormat::WordBreak);
  // Four lines: every line's ink sits in its own 13-pixel band.
  for (int line = 0; line < 4; ++line) {
    bool any = false;
    for (int y = line * 13; y < line * 13 + 13; ++y)
      for (int x = 0; x < 30; ++x) any |= bmp.GetPixel(x, y) != clWhite;
    EXPECT_TRUE(any) << line;
  }
}

TEST(TextLayoutTest, BreakLinesFollowsBlanksCjkAndLongWords) {
  TFont& f = *TFont::Create({"宋体", -12});
  using V = std::vector<std::string_view>;
  EXPECT_EQ(BreakLines(f, "中文字幕 abc def", 30, true, false), (V{"中文", "字幕", "abc", "def"}));
  EXPECT_EQ(BreakLines(f, "abcdefghij", 20, true, false), (V{"abc", "def", "ghi", "j"}));
  EXPECT_EQ(BreakLines(f, "中文，中文", 24, true, false), (V{"中", "文，", "中文"}));
  EXPECT_EQ(BreakLines(f, "ab  cd", 100, true, false), (V{"ab  cd"}));
  EXPECT_EQ(BreakLines(f, "a\r\nb\nc\rd", 100, false, false), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(BreakLines(f, "a\r\nb", 100, false, true), (V{"a\r\nb"}));
  EXPECT_EQ(BreakLines(f, "", 100, true, false), (V{""}));
  EXPECT_EQ(BreakLines(f, "中", 0, true, false), (V{"中"}));  // never an empty line for a character
}

TEST(TextLayoutTest, EllipsisNeverCutsACharacter) {
  TFont& f = *TFont::Create({"宋体", -12});
  EXPECT_EQ(EllipsizeEnd(f, "中文字幕abc", 40), "中...");
  EXPECT_EQ(EllipsizeEnd(f, "中文", 24), "中文");
  EXPECT_EQ(EllipsizeEnd(f, "中文", 10), "...");
  const std::string text = "转换文件 Convert 完成 100% 已完成";
  for (int32_t w = 0; w <= f.TextWidth(text) + 2; ++w) {
    const std::string e = EllipsizeEnd(f, text, w);
    ASSERT_TRUE(IsValidUtf8(e)) << w;
    if (e == text) {
      ASSERT_LE(f.TextWidth(e), w);
      continue;
    }
    ASSERT_EQ(e.substr(e.size() - 3), "...");
    const std::string kept = e.substr(0, e.size() - 3);
    ASSERT_EQ(text.compare(0, kept.size(), kept), 0) << "a prefix of the text";
    if (!kept.empty()) {
      ASSERT_LE(f.TextWidth(e), w) << w;
    }
    // One more character would not fit.
    size_t next = kept.size();
    Utf8Next(text, next);
    ASSERT_GT(f.TextWidth(text.substr(0, next)) + f.TextWidth("..."), w) << w;
  }
}

TEST(TextLayoutTest, AcceleratorPrefixes) {
  size_t acc = 0;
  EXPECT_EQ(StripAccelerator("&File", &acc), "File");
  EXPECT_EQ(acc, 0u);
  EXPECT_EQ(StripAccelerator("打开(&O)", &acc), "打开(O)");
  EXPECT_EQ(acc, 7u);
  EXPECT_EQ(StripAccelerator("A&&B", &acc), "A&B");
  EXPECT_EQ(acc, kNoAccelerator);
  EXPECT_EQ(StripAccelerator("end&", &acc), "end&");
  EXPECT_EQ(StripAccelerator("&a&b", &acc), "ab");
  EXPECT_EQ(acc, 0u);
}

TEST(TextDefault, AContextWithoutAFontUsesSong12) {
  TBitmap b(40, 20, TPixelFormat::Bgr24);
  TDeviceContext dc(b);
  EXPECT_EQ(dc.TextExtent("中a"), TSize(18, 13));
}

}  // namespace
}  // namespace tsm
