// Skinned hints: the hint component takes over the application's hints;
// the skinned window's size, picture, text place and colour from the stored
// skin; the plain look without hint data; the place at the screen's edges;
// translucency; the frame's object hints with their pauses.

#include <gtest/gtest.h>

#include "framework/controls/Button.h"
#include "framework/forms/Application.h"
#include "skin/SkinWindowData.h"
#include "skinforms/TskSkinHint.h"
#include "skinforms/TskSkinHintWindow.h"
#include "skinforms/tests/FrameTestSupport.h"

namespace tsm {
namespace {

class SkinHintTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    m_hint = new TskSkinHint(m_main);
    m_hint->SetSkinData(m_skin);
    m_form = NewForm("提示", TRect::FromSize(100, 100, 400, 200));
    m_form->SetShowHint(true);
    m_button = NewButton(m_form, "A", TRect::FromSize(10, 10, 80, 24));
    m_button->SetHint("第一个按钮的提示");
    m_form->Show();
    Pump();
  }
  void TearDown() override {
    Application().Hints().OnShowHint = nullptr;
    FrameTest::TearDown();
  }
  TApplicationHints& Hints() { return Application().Hints(); }
  THintWindow* Window() { return Hints().HintWindow(); }
  bool HintUp() { return Window() && Window()->HintShown(); }
  // Rests the mouse on the button until its hint is due.
  void Hover(TPoint client = {20, 12}) {
    MoveTo(m_button, client);
    RunFor(Hints().HintPause + 10);
  }
  const TskDataSkinHintWindow& Data() const { return m_skin->HintWindow(); }
  const TBitmap& Picture() const { return *m_skin->ActivePicture(Data().WindowPictureIndex); }

  TskSkinHint* m_hint = nullptr;
  TForm* m_form = nullptr;
  TButton* m_button = nullptr;
};

TEST_F(SkinHintTest, ControlHintsUseTheSkinnedWindowWithItsSizeCornersAndCentredText) {
  EXPECT_EQ(Hints().HintShortPause, TskSkinHint::kShortHintPause);
  Hover();
  ASSERT_TRUE(HintUp());
  auto* window = dynamic_cast<TskSkinHintWindow*>(Window());
  ASSERT_NE(window, nullptr) << "the application's hint window class was replaced";
  ASSERT_TRUE(window->Skinned());
  EXPECT_EQ(window->Text(), "第一个按钮的提示");

  // The stored skin's hint picture: 47 x 21, client rectangle 8,3,39,18.
  ASSERT_EQ(Picture().Size(), (TSize{47, 21}));
  ASSERT_EQ(Data().ClientRect, (TRect{8, 3, 39, 18}));
  const TSize text = window->Geometry().Text;
  EXPECT_EQ(window->Width(), std::max(text.cx + 16, 47));
  EXPECT_EQ(window->Height(), std::max(text.cy + 6, 21));
  EXPECT_GT(window->Width(), 47) << "a text this long widens the window";

  const TBitmap image = Desk().WindowImage(window->Handle());
  const int32_t dx = window->Width() - 47, dy = window->Height() - 21;
  // Corner zones keep the picture's pixels, moved with the size.
  EXPECT_EQ(image.GetPixel(1, 1), Picture().GetPixel(1, 1));
  EXPECT_EQ(image.GetPixel(45 + dx, 19 + dy), Picture().GetPixel(45, 19));
  EXPECT_EQ(image.GetPixel(45 + dx, 1), Picture().GetPixel(45, 1));
  EXPECT_EQ(image.GetPixel(1, 19 + dy), Picture().GetPixel(1, 19));

  // The text in fontcolor, its ink inside the block centred in the fitted client rectangle.
  const TColor ink = ColorToRGB(Data().FontColor);
  const TRect client{8, 3, 39 + dx, 18 + dy};
  const int32_t x = client.Left + client.Width() / 2 - text.cx / 2;
  const int32_t y = client.Top + client.Height() / 2 - text.cy / 2;
  const TRect block{x, y, x + text.cx, y + text.cy};
  TRect inked{image.Width(), image.Height(), 0, 0};
  for (int32_t py = 0; py < image.Height(); ++py)
    for (int32_t px = 0; px < image.Width(); ++px)
      if (image.GetPixel(px, py) == ink)
        inked = {std::min(inked.Left, px), std::min(inked.Top, py), std::max(inked.Right, px + 1),
                 std::max(inked.Bottom, py + 1)};
  ASSERT_FALSE(inked.IsEmpty()) << "the text is drawn in fontcolor";
  EXPECT_GE(inked.Left, block.Left);
  EXPECT_GE(inked.Top, block.Top);
  EXPECT_LE(inked.Right, block.Right);
  EXPECT_LE(inked.Bottom, block.Bottom);
  EXPECT_LE(inked.Left - block.Left, 3) << "starts at the block's left";
  EXPECT_LE(block.Right - inked.Right, 3) << "ends at the block's right";

  // A short text keeps the picture's size.
  m_button->SetHint("A");
  MoveTo(m_form, {300, 150});
  RunFor(Hints().HintPause + 10);
  Hover({30, 12});
  ASSERT_TRUE(HintUp());
  EXPECT_EQ(Window()->Width(), 47);
  EXPECT_EQ(Window()->Height(), 21);
}

TEST_F(SkinHintTest, WithoutHintDataOrWithoutAnActiveComponent) {
  // No skin: the plain look, the text's size plus 4.
  m_hint->SetSkinData(nullptr);
  Hover();
  ASSERT_TRUE(HintUp());
  auto* window = static_cast<TskSkinHintWindow*>(Window());
  EXPECT_FALSE(window->Skinned());
  const TSize text = window->Geometry().Text;
  EXPECT_EQ(window->Width(), text.cx + 4);
  EXPECT_EQ(window->Height(), text.cy + 4);
  const TBitmap image = Desk().WindowImage(window->Handle());
  EXPECT_EQ(image.GetPixel(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(image.GetPixel(1, 1), ColorToRGB(clInfoBk));

  // UseSkinFont off: DefaultFont measures the text (a larger one gives a larger window).
  m_hint->SetSkinData(m_skin);
  m_hint->UseSkinFont = false;
  m_hint->DefaultFont().SetHeight(30);
  Hints().CancelHint();
  Hover({22, 12});
  ASSERT_TRUE(HintUp());
  const TSize big = THintWindow::MeasureHint("第一个按钮的提示", m_hint->DefaultFont());
  EXPECT_EQ(Window()->Width(), big.cx + 16);
  EXPECT_EQ(Window()->Height(), big.cy + 6);

  // The only hint component switched off: no hint at all.
  m_hint->SetActive(false);
  Hints().CancelHint();
  Hover({24, 12});
  EXPECT_FALSE(HintUp());
}

TEST_F(SkinHintTest, PastTheRightOrBottomEdgeTheHintOpensLeftOrAbove) {
  TPoint where;
  Hints().OnShowHint = [&](std::string&, bool&, THintInfo& info) { info.HintPos = where; };
  where = {1010, 300};
  Hover();
  ASSERT_TRUE(HintUp());
  EXPECT_EQ(Window()->Left(), 1010 - Window()->Width() - 2);
  EXPECT_EQ(Window()->Top(), 300);

  where = {200, 760};
  Hints().CancelHint();
  Hover({22, 12});
  ASSERT_TRUE(HintUp());
  EXPECT_EQ(Window()->Left(), 200);
  EXPECT_EQ(Window()->Top(), 760 - Window()->Height() - 2);
}

TEST_F(SkinHintTest, AlphaBlendWithoutAValueIsOpaqueAndAValueBlends) {
  m_hint->AlphaBlend = true;   // AlphaBlendValue left at 0
  Hover();
  ASSERT_TRUE(HintUp());
  const HWND wnd = Window()->Handle();
  const TPoint at{Window()->Left() + 1, Window()->Top() + 1};
  EXPECT_EQ(Desk().ScreenPixel(at.X, at.Y), Desk().WindowImage(wnd).GetPixel(1, 1)) << "shown, not invisible";

  m_hint->AlphaBlendValue = 128;
  Hints().CancelHint();
  Hover();
  ASSERT_TRUE(HintUp());
  EXPECT_NE(Desk().ScreenPixel(at.X, at.Y), Desk().WindowImage(wnd).GetPixel(1, 1)) << "blended with what lies below";
  EXPECT_NE(GetWindowExStyle(wnd) & WS_EX_LAYERED, 0u);

  m_hint->AlphaBlend = false;
  Hints().CancelHint();
  Hover();
  EXPECT_EQ(GetWindowExStyle(wnd) & WS_EX_LAYERED, 0u);
  EXPECT_EQ(Desk().ScreenPixel(at.X, at.Y), Desk().WindowImage(wnd).GetPixel(1, 1));
}

TEST_F(SkinHintTest, ObjectHintsWaitShowBelowTheCursorAndHide) {
  Desk().MouseMove({300, 400});
  Pump();
  m_hint->ShowHintText("关闭");
  EXPECT_TRUE(m_hint->HintWaiting());
  RunFor(Hints().HintPause - 10);
  EXPECT_FALSE(m_hint->HintShown());
  // A new text starts the pause again.
  m_hint->ShowHintText("最小化");
  RunFor(Hints().HintPause - 10);
  EXPECT_FALSE(m_hint->HintShown());
  RunFor(20);
  ASSERT_TRUE(m_hint->HintShown());
  TskSkinHintWindow* window = m_hint->HintWindow();
  EXPECT_EQ(window->Text(), "最小化");
  EXPECT_EQ(window->Left(), 300);
  EXPECT_EQ(window->Top(), 400 + TApplicationHints::CursorHeightMargin());
  EXPECT_TRUE(window->Skinned());
  RunFor(Hints().HintHidePause + 10);
  EXPECT_FALSE(m_hint->HintShown());
  EXPECT_FALSE(m_hint->HintWaiting());

  m_hint->ShowHintText("还原");
  RunFor(Hints().HintPause + 10);
  ASSERT_TRUE(m_hint->HintShown());
  m_hint->HideHintText();
  EXPECT_FALSE(m_hint->HintShown());
  RunFor(Hints().HintHidePause + Hints().HintPause);
  EXPECT_FALSE(m_hint->HintShown()) << "no timer left";
}

TEST_F(SkinHintTest, FreeingTheHintComponentOrItsSkinLeavesNothingDangling) {
  Hover();
  ASSERT_TRUE(HintUp());
  m_skin->Free();
  m_skin = nullptr;
  EXPECT_EQ(m_hint->SkinData(), nullptr);
  Hints().CancelHint();
  Hover({22, 12});
  ASSERT_TRUE(HintUp());
  EXPECT_FALSE(static_cast<TskSkinHintWindow*>(Window())->Skinned());
  m_hint->Free();
  m_hint = nullptr;
  EXPECT_FALSE(HintUp());
  Hints().CancelHint();
  Hover({24, 12});
  EXPECT_FALSE(HintUp()) << "the main form holds no hint component any more";
}

TEST_F(SkinHintTest, TheFramesObjectHintsFollowTheMouseOverItsButtons) {
  TskFormFrame* frame = MakeFramed(300, 150, true, 200, 300);
  frame->SetSkinHint(m_hint);
  frame->ShowObjectHint = true;
  auto* close = frame->Objects().Find("closebutton");
  ASSERT_NE(close, nullptr);
  const TRect r = close->ObjectRect;
  Move(frame, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  RunFor(Hints().HintPause + 10);
  ASSERT_TRUE(m_hint->HintShown());
  EXPECT_EQ(m_hint->HintWindow()->Text(), "关闭");
  // Off the button: the hint goes (the frame follows the mouse on its 50 ms timer).
  Move(frame, {100, (r.Top + r.Bottom) / 2});
  RunFor(TskFormFrame::kMouseTimerInterval * 2);
  EXPECT_FALSE(m_hint->HintShown());
  EXPECT_FALSE(m_hint->HintWaiting());
  // Straight onto the next button: its hint after a new pause.
  Move(frame, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  RunFor(Hints().HintPause + 10);
  ASSERT_TRUE(m_hint->HintShown());
  auto* rollUp = frame->Objects().Find("rollupbutton");
  ASSERT_NE(rollUp, nullptr);
  const TRect u = rollUp->ObjectRect;
  Move(frame, {(u.Left + u.Right) / 2, (u.Top + u.Bottom) / 2});
  RunFor(TskFormFrame::kMouseTimerInterval * 2);
  EXPECT_FALSE(m_hint->HintShown());
  EXPECT_TRUE(m_hint->HintWaiting());
  RunFor(Hints().HintPause + 10);
  ASSERT_TRUE(m_hint->HintShown());
  EXPECT_EQ(m_hint->HintWindow()->Text(), "向上卷拢");
  Move(frame, {100, (r.Top + r.Bottom) / 2});
  RunFor(TskFormFrame::kMouseTimerInterval * 2);
  // ShowObjectHint off: nothing.
  frame->ShowObjectHint = false;
  Move(frame, {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
  RunFor(Hints().HintPause + 10);
  EXPECT_FALSE(m_hint->HintShown());
}

}  // namespace
}  // namespace tsm
