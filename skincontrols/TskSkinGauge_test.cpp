// The progress gauge: range and value rules, the fraction, percentage and
// bar arithmetic (halves to even), the fallback look, the skinned bar with
// its end pieces horizontally and vertically, turned text, UseSkinSize.

#include <gtest/gtest.h>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/RotatedText.h"
#include "skincontrols/SkinGaugeMath.h"
#include "skincontrols/TskSkinGauge.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

TEST(GaugeMathTest, FractionPercentAndText) {
  EXPECT_EQ(GaugeText("进度...", true, true, GaugePercent(GaugeFraction(0, 100, 45))), "进度...45%");
  EXPECT_EQ(GaugeText("进度...", false, true, 45), "45%");
  EXPECT_EQ(GaugeText("进度...", true, false, 45), "进度...");
  EXPECT_EQ(GaugeText("进度...", false, false, 45), "");
  EXPECT_EQ(GaugePercent(GaugeFraction(0, 3, 1)), 33);
  EXPECT_EQ(GaugePercent(GaugeFraction(0, 3, 2)), 67);
  EXPECT_EQ(GaugePercent(GaugeFraction(0, 200, 25)), 12);  // 12.5 to even
  EXPECT_EQ(GaugePercent(GaugeFraction(0, 200, 27)), 14);  // 13.5 to even
  EXPECT_EQ(GaugeFraction(5, 5, 5), 0.0L);
  EXPECT_EQ(GaugeFraction(-10, 10, 0), 0.5L);
}

TEST(GaugeMathTest, ProgressRectangles) {
  EXPECT_EQ(GaugeProgressRect({1, 1, 102, 19}, 0.5L, false), (TRect{1, 1, 51, 19}));  // 50.5 -> 50
  EXPECT_EQ(GaugeProgressRect({1, 1, 104, 19}, 0.5L, false), (TRect{1, 1, 53, 19}));  // 51.5 -> 52
  EXPECT_EQ(GaugeProgressRect({2, 2, 16, 98}, 0.25L, true), (TRect{2, 74, 16, 98}));
  EXPECT_TRUE(GaugeProgressRect({2, 2, 16, 98}, 0, true).IsEmpty());
  EXPECT_EQ(GaugeProgressRect({2, 2, 16, 98}, 1, true), (TRect{2, 2, 16, 98}));
}

class TGaugeProbe : public TskSkinGauge {
 public:
  using TskSkinGauge::TskSkinGauge;
  int Draws = 0;

 protected:
  void DrawFallbackImage(ui::TBitmap& image) override {
    ++Draws;
    TskSkinGauge::DrawFallbackImage(image);
  }
};

class SkinGaugeTest : public SkinControlTest {
 protected:
  template <class T = TskSkinGauge>
  T* MakeGauge(TskSkinData* skin, int32_t w = 100, int32_t h = 20, const std::string& name = "gauge") {
    auto* g = new T(Form());
    g->SetParent(Form());
    g->SetSkinDataName(name);
    g->SetBounds(20, 20, w, h);
    if (skin) g->SetSkinData(skin);
    Pump();
    return g;
  }
};

TEST_F(SkinGaugeTest, ValuesStayInsideTheRange) {
  auto* g = MakeGauge<TGaugeProbe>(nullptr);
  g->SetValue(150);
  EXPECT_EQ(g->Value(), 100);
  g->SetValue(-3);
  EXPECT_EQ(g->Value(), 0);
  g->SetValue(40);
  Pump();
  const int draws = g->Draws;
  g->SetValue(40);  // unchanged: no repaint
  Pump();
  EXPECT_EQ(g->Draws, draws);
  g->SetValue(41);
  Pump();
  EXPECT_GT(g->Draws, draws);

  g->SetMinValue(60);  // the value follows the bounds
  EXPECT_EQ(g->Value(), 60);
  g->SetMaxValue(50);  // below the minimum: limited to it
  EXPECT_EQ(g->MaxValue(), 60);
  EXPECT_EQ(g->Value(), 60);
  g->SetMinValue(500);  // above the maximum: limited to it
  EXPECT_EQ(g->MinValue(), 60);
  g->SetShowPercent(true);
  EXPECT_EQ(g->Text(), "0%");  // equal bounds: 0%
  EXPECT_EQ(PixelOf(g, 5, 10), ColorToRGB(clWindow));  // and an empty bar

  // Loading sets the bounds in any order.
  g->BeginLoading();
  g->SetMinValue(200);
  g->SetMaxValue(300);
  g->SetValue(250);
  g->EndLoading();
  EXPECT_EQ(g->MinValue(), 200);
  EXPECT_EQ(g->MaxValue(), 300);
  EXPECT_EQ(g->Value(), 250);
}

TEST_F(SkinGaugeTest, FallbackLookFillsHalfOfA101PixelBarWith50Pixels) {
  auto* g = MakeGauge(nullptr, 103, 20);
  EXPECT_EQ(PixelOf(g, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(g, 102, 19), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(g, 1, 1), RGB(182, 189, 210));
  EXPECT_EQ(PixelOf(g, 50, 18), RGB(182, 189, 210));
  EXPECT_EQ(PixelOf(g, 51, 10), ColorToRGB(clWindow));
  g->SetVertical(true);
  g->SetBounds(20, 20, 20, 103);
  g->SetValue(25);  // 101 x 0.25 = 25.25: 25 rows from the bottom
  EXPECT_EQ(PixelOf(g, 10, 101), RGB(182, 189, 210));
  EXPECT_EQ(PixelOf(g, 10, 77), RGB(182, 189, 210));
  EXPECT_EQ(PixelOf(g, 10, 76), ColorToRGB(clWindow));
}

TEST_F(SkinGaugeTest, TextIsCentredInTheDefaultFontUnskinned) {
  auto* g = MakeGauge(nullptr, 160, 24);
  g->DefaultFont().SetColor(clRed);
  g->SetProgressText("进度...");
  g->SetShowProgressText(true);
  g->SetShowPercent(true);
  g->SetValue(45);
  const auto [size, ink] = MeasureTextInk("进度...45%", "Arial", 14);
  EXPECT_EQ(InkOf(g, clRed).TopLeft(), (TPoint{80 - size.cx / 2 + ink.Left, 12 - size.cy / 2 + ink.Top}));
  g->SetShowProgressText(false);
  g->SetShowPercent(false);
  EXPECT_TRUE(InkOf(g, clRed).IsEmpty());
}

TEST_F(SkinGaugeTest, SkinnedBarTilesTheMiddleAndDrawsBothEnds) {
  TskSkinData* skin = StoredSkin();
  auto* g = MakeGauge(skin, 100, 30);
  // "gauge": picture 7, 60 x 18 by width, progress area 2,2,58,16, progress
  // picture 60,93,80,107 with 3-pixel ends.
  EXPECT_EQ(g->Height(), 18);
  EXPECT_EQ(g->FittedProgressArea(), (TRect{2, 2, 98, 16}));
  const auto px = [&](int x, int y) { return PicturePixel(*skin, 7, x, y); };
  EXPECT_EQ(PixelOf(g, 0, 0), px(0, 91));
  // Value 50: bar 2 ... 50.
  EXPECT_EQ(PixelOf(g, 2, 8), px(60, 93 + 6));
  EXPECT_EQ(PixelOf(g, 49, 8), px(79, 93 + 6));
  EXPECT_EQ(PixelOf(g, 47, 8), px(77, 93 + 6));
  EXPECT_EQ(PixelOf(g, 10, 8), px(63 + (10 - 2) % 14, 93 + 6));
  EXPECT_EQ(PixelOf(g, 30, 8), px(63 + (30 - 2) % 14, 93 + 6));
  // Beyond the bar: the trough of the skin (middle piece of the look).
  EXPECT_EQ(PixelOf(g, 60, 8), PixelOf(g, 80, 8));
  EXPECT_NE(PixelOf(g, 60, 8), PixelOf(g, 30, 8));
  SaveShot(g, "gauge_half");

  g->SetShowPercent(true);
  const auto* data = skin->FindControl<TskDataSkinGaugeControl>("gauge");
  const auto [size, ink] = MeasureTextInk("50%", "宋体", -12);
  EXPECT_EQ(InkOf(g, data->FontColor).TopLeft(), (TPoint{50 - size.cx / 2 + ink.Left, 9 - size.cy / 2 + ink.Top}));
  g->SetMaxValue(0);  // empty range: empty bar
  EXPECT_EQ(PixelOf(g, 10, 8), PixelOf(g, 80, 8));
}

TEST_F(SkinGaugeTest, VerticalGaugeGrowsFromTheBottomWithTurnedText) {
  TskSkinData* skin = StoredSkin();
  auto* g = MakeGauge(skin, 30, 100, "vgauge");
  // "vgauge": 18 x 60 by height, progress area 2,2,16,58, picture 102,93,116,113.
  EXPECT_EQ(g->Width(), 18);
  EXPECT_TRUE(g->DrawsVertical());
  EXPECT_EQ(g->FittedProgressArea(), (TRect{2, 2, 16, 98}));
  g->SetValue(25);  // bar 2,74,16,98
  const auto px = [&](int x, int y) { return PicturePixel(*skin, 7, x, y); };
  EXPECT_EQ(PixelOf(g, 8, 97), px(108, 112));
  EXPECT_EQ(PixelOf(g, 8, 74), px(108, 93));
  EXPECT_EQ(PixelOf(g, 8, 90), px(108, 96 + (90 - 84)));
  EXPECT_EQ(PixelOf(g, 8, 73), PixelOf(g, 8, 40));

  g->SetShowPercent(true);
  const auto [size, ink] = MeasureTextInk("25%", "宋体", -12);
  const int32_t x = 18 / 2 - size.cy / 2, y = size.cx / 2 + 100 / 2;
  const TColor color = skin->FindControl<TskDataSkinGaugeControl>("vgauge")->FontColor;
  EXPECT_EQ(InkOf(g, color), (TRect{x + ink.Top, y - ink.Right, x + ink.Bottom, y - ink.Left}));
  SaveShot(g, "vgauge_quarter");
}

TEST_F(SkinGaugeTest, WithoutSkinSizeTheImageIsStretchedToTheControl) {
  TskSkinData* skin = StoredSkin();
  auto* g = new TskSkinGauge(Form());
  g->SetParent(Form());
  g->SetUseSkinSize(false);
  g->SetBounds(20, 20, 100, 30);
  g->SetSkinData(skin);
  EXPECT_EQ(g->Height(), 30);
  // Built at 100 x 18, stretched: row j shows row (2j + 1) * 18 div 60.
  EXPECT_EQ(PixelOf(g, 0, 0), PicturePixel(*skin, 7, 0, 91));
  EXPECT_EQ(PixelOf(g, 10, 15), PicturePixel(*skin, 7, 63 + 8, 93 + (31 * 18 / 60 - 2)));
}

TEST_F(SkinGaugeTest, ProgressPictureWithoutMiddleStopsTheDrawing) {
  TBitmap pic(40, 20);
  TDeviceContext dc(pic);
  dc.FillRect({0, 0, 40, 20}, RGB(10, 20, 30));
  dc.FillRect({30, 0, 36, 10}, RGB(200, 0, 0));
  TskSkinData* skin = MadeUpSkin(
      SkinDefinition({{"gauge", "gauge",
                       "pictureindex=0\nskinrect=0,0,30,20\nlefttoppoint=4,0\nrighttoppoint=26,0\nclientrect=0,0,30,20\n"
                       "progressarea=0,0,30,20\nprogressrect=30,0,36,10\nbeginoffset=3\nendoffset=3\nfontcolor=255\n"}}),
      {pic});
  auto* g = MakeGauge(skin, 100, 20);
  g->SetShowPercent(true);
  g->SetValue(50);  // a bar of 50 > 3 + 3 with nothing to tile
  EXPECT_EQ(PixelOf(g, 1, 5), RGB(10, 20, 30));
  EXPECT_EQ(PixelOf(g, 48, 5), RGB(10, 20, 30));
  // Red text (anti-aliased) would show as reddish pixels right of the bar.
  const auto reddish = [&] {
    const TBitmap pixels = PixelsOf(g);
    int n = 0;
    for (int32_t x = 20; x < 80; ++x)
      for (int32_t y = 0; y < 20; ++y)
        if (const TColor c = pixels.GetPixel(x, y); GetRValue(c) > GetGValue(c) + 80) ++n;
    return n;
  };
  EXPECT_EQ(reddish(), 0);
  g->SetValue(6);  // exactly the two ends: drawn, and the text
  EXPECT_EQ(PixelOf(g, 1, 5), RGB(200, 0, 0));
  EXPECT_EQ(PixelOf(g, 4, 5), RGB(200, 0, 0));
  EXPECT_GT(reddish(), 5);
}

}  // namespace
}  // namespace tsm
