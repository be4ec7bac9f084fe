// The notification area: what a program can put there, what its window hears
// of the user's actions on the icon, and hosts that come and go (the headless
// backend's fake host).

#include "platform/core/Utf8.h"
#include "platform/window/NotifyIcon.h"
#include "platform/window/WindowTestSupport.h"

namespace tsm {
namespace {

constexpr uint32_t kCallback = WM_USER + 1024;

class TrayHostTest : public WindowTest {
 protected:
  THeadlessTray& Tray() { return Screen().Tray(); }

  TNotifyIconData Data(HWND wnd, const std::string& tip = "tip") {
    TNotifyIconData d;
    d.Wnd = wnd;
    d.Id = 1;
    d.Flags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    d.CallbackMessage = kCallback;
    d.Icon = TBitmap(16, 16, TPixelFormat::Bgra32);
    d.Icon.Fill(RGB(200, 30, 40));
    d.Tip = tip;
    return d;
  }

  // The mouse messages the window got through the icon's callback, in order.
  std::vector<LPARAM> Actions(HWND wnd) const {
    std::vector<LPARAM> out;
    for (const TLoggedMessage& m : Logged(wnd, kCallback)) out.push_back(m.LParam);
    return out;
  }
};

TEST_F(TrayHostTest, AddModifyDeleteAndTheTipCutToWholeCharacters) {
  const HWND wnd = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP);
  EXPECT_TRUE(NotifyAreaPresent());
  std::string tip;
  for (int i = 0; i < 200; ++i) tip += (i % 2) ? "图" : "a";
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(wnd, tip)));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, Data(wnd))) << "the same icon twice";
  EXPECT_TRUE(NotifyIconShown(wnd, 1));
  const std::string shown = *Tray().IconTip(wnd, 1);
  EXPECT_EQ(Utf8Length(shown), kNotifyTipChars);
  EXPECT_EQ(shown, tip.substr(0, shown.size()));
  EXPECT_TRUE(IsValidUtf8(shown));

  TNotifyIconData tipOnly = Data(wnd, "新的");
  tipOnly.Flags = NIF_TIP;
  EXPECT_TRUE(Shell_NotifyIcon(NIM_MODIFY, tipOnly));
  EXPECT_EQ(*Tray().IconTip(wnd, 1), "新的");

  EXPECT_TRUE(Shell_NotifyIcon(NIM_DELETE, Data(wnd)));
  EXPECT_FALSE(NotifyIconShown(wnd, 1));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_MODIFY, Data(wnd)));
  EXPECT_FALSE(Shell_NotifyIcon(NIM_DELETE, Data(wnd)));
}

TEST_F(TrayHostTest, ClicksBecomeCallbackMessagesWithDoubleClicksFromTime) {
  const HWND wnd = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP);
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(wnd)));
  Tray().ClickIcon(wnd, 1);
  Tray().ClickIcon(wnd, 1);   // within the double-click time
  Tray().ClickIcon(wnd, 1);   // the press after a double click is single
  Pump();
  EXPECT_EQ(Actions(wnd), (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                               WM_LBUTTONDOWN, WM_LBUTTONUP}));
  for (const TLoggedMessage& m : Logged(wnd, kCallback)) EXPECT_EQ(m.WParam, 1u);
  const TRect r = Tray().IconRect(wnd, 1);
  EXPECT_EQ(GetCursorPos(), (TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2})) << "read by the handler";

  ClearLog();
  Screen().RunFor(GetDoubleClickTime() + 1);
  Tray().ClickIcon(wnd, 1);   // too late for a double click
  Tray().ClickIcon(wnd, 1, TMouseButton::Right);   // another button is no double click either
  Tray().MoveOverIcon(wnd, 1);
  Pump();
  EXPECT_EQ(Actions(wnd), (std::vector<LPARAM>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP,
                                               WM_MOUSEMOVE}));
}

TEST_F(TrayHostTest, WithoutAHostNothingIsKeptAndAHostThatStartsIsAnnounced) {
  const HWND wnd = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP);
  const HWND hidden = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP);
  const uint32_t created = RegisterWindowMessage(kTaskbarCreatedMessage);
  const uint32_t lost = RegisterWindowMessage(kTaskbarLostMessage);
  EXPECT_EQ(RegisterWindowMessage("TaskbarCreated"), created) << "one number per name";
  EXPECT_NE(created, lost);
  EXPECT_GE(created, 0xC000u);

  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(wnd)));
  Tray().StopHost();
  Pump();
  EXPECT_FALSE(NotifyAreaPresent());
  EXPECT_FALSE(NotifyIconShown(wnd, 1)) << "the host took the icon with it";
  EXPECT_EQ(Count(wnd, lost), 1);
  EXPECT_EQ(Count(hidden, lost), 1) << "hidden windows hear it too";
  EXPECT_FALSE(Shell_NotifyIcon(NIM_ADD, Data(wnd)));
  EXPECT_FALSE(NotifyIconShown(wnd, 1));
  Tray().ClickIcon(wnd, 1);   // no icon: nothing to click

  Tray().StartHost();
  Pump();
  EXPECT_EQ(Count(wnd, created), 1);
  EXPECT_EQ(Count(hidden, created), 1);
  EXPECT_EQ(Count(wnd, kCallback), 0);
  EXPECT_TRUE(Shell_NotifyIcon(NIM_ADD, Data(wnd)));
}

TEST_F(TrayHostTest, IconsGoWithTheirWindowAndAreDrawnInTheTaskBar) {
  const HWND first = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP);
  const HWND second = MakeTopLevel(TRect::FromSize(0, 0, 10, 10), WS_POPUP);
  TNotifyIconData a = Data(first), b = Data(second);
  b.Icon.Fill(RGB(10, 220, 30));
  b.Icon.ScanLine(0)[3] = 0;   // alpha 0 at the top-left corner: outside the shape
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, a));
  ASSERT_TRUE(Shell_NotifyIcon(NIM_ADD, b));
  const TRect ra = Tray().IconRect(first, 1), rb = Tray().IconRect(second, 1);
  EXPECT_EQ(ra.Size(), (TSize{THeadlessTray::kIconSize, THeadlessTray::kIconSize}));
  EXPECT_EQ(ra.Right, GetSystemMetrics(SM_CXSCREEN) - THeadlessTray::kIconGap) << "the first at the right";
  EXPECT_EQ(rb.Right, ra.Left - THeadlessTray::kIconGap);
  EXPECT_GE(ra.Top, GetWorkArea().Bottom) << "in the task bar strip";
  EXPECT_EQ(Screen().ScreenPixel(ra.Left + 5, ra.Top + 5), RGB(200, 30, 40));
  EXPECT_EQ(Screen().ScreenPixel(rb.Left + 5, rb.Top + 5), RGB(10, 220, 30));
  EXPECT_EQ(Screen().ScreenPixel(rb.Left, rb.Top), ColorToRGB(Screen().DesktopColor())) << "outside the shape";

  DestroyWindow(first);
  EXPECT_FALSE(NotifyIconShown(first, 1));
  EXPECT_EQ(Tray().IconRect(second, 1).Right, ra.Right) << "the others move up";
}

}  // namespace
}  // namespace tsm
