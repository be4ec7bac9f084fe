// The application's hints: the pause before a hint, the hide pause, the short
// pause along a row of controls, cancelling by presses and keys, the events
// that change or refuse a hint, the plain hint window's look and place, and
// that the hint window never takes a click.

#include <gtest/gtest.h>

#include "framework/controls/Button.h"
#include "framework/controls/HintWindow.h"
#include "framework/controls/StateDescription.h"
#include "framework/scripting/WindowTree.h"
#include "framework/forms/CustomForm.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

class HintsTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    m_form = NewForm("提示", TRect::FromSize(100, 100, 400, 200));
    m_form->SetShowHint(true);
    m_a = NewButton(m_form, "A", TRect::FromSize(10, 10, 80, 24));
    m_a->SetHint("第一个按钮|长的说明");
    m_b = NewButton(m_form, "B", TRect::FromSize(100, 10, 80, 24));
    m_b->SetHint("second");
    m_plain = NewButton(m_form, "C", TRect::FromSize(200, 10, 80, 24));
    m_form->Show();
    Pump();
  }
  void TearDown() override {
    Application().Hints().OnShowHint = nullptr;
    FrameworkTest::TearDown();
  }
  THintWindow* Window() { return Application().Hints().HintWindow(); }
  bool HintUp() { return Window() && Window()->HintShown(); }
  std::string HintText() { return HintUp() ? Window()->Text() : std::string(); }

  TForm* m_form = nullptr;
  TButton* m_a = nullptr;
  TButton* m_b = nullptr;
  TButton* m_plain = nullptr;
};

TEST_F(HintsTest, AHintShowsAfterThePauseBelowTheCursorAndHidesAfterTheHidePause) {
  TApplicationHints& hints = Application().Hints();
  MoveTo(m_a, {20, 12});
  RunFor(hints.HintPause - 10);
  EXPECT_FALSE(HintUp()) << "still waiting";
  RunFor(20);
  ASSERT_TRUE(HintUp());
  EXPECT_EQ(HintText(), "第一个按钮") << "only the part before '|'";
  const TPoint cursor = ScreenPoint(m_a, {20, 12});
  EXPECT_EQ(Window()->Left(), cursor.X);
  EXPECT_EQ(Window()->Top(), cursor.Y + TApplicationHints::CursorHeightMargin());
  EXPECT_EQ(hints.HintControl(), m_a);

  // Plain look: the text's size plus 4, info colours and a shadow line.
  const TSize text = Window()->MeasureHint("第一个按钮", Window()->Font());
  EXPECT_EQ(Window()->Width(), text.cx + 4);
  EXPECT_EQ(Window()->Height(), text.cy + 4);
  const TBitmap image = Desk().WindowImage(Window()->Handle());
  EXPECT_EQ(image.GetPixel(0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(image.GetPixel(Window()->Width() - 1, 5), ColorToRGB(clBtnShadow));
  EXPECT_EQ(image.GetPixel(1, 1), ColorToRGB(clInfoBk));
  bool inked = false;
  for (int32_t y = 2; y < image.Height() - 2; ++y)
    for (int32_t x = 2; x < image.Width() - 2; ++x) inked |= image.GetPixel(x, y) == ColorToRGB(clInfoText);
  EXPECT_TRUE(inked) << "the text is drawn";
  EXPECT_EQ(DescribeControl(Window()).Find("hintShown")->AsBool(), true);

  RunFor(hints.HintHidePause + 10);
  EXPECT_FALSE(HintUp());
  MoveTo(m_a, {30, 14});
  RunFor(hints.HintPause * 2);
  EXPECT_FALSE(HintUp()) << "a hidden hint stays hidden while the mouse stays on its control";
}

TEST_F(HintsTest, MovingToTheNextControlWhileAHintIsUpTakesTheShortPause) {
  TApplicationHints& hints = Application().Hints();
  MoveTo(m_a, {20, 12});
  RunFor(hints.HintPause + 10);
  ASSERT_TRUE(HintUp());
  MoveTo(m_b, {20, 12});
  Pump();
  EXPECT_FALSE(HintUp()) << "the old hint goes at once";
  RunFor(hints.HintShortPause + 10);
  EXPECT_EQ(HintText(), "second");

  // A control without a hint shows nothing, and after it the full pause counts again.
  MoveTo(m_plain, {20, 12});
  RunFor(hints.HintPause + 10);
  EXPECT_FALSE(HintUp());
  MoveTo(m_b, {30, 12});
  RunFor(hints.HintShortPause + 10);
  EXPECT_FALSE(HintUp());
  RunFor(hints.HintPause);
  EXPECT_EQ(HintText(), "second");
}

TEST_F(HintsTest, PressesKeysAndLeavingCancelTheHint) {
  TApplicationHints& hints = Application().Hints();
  MoveTo(m_a, {20, 12});
  RunFor(hints.HintPause + 10);
  ASSERT_TRUE(HintUp());
  Desk().MouseDown();
  Desk().MouseUp();
  Pump();
  EXPECT_FALSE(HintUp());
  EXPECT_EQ(hints.HintControl(), nullptr);

  MoveTo(m_a, {22, 12});
  RunFor(hints.HintPause / 2);
  Key('X');
  RunFor(hints.HintPause);
  EXPECT_FALSE(HintUp()) << "a key during the pause cancels it";

  MoveTo(m_a, {24, 12});
  RunFor(hints.HintPause + 10);
  ASSERT_TRUE(HintUp());
  Desk().MouseMove({5, 700});   // off the program's windows
  Pump();
  EXPECT_FALSE(HintUp());

  hints.SetShowHint(false);
  EXPECT_EQ(Window(), nullptr) << "the hint window goes with ShowHint";
  MoveTo(m_a, {20, 12});
  RunFor(hints.HintPause + 10);
  EXPECT_EQ(Window(), nullptr);
}

TEST_F(HintsTest, OnShowHintChangesOrRefusesAndTheWindowLetsClicksThrough) {
  TApplicationHints& hints = Application().Hints();
  TControl* asked = nullptr;
  hints.OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
    asked = info.HintControl;
    if (info.HintControl == m_b) canShow = false;
    text = "[" + text + "]";
    info.HintPos = {1000, 300};   // past the right edge of the screen
  };
  MoveTo(m_b, {20, 12});
  RunFor(hints.HintPause + 10);
  EXPECT_EQ(asked, m_b);
  EXPECT_FALSE(HintUp());

  MoveTo(m_a, {20, 12});
  RunFor(hints.HintPause + 10);
  ASSERT_TRUE(HintUp());
  EXPECT_EQ(HintText(), "[第一个按钮]");
  EXPECT_EQ(Window()->Left(), 1000 - Window()->Width() - 2) << "opens left of the point";

  // The hint window lies over the button: a click there reaches the button.
  int clicks = 0;
  m_a->OnClick = [&](TObject*) { ++clicks; };
  hints.OnShowHint = [&](std::string&, bool&, THintInfo& info) { info.HintPos = ScreenPoint(m_a, {5, 5}); };
  MoveTo(m_a, {30, 12});
  hints.CancelHint();
  MoveTo(m_a, {31, 12});
  RunFor(hints.HintPause + 10);
  ASSERT_TRUE(HintUp());
  const TPoint over = ScreenPoint(m_a, {10, 10});
  ASSERT_TRUE(TRect::FromSize(Window()->Left(), Window()->Top(), Window()->Width(), Window()->Height()).Contains(over));
  Desk().Click(over);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(GetActiveWindow(), m_form->Handle()) << "the hint window never takes activation";
  m_a->OnClick = nullptr;
}

TEST_F(HintsTest, AControlFreedAfterItsHintWasCancelledLeavesNoReferenceBehind) {
  // The hint control and the control under the mouse are the same button;
  // cancelling the hint must not drop the application's notice of the
  // button as the mouse control.
  MoveTo(m_b, {20, 12});
  RunFor(Application().Hints().HintPause + 10);
  ASSERT_TRUE(HintUp());
  ASSERT_EQ(Application().MouseControl(), m_b);
  Key('X');
  EXPECT_EQ(Application().Hints().HintControl(), nullptr);
  TButton* gone = m_b;
  m_b = nullptr;
  gone->Free();
  EXPECT_NE(Application().MouseControl(), gone);
  MoveTo(m_a, {20, 12});
  RunFor(Application().Hints().HintPause + 10);
  EXPECT_TRUE(HintUp());
}

}  // namespace
}  // namespace tsm
