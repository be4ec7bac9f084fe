// The skinned panel: where children align, the unskinned frames and caption
// band, the skin's frame, background picture and client texture (tiling
// that never divides by zero), the skinned caption, checked mode and
// rolling up.

#include <gtest/gtest.h>

#include "framework/controls/Label.h"
#include "platform/gfx/DeviceContext.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

class SkinPanelTest : public SkinControlTest {
 protected:
  TskSkinPanel* MakePanel(TskSkinData* skin, int32_t w = 150, int32_t h = 150) {
    auto* p = new TskSkinPanel(Form());
    p->SetParent(Form());
    p->SetBounds(20, 20, w, h);
    if (skin) p->SetSkinData(skin);
    Pump();
    return p;
  }
  static TskSkinPanel* Child(TskSkinPanel* p, TAlign align, int32_t size = 30) {
    auto* c = new TskSkinPanel(p->Owner());
    c->SetParent(p);
    c->SetBounds(0, 0, size, size);
    c->SetAlign(align);
    return c;
  }
};

// A 12 x 8 picture whose every pixel has its own colour.
TBitmap Numbered(int32_t w, int32_t h) {
  TBitmap b(w, h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) b.SetPixel(x, y, RGB(uint8_t(9 * x + 3), uint8_t(20 * y + 3), 150));
  return b;
}

TEST_F(SkinPanelTest, StoredSkinShowsNoCaptionAndAlignsChildrenTwoPixelsIn) {
  TskSkinData* skin = StoredSkin();
  TskSkinPanel* p = MakePanel(skin, 200, 120);
  p->SetCaption("组");
  TskSkinPanel* c = Child(p, TAlign::alClient);
  EXPECT_EQ(c->BoundsRect(), (TRect{2, 2, 198, 118}));
  p->SetCaptionMode(true);  // skinned: the skin decides
  EXPECT_EQ(c->BoundsRect(), (TRect{2, 2, 198, 118}));
  EXPECT_TRUE(p->CaptionArea().IsEmpty());
  p->SetBounds(20, 20, 300, 60);
  EXPECT_EQ(c->BoundsRect(), (TRect{2, 2, 298, 58}));
  // The frame comes from the picture: corners kept.
  EXPECT_EQ(PixelOf(p, 299, 59), PicturePixel(*skin, 7, 19, 19));
}

TEST_F(SkinPanelTest, UnskinnedChildrenAlignInsideTheFrameAndBelowTheCaptionBand) {
  TskSkinPanel* p = MakePanel(nullptr, 200, 120);
  TskSkinPanel* c = Child(p, TAlign::alClient);
  EXPECT_EQ(c->BoundsRect(), (TRect{1, 1, 199, 119}));
  p->SetCaptionMode(true);
  EXPECT_EQ(c->BoundsRect(), (TRect{1, 22, 199, 119}));
  p->SetDefaultCaptionHeight(30);
  EXPECT_EQ(c->Top(), 30);
  p->SetBorderStyle(TskSkinBorderStyle::bvNone);
  EXPECT_EQ(c->BoundsRect(), (TRect{0, 30, 200, 120}));
}

TEST_F(SkinPanelTest, UnskinnedFramesByBorderStyle) {
  TskSkinPanel* p = MakePanel(nullptr, 100, 80);
  const TColor face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
  EXPECT_EQ(PixelOf(p, 0, 0), shadow);
  EXPECT_EQ(PixelOf(p, 99, 79), shadow);
  EXPECT_EQ(PixelOf(p, 50, 40), face);
  p->SetBorderStyle(TskSkinBorderStyle::bvRaised);
  EXPECT_EQ(PixelOf(p, 0, 40), light);
  EXPECT_EQ(PixelOf(p, 99, 40), shadow);
  p->SetBorderStyle(TskSkinBorderStyle::bvLowered);
  EXPECT_EQ(PixelOf(p, 50, 0), shadow);
  EXPECT_EQ(PixelOf(p, 50, 79), light);
  p->SetBorderStyle(TskSkinBorderStyle::bvNone);
  EXPECT_EQ(PixelOf(p, 0, 0), face);

  // Caption band of a framed panel: its own frame, a bevel inside.
  p->SetBorderStyle(TskSkinBorderStyle::bvFrame);
  p->SetCaptionMode(true);
  EXPECT_EQ(PixelOf(p, 50, 21), shadow);
  EXPECT_EQ(PixelOf(p, 50, 1), light);
  EXPECT_EQ(PixelOf(p, 50, 20), face);
  // Other styles: a sunken and a raised bevel from (1, 1).
  p->SetBorderStyle(TskSkinBorderStyle::bvRaised);
  EXPECT_EQ(PixelOf(p, 50, 1), shadow);
  EXPECT_EQ(PixelOf(p, 50, 2), light);
  EXPECT_EQ(PixelOf(p, 50, 20), shadow);
  EXPECT_EQ(PixelOf(p, 50, 21), light);
  p->SetCaption("标题");
  p->SetCheckedMode(true);
  p->SetRollUpMode(true);
  SaveShot(p, "panel_fallback_caption");
}

TEST_F(SkinPanelTest, CheckedModeEnablesTheChildrenAndTheCaptionToggles) {
  TskSkinPanel* p = MakePanel(nullptr, 200, 120);
  TskSkinPanel* c = Child(p, TAlign::alBottom);
  int checkedEvents = 0;
  p->OnChecked = [&](TObject*) { ++checkedEvents; };
  p->SetChecked(false);  // not in checked mode: only the event
  EXPECT_EQ(checkedEvents, 1);
  EXPECT_TRUE(c->Enabled());
  p->SetCheckedMode(true);
  p->SetChecked(false);
  EXPECT_FALSE(c->Enabled());
  EXPECT_EQ(checkedEvents, 2);
  p->SetCaptionMode(true);
  Click(p, {100, 10});
  EXPECT_TRUE(p->Checked());
  EXPECT_TRUE(c->Enabled());
  Click(p, {100, 60});  // below the caption band: nothing
  EXPECT_TRUE(p->Checked());
  // The drawn box at x 5, vertically centred in the band's interior.
  EXPECT_EQ(PixelOf(p, 5, 4), ColorToRGB(clBtnShadow));
  p->SetAutoEnabledControls(false);
  p->SetChecked(false);
  EXPECT_TRUE(c->Enabled());
}

TEST_F(SkinPanelTest, RollingUpKeepsTheCaptionAndRestoresHeightAndChildren) {
  TskSkinPanel* p = MakePanel(nullptr, 200, 120);
  TskSkinPanel* shown = Child(p, TAlign::alTop);
  TskSkinPanel* hidden = Child(p, TAlign::alBottom);
  hidden->Hide();
  p->SetRollUpState(true);  // no roll-up mode: stays down
  EXPECT_FALSE(p->RollUpState());
  EXPECT_EQ(p->Height(), 120);
  int changes = 0;
  p->OnChangeRollUpState = [&](TObject*) { ++changes; };
  p->SetRollUpMode(true);
  p->SetCaptionMode(true);
  Click(p, {100, 10});
  EXPECT_TRUE(p->RollUpState());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(p->Height(), 23);
  EXPECT_EQ(p->RealHeight(), 120);
  EXPECT_FALSE(shown->Visible());
  SaveShot(p, "panel_fallback_rolled_up");
  p->SetRollUpState(false);
  EXPECT_EQ(p->Height(), 120);
  EXPECT_EQ(p->RealHeight(), -1);
  EXPECT_TRUE(shown->Visible());
  EXPECT_FALSE(hidden->Visible());  // hidden before: stays hidden
  EXPECT_EQ(changes, 2);

  // Skinned: the frame without its client area; a new skin rolls it again.
  TskSkinData* skin = StoredSkin();
  p->SetSkinData(skin);
  p->SetRollUpState(true);
  EXPECT_EQ(p->Height(), 4);  // 120 - (118 - 2)
  SkinControlTest::Reload(*skin,
                          SkinDefinition({{"panel", "panel",
                                           "pictureindex=0\nskinrect=0,0,12,8\nlefttoppoint=3,3\nrighttoppoint=9,3\n"
                                           "leftbottompoint=3,5\nrightbottompoint=9,5\nclientrect=1,2,11,7\n"}}),
                          {Numbered(12, 8)});
  EXPECT_EQ(p->Height(), 120 - (120 - 8 + 5));
  EXPECT_EQ(p->RealHeight(), 120);
  p->SetRollUpState(false);
  EXPECT_EQ(p->Height(), 120);
  EXPECT_EQ(shown->BoundsRect().Top, 2);
}

TEST_F(SkinPanelTest, BackgroundPictureTilesTheWholePanel) {
  TskSkinData* skin = MadeUpSkin(
      SkinDefinition({{"panel", "panel",
                       "pictureindex=0\nskinrect=0,0,12,8\nlefttoppoint=3,3\nrighttoppoint=9,3\nleftbottompoint=3,5\n"
                       "rightbottompoint=9,5\nclientrect=1,2,11,7\nbgpictureindex=1\n"},
                      {"nobg", "panel", "pictureindex=0\nskinrect=0,0,12,8\nbgpictureindex=7\n"}}),
      {Numbered(12, 8), Numbered(7, 5)});
  TskSkinPanel* p = MakePanel(skin, 100, 60);
  for (const TPoint q : {TPoint{0, 0}, TPoint{6, 4}, TPoint{7, 5}, TPoint{50, 33}, TPoint{99, 59}})
    EXPECT_EQ(PixelOf(p, q.X, q.Y), PicturePixel(*skin, 1, q.X % 7, q.Y % 5)) << q.X << "," << q.Y;
  TskSkinPanel* c = Child(p, TAlign::alClient);
  EXPECT_EQ(c->BoundsRect(), (TRect{0, 0, 100, 60}));
  p->SetSkinDataName("nobg");  // a background index beyond the pictures: nothing, no fault
  p->ApplySkinChange();
  Pump();
}

TEST_F(SkinPanelTest, FramelessCornerSkinShowsOnlyTheClientTexture) {
  const std::string keys =
      "pictureindex=0\nskinrect=0,0,12,8\nlefttoppoint=3,3\nrighttoppoint=9,3\nleftbottompoint=3,5\n"
      "rightbottompoint=9,5\nclientrect=";
  TskSkinData* skin = MadeUpSkin(SkinDefinition({{"panel", "panel", keys + "1,2,11,7\n"},
                                                 {"empty", "panel", keys + "4,4,4,4\n"}}),
                                 {Numbered(12, 8)});
  TskSkinPanel* p = MakePanel(skin, 100, 60);
  p->SetBorderStyle(TskSkinBorderStyle::bvNone);
  for (const TPoint q : {TPoint{0, 0}, TPoint{9, 4}, TPoint{10, 5}, TPoint{99, 59}})
    EXPECT_EQ(PixelOf(p, q.X, q.Y), PicturePixel(*skin, 0, 1 + q.X % 10, 2 + q.Y % 5)) << q.X << "," << q.Y;
  TskSkinPanel* c = Child(p, TAlign::alClient);
  EXPECT_EQ(c->BoundsRect(), (TRect{0, 0, 100, 60}));
  // An empty client texture draws nothing rather than dividing by zero.
  p->SetSkinDataName("empty");
  p->ApplySkinChange();
  Pump();
  // With a frame again: the corner look, children in the client rectangle.
  p->SetSkinDataName("panel");
  p->SetBorderStyle(TskSkinBorderStyle::bvFrame);
  p->ApplySkinChange();
  EXPECT_EQ(PixelOf(p, 0, 0), PicturePixel(*skin, 0, 0, 0));
  EXPECT_EQ(c->BoundsRect(), (TRect{1, 2, 99, 59}));
}

TEST_F(SkinPanelTest, SkinnedCaptionWithCheckImageAlignmentAndArrow) {
  TBitmap pic(40, 30);
  TDeviceContext dc(pic);
  dc.FillRect({0, 0, 40, 30}, RGB(230, 230, 230));
  dc.FillRect({0, 20, 40, 30}, RGB(0, 0, 255));  // the check images' background: transparent
  dc.FillRect({2, 22, 6, 26}, RGB(0, 160, 0));   // unchecked mark 0,20,8,28
  dc.FillRect({10, 22, 14, 26}, RGB(160, 0, 0)); // checked mark 8,20,16,28
  TskSkinData* skin = MadeUpSkin(
      SkinDefinition({{"panel", "panel",
                       "pictureindex=0\nskinrect=0,0,20,20\nlefttoppoint=3,15\nrighttoppoint=17,15\n"
                       "leftbottompoint=3,17\nrightbottompoint=17,17\nclientrect=2,2,18,18\ncaptionrect=2,2,18,14\n"
                       "alignment=tarightjustify\nfontname=宋体\nfontheight=-12\nfontcolor=8388608\n"
                       "checkimagerect=8,20,16,28\nuncheckimagerect=0,20,8,28\n"}}),
      {pic});
  TskSkinPanel* p = MakePanel(skin, 120, 60);
  p->SetCaption("ab");
  // Caption area 2,2,118,14 (from the left-top into the right-top corner
  // zone: stretched); right aligned.
  EXPECT_EQ(p->CaptionArea(), (TRect{2, 2, 118, 14}));
  const TRect ink = InkOf(p, TColor(8388608));
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_LE(ink.Right, 118);
  EXPECT_GE(ink.Left, 118 - 12);
  p->SetCheckedMode(true);
  EXPECT_EQ(PixelOf(p, 2 + 3, 2 + 6 - 4 + 3), RGB(0, 160, 0));
  p->SetChecked(true);
  EXPECT_EQ(PixelOf(p, 2 + 3, 2 + 6 - 4 + 3), RGB(160, 0, 0));
  EXPECT_EQ(PixelOf(p, 2 + 0, 2 + 6 - 4), RGB(230, 230, 230));  // transparent corner
  p->SetRollUpMode(true);  // the text moves 12 left, the arrow takes 10 of them
  EXPECT_LE(InkOf(p, TColor(8388608)).Left, 118 - 12 - 12 + 2);
  SaveShot(p, "panel_skinned_caption");
}

}  // namespace
}  // namespace tsm
