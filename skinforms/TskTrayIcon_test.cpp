// The tray icon on the headless backend's notification area: clicks and
// double clicks, the menu, the tip, cycling through an icon list, hiding the
// application into the notification area and back, and what happens where
// no host shows icons.

#include <gtest/gtest.h>

#include "framework/controls/MenuItem.h"
#include "framework/forms/Application.h"
#include "framework/graphics/ImageList.h"
#include "platform/core/Utf8.h"
#include "platform/window/NotifyIcon.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "skinforms/TskTrayIcon.h"
#include "skinforms/tests/FrameTestSupport.h"

namespace tsm {
namespace {

class TrayIconTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    m_main->SetBounds(100, 100, 300, 200);
    m_main->Show();
    Pump();
  }
  void TearDown() override {
    if (!Tray().Running()) Tray().StartHost();
    FrameTest::TearDown();
  }
  THeadlessTray& Tray() { return Desk().Tray(); }
  TskTrayIcon* NewIcon() {
    auto* icon = new TskTrayIcon(m_main);
    Pump();
    return icon;
  }
  void Click(TskTrayIcon* icon, TMouseButton button = TMouseButton::Left) {
    Tray().ClickIcon(icon->Window(), TskTrayIcon::kIconId, button);
    Pump();
  }
  static TBitmap Square(TColor color) {
    TBitmap b(16, 16);
    b.Fill(color);
    return b;
  }
};

TEST_F(TrayIconTest, OneClickFiresOnClickOnceADoubleClickOnlyOnDblClick) {
  TskTrayIcon* icon = NewIcon();
  ASSERT_TRUE(icon->Shown());
  EXPECT_TRUE(icon->IconVisible());
  int clicks = 0, doubles = 0, downs = 0, ups = 0;
  TPoint downAt;
  icon->OnClick = [&](TObject*) { ++clicks; };
  icon->OnDblClick = [&](TObject*) { ++doubles; };
  icon->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int32_t x, int32_t y) {
    ++downs;
    downAt = {x, y};
    EXPECT_TRUE(s.Contains(TShiftKey::Left));
  };
  icon->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++ups; };

  Click(icon);
  EXPECT_EQ(clicks, 0) << "waits for the double-click time";
  RunFor(GetDoubleClickTime() + 10);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(doubles, 0);
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(ups, 1);
  const TRect r = Tray().IconRect(icon->Window(), TskTrayIcon::kIconId);
  EXPECT_EQ(downAt, (TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2})) << "screen coordinates";

  Tray().DoubleClickIcon(icon->Window(), TskTrayIcon::kIconId);
  Pump();
  RunFor(GetDoubleClickTime() * 2);
  EXPECT_EQ(clicks, 1) << "no click for a double click";
  EXPECT_EQ(doubles, 1);

  // Held longer than the double-click time: the click comes at the release.
  Tray().PressIcon(icon->Window(), TskTrayIcon::kIconId);
  Pump();
  RunFor(GetDoubleClickTime() + 10);
  EXPECT_EQ(clicks, 1);
  Tray().ReleaseIcon(icon->Window(), TskTrayIcon::kIconId);
  Pump();
  EXPECT_EQ(clicks, 2);
  RunFor(GetDoubleClickTime() + 10);
  EXPECT_EQ(clicks, 2) << "once";

  // Disabled: nothing is reported.
  icon->Enabled = false;
  Click(icon);
  RunFor(GetDoubleClickTime() + 10);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(downs, 3);
}

TEST_F(TrayIconTest, TheMenuOpensFromTheRightButtonAndADoubleClickPicksItsDefault) {
  auto* frame = new TskFormFrame(m_main);
  frame->SetSkinData(m_skin);
  TskTrayIcon* icon = NewIcon();
  auto* menu = new TskSkinPopupMenu(m_main);
  auto* open = new TMenuItem(m_main);
  open->SetCaption("打开");
  auto* other = new TMenuItem(m_main);
  other->SetCaption("退出");
  menu->Items()->Add(other);
  menu->Items()->Add(open);
  open->SetDefault(true);
  int popups = 0, opened = 0;
  menu->OnPopup = [&](TObject*) { ++popups; };
  open->OnClick = [&](TObject*) { ++opened; };
  icon->SetPopupMenu(menu);

  Click(icon);
  EXPECT_EQ(popups, 0) << "the left button opens nothing by default";
  Click(icon, TMouseButton::Right);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(menu->PopupComponent(), icon);
  EXPECT_TRUE(frame->InMenu()) << "shown through the frame's menu engine";
  Key(VK_ESCAPE);
  EXPECT_FALSE(frame->InMenu());
  RunFor(GetDoubleClickTime() + 10);

  Tray().DoubleClickIcon(icon->Window(), TskTrayIcon::kIconId);
  Pump();
  EXPECT_EQ(opened, 1) << "the default item";

  icon->PopupByLeftButton = true;
  RunFor(GetDoubleClickTime() + 10);
  Click(icon);
  EXPECT_EQ(popups, 2);
  Key(VK_ESCAPE);

  menu->Free();
  EXPECT_EQ(icon->PopupMenu(), nullptr);
  Click(icon, TMouseButton::Right);   // no menu: nothing, no crash
}

TEST_F(TrayIconTest, TheTipIsTheFirst127CharactersOfTheHint) {
  TskTrayIcon* icon = NewIcon();
  std::string hint;
  for (int i = 0; i < 200; ++i) hint += i % 3 ? "转" : "x";
  icon->SetHint(hint);
  const std::string tip = *Tray().IconTip(icon->Window(), TskTrayIcon::kIconId);
  EXPECT_EQ(Utf8Length(tip), 127u);
  EXPECT_EQ(tip, hint.substr(0, tip.size()));
  icon->SetShowHint(false);
  EXPECT_EQ(*Tray().IconTip(icon->Window(), TskTrayIcon::kIconId), "");
  icon->SetShowHint(true);
  icon->SetHint("Tesmaro");
  EXPECT_EQ(*Tray().IconTip(icon->Window(), TskTrayIcon::kIconId), "Tesmaro");
}

TEST_F(TrayIconTest, CyclingThroughTheIconListWrapsAndAnEmptyListIsNotIndexed) {
  TskTrayIcon* icon = NewIcon();
  auto* list = new TImageList(m_main);
  list->SetSize(16, 16);
  std::vector<int32_t> nexts;
  icon->OnCycle = [&](TObject*, int32_t next) { nexts.push_back(next); };

  icon->SetIconList(list);   // empty
  icon->SetIconIndex(3);
  EXPECT_EQ(icon->IconIndex(), 0);
  icon->SetAnimateTimerInterval(100);
  icon->SetCycleIcons(true);
  RunFor(350);
  EXPECT_TRUE(nexts.empty()) << "nothing to cycle through";

  const TColor colors[] = {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
  for (TColor c : colors) list->Add(Square(c));
  icon->SetIconIndex(7);
  EXPECT_EQ(icon->IconIndex(), 2) << "clamped to the last icon";
  icon->SetCycleIcons(false);
  icon->SetCycleIcons(true);
  EXPECT_EQ(icon->IconIndex(), 0);
  const TRect r = Tray().IconRect(icon->Window(), TskTrayIcon::kIconId);
  std::vector<TColor> shown;
  for (int i = 0; i < 4; ++i) {
    RunFor(100);
    shown.push_back(Desk().ScreenPixel(r.Left + 8, r.Top + 8));
  }
  EXPECT_EQ(nexts, (std::vector<int32_t>{1, 2, 0, 1}));
  EXPECT_EQ(shown, (std::vector<TColor>{colors[0], colors[1], colors[2], colors[0]}));

  icon->SetCycleIcons(false);
  RunFor(300);
  EXPECT_EQ(nexts.size(), 4u);
  list->Free();
  EXPECT_EQ(icon->IconList(), nullptr);
}

TEST_F(TrayIconTest, MinimizingHidesTheApplicationIntoTheIconAndRestoreBringsItBack) {
  TskTrayIcon* icon = NewIcon();
  auto* dialog = NewForm("参数", TRect::FromSize(300, 200, 200, 100));
  dialog->Show();
  Pump();
  Desk().MinimizeFromDesktop(m_main->Handle());
  Pump();
  EXPECT_TRUE(icon->HiddenInTray());
  EXPECT_FALSE(IsWindowVisible(m_main->Handle()));
  EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
  EXPECT_TRUE(Desk().TaskBarWindows().empty()) << "gone from the task bar";
  EXPECT_TRUE(icon->Shown());

  icon->OnDblClick = [&](TObject*) { icon->RestoreMainWindow(); };
  Tray().DoubleClickIcon(icon->Window(), TskTrayIcon::kIconId);
  Pump();
  EXPECT_FALSE(icon->HiddenInTray());
  EXPECT_TRUE(IsWindowVisible(m_main->Handle()));
  EXPECT_FALSE(IsIconic(m_main->Handle()));
  EXPECT_TRUE(IsWindowVisible(dialog->Handle()));
  EXPECT_FALSE(Application().Minimized());

  // MinimizeToTray off: an ordinary minimize.
  icon->MinimizeToTray = false;
  Desk().MinimizeFromDesktop(m_main->Handle());
  Pump();
  EXPECT_FALSE(icon->HiddenInTray());
  EXPECT_TRUE(IsIconic(m_main->Handle()));
}

TEST_F(TrayIconTest, WithoutAHostTheIconIsNotShownAndNothingIsHidden) {
  Tray().StopHost();
  Pump();
  TskTrayIcon* icon = NewIcon();
  EXPECT_FALSE(icon->Shown()) << "reported as not shown";
  EXPECT_FALSE(NotifyIconShown(icon->Window(), TskTrayIcon::kIconId));
  Desk().MinimizeFromDesktop(m_main->Handle());
  Pump();
  EXPECT_FALSE(icon->HiddenInTray()) << "nothing could bring it back";
  EXPECT_TRUE(IsIconic(m_main->Handle()));
  EXPECT_FALSE(Desk().TaskBarWindows().empty());

  // A host that starts gets the icon.
  Tray().StartHost();
  Pump();
  EXPECT_TRUE(icon->Shown());

  // The host goes while the application hides in it: the application comes back.
  Desk().ActivateFromDesktop(m_main->Handle());
  Pump();
  Desk().MinimizeFromDesktop(m_main->Handle());
  Pump();
  ASSERT_TRUE(icon->HiddenInTray());
  Tray().StopHost();
  Pump();
  EXPECT_FALSE(icon->Shown());
  EXPECT_FALSE(icon->HiddenInTray());
  EXPECT_TRUE(IsWindowVisible(m_main->Handle()));
}

TEST_F(TrayIconTest, IconVisibleAddsAndRemovesAndMinimizedOnStartStartsHidden) {
  TskTrayIcon* icon = NewIcon();
  icon->SetIconVisible(false);
  EXPECT_FALSE(icon->Shown());
  EXPECT_FALSE(icon->IconVisible());
  TIcon blue;
  blue.SetImage(Square(RGB(10, 20, 250)));
  icon->SetIcon(blue);
  icon->SetIconVisible(true);
  ASSERT_TRUE(icon->Shown());
  const TRect r = Tray().IconRect(icon->Window(), TskTrayIcon::kIconId);
  EXPECT_EQ(Desk().ScreenPixel(r.Left + 3, r.Top + 3), RGB(10, 20, 250));
  icon->Free();
  EXPECT_TRUE(Tray().Icons().empty()) << "the icon goes with the component";

  TskTrayIcon* starter = NewIcon();
  starter->SetIconVisible(false);
  starter->MinimizeToTray = false;
  starter->SetMinimizedOnStart(true);
  EXPECT_TRUE(starter->IconVisible());
  EXPECT_TRUE(starter->MinimizeToTray);
  EXPECT_TRUE(starter->Shown());
  EXPECT_TRUE(starter->HiddenInTray());
  EXPECT_FALSE(IsWindowVisible(m_main->Handle()));
  EXPECT_FALSE(Application().ShowMainForm);
  starter->RestoreMainWindow();
  EXPECT_TRUE(IsWindowVisible(m_main->Handle()));
  Application().ShowMainForm = true;
}

TEST_F(TrayIconTest, TheFramesTrayCommandsGoThroughTheIcon) {
  TskFormFrame* frame = MakeFramed(300, 150);
  auto* icon = new TskTrayIcon(&frame->Form());
  Pump();
  frame->SetTrayIcon(icon);
  EXPECT_FALSE(icon->Shown()) << "the frame shows the icon only in the tray";
  EXPECT_EQ(icon->PopupMenu(), frame->TrayMenu());
  int minimized = 0, restored = 0;
  frame->OnMinimizeToTray = [&](TObject*) { ++minimized; };
  frame->OnRestoreFromTray = [&](TObject*) { ++restored; };

  frame->RunCommand(TskCommand::cmminimizetotray);
  Pump();
  EXPECT_EQ(minimized, 1);
  EXPECT_TRUE(icon->Shown());
  EXPECT_TRUE(icon->HiddenInTray());
  EXPECT_FALSE(IsWindowVisible(frame->Form().Handle()));
  EXPECT_FALSE(IsWindowVisible(m_main->Handle()));

  // The frame's double click handler restores and takes the icon away.
  Tray().DoubleClickIcon(icon->Window(), TskTrayIcon::kIconId);
  Pump();
  EXPECT_EQ(restored, 1);
  EXPECT_FALSE(icon->HiddenInTray());
  EXPECT_TRUE(IsWindowVisible(frame->Form().Handle()));
  EXPECT_FALSE(IsIconic(frame->Form().Handle()));
  EXPECT_FALSE(icon->Shown());

  // Without a host the command minimizes as usual and hides nothing.
  Tray().StopHost();
  Pump();
  frame->RunCommand(TskCommand::cmminimizetotray);
  Pump();
  EXPECT_FALSE(icon->HiddenInTray());
  EXPECT_TRUE(Application().Minimized());
  EXPECT_FALSE(Desk().TaskBarWindows().empty()) << "still reachable from the task bar";
  frame->OnMinimizeToTray = frame->OnRestoreFromTray = nullptr;
}

}  // namespace
}  // namespace tsm
