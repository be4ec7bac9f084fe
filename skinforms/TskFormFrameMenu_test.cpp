// The frame's system menu through the form's popup menu engine, on the
// headless window system with the stored skin: opening from a right click on
// the caption and from the system-menu button, running its commands by mouse
// and keyboard, the menu state (loop hook, events, the pressed button), and
// closing on skin changes and outside presses.

#include <gtest/gtest.h>

#include "framework/controls/MenuItem.h"
#include "platform/window/HeadlessBackend.h"
#include "skinforms/TskSkinMenu.h"
#include "skinforms/TskSkinPopupWindow.h"
#include "skinforms/TskSkinStdButtonObject.h"
#include "skinforms/tests/FrameTestSupport.h"

namespace tsm {
namespace {

class FrameMenuTest : public FrameTest {
 protected:
  // Counts the menu state's events of a frame.
  void Watch(TskFormFrame* frame) {
    frame->OnSkinMenuOpen = [this](TObject*) { ++m_opens; };
    frame->OnSkinMenuClose = [this](TObject*) { ++m_closes; };
  }
  // A right click on its own (not the second half of a double click, which
  // on the caption opens nothing).
  void RightClick(TskFormFrame* frame, TPoint window) {
    RunFor(600);
    Desk().Click(At(frame, window), TMouseButton::Right);
    Pump();
  }
  int m_opens = 0, m_closes = 0;
};

TEST_F(FrameMenuTest, RightClickOnTheCaptionOpensTheSystemMenuAtThePointer) {
  TskFormFrame* frame = MakeJobListForm();
  Watch(frame);
  bool sawMessages = false;
  Application().OnMessage = [&](TMsg&, bool&) { sawMessages = true; };
  RightClick(frame, {300, 10});
  ASSERT_TRUE(frame->InMenu());
  EXPECT_EQ(m_opens, 1);
  TskSkinMenu& engine = frame->SkinMenu();
  ASSERT_TRUE(engine.Visible());
  ASSERT_EQ(engine.WindowCount(), 1u);
  TskSkinPopupWindow& window = *engine.Window(0);
  // Two items, a divider and Close: 20 + 20 + 3 + 20 + 15.
  EXPECT_EQ(window.Size().cy, 78);
  EXPECT_EQ(window.ScreenRect().TopLeft(), At(frame, {300, 10}));
  EXPECT_TRUE(frame->Form().Active());  // menus never take the activation
  // Meanwhile the application's own hook is not called.
  sawMessages = false;
  Pump();
  EXPECT_FALSE(sawMessages);
  // The second item (Maximize) by the mouse.
  Desk().Click(window.ItemScreenRect(1).CenterPoint());
  Pump();
  EXPECT_FALSE(frame->InMenu());
  EXPECT_EQ(m_closes, 1);
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsMaximized);
  // The application's hook is back.
  Desk().MouseMove({10, 10});
  Pump();
  EXPECT_TRUE(sawMessages);
}

TEST_F(FrameMenuTest, KeyboardRunsTheHighlightedItemAndEscapeEndsTheMenu) {
  TskFormFrame* frame = MakeJobListForm();
  Watch(frame);
  frame->SetFormWindowState(TskFrameState::wsMaximized);
  RightClick(frame, {300, 10});
  ASSERT_TRUE(frame->InMenu());
  Desk().KeyPress(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(frame->InMenu());
  EXPECT_EQ(m_closes, 1);
  // Again: 最小化, 还原 ... Down to Restore, Enter.
  RightClick(frame, {300, 10});
  Desk().KeyPress(VK_DOWN);
  Desk().KeyPress(VK_RETURN);
  Pump();
  EXPECT_FALSE(frame->InMenu());
  EXPECT_EQ(m_opens, 2);
  EXPECT_EQ(m_closes, 2);
  EXPECT_EQ(frame->WindowState(), TskFrameState::wsNormal);
  // Typed characters while a menu is open do not reach the form.
  std::string typed;
  frame->Form().OnKeyPress = [&](TObject*, char32_t& c) { typed += char(c); };
  RightClick(frame, {300, 10});
  Desk().Text("a");
  Pump();
  EXPECT_TRUE(typed.empty());
  Desk().KeyPress(VK_ESCAPE);
  Pump();
}

TEST_F(FrameMenuTest, SystemMenuButtonStaysDownWhileItsMenuIsOpen) {
  TskFormFrame* frame = MakeFramed(400, 200);  // default icons: the system-menu button shows
  Watch(frame);
  auto* button = dynamic_cast<TskSkinStdButtonObject*>(frame->Objects().Find("sysmenubutton"));
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->Visible);
  const TRect r = button->ObjectRect;
  Press(frame, r.CenterPoint());
  ASSERT_TRUE(frame->InMenu());
  TskSkinPopupWindow& window = *frame->SkinMenu().Window(0);
  // Below the button.
  EXPECT_EQ(window.ScreenRect().Top, At(frame, {0, r.Bottom}).Y);
  EXPECT_EQ(window.ScreenRect().Left, At(frame, {r.Left, 0}).X);
  Release(frame, r.CenterPoint());
  EXPECT_TRUE(button->Down);
  // A press outside the menu closes it; the button comes up.
  Desk().Click(At(frame, {200, 150}));
  Pump();
  EXPECT_FALSE(frame->InMenu());
  EXPECT_FALSE(button->Down);
  EXPECT_EQ(m_closes, 1);
}

TEST_F(FrameMenuTest, ASkinChangeClosesTheMenuFirst) {
  TskFormFrame* frame = MakeJobListForm();
  Watch(frame);
  RightClick(frame, {300, 10});
  ASSERT_TRUE(frame->InMenu());
  m_skin->LoadFromStoredSkin(*m_stored);
  Pump();
  EXPECT_FALSE(frame->InMenu());
  EXPECT_FALSE(frame->SkinMenu().Visible());
  EXPECT_EQ(m_closes, 1);
  EXPECT_TRUE(frame->SkinSupport());
  // Without a skin the menu opens in the plain look.
  frame->SetSkinData(nullptr);
  RightClick(frame, {300, 10});
  ASSERT_TRUE(frame->InMenu());
  EXPECT_FALSE(frame->SkinMenu().Window(0)->Skinned());
  Desk().KeyPress(VK_ESCAPE);
  Pump();
}

TEST_F(FrameMenuTest, DialogWithOnlyACloseIconOffersCloseAlone) {
  TskFormFrame* frame = MakeFramed(540, 264);
  frame->SetBorderIcons({});
  int closes = 0;
  frame->Form().OnCloseQuery = [&](TObject*, bool& ok) {
    ++closes;
    ok = false;
  };
  RightClick(frame, {200, 10});
  ASSERT_TRUE(frame->InMenu());
  TskSkinPopupWindow& window = *frame->SkinMenu().Window(0);
  ASSERT_EQ(window.ItemCount(), 1u);
  Desk().Click(window.ItemScreenRect(0).CenterPoint());
  Pump();
  EXPECT_EQ(closes, 1);
  // Alt+F4 closes too (the window system's own short cut).
  SetActiveWindow(frame->Form().Handle());
  Desk().KeyDown(VK_MENU);
  Desk().KeyPress(VK_F4);
  Desk().KeyUp(VK_MENU);
  Pump();
  EXPECT_EQ(closes, 2);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FrameMenuTest, DoubleClickOnTheSystemMenuButtonFreesTheFormCleanly) {
  TskFormFrame* frame = MakeFramed(400, 200);
  TCustomForm* form = &frame->Form();
  form->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  const auto alive = form->AliveToken();
  int ownHook = 0;
  Application().OnMessage = [&](TMsg&, bool&) { ++ownHook; };
  const TPoint button = frame->Objects().Find("sysmenubutton")->ObjectRect.CenterPoint();
  // The first press opens the system menu; the second press of the double
  // click closes the form, which frees itself with its frame and menu.
  Desk().Click(At(frame, button));
  Desk().Click(At(frame, button));
  RunFor(100);
  EXPECT_TRUE(alive.expired());
  // The application's own loop hook is back.
  ASSERT_TRUE(Application().OnMessage);
  const int before = ownHook;
  TMsg msg{};
  bool handled = false;
  Application().OnMessage(msg, handled);
  EXPECT_EQ(ownHook, before + 1);
}

}  // namespace
}  // namespace tsm

namespace tsm {
namespace {

TEST_F(FrameMenuTest, TheFramesMenuSettingsReachItsEngine) {
  TskFormFrame* frame = MakeJobListForm();
  // The item limit: two of the four items (dividers count) between the bands.
  frame->MaxMenuItemsInWindow = 2;
  RightClick(frame, {300, 10});
  ASSERT_TRUE(frame->InMenu());
  TskSkinPopupWindow* window = frame->SkinMenu().Window(0);
  EXPECT_TRUE(window->Scrolling());
  EXPECT_TRUE(window->ScrollByLimit());
  EXPECT_EQ(window->Size().cy, 2 * 20 + 15 + 20);
  Desk().KeyPress(VK_ESCAPE);
  Pump();
  // Without a skin: the frame's default item height (the job list window's
  // 23) and the plain look's 4-pixel dividers.
  frame->MaxMenuItemsInWindow = 0;
  frame->DefMenuItemHeight = 23;
  frame->SetSkinData(nullptr);
  RightClick(frame, {300, 10});
  ASSERT_TRUE(frame->InMenu());
  window = frame->SkinMenu().Window(0);
  EXPECT_FALSE(window->Scrolling());
  EXPECT_EQ(window->Size().cy, 3 * 23 + 4 + 4);
  Desk().KeyPress(VK_ESCAPE);
  Pump();
  EXPECT_FALSE(frame->InMenu());
}

}  // namespace
}  // namespace tsm
