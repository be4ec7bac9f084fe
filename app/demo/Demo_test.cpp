// The stand-in main window: its drawn frame answers the non-client protocol
// (caption drag, sizing within its bounds, close box), and its controls work
// with injected input and the manual clock.

#include <gtest/gtest.h>

#include "app/demo/DemoDialog.h"
#include "app/demo/DemoFrame.h"
#include "app/demo/DemoMainForm.h"
#include "framework/controls/Button.h"
#include "framework/controls/Edit.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/forms/MessageBox.h"
#include "framework/forms/Screen.h"
#include "framework/tests/FrameworkTestSupport.h"

namespace tsm {
namespace {

class DemoTest : public FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    main = Application().CreateForm<TDemoMainForm>();
    main->Show();
    Pump();
  }
  static void After(uint32_t ms, std::function<void()> action) {
    SetTimer(ms, [action](uint32_t id) {
      KillTimer(id);
      action();
    });
  }
  TPoint WindowPoint(int32_t x, int32_t y) const { return GetWindowRect(main->Handle()).TopLeft() + TPoint{x, y}; }
  TDemoMainForm* main = nullptr;
};

TEST_F(DemoTest, TheFrameAnswersTheNonClientProtocol) {
  // 4-pixel borders and a 24-pixel caption with its 1-pixel rule.
  const TRect client = GetClientRectInWindow(main->Handle());
  EXPECT_EQ(client.Left, 4);
  EXPECT_EQ(client.Top, 25);
  EXPECT_EQ(main->Width() - client.Right, 4);
  EXPECT_EQ(main->ClientWidth(), 440);
  EXPECT_EQ(main->ClientHeight(), 262);
  const auto hit = [&](int32_t x, int32_t y) {
    return SendMessage(main->Handle(), WM_NCHITTEST, 0, PointToLParam(WindowPoint(x, y)));
  };
  const int32_t w = main->Width(), h = main->Height();
  EXPECT_EQ(hit(100, 10), HTCAPTION);
  EXPECT_EQ(hit(100, 100), HTCLIENT);
  EXPECT_EQ(hit(0, 100), HTLEFT);
  EXPECT_EQ(hit(w - 1, 100), HTRIGHT);
  EXPECT_EQ(hit(100, h - 1), HTBOTTOM);
  EXPECT_EQ(hit(2, 2), HTTOPLEFT);
  EXPECT_EQ(hit(w - 2, h - 10), HTBOTTOMRIGHT);
  const TRect box = TDemoFrame::CloseBoxRect(w);
  EXPECT_EQ(hit(box.Left + 5, box.Top + 5), HTOBJECT);
}

TEST_F(DemoTest, TheCaptionDragsTheWindow) {
  const TRect before = GetWindowRect(main->Handle());
  Desk().MouseMove(WindowPoint(100, 10));
  Desk().MouseDown();
  Desk().MouseMove(WindowPoint(130, 50));
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(GetWindowRect(main->Handle()), before.Offsetted(30, 40));
  EXPECT_EQ(main->Left(), before.Left + 30);
}

TEST_F(DemoTest, TheBordersSizeTheWindowWithinItsBounds) {
  const TRect before = GetWindowRect(main->Handle());
  // Far too small: stopped at the minimum size.
  Desk().MouseMove(WindowPoint(before.Width() - 2, before.Height() - 2));
  Desk().MouseDown();
  Desk().MouseMove(WindowPoint(50, 50));
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(main->Width(), 360);
  EXPECT_EQ(main->Height(), 250);
  // Far too big: stopped at the maximum size.
  Desk().MouseMove(WindowPoint(main->Width() - 2, main->Height() - 2));
  Desk().MouseDown();
  Desk().MouseMove(WindowPoint(2000, 2000));
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(main->Width(), 900);
  EXPECT_EQ(main->Height(), 600);
  // The status bar follows the bottom edge.
  EXPECT_EQ(main->Status()->Top() + main->Status()->Height(), main->ClientHeight());
}

TEST_F(DemoTest, TheCloseBoxClosesOnlyWhenReleasedOverIt) {
  const TRect box = TDemoFrame::CloseBoxRect(main->Width());
  const TPoint inside = WindowPoint(box.Left + 10, box.Top + 8);
  Desk().MouseMove(inside);
  Desk().MouseDown();
  Desk().MouseMove(WindowPoint(100, 100));
  Desk().MouseUp();
  Pump();
  EXPECT_FALSE(Application().Terminated());
  Desk().Click(inside);
  Pump();
  EXPECT_TRUE(Application().Terminated());   // the main window ends the program
}

TEST_F(DemoTest, TheControlsWork) {
  // The button changes a label.
  Click(main->ClickButton());
  Click(main->ClickButton());
  EXPECT_EQ(main->Clicks()->Caption(), "已点击 2 次");
  // Typing into the edit shows in the echo label.
  main->Edit()->SetFocus();
  Key(VK_END);
  Type("!");
  EXPECT_EQ(main->Echo()->Caption(), "你输入了: 你好, Tesmaro!!");
  // The counter counts seconds.
  RunFor(3000);
  EXPECT_EQ(main->Counter()->Caption(), "计时器: 3 秒");
}

TEST_F(DemoTest, TheDialogIsModalAndHandsBackItsText) {
  After(100, [&] {
    auto* dialog = dynamic_cast<TDemoDialog*>(Screen().ActiveForm());
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(IsWindowEnabled(main->Handle()));
    EXPECT_TRUE(dialog->Edit()->Focused());
    Desk().KeyDown(VK_CONTROL);
    Desk().KeyPress('A');
    Desk().KeyUp(VK_CONTROL);
    Desk().Text("新的问候");
    Desk().KeyPress(VK_RETURN);   // the default button
  });
  Click(main->DialogButton());
  EXPECT_EQ(main->Edit()->Text(), "新的问候");
  EXPECT_EQ(main->Status()->Caption(), "  对话框: 确定");
  EXPECT_EQ(Screen().FormCount(), 1u);   // the dialog was freed
  // Escape cancels and keeps the text; Ctrl+D opens it too.
  After(100, [&] {
    Desk().Text("xyz");
    Desk().KeyPress(VK_ESCAPE);
  });
  Key('D', {TShiftKey::Ctrl});
  EXPECT_EQ(main->Edit()->Text(), "新的问候");
  EXPECT_EQ(main->Status()->Caption(), "  对话框: 取消");
}

TEST_F(DemoTest, TheMessageBoxAsksBeforeResettingTheCounter) {
  RunFor(2000);
  After(100, [&] { Desk().Text("n"); });
  Click(main->MessageButton());
  EXPECT_EQ(main->Counter()->Caption(), "计时器: 2 秒");
  EXPECT_EQ(main->Status()->Caption(), "  消息框: 否");
  After(100, [&] { Desk().KeyPress(VK_RETURN); });   // Yes is the default
  Click(main->MessageButton());
  EXPECT_EQ(main->Counter()->Caption(), "计时器: 0 秒");
}

TEST_F(DemoTest, TheFrameIsDrawnFromItsRules) {
  Pump();
  const TRect r = GetWindowRect(main->Handle());
  // The outline, the caption gradient (lighter at the top while active), the
  // border body and the client colour.
  EXPECT_EQ(Desk().ScreenPixel(r.Left, r.Top + 50), RGB(38, 62, 94));
  const TColor top = Desk().ScreenPixel(r.Left + 60, r.Top + 1);
  const TColor bottom = Desk().ScreenPixel(r.Left + 60, r.Top + 23);
  EXPECT_EQ(top, RGB(70, 122, 180));
  EXPECT_EQ(bottom, RGB(44, 88, 146));
  EXPECT_EQ(Desk().ScreenPixel(r.Left + 60, r.Top + 24), RGB(38, 62, 94));
  EXPECT_EQ(Desk().ScreenPixel(r.Left + 2, r.Top + 100), RGB(214, 222, 232));
  const TPoint o = main->ClientOrigin();
  EXPECT_EQ(Desk().ScreenPixel(o.X + 400, o.Y + 140), RGB(240, 243, 247));
  if (const char* dir = std::getenv("TM_DEMO_SCREENSHOT")) Desk().SaveScreenPng(std::string(dir) + "/demo-headless.png");
}

}  // namespace
}  // namespace tsm
