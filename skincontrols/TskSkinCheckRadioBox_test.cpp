// Check boxes and radio boxes: OnClick on every Checked assignment, groups,
// the click operation from mouse, Space and accelerators, the flat looks
// (unskinned geometry, the skin's check images, transparency over the
// parent, images, the focus frame) and the framed looks with morphing.

#include <gtest/gtest.h>

#include "framework/controls/Action.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinGlyphs.h"
#include "skincontrols/TskSkinCheckRadioBox.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

class SkinCheckBoxTest : public SkinControlTest {
 protected:
  TskSkinCheckRadioBox* MakeBox(const std::string& caption, TskSkinData* skin, int32_t x = 20, int32_t y = 20,
                                const std::string& name = "checkbox") {
    auto* b = new TskSkinCheckRadioBox(Form());
    b->SetParent(Form());
    b->SetSkinDataName(name);
    b->SetCaption(caption);
    b->SetBounds(x, y, 150, 25);
    if (skin) b->SetSkinData(skin);
    b->OnClick = [this](TObject* sender) { m_clicks.push_back(static_cast<TskSkinCheckRadioBox*>(sender)); };
    Pump();
    return b;
  }
  int Clicks(const TskSkinCheckRadioBox* b) const { return int(std::count(m_clicks.begin(), m_clicks.end(), b)); }
  std::vector<TskSkinCheckRadioBox*> m_clicks;
};

TEST_F(SkinCheckBoxTest, EveryCheckedAssignmentRaisesOnClickRadioOnlyWhenTrue) {
  auto* c = MakeBox("c", nullptr);
  c->SetChecked(c->Checked());
  EXPECT_EQ(Clicks(c), 1);
  c->SetChecked(true);
  c->SetChecked(true);
  EXPECT_EQ(Clicks(c), 3);
  auto* r = MakeBox("r", nullptr, 20, 60);
  r->SetRadio(true);
  r->SetChecked(false);
  EXPECT_EQ(Clicks(r), 0);
  r->SetChecked(true);
  r->SetChecked(r->Checked());
  EXPECT_EQ(Clicks(r), 2);
}

TEST_F(SkinCheckBoxTest, CheckedFollowsALinkedAction) {
  auto* action = new TAction(Form());
  action->SetCaption("转换范围");
  auto* c = MakeBox("", nullptr);
  c->SetAction(action);
  EXPECT_EQ(c->Caption(), "转换范围");
  EXPECT_FALSE(c->Checked());
  action->SetChecked(true);
  EXPECT_TRUE(c->Checked());
  EXPECT_EQ(Clicks(c), 1);
  action->SetChecked(false);
  EXPECT_FALSE(c->Checked());
  EXPECT_EQ(Clicks(c), 2);
}

TEST_F(SkinCheckBoxTest, CheckingOneRadioOfAGroupUnchecksTheOthers) {
  auto* a = MakeBox("a", nullptr, 20, 20);
  auto* b = MakeBox("b", nullptr, 20, 60);
  auto* other = MakeBox("o", nullptr, 20, 100);
  for (auto* r : {a, b}) {
    r->SetRadio(true);
    r->SetGroupIndex(1);
  }
  other->SetRadio(true);
  other->SetGroupIndex(2);
  other->SetChecked(true);
  a->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());
  Click(a);
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  Click(a);  // a checked radio stays checked, no click
  EXPECT_TRUE(a->Checked());
  EXPECT_EQ(Clicks(a), 2);
}

TEST_F(SkinCheckBoxTest, ClickOperationFromMouseSpaceAndAccelerator) {
  auto* c = MakeBox("&Range", nullptr);
  Click(c);
  EXPECT_TRUE(c->Checked());
  EXPECT_TRUE(c->Focused());
  Click(c);
  EXPECT_FALSE(c->Checked());
  // Pressed, dragged away, released: nothing.
  MoveTo(c, {10, 10});
  Desk().MouseDown();
  Pump();
  Desk().MouseMove({600, 380});
  Desk().MouseUp();
  Pump();
  EXPECT_FALSE(c->Checked());
  Key(VK_SPACE);
  EXPECT_TRUE(c->Checked());
  Key('R', {TShiftKey::Alt});
  EXPECT_FALSE(c->Checked());
  // Space released on a box it did not go down on: nothing.
  auto* d = MakeBox("d", nullptr, 20, 60);
  Desk().KeyDown(VK_SPACE);
  Pump();
  d->SetFocus();
  Pump();
  Desk().KeyUp(VK_SPACE);
  Pump();
  EXPECT_FALSE(c->Checked());
  EXPECT_FALSE(d->Checked());
  // Without CanFocused no keys and no focus.
  d->SetCanFocused(false);
  c->SetFocus();
  Pump();
  Click(d);
  EXPECT_TRUE(d->Checked());
  EXPECT_FALSE(d->Focused());
}

TEST_F(SkinCheckBoxTest, UnskinnedFlatBoxGeometry) {
  auto* c = MakeBox("转换范围", nullptr);
  c->DefaultFont().SetColor(clMaroon);
  const int32_t h = c->Height();  // 25: box 3,5 - 17,19
  EXPECT_EQ(PixelOf(c, 3, h / 2 - 7), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(c, 16, h / 2 + 6), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(c, 10, h / 2), clWhite);  // the form shows through
  EXPECT_EQ(PixelOf(c, 2, h / 2), clWhite);
  const TRect ink = MeasureTextInk("转换范围", "Arial", 14).Ink;
  const TRect shown = InkOf(c, clMaroon);
  EXPECT_EQ(shown.Left, 22 + ink.Left);
  const int32_t th = TFont::Create({"Arial", 14})->Height();
  EXPECT_EQ(shown.Top, h / 2 - th / 2 + ink.Top);
  MoveTo(c, {5, 5});
  EXPECT_EQ(PixelOf(c, 3, h / 2 - 7), RGB(0, 0, 128));
  // The check mark in black at (7, H div 2 - 4).
  EXPECT_TRUE(InkOf(c, clBlack).IsEmpty());
  c->SetChecked(true);
  TBitmap mark(30, 30);
  mark.Fill(clWhite);
  TDeviceContext dc(mark);
  DrawCheckGlyph(dc, 7, h / 2 - 4, clBlack);
  TRect expected;
  for (int32_t y = 0; y < 30; ++y)
    for (int32_t x = 0; x < 30; ++x)
      if (mark.GetPixel(x, y) == clBlack) expected.Unite({x, y, x + 1, y + 1});
  EXPECT_EQ(InkOf(c, clBlack), expected);
  c->SetEnabled(false);
  EXPECT_TRUE(InkOf(c, clBlack).IsEmpty());
  EXPECT_EQ(InkOf(c, ColorToRGB(clBtnShadow)).Left, 3);
  SaveShot(c, "checkbox_fallback_disabled");
}

// A parent painted white on the left, yellow from x 200 on.
class TTwoTone : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    Canvas().Brush() = TBrush{clWhite, TBrushStyle::Solid};
    Canvas().FillRect({0, 0, 200, Height()});
    Canvas().Brush() = TBrush{clYellow, TBrushStyle::Solid};
    Canvas().FillRect({200, 0, Width(), Height()});
  }
};

TEST_F(SkinCheckBoxTest, FlatBoxShowsWhatLiesUnderItAlsoAfterMoving) {
  auto* parent = new TTwoTone(Form());
  parent->SetParent(Form());
  parent->SetBounds(0, 0, 400, 100);
  auto* c = MakeBox("", nullptr);
  c->SetParent(parent);
  EXPECT_EQ(PixelOf(c, 10, 12), clWhite);
  c->SetLeft(220);
  EXPECT_EQ(PixelOf(c, 10, 12), clYellow);
  EXPECT_EQ(PixelOf(c, 100, 12), clYellow);
}

TEST_F(SkinCheckBoxTest, SkinnedFlatBoxDrawsTheSkinsCheckImages) {
  TskSkinData* skin = StoredSkin();
  auto* c = MakeBox("转换范围", skin);
  // "checkbox": 13 x 13 marks in picture 7; unchecked 0,65  checked 13,65
  // hot 26,65 / 39,65  disabled 52,65 / 65,65. At x 3, centred.
  EXPECT_EQ(c->Height(), 25);  // flat: any size
  const int32_t top = 25 / 2 - 13 / 2;
  const auto mark = [&](int32_t px, int32_t py) { return PicturePixel(*skin, 7, px + 6, py + 6); };
  EXPECT_EQ(PixelOf(c, 3 + 6, top + 6), mark(0, 65));
  c->SetChecked(true);
  EXPECT_EQ(PixelOf(c, 3 + 6, top + 6), mark(13, 65));
  MoveTo(c, {100, 5});
  EXPECT_EQ(PixelOf(c, 3 + 6, top + 6), mark(39, 65));
  Desk().MouseMove({600, 380});
  c->SetEnabled(false);
  EXPECT_EQ(PixelOf(c, 3 + 6, top + 6), mark(65, 65));
  c->SetEnabled(true);
  // Caption at x = 13 + 7 in framefontcolor.
  const auto* data = skin->FindControl<TskDataSkinCheckRadioControl>("checkbox");
  EXPECT_EQ(InkOf(c, data->FrameFontColor).Left, 20 + MeasureTextInk("转换范围", "宋体", -12).Ink.Left);
  SaveShot(c, "checkbox_flat_checked");
}

TEST_F(SkinCheckBoxTest, FocusFrameAroundTheTextAndImagesBeforeIt) {
  TskSkinData* skin = StoredSkin();
  auto* c = MakeBox("ab", skin);
  const TBitmap before = PixelsOf(c);
  c->SetFocus();
  const TBitmap focused = PixelsOf(c);
  // Text box: x 20 ... 32 (12 wide), rows 6 ... 19 (13 high, centred);
  // the frame runs from (18, 5) to (34, 19).
  // (dotted: pixels whose x + y is even are inverted)
  EXPECT_NE(focused.GetPixel(18, 6), before.GetPixel(18, 6));
  EXPECT_NE(focused.GetPixel(34, 6), before.GetPixel(34, 6));
  EXPECT_NE(focused.GetPixel(21, 19), before.GetPixel(21, 19));
  EXPECT_EQ(focused.GetPixel(21, 20), before.GetPixel(21, 20));
  EXPECT_EQ(focused.GetPixel(17, 6), before.GetPixel(17, 6));
  EXPECT_EQ(focused.GetPixel(36, 6), before.GetPixel(36, 6));
  EXPECT_EQ(focused.GetPixel(10, 3), before.GetPixel(10, 3));

  auto* images = new TImageList(Form());
  images->SetSize(8, 8);
  TBitmap square(8, 8);
  square.Fill(clRed);
  images->Add(square);
  c->SetImages(images);
  EXPECT_EQ(PixelOf(c, 20, 12), clRed);  // the image at the text's place
  EXPECT_EQ(InkOf(c, clRed), (TRect{20, 8, 28, 16}));
  const TRect ink = MeasureTextInk("ab", "宋体", -12).Ink;
  const auto* data = skin->FindControl<TskDataSkinCheckRadioControl>("checkbox");
  EXPECT_EQ(InkOf(c, data->FrameFontColor).Left, 20 + 8 + 5 + ink.Left);
  images->Free();  // forgotten
  EXPECT_EQ(c->Images(), nullptr);
  EXPECT_TRUE(InkOf(c, clRed).IsEmpty());
}

TEST_F(SkinCheckBoxTest, FramedSkinnedBoxFitsAndShowsItsActiveLook) {
  TskSkinData* skin = StoredSkin();
  auto* c = MakeBox("选项", skin, 20, 20, "radiobox");
  c->SetRadio(true);
  c->SetFlat(false);
  // "radiobox": 60 x 20 by width, normal 0,25  active 0,45; area 3,3,16,16.
  EXPECT_EQ(c->Height(), 20);
  EXPECT_EQ(c->Width(), 150);
  EXPECT_EQ(PixelOf(c, 1, 10), PicturePixel(*skin, 7, 1, 25 + 10));
  EXPECT_EQ(PixelOf(c, 149, 10), PicturePixel(*skin, 7, 59, 25 + 10));
  EXPECT_EQ(PixelOf(c, 3 + 6, 3 + 6), PicturePixel(*skin, 7, 6, 78 + 6));  // unchecked radio mark
  MoveTo(c, {100, 10});
  EXPECT_EQ(PixelOf(c, 1, 10), PicturePixel(*skin, 7, 1, 45 + 10));
  c->SetChecked(true);
  EXPECT_EQ(PixelOf(c, 3 + 6, 3 + 6), PicturePixel(*skin, 7, 39 + 6, 78 + 6));
  SaveShot(c, "radiobox_framed_hot_checked");
  // Flat again: any size, no fitting.
  c->SetFlat(true);
  c->SetHeight(30);
  EXPECT_EQ(c->Height(), 30);
}

TEST_F(SkinCheckBoxTest, FramedUnskinnedBoxGetsAFrameWhileHovered) {
  auto* c = MakeBox("x", nullptr);
  c->SetFlat(false);
  c->SetCanFocused(false);
  EXPECT_EQ(PixelOf(c, 0, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelOf(c, 10, 12), ColorToRGB(clBtnFace));
  MoveTo(c, {100, 10});
  EXPECT_EQ(PixelOf(c, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(c, 3, 5), RGB(0, 0, 128));
}

TEST_F(SkinCheckBoxTest, FramedBoxMorphsAndShowsTheFinalLook) {
  TBitmap pic(20, 60);
  TDeviceContext dc(pic);
  dc.FillRect({0, 0, 20, 20}, RGB(200, 0, 0));
  dc.FillRect({0, 20, 20, 40}, RGB(0, 0, 200));
  TskSkinData* skin = MadeUpSkin(
      SkinDefinition({{"checkbox", "checkradio",
                       "pictureindex=0\nskinrect=0,0,20,20\nlefttoppoint=5,0\nrighttoppoint=15,0\nclientrect=0,0,20,20\n"
                       "activeskinrect=0,20,20,40\ntextarea=5,0,20,20\nmorphing=1\nmorphkind=mkdefault\n"}}),
      {pic});
  auto* c = MakeBox("", skin);
  c->SetCanFocused(false);
  c->SetFlat(false);
  EXPECT_EQ(PixelOf(c, 10, 10), RGB(200, 0, 0));
  MoveTo(c, {10, 10});
  EXPECT_TRUE(c->Morphing());
  RunFor(20);
  EXPECT_EQ(PixelOf(c, 10, 10), RGB(160, 0, 40));
  RunFor(80);
  EXPECT_EQ(PixelOf(c, 10, 10), RGB(0, 0, 200));
  EXPECT_FALSE(c->Morphing());
  c->SetEnabled(false);
  EXPECT_EQ(c->MorphPosition(), 0.0L);
  EXPECT_FALSE(c->MouseInside());
  // A flat box never morphs.
  c->SetEnabled(true);
  c->SetFlat(true);
  MoveTo(c, {12, 12});
  EXPECT_FALSE(c->Morphing());
}

}  // namespace
}  // namespace tsm
