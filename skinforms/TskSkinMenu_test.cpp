// The popup menu engine on the headless window system: windows, sizes and
// places with the stored skin and without one, mouse and keyboard, sub-menus,
// scrolling, commands and the closing rules, pixels from the skin pictures.

#include "skinforms/TskSkinMenu.h"

#include <gtest/gtest.h>

#include "framework/controls/Edit.h"
#include "framework/graphics/Canvas.h"
#include "framework/scripting/WindowTree.h"
#include "platform/window/WindowApi.h"
#include "skin/SkinTypes.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskSkinMenuLook.h"
#include "skinforms/TskSkinPopupMenu.h"
#include "skinforms/tests/MenuTestSupport.h"

namespace tsm {
namespace {

class SkinMenuEngine : public MenuTest {};

// --- Windows, sizes, places ---------------------------------------------------

TEST_F(SkinMenuEngine, StoredSkinSizesTheSystemMenu) {
  LoadStoredSkin();
  Add("最小化(&n)", nullptr, "BSF_MINITEM");
  Add("最大化(&x)", nullptr, "BSF_MAXITEM");
  Add("-");
  TMenuItem* close = Add("关闭(&C)", nullptr, "BSF_CLOSE");
  close->SetShortCut(TextToShortCut("Alt+F4"));
  OpenAt({300, 200});

  ASSERT_TRUE(Engine().Visible());
  ASSERT_EQ(Engine().WindowCount(), 1u);
  TskSkinPopupWindow& w = Window();
  EXPECT_TRUE(w.Skinned());
  EXPECT_EQ(w.Font().Name(), "宋体");
  EXPECT_EQ(w.Font().Height(), -12);
  EXPECT_EQ(w.Item(0).Rect.Height(), 20);
  EXPECT_EQ(w.Item(2).Rect.Height(), 3);
  EXPECT_EQ(w.Size().cy, 20 + 20 + 3 + 20 + 15);
  const int32_t widest =
      std::max({TextWidth("最小化(&n)"), TextWidth("最大化(&x)"), TextWidth("关闭(&C)  Alt+F4")});
  EXPECT_EQ(w.Size().cx, widest + 72);
  // Items stand in the placed items rectangle, from its top.
  EXPECT_EQ(w.ItemsRect(), (TRect{20, 8, w.Size().cx - 8, w.Size().cy - 7}));
  EXPECT_EQ(w.Item(0).Rect, (TRect{20, 8, w.Size().cx - 8, 28}));
  // Below the point, and the real window is there.
  EXPECT_EQ(GetWindowRect(w.Handle()), TRect::FromSize(300, 200, w.Size().cx, w.Size().cy));
  EXPECT_TRUE(IsWindowVisible(w.Handle()));
}

TEST_F(SkinMenuEngine, PlainLookUsesTheDefaultItemHeightAndFont) {
  Engine().SetDefaultItemHeight(23);
  Engine().SetDefaultItemHeight(0);   // ignored
  Add("打开");
  Add("-");
  Add("保存");
  OpenAt({300, 200});
  TskSkinPopupWindow& w = Window();
  EXPECT_FALSE(w.Skinned());
  EXPECT_EQ(w.Font().Name(), "Arial");
  EXPECT_EQ(w.Size().cy, 23 + 4 + 23 + 4);
  EXPECT_EQ(w.Size().cx, std::max(TextWidth("打开"), TextWidth("保存")) + 2 + 19 + 19 + 10);
  EXPECT_EQ(w.ItemsRect(), (TRect{2, 2, w.Size().cx - 2, w.Size().cy - 2}));
}

TEST_F(SkinMenuEngine, PlacementBelowAboveAndClampedThroughTheEngine) {
  LoadStoredSkin();
  for (int i = 0; i < 4; ++i) Add("项目");
  OpenAt({300, 200});
  const TSize size = Window().Size();
  EXPECT_EQ(Window().ScreenRect().TopLeft(), (TPoint{300, 200}));
  // Near the bottom of the work area (738) in its lower half: above.
  OpenAt({300, 720});
  EXPECT_EQ(Window().ScreenRect().TopLeft(), (TPoint{300, 720 - size.cy}));
  // At the right edge: moved left to end at the screen's right.
  OpenAt({1020, 100});
  EXPECT_EQ(Window().ScreenRect().Right, 1024);
  // Opening upward from a button.
  Open({300, 400, 340, 420}, true);
  EXPECT_EQ(Window().ScreenRect().Bottom, 400);
  EXPECT_EQ(Engine().WorkArea(), (TRect{0, 0, 1024, 738}));
}

TEST_F(SkinMenuEngine, NothingIsShownForNoVisibleItems) {
  OpenAt({10, 10});
  EXPECT_FALSE(Engine().Visible());
  Add("隐藏")->SetVisible(false);
  OpenAt({10, 10});
  EXPECT_FALSE(Engine().Visible());
  EXPECT_EQ(Engine().WindowCount(), 0u);
  Add("可见");
  Engine().Popup(nullptr, nullptr, 1, m_menu->Items(), {10, 10, 10, 10}, false);
  EXPECT_TRUE(Engine().Visible());
  Engine().Popup(nullptr, nullptr, 2, m_menu->Items(), {10, 10, 10, 10}, false);
  EXPECT_FALSE(Engine().Visible());
  Engine().Popup(nullptr, nullptr, -1, m_menu->Items(), {10, 10, 10, 10}, false);
  EXPECT_FALSE(Engine().Visible());
  Engine().Popup(nullptr, nullptr, 0, nullptr, {10, 10, 10, 10}, false);
  EXPECT_FALSE(Engine().Visible());
}

// --- Keyboard -------------------------------------------------------------------

TEST_F(SkinMenuEngine, KeyboardWalksEnabledItemsOnly) {
  Add("-");
  Add("一");
  Add("二")->SetEnabled(false);
  Add("三");
  Add("-");
  OpenAt({200, 200});
  // The first enabled item that is not a divider is highlighted on opening.
  EXPECT_EQ(Window().ActiveIndex(), 1);
  EXPECT_TRUE(Window().Item(1).SelectedByKeyboard);
  Key(VK_DOWN);
  EXPECT_EQ(Window().ActiveIndex(), 3);
  EXPECT_TRUE(Window().Item(3).Active);
  EXPECT_FALSE(Window().Item(1).Active);
  Key(VK_DOWN);   // only a divider follows: stays
  EXPECT_EQ(Window().ActiveIndex(), 3);
  Key(VK_UP);
  EXPECT_EQ(Window().ActiveIndex(), 1);
  Key(VK_UP);
  EXPECT_EQ(Window().ActiveIndex(), 1);
  EXPECT_TRUE(Engine().Visible());
}

TEST_F(SkinMenuEngine, DownOnTheLastItemStartsOver) {
  Add("一");
  Add("二");
  Add("三");
  OpenAt({200, 200});
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(Window().ActiveIndex(), 2);
  Key(VK_DOWN);
  EXPECT_EQ(Window().ActiveIndex(), 0);
  Key(VK_UP);
  EXPECT_EQ(Window().ActiveIndex(), 2);
}

TEST_F(SkinMenuEngine, EnterClicksTheActiveItemAndNothingWithoutOne) {
  int clicks = 0;
  TMenuItem* a = Add("甲");
  a->SetEnabled(false);
  a->OnClick = [&](TObject*) { ++clicks; };
  OpenAt({200, 200});
  EXPECT_EQ(Window().ActiveIndex(), -1);
  Key(VK_RETURN);   // no active item: nothing
  EXPECT_TRUE(Engine().Visible());
  EXPECT_EQ(clicks, 0);

  TMenuItem* b = Add("乙");
  b->OnClick = [&](TObject*) { ++clicks; };
  OpenAt({200, 200});
  EXPECT_EQ(Window().ActiveIndex(), 1);
  Key(VK_RETURN);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(Engine().Visible());
}

TEST_F(SkinMenuEngine, AcceleratorsClickOnlyEnabledVisibleItems) {
  std::string clicked;
  const auto on = [&](const char* name) { return [&clicked, name](TObject*) { clicked += name; }; };
  Add("&Disabled")->OnClick = on("D1");
  m_menu->Items()->Items(0)->SetEnabled(false);
  Add("Hi&dden")->OnClick = on("D2");
  m_menu->Items()->Items(1)->SetVisible(false);
  Add("A&&B")->OnClick = on("B");   // "&&" is a literal "&": no accelerator
  Add("&Open")->OnClick = on("O");
  Add("&Delete")->OnClick = on("D3");
  OpenAt({200, 200});
  Key('B');
  EXPECT_TRUE(Engine().Visible());
  EXPECT_EQ(clicked, "");
  Key('D');   // the disabled and the invisible "D" items are passed over
  EXPECT_EQ(clicked, "D3");
  EXPECT_FALSE(Engine().Visible());
  OpenAt({200, 200});
  Key('o');
  EXPECT_EQ(clicked, "D3");   // VK codes are upper case; 'o' is no key
  Key('O');
  EXPECT_EQ(clicked, "D3O");
}

TEST_F(SkinMenuEngine, TypedTextAndKeysNeverReachTheFormWhileOpen) {
  auto* edit = new TEdit(m_form);
  edit->SetParent(m_form);
  m_form->SetActiveControl(edit);
  Pump();
  int keys = 0;
  m_form->SetKeyPreview(true);
  edit->OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++keys; };
  Add("一");
  OpenAt({200, 200});
  Type("abc中文");
  Key(VK_DOWN);
  Desk().Composition("zhong");
  Pump();
  EXPECT_EQ(edit->Text(), "");
  EXPECT_EQ(keys, 0);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Engine().Visible());
  Type("x");
  EXPECT_EQ(edit->Text(), "x");
}

// --- Mouse, sub-menus ---------------------------------------------------------------

TEST_F(SkinMenuEngine, HoverOpensASubMenuAfterHalfASecondAndClickAtOnce) {
  LoadStoredSkin();
  Add("新建");
  TMenuItem* file = Add("文件");
  Add("打开", file);
  Add("保存", file);
  OpenAt({200, 200});
  Desk().MouseMove(ItemCenter(1));
  Pump();
  EXPECT_EQ(Window().ActiveIndex(), 1);
  RunFor(499);
  EXPECT_EQ(Engine().WindowCount(), 1u);
  RunFor(1);
  ASSERT_EQ(Engine().WindowCount(), 2u);
  EXPECT_TRUE(Window(0).Item(1).Down);
  // The sub-menu stands beside its item, its first item level with it.
  const TRect parentItem = Window(0).ItemScreenRect(1);
  EXPECT_EQ(Window(1).ScreenRect().Left, parentItem.Right + 1);
  EXPECT_EQ(Window(1).ItemScreenRect(0).Top, parentItem.Top);
  EXPECT_EQ(Window(1).ActiveIndex(), 0);

  // Left closes the sub-menu; the item is no longer down.
  Key(VK_LEFT);
  EXPECT_EQ(Engine().WindowCount(), 1u);
  EXPECT_FALSE(Window(0).Item(1).Down);
  Key(VK_LEFT);   // the top level stays
  EXPECT_EQ(Engine().WindowCount(), 1u);

  // A click opens it at once.
  Desk().Click(ItemCenter(1));
  Pump();
  EXPECT_EQ(Engine().WindowCount(), 2u);
  // Moving to another item of the top level closes it.
  Desk().MouseMove(ItemCenter(0));
  Pump();
  EXPECT_EQ(Engine().WindowCount(), 1u);
  EXPECT_EQ(m_frame->MenuCloses, 0);
}

TEST_F(SkinMenuEngine, KeysOpenAndLeaveSubMenus) {
  TMenuItem* file = Add("文件");
  TMenuItem* recent = Add("最近", file);
  Add("a.avi", recent);
  Add("关闭");
  OpenAt({200, 200});
  Key(VK_RIGHT);
  ASSERT_EQ(Engine().WindowCount(), 2u);
  Key(VK_RETURN);
  ASSERT_EQ(Engine().WindowCount(), 3u);
  Key(VK_ESCAPE);
  EXPECT_EQ(Engine().WindowCount(), 2u);
  EXPECT_FALSE(Window(1).Item(0).Down);
  Key(VK_ESCAPE);
  Key(VK_DOWN);
  EXPECT_EQ(Window(0).ActiveIndex(), 1);
  Key(VK_RIGHT);   // no sub-items: nothing
  EXPECT_EQ(Engine().WindowCount(), 1u);
  Key(VK_ESCAPE);
  EXPECT_FALSE(Engine().Visible());
  EXPECT_EQ(m_frame->MenuCloses, 1);
  EXPECT_EQ(m_frame->MenuClosedMessages, 1);
}

TEST_F(SkinMenuEngine, ClicksNeverRunDisabledItemsOrDividers) {
  int clicks = 0;
  TMenuItem* off = Add("禁用");
  off->SetEnabled(false);
  off->OnClick = [&](TObject*) { ++clicks; };
  Add("-");
  OpenAt({200, 200});
  Desk().Click(ItemCenter(0));
  Desk().Click(ItemCenter(1));
  Pump();
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(Engine().Visible());
}

TEST_F(SkinMenuEngine, MenusNeverTakeActivation) {
  Add("一");
  Add("-");
  const HWND formHandle = m_form->Handle();
  ASSERT_EQ(GetActiveWindow(), formHandle);
  OpenAt({200, 200});
  EXPECT_EQ(GetActiveWindow(), formHandle);
  EXPECT_TRUE(m_form->Active());
  Desk().Click(ItemCenter(1));   // a divider: the menu stays
  Pump();
  EXPECT_TRUE(Engine().Visible());
  EXPECT_EQ(GetActiveWindow(), formHandle);
  EXPECT_NE(GetWindowExStyle(Window().Handle()) & WS_EX_NOACTIVATE, 0u);
  EXPECT_NE(GetWindowExStyle(Window().Handle()) & WS_EX_TOPMOST, 0u);
}

// --- Scrolling ----------------------------------------------------------------------

TEST_F(SkinMenuEngine, LimitedWindowScrollsOneItemPer100ms) {
  LoadStoredSkin();
  Engine().SetMaxMenuItemsInWindow(5);
  Engine().SetMaxMenuItemsInWindow(-1);   // ignored
  for (int i = 1; i <= 8; ++i) Add("项目 " + std::to_string(i));
  OpenAt({200, 100});
  TskSkinPopupWindow& w = Window();
  EXPECT_TRUE(w.Scrolling());
  EXPECT_TRUE(w.ScrollByLimit());
  EXPECT_EQ(w.Size().cy, 5 * 20 + 15 + 20);
  EXPECT_EQ(w.VisibleCount(), 5);
  EXPECT_EQ(w.ItemsRect().Top, 8);
  EXPECT_EQ(w.Item(0).Rect.Top, 8 + 10);
  EXPECT_FALSE(w.Item(5).Visible);

  // Resting on the bottom band.
  const TRect items = w.ItemsRect().Offsetted(w.ScreenRect().TopLeft());
  Desk().MouseMove({items.Left + 10, items.Bottom - 5});
  Pump();
  EXPECT_EQ(w.ScrollDirection(), 2);
  RunFor(99);
  EXPECT_EQ(w.FirstVisible(), 0);
  RunFor(1);
  EXPECT_EQ(w.FirstVisible(), 1);
  RunFor(100);
  EXPECT_EQ(w.FirstVisible(), 2);
  RunFor(300);
  EXPECT_EQ(w.FirstVisible(), 3);   // nothing hidden below any more
  EXPECT_EQ(w.ScrollDirection(), 0);
  EXPECT_TRUE(w.Item(7).Visible);
  EXPECT_FALSE(w.Item(2).Visible);

  // The top band scrolls back; leaving the bands stops.
  Desk().MouseMove({items.Left + 10, items.Top + 5});
  RunFor(100);
  EXPECT_EQ(w.FirstVisible(), 2);
  Desk().MouseMove({items.Left + 10, items.Top + 40});
  RunFor(300);
  EXPECT_EQ(w.FirstVisible(), 2);
  EXPECT_EQ(w.ScrollDirection(), 0);
}

TEST_F(SkinMenuEngine, KeyboardScrollsTheActiveItemIntoView) {
  Engine().SetMaxMenuItemsInWindow(3);
  for (int i = 1; i <= 6; ++i) Add("项目 " + std::to_string(i));
  OpenAt({200, 100});
  TskSkinPopupWindow& w = Window();
  for (int i = 0; i < 3; ++i) Key(VK_DOWN);
  EXPECT_EQ(w.ActiveIndex(), 3);
  EXPECT_EQ(w.FirstVisible(), 1);
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(w.FirstVisible(), 3);
  Key(VK_DOWN);   // back to the top
  EXPECT_EQ(w.ActiveIndex(), 0);
  EXPECT_EQ(w.FirstVisible(), 0);
  Key(VK_UP);     // to the end: the run that shows the last items
  EXPECT_EQ(w.ActiveIndex(), 5);
  EXPECT_EQ(w.FirstVisible(), 3);
  // The wheel moves the run and is consumed.
  Desk().Wheel(1);
  Pump();
  EXPECT_EQ(w.FirstVisible(), 2);
}

TEST_F(SkinMenuEngine, TallMenuTakesTheWorkAreaHeightAtItsTop) {
  for (int i = 1; i <= 40; ++i) Add("项目 " + std::to_string(i));
  OpenAt({200, 300});
  TskSkinPopupWindow& w = Window();
  EXPECT_TRUE(w.Scrolling());
  EXPECT_FALSE(w.ScrollByLimit());
  EXPECT_EQ(w.ScreenRect().Top, 0);
  EXPECT_EQ(w.ScreenRect().Height(), 738);
  EXPECT_EQ(w.ScreenRect().Left, 201);
}

// --- Commands and closing -----------------------------------------------------------

TEST_F(SkinMenuEngine, CommandRunsAfterTheMenuClosedAndControlHearsOfIt) {
  auto* edit = new TEdit(m_form);
  edit->SetParent(m_form);
  std::vector<uint32_t> controlMessages;
  const TWndMethod old = edit->WindowProc();
  edit->SetWindowProc([&, old](TMessage& m) {
    if (m.Msg == SkinMessageMenuClosed || m.Msg == SkinMessageMenuCommand) controlMessages.push_back(m.Msg);
    old(m);
  });
  bool visibleInCommand = true, inMenuInCommand = true;
  Add("执行")->OnClick = [&](TObject*) {
    visibleInCommand = Engine().Visible();
    inMenuInCommand = m_frame->InMenu();
    controlMessages.push_back(0);
  };
  m_frame->BeginMenuState();
  Engine().Popup(edit, nullptr, 0, m_menu->Items(), {200, 200, 200, 200}, false);
  EXPECT_EQ(Engine().PopupControl(), edit);
  Desk().Click(ItemCenter(0));
  Pump();
  EXPECT_FALSE(visibleInCommand);
  EXPECT_FALSE(inMenuInCommand);
  EXPECT_EQ(controlMessages, (std::vector<uint32_t>{SkinMessageMenuClosed, 0, SkinMessageMenuCommand}));
  EXPECT_EQ(m_frame->MenuCloses, 1);
  EXPECT_EQ(m_frame->MenuClosedMessages, 1);
}

TEST_F(SkinMenuEngine, EndingIsIdempotentWhicheverWayItEnds) {
  Add("一");
  OpenAt({200, 200});
  Engine().CloseMenu();
  Engine().CloseMenu();
  m_frame->EndMenuState();
  EXPECT_EQ(m_frame->MenuCloses, 1);
  EXPECT_EQ(m_frame->MenuClosedMessages, 1);

  // A press outside the menu closes it once; the press goes on.
  OpenAt({200, 200});
  Desk().Click({120, 150});   // on the form
  Pump();
  EXPECT_FALSE(Engine().Visible());
  EXPECT_EQ(m_frame->MenuCloses, 2);

  // Another program activated: the menu goes.
  OpenAt({200, 200});
  Desk().ActivateOtherApplication();
  Pump();
  EXPECT_FALSE(Engine().Visible());
  EXPECT_EQ(Engine().WindowCount(), 0u);
  EXPECT_EQ(m_frame->MenuCloses, 3);
  Desk().ActivateFromDesktop(m_form->Handle());
  Pump();

  // Alt alone leaves the menu.
  OpenAt({200, 200});
  Desk().KeyPress(VK_MENU);
  Pump();
  EXPECT_FALSE(Engine().Visible());
  EXPECT_EQ(m_frame->MenuCloses, 4);

  // Opening a menu while one is open ends the first one.
  OpenAt({200, 200});
  OpenAt({300, 200});
  EXPECT_TRUE(Engine().Visible());
  EXPECT_EQ(m_frame->MenuCloses, 5);
  EXPECT_EQ(m_frame->MenuClosedMessages, 5);
}

TEST_F(SkinMenuEngine, ItemFreedByTheCloseNoticeIsNotRun) {
  int clicks = 0;
  TMenuItem* item = Add("一");
  item->OnClick = [&](TObject*) { ++clicks; };
  m_frame->OnMenuClose = [&] {
    if (item) FreeAndNil(item);
  };
  OpenAt({200, 200});
  Key(VK_RETURN);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(item, nullptr);
  EXPECT_FALSE(Engine().Visible());
}

TEST_F(SkinMenuEngine, FreeingAShownItemClosesTheMenu) {
  TMenuItem* sub = Add("子菜单");
  TMenuItem* leaf = Add("项", sub);
  Add("二");
  OpenAt({200, 200});
  Key(VK_RIGHT);
  ASSERT_EQ(Engine().WindowCount(), 2u);
  leaf->Free();
  EXPECT_FALSE(Engine().Visible());
  EXPECT_EQ(m_frame->MenuCloses, 1);
  // A sub-menu filled anew by its item's handler: the old sub-items are
  // freed while their window is closed, which closes nothing.
  Add("旧", sub);
  sub->OnClick = [&](TObject*) {
    sub->Clear();
    Add("新", sub);
  };
  OpenAt({200, 200});
  Key(VK_RIGHT);
  EXPECT_EQ(Engine().WindowCount(), 2u);
  Key(VK_LEFT);
  EXPECT_EQ(Engine().WindowCount(), 1u);
  Key(VK_RIGHT);
  EXPECT_TRUE(Engine().Visible());
  ASSERT_EQ(Engine().WindowCount(), 2u);
  EXPECT_EQ(Window(1).Item(0).MenuItem()->Caption(), "新");
}

TEST_F(SkinMenuEngine, CommandMayFreeTheForm) {
  Add("关闭窗口")->OnClick = [&](TObject*) {
    m_form->Free();
    m_form = nullptr;
  };
  OpenAt({200, 200});
  Desk().Click(ItemCenter(0));
  Pump();
  EXPECT_EQ(m_form, nullptr);
  RunFor(200);   // no timer of a freed window fires into freed memory
}

TEST_F(SkinMenuEngine, SkinChangeClosesAndSkinRemovalTurnsPlain) {
  TskSkinData* skin = LoadStoredSkin();
  Add("一");
  Add("-");
  TMenuItem* sub = Add("二");
  Add("三", sub);
  OpenAt({200, 200});
  ASSERT_TRUE(Window().Skinned());
  skin->LoadFromStoredSkin(*skin->CompressedStoredSkin());   // a skin change
  EXPECT_FALSE(Engine().Visible());
  EXPECT_EQ(m_frame->MenuCloses, 1);

  OpenAt({200, 200});
  Key(VK_DOWN);
  Key(VK_RIGHT);
  ASSERT_EQ(Engine().WindowCount(), 2u);
  skin->Free();
  EXPECT_EQ(Engine().SkinData(), nullptr);
  ASSERT_TRUE(Engine().Visible());
  EXPECT_EQ(Engine().WindowCount(), 1u);
  EXPECT_FALSE(Window().Skinned());
  EXPECT_EQ(Window().Size().cy, 20 + 4 + 20 + 4);
  EXPECT_EQ(GetWindowRect(Window().Handle()).Height(), 20 + 4 + 20 + 4);
  RunFor(100);   // paints with no skin
  EXPECT_EQ(Desk().ScreenPixel(Window().ScreenRect().Left, Window().ScreenRect().Top),
            ColorToRGB(clBtnShadow));
}

TEST_F(SkinMenuEngine, TranslucentMenuFadesInOnItsFirstWindow) {
  Engine().SetAlphaBlend(true);
  Engine().SetAlphaBlendAnimation(true);
  Engine().SetAlphaBlendValue(200);
  TMenuItem* sub = Add("一");
  Add("二", sub);
  OpenAt({200, 200});
  ASSERT_TRUE(Engine().Visible());
  EXPECT_NE(GetWindowExStyle(Window().Handle()) & WS_EX_LAYERED, 0u);
  EXPECT_EQ(GetWindowOpacity(Window().Handle()), 200);
  Key(VK_RIGHT);
  EXPECT_EQ(GetWindowOpacity(Window(1).Handle()), 200);
  // The fade lets waiting messages run; one of them may close the menu.
  Engine().CloseMenu();
  Desk().KeyPress(VK_ESCAPE);
  m_frame->BeginMenuState();
  Engine().Popup(nullptr, nullptr, 0, m_menu->Items(), {200, 200, 200, 200}, false);
  Pump();
  EXPECT_FALSE(Engine().Visible());
}

TEST_F(SkinMenuEngine, CursorIsFollowedWhileAnotherWindowHoldsTheMouse) {
  Add("一");
  Add("二");
  OpenAt({200, 200});
  // The frame's caption button holds the capture while its menu is open:
  // the popup sees no mouse message, its 50 ms timer follows the cursor.
  SetCapture(m_form->Handle());
  Desk().MouseMove(ItemCenter(1));
  Pump();
  EXPECT_EQ(Window().ActiveIndex(), 0);
  RunFor(50);
  EXPECT_EQ(Window().ActiveIndex(), 1);
  ReleaseCapture();
}

TEST_F(SkinMenuEngine, MorphingItemsBlendInTwentyMillisecondSteps) {
  TskSkinData* skin = LoadStoredSkin();
  for (size_t i = 0; i < skin->ObjectCount(); ++i)
    if (auto* item = dynamic_cast<TskDataSkinMenuItem*>(skin->Object(i))) item->Morphing = true;
  Add("一");
  Add("二");
  OpenAt({200, 200});
  RunFor(20);
  EXPECT_EQ(Window().Item(0).MorphFactor, 1.0);   // highlighted from the start
  const TBitmap& picture = *skin->ActivePicture(2);
  const TRect r1 = Window().ItemScreenRect(1);
  Key(VK_DOWN);
  EXPECT_EQ(Window().Item(1).MorphFactor, 0.0);
  EXPECT_EQ(Desk().ScreenPixel(r1.Left + 1, r1.Top + 1), picture.GetPixel(1, 55));   // still the normal look
  RunFor(20);
  EXPECT_NEAR(Window().Item(1).MorphFactor, 0.2, 1e-9);
  EXPECT_NEAR(Window().Item(0).MorphFactor, 0.8, 1e-9);
  RunFor(80);
  EXPECT_EQ(Window().Item(1).MorphFactor, 1.0);
  EXPECT_EQ(Window().Item(0).MorphFactor, 0.0);
  EXPECT_EQ(Desk().ScreenPixel(r1.Left + 1, r1.Top + 1), picture.GetPixel(1, 75));
}

TEST_F(SkinMenuEngine, FadeInSurvivesTheFormGoingAway) {
  Engine().SetAlphaBlend(true);
  Engine().SetAlphaBlendAnimation(true);
  Add("一");
  TskSkinPopupMenu* menu = new TskSkinPopupMenu(m_form);
  menu->Items()->Add(new TMenuItem(m_form));
  menu->Items()->Items(0)->SetCaption("二");
  const std::weak_ptr<void> form = m_form->AliveToken();
  m_form->Release();   // freed by the messages the fade lets run
  menu->Popup(200, 200);
  m_form = nullptr;
  EXPECT_TRUE(form.expired());
  RunFor(100);
}

TEST_F(SkinMenuEngine, OpenMenusDescribeTheirItemsToTheWindowTree) {
  int runs = 0;
  Add("最小化(&n)", nullptr, "BSF_MINITEM");
  Add("-");
  TMenuItem* close = Add("关闭(&C)", nullptr, "BSF_CLOSE");
  close->SetShortCut(TextToShortCut("Alt+F4"));
  close->OnClick = [&](TObject*) { ++runs; };
  Add("禁用")->SetEnabled(false);
  OpenAt({200, 200});
  const TWindowTree tree = TWindowTree::Capture();
  const TJsonValue& top = tree.Document()["windows"].At(0);
  EXPECT_EQ(top["className"].AsString(), "TskSkinPopupWindow");
  const TJsonValue& items = top["items"];
  ASSERT_EQ(items.Size(), 3u);   // dividers are not described
  EXPECT_EQ(items.At(0)["text"].AsString(), "最小化(&n)");
  EXPECT_TRUE(items.At(0)["highlighted"].AsBool());
  EXPECT_EQ(items.At(1)["shortCut"].AsString(), "Alt+F4");
  EXPECT_FALSE(items.At(1)["highlighted"].AsBool(true));
  EXPECT_FALSE(items.At(2)["enabled"].AsBool(true));
  // click-text finds the item where it is shown; a click there runs it.
  const TWindowTree::TEntry* entry = tree.FindClickable("关闭(C)");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->Bounds, Window().ItemScreenRect(2));
  EXPECT_EQ(entry->InputWindow, Window().Handle());
  Desk().Click({entry->Bounds.Left + 5, entry->Bounds.Top + 5});
  Pump();
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(TWindowTree::Capture().ShowsText("关闭(C)"));
}

// --- Pixels ---------------------------------------------------------------------------

TEST_F(SkinMenuEngine, SkinnedItemsShowTheirPictures) {
  TskSkinData* skin = LoadStoredSkin();
  Add("一");
  Add("二");
  Add("-");
  OpenAt({200, 200});
  RunFor(50);
  const TBitmap& picture = *skin->ActivePicture(2);   // menuitem.bmp
  ASSERT_NE(picture.GetPixel(1, 55), picture.GetPixel(1, 75));   // the two looks differ there
  const TRect r0 = Window().ItemScreenRect(0), r1 = Window().ItemScreenRect(1), r2 = Window().ItemScreenRect(2);
  // Highlighted first item: activeskinrect 0,74,54,94; normal: skinrect
  // 0,54,54,74; divider 0,96,53,99. Their left pieces (3 and 4 pixels) are
  // copied unchanged.
  EXPECT_EQ(Desk().ScreenPixel(r0.Left + 1, r0.Top + 1), picture.GetPixel(1, 75));
  EXPECT_EQ(Desk().ScreenPixel(r1.Left + 1, r1.Top + 1), picture.GetPixel(1, 55));
  EXPECT_EQ(Desk().ScreenPixel(r2.Left + 2, r2.Top + 1), picture.GetPixel(2, 97));
  // The right pieces end at the item's right edge.
  EXPECT_EQ(Desk().ScreenPixel(r1.Right - 1, r1.Top + 1), picture.GetPixel(53, 55));
  // The window's top-left corner comes from popup.bmp.
  const TBitmap& popup = *skin->ActivePicture(1);
  EXPECT_EQ(Desk().ScreenPixel(Window().ScreenRect().Left + 1, Window().ScreenRect().Top + 1), popup.GetPixel(1, 1));
  // Highlight moves with the keys, drawn item by item.
  Key(VK_DOWN);
  EXPECT_EQ(Desk().ScreenPixel(r0.Left + 1, r0.Top + 1), picture.GetPixel(1, 55));
  EXPECT_EQ(Desk().ScreenPixel(r1.Left + 1, r1.Top + 1), picture.GetPixel(1, 75));
}

TEST_F(SkinMenuEngine, PlainItemsGlyphsAndMarks) {
  Add("关闭(&C)", nullptr, "BSF_CLOSE");
  TMenuItem* checked = Add("选中");
  checked->SetChecked(true);
  Add("-");
  TMenuItem* disabled = Add("禁用");
  disabled->SetEnabled(false);
  OpenAt({200, 200});
  RunFor(50);
  const TRect r0 = Window().ItemScreenRect(0), r1 = Window().ItemScreenRect(1), r2 = Window().ItemScreenRect(2);
  const int32_t h = r0.Height();
  // Highlighted: navy frame around the highlight colour.
  EXPECT_EQ(Desk().ScreenPixel(r0.Left, r0.Top), clNavy);
  EXPECT_EQ(Desk().ScreenPixel(r0.Left + 1, r0.Top + 1), kPlainMenuHighlight);
  // The close glyph stands centred in the 19-pixel glyph column: its first
  // stroke starts one pixel in from (4, (h - 10) / 2).
  EXPECT_EQ(Desk().ScreenPixel(r0.Left + 4 + 1, r0.Top + (h - 10) / 2 + 1), ColorToRGB(clWindowText));
  // A checked item: the tick's lowest stroke, centred in the column.
  const int32_t cx = r1.Left + (19 - 8) / 2, cy = r1.Top + (h - 8) / 2;
  EXPECT_EQ(Desk().ScreenPixel(cx + 2, cy + 7), ColorToRGB(clWindowText));
  EXPECT_EQ(Desk().ScreenPixel(r1.Left + 1, r1.Top + 1), ColorToRGB(clBtnFace));
  EXPECT_EQ(Desk().ScreenPixel(r1.Right - 2, r1.Top + 1), ColorToRGB(clWindow));
  // The divider's line at half height, from the glyph column on.
  EXPECT_EQ(Desk().ScreenPixel(r2.Left + 19, r2.Top + 2), ColorToRGB(clBtnShadow));
  EXPECT_EQ(Desk().ScreenPixel(r2.Left + 19, r2.Top + 1), ColorToRGB(clWindow));
}

TEST_F(SkinMenuEngine, OwnerDrawnItemsDrawTheirText) {
  std::vector<std::pair<TRect, bool>> calls;
  TMenuItem* drawn = Add("自绘");
  drawn->OnDrawItem = [&](TObject*, TCanvas& canvas, const TRect& rect, bool selected) {
    calls.emplace_back(rect, selected);
    canvas.Brush().Color = clRed;
    canvas.Brush().Style = TBrushStyle::Solid;
    canvas.FillRect({rect.Left + 30, rect.Top + 2, rect.Left + 40, rect.Top + 8});
  };
  Add("二");
  LoadStoredSkin();
  OpenAt({200, 200});
  RunFor(50);
  ASSERT_FALSE(calls.empty());
  // The text rectangle of the stored skin: textrect 2,2,52,18, its right edge
  // following the item's width.
  const TRect r0 = Window().ItemScreenRect(0);
  EXPECT_EQ(calls.back().first, (TRect{2, 2, r0.Width() + 52 - 54, 18}));
  EXPECT_TRUE(calls.back().second);
  EXPECT_EQ(Desk().ScreenPixel(r0.Left + 33, r0.Top + 5), clRed);
  Key(VK_DOWN);
  EXPECT_FALSE(calls.back().second);
}

}  // namespace
}  // namespace tsm
