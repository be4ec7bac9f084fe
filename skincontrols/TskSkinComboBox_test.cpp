// The skinned combo box: geometry with the stored skin, without skin and
// with a made-up skin; the list's size, bar and placement; selection and
// its events; the mouse (click, drag selection, auto-scroll, lost capture),
// the keys, the wheel and typed search; the list never taking activation;
// the looks pixel by pixel; the edit style.

#include "skincontrols/TskSkinComboBox.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>

#include <string>
#include <vector>

#include "framework/controls/Button.h"
#include "framework/controls/StateDescription.h"
#include "framework/graphics/ImageList.h"
#include "framework/scripting/Script.h"
#include "framework/scripting/ScriptRunner.h"
#include "framework/scripting/WindowTree.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Png.h"
#include "platform/window/VirtualKeys.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"
#include "skincontrols/SkinEditLook.h"
#include "skincontrols/TskCustomEdit.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

std::vector<std::string> Numbered(int32_t n) {
  std::vector<std::string> items;
  for (int32_t i = 0; i < n; ++i) items.push_back("item " + std::to_string(i));
  return items;
}

class ComboBoxTest : public SkinControlTest {
 protected:
  TskSkinComboBox* Combo(TskSkinData* skin, int32_t items, TRect bounds = TRect::FromSize(20, 20, 120, 20)) {
    auto* combo = new TskSkinComboBox(Form());
    combo->SetParent(Form());
    if (skin) combo->SetSkinData(skin);
    combo->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    combo->Items().Assign(Numbered(items));
    combo->OnChange = [this](TObject*) { ++changes; };
    combo->OnClick = [this](TObject*) { ++clicks; };
    combo->OnCloseUp = [this](TObject*) { ++closeUps; };
    combo->OnDropDown = [this](TObject*) { ++dropDowns; };
    Pump();
    return combo;
  }
  // The centre of a row of the open list, on the screen.
  TPoint RowPoint(TskSkinComboBox* combo, int32_t row) {
    TskListBox* inner = combo->ListBox()->ListBox();
    const int32_t h = inner->ItemHeight();
    return inner->ClientToScreen({inner->ClientWidth() / 2, row * h + h / 2});
  }
  void ClickAt(TPoint p) {
    Desk().MouseMove(p);
    Desk().MouseDown();
    Desk().MouseUp();
    Pump();
    TWindowSystem::Instance().Input().ForgetClicks();
  }
  // Saves a part of the screen, scaled up, for looking at (TM_SHOTS).
  void SaveScreen(const TRect& r, const std::string& name, int32_t scale = 3) {
    const char* dir = std::getenv("TM_SHOTS");
    if (!dir) return;
    Pump();
    const TBitmap screen = Desk().ComposeScreen();
    TBitmap big(r.Width() * scale, r.Height() * scale);
    TDeviceContext(big).StretchBlt(big.Bounds(), screen.Surface(), r);
    SavePng(std::string(dir) + "/" + name + ".png", big.Surface());
  }
  int changes = 0, clicks = 0, closeUps = 0, dropDowns = 0;
};

TEST_F(ComboBoxTest, StoredSkinPlacesTheButtonAndTheListRows) {
  auto* combo = Combo(StoredSkin(), 3);
  EXPECT_EQ(combo->Height(), 20);
  EXPECT_EQ(combo->Layout().Button, (TRect{101, 0, 120, 20}));
  EXPECT_EQ(combo->Layout().TextArea, (TRect{2, 2, 100, 18}));
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(combo->ListBox()->Height(), 18 * 3 + 2);
  EXPECT_EQ(combo->ListBox()->Width(), 120);
  SaveScreen(TRect::FromSize(110, 110, 140, 100), "combo_open_skinned");
}

TEST_F(ComboBoxTest, WithoutSkinTheButtonSitsAtTheRightAndTheListRowsAreTwentyHigh) {
  auto* combo = Combo(nullptr, 3, TRect::FromSize(20, 20, 150, 22));
  EXPECT_EQ(combo->Height(), 22);
  EXPECT_EQ(combo->Layout().Button, (TRect{131, 2, 148, 20}));
  EXPECT_EQ(combo->Layout().TextArea, (TRect{2, 2, 130, 20}));
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(combo->ListBox()->Height(), 20 * 3 + 4);
  EXPECT_FALSE(combo->ListBox()->HasVScrollBar());
  SaveScreen(TRect::FromSize(110, 110, 170, 100), "combo_open_unskinned");
}

TEST_F(ComboBoxTest, KeepingItsOwnSizeTheSkinStretchesAndTheButtonFollowsTheWidth) {
  auto* combo = Combo(StoredSkin(), 3);
  combo->SetUseSkinSize(false);
  combo->SetBounds(20, 20, 185, 19);
  EXPECT_EQ(combo->Height(), 19);
  EXPECT_EQ(combo->Layout().Button, (TRect{41 + 125, 0, 185, 19}));
  EXPECT_EQ(combo->Layout().TextArea, (TRect{2, 2, 40 + 125, 17}));
  EXPECT_FALSE(combo->WindowRegion().has_value());
}

// The made-up skin: 60 wide, fixed right piece from x = 50 (10 pixels), and
// a button at the given place.
std::string MadeUpCombo(const std::string& button) {
  return SkinDefinition({{"combobox", "combobox",
                          "pictureindex=0\nskinrect=0,0,60,20\nlefttoppoint=5,0\nrighttoppoint=50,0\n"
                          "clientrect=2,2,48,18\nbuttonrect=" +
                              button + "\nlistboxname=\n"}});
}

TEST_F(ComboBoxTest, TheButtonMovesWithTheWidthOnlyWhenItBeginsInTheFixedRightPiece) {
  TBitmap picture(60, 20);
  picture.Fill(clWhite);
  // A button in the stretched middle, right of x = 10 (the right piece's
  // width): it stays where the skin put it.
  auto* middle = Combo(MadeUpSkin(MadeUpCombo("20,0,30,20"), {picture}), 3);
  EXPECT_EQ(middle->Layout().Button, (TRect{20, 0, 30, 20}));
  // A button whose left edge is the right piece's start moves along.
  auto* edge = Combo(MadeUpSkin(MadeUpCombo("50,0,60,20"), {picture}), 3, TRect::FromSize(20, 60, 120, 20));
  EXPECT_EQ(edge->Layout().Button, (TRect{110, 0, 120, 20}));
  auto* before = Combo(MadeUpSkin(MadeUpCombo("49,0,60,20"), {picture}), 3, TRect::FromSize(20, 100, 120, 20));
  EXPECT_EQ(before->Layout().Button, (TRect{49, 0, 60, 20}));
}

TEST_F(ComboBoxTest, TheListHasABarOnlyWithMoreItemsThanDropDownCount) {
  auto* many = Combo(StoredSkin(), 20);
  Click(many);
  ASSERT_TRUE(many->DroppedDown());
  EXPECT_EQ(many->ListBox()->ListBox()->VisibleRows(), 8);
  EXPECT_EQ(many->ListBox()->Height(), 18 * 8 + 2);
  ASSERT_TRUE(many->ListBox()->HasVScrollBar());
  EXPECT_EQ(many->ListBox()->VScrollBar()->Max(), 19);
  EXPECT_EQ(many->ListBox()->VScrollBar()->PageSize(), 8);
  SaveScreen(TRect::FromSize(110, 110, 140, 180), "combo_open_bar");
  Key(VK_ESCAPE);

  auto* eight = Combo(StoredSkin(), 8, TRect::FromSize(200, 20, 120, 20));
  Click(eight);
  ASSERT_TRUE(eight->DroppedDown());
  EXPECT_EQ(eight->ListBox()->Height(), 18 * 8 + 2);
  EXPECT_FALSE(eight->ListBox()->HasVScrollBar());
}

TEST_F(ComboBoxTest, EmptyItemsOpenNothingAndDropDownCountIgnoresNonPositiveValues) {
  auto* combo = Combo(StoredSkin(), 0);
  Click(combo);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(dropDowns, 0);
  combo->SetDropDownCount(0);
  combo->SetDropDownCount(-3);
  EXPECT_EQ(combo->DropDownCount(), 8);
  combo->SetDropDownCount(3);
  EXPECT_EQ(combo->DropDownCount(), 3);
}

TEST_F(ComboBoxTest, ItemIndexSetsTextAndAlwaysRaisesOnClick) {
  auto* combo = Combo(StoredSkin(), 5);
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Text(), "item 2");
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);
  combo->SetItemIndex(2);  // the same item again: OnClick, no OnChange
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(changes, 1);
  combo->SetItemIndex(-1);  // nothing selected: the text stays
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "item 2");
  EXPECT_EQ(clicks, 3);
  combo->SetItemIndex(9);  // out of the items: nothing selected
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "item 2");
  EXPECT_EQ(combo->RememberedIndex(), -1);
  combo->SetText("elsewhere");
  EXPECT_EQ(changes, 2);
  combo->SetText("elsewhere");
  EXPECT_EQ(changes, 2);
}

TEST_F(ComboBoxTest, PickingWithTheMouseSetsTheTextAndClosesWithAcceptance) {
  auto* combo = Combo(StoredSkin(), 5);
  combo->SetItemIndex(1);
  clicks = changes = 0;
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(dropDowns, 1);
  EXPECT_EQ(combo->ListBox()->TopIndex(), 0);
  const TPoint row3 = RowPoint(combo, 3);
  Desk().MouseMove(row3);
  Pump();
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 3);  // hot tracking
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(combo->Text(), "item 1");            // not picked yet
  ClickAt(row3);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "item 3");
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(closeUps, 1);
  EXPECT_TRUE(combo->Focused());
}

// A handler may free the combo box (a dialog that closes on a choice): the
// pick, the keys and the opening end cleanly and the form goes on working.
TEST_F(ComboBoxTest, AComboBoxMayBeFreedByItsOwnHandlers) {
  struct TWay {
    const char* Name;
    std::function<void(TskSkinComboBox*, TNotifyEvent)> Arm;
    std::function<void(TskSkinComboBox*)> Act;
  };
  const auto pickRow2 = [this](TskSkinComboBox* combo) {
    Click(combo);
    if (combo->DroppedDown()) ClickAt(RowPoint(combo, 2));
  };
  const std::vector<TWay> ways = {
      {"close-up", [](TskSkinComboBox* c, TNotifyEvent f) { c->OnCloseUp = f; }, pickRow2},
      {"change by a pick", [](TskSkinComboBox* c, TNotifyEvent f) { c->OnChange = f; }, pickRow2},
      {"click by a pick", [](TskSkinComboBox* c, TNotifyEvent f) { c->OnClick = f; }, pickRow2},
      {"change by a key", [](TskSkinComboBox* c, TNotifyEvent f) { c->OnChange = f; },
       [this](TskSkinComboBox* c) {
         c->SetFocus();
         Key(VK_DOWN);
       }},
      {"change by Enter in the open list", [](TskSkinComboBox* c, TNotifyEvent f) { c->OnChange = f; },
       [this](TskSkinComboBox* c) {
         c->SetFocus();
         Key(VK_DOWN, {TShiftKey::Alt});
         Key(VK_DOWN);
         Key(VK_RETURN);
       }},
      {"change by typing", [](TskSkinComboBox* c, TNotifyEvent f) { c->OnChange = f; },
       [this](TskSkinComboBox* c) {
         c->SetFocus();
         Type("i");
       }},
      {"drop-down", [](TskSkinComboBox* c, TNotifyEvent f) { c->OnDropDown = f; },
       [this](TskSkinComboBox* c) { Click(c); }},
      {"wheel", [](TskSkinComboBox* c, TNotifyEvent f) { c->OnChange = f; },
       [this](TskSkinComboBox* c) {
         c->SetFocus();
         Desk().MouseMove(ScreenPoint(c));
         Desk().Wheel(-1);
         Pump();
       }},
  };
  auto* other = new TButton(Form());
  other->SetParent(Form());
  other->SetBounds(20, 200, 80, 24);
  for (const TWay& way : ways) {
    auto* combo = Combo(StoredSkin(), 5);
    const auto alive = combo->AliveToken();
    way.Arm(combo, [combo](TObject*) { combo->Free(); });
    way.Act(combo);
    Pump();
    RunFor(100);
    EXPECT_TRUE(alive.expired()) << way.Name;
    int pressed = 0;
    other->OnClick = [&pressed](TObject*) { ++pressed; };
    Click(other);
    EXPECT_EQ(pressed, 1) << way.Name;
    other->OnClick = nullptr;
  }
}

TEST_F(ComboBoxTest, TheCursorIsTheIBeamOnlyOverTheEditOfTheEditStyle) {
  auto* combo = Combo(StoredSkin(), 5);
  Form()->SetCursor(crHandPoint);
  const auto shapeAt = [this, combo](TPoint client) {
    Desk().MouseMove(ScreenPoint(combo, client));
    Pump();
    return Desk().CursorShape();
  };
  const TRect button = combo->Layout().Button;
  const TPoint onButton{(button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2};
  EXPECT_EQ(shapeAt({30, 10}), TCursorShape::Arrow);   // fixed style: a painted text
  combo->SetStyle(TskSkinCustomComboBoxStyle::bscbEditStyle);
  Pump();
  ASSERT_NE(combo->Edit(), nullptr);
  EXPECT_EQ(shapeAt({30, 10}), TCursorShape::IBeam);
  EXPECT_EQ(shapeAt(onButton), TCursorShape::Arrow);
}

TEST_F(ComboBoxTest, DraggingFromTheComboBoxIntoTheListPicksAtTheRelease) {
  auto* combo = Combo(StoredSkin(), 5);
  Desk().MouseMove(ScreenPoint(combo));
  Desk().MouseDown();
  Pump();
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(combo->DragSelection());
  EXPECT_FALSE(combo->EnteredList());
  Desk().MouseMove(RowPoint(combo, 2));
  Pump();
  EXPECT_TRUE(combo->EnteredList());
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 2);
  Desk().MouseUp();
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(combo->DragSelection());
  EXPECT_EQ(combo->Text(), "item 2");
  EXPECT_EQ(closeUps, 1);
}

TEST_F(ComboBoxTest, ADragReleasedBesideTheListClosesItWithoutAcceptance) {
  auto* combo = Combo(StoredSkin(), 5);
  combo->SetItemIndex(0);
  Desk().MouseMove(ScreenPoint(combo));
  Desk().MouseDown();
  Pump();
  Desk().MouseMove(RowPoint(combo, 3));
  Pump();
  Desk().MouseMove(RowPoint(combo, 3) + TPoint{200, 0});  // beside the list, same row
  Pump();
  Desk().MouseUp();
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "item 0");
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(closeUps, 0);
}

TEST_F(ComboBoxTest, DraggingBelowTheListScrollsEvery25MillisecondsAndStopsAtTheLastItem) {
  auto* combo = Combo(StoredSkin(), 12);
  Desk().MouseMove(ScreenPoint(combo));
  Desk().MouseDown();
  Pump();
  Desk().MouseMove(RowPoint(combo, 6));
  Pump();
  ASSERT_EQ(combo->ListBox()->ItemIndex(), 6);
  Desk().MouseMove(RowPoint(combo, 6) + TPoint{0, 100});  // below the list
  Pump();
  EXPECT_EQ(combo->AutoScrollMode(), TskComboAutoScroll::Down);
  RunFor(25);
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 7);
  EXPECT_EQ(combo->ListBox()->TopIndex(), 0);
  RunFor(50);
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 9);
  EXPECT_EQ(combo->ListBox()->TopIndex(), 2);
  RunFor(500);
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 11);
  EXPECT_EQ(combo->ListBox()->TopIndex(), 4);
  // Back over the list: the scrolling stops.
  Desk().MouseMove(RowPoint(combo, 1));
  Pump();
  EXPECT_EQ(combo->AutoScrollMode(), TskComboAutoScroll::None);
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 5);
  Desk().MouseMove(RowPoint(combo, 0) - TPoint{0, 60});  // above: up again
  Pump();
  RunFor(100);
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "");  // the selection itself is not touched
  EXPECT_EQ(clicks, 0);
  Desk().MouseUp();
  Pump();
}

TEST_F(ComboBoxTest, NoAutoScrollBeforeThePointerEnteredTheListOrWithoutABar) {
  auto* combo = Combo(StoredSkin(), 12);
  Desk().MouseMove(ScreenPoint(combo));
  Desk().MouseDown();
  Pump();
  Desk().MouseMove(ScreenPoint(combo) + TPoint{0, 300});  // past the list without entering it
  Pump();
  EXPECT_EQ(combo->AutoScrollMode(), TskComboAutoScroll::None);
  Desk().MouseUp();
  Pump();
  Key(VK_ESCAPE);
  auto* few = Combo(StoredSkin(), 4, TRect::FromSize(200, 20, 120, 20));
  Desk().MouseMove(ScreenPoint(few));
  Desk().MouseDown();
  Pump();
  Desk().MouseMove(RowPoint(few, 1));
  Pump();
  Desk().MouseMove(RowPoint(few, 1) + TPoint{0, 200});
  Pump();
  EXPECT_EQ(few->AutoScrollMode(), TskComboAutoScroll::None);
  Desk().MouseUp();
  Pump();
}

TEST_F(ComboBoxTest, ALostCaptureEndsDragSelectionAndAutoScroll) {
  auto* combo = Combo(StoredSkin(), 12);
  Desk().MouseMove(ScreenPoint(combo));
  Desk().MouseDown();
  Pump();
  Desk().MouseMove(RowPoint(combo, 4));
  Pump();
  Desk().MouseMove(RowPoint(combo, 4) + TPoint{0, 120});
  Pump();
  ASSERT_EQ(combo->AutoScrollMode(), TskComboAutoScroll::Down);
  // Something else takes the capture (a modal loop, another window).
  auto* other = NewButton(Form(), "other", TRect::FromSize(300, 200, 60, 24));
  SetCapture(other->Handle());
  Pump();
  EXPECT_FALSE(combo->DragSelection());
  EXPECT_EQ(combo->AutoScrollMode(), TskComboAutoScroll::None);
  const int32_t index = combo->ListBox()->ItemIndex();
  RunFor(200);
  EXPECT_EQ(combo->ListBox()->ItemIndex(), index);
  ReleaseCapture();
  Desk().MouseUp();
  Pump();
}

TEST_F(ComboBoxTest, EscapeAndPressesElsewhereRestoreTheHighlightWithoutOnCloseUp) {
  auto* combo = Combo(StoredSkin(), 5);
  combo->SetItemIndex(1);
  clicks = changes = 0;
  Click(combo);
  Desk().MouseMove(RowPoint(combo, 4));
  Pump();
  ASSERT_EQ(combo->ListBox()->ItemIndex(), 4);
  Key(VK_ESCAPE);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "item 1");
  EXPECT_EQ(closeUps, 0);
  EXPECT_EQ(changes, 0);

  // A press on another control of the form: closed the same way, and that
  // control gets its press.
  auto* other = NewButton(Form(), "other", TRect::FromSize(300, 200, 60, 24));
  int otherClicks = 0;
  other->OnClick = [&](TObject*) { ++otherClicks; };
  Click(combo);
  Desk().MouseMove(RowPoint(combo, 3));
  Pump();
  Click(other);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(closeUps, 0);
  EXPECT_EQ(otherClicks, 1);

  // A second press on the combo box closes the list it opened.
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  Click(combo);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(closeUps, 0);
}

TEST_F(ComboBoxTest, OpeningAndPickingNeverDeactivatesTheForm) {
  auto* combo = Combo(StoredSkin(), 5);
  const HWND form = Form()->Handle();
  int deactivations = 0;
  const TWndMethod old = Form()->WindowProc();
  Form()->SetWindowProc([&](TMessage& m) {
    if ((m.Msg == WM_ACTIVATE && LOWORD(m.WParam) == WA_INACTIVE) || (m.Msg == WM_NCACTIVATE && m.WParam == 0))
      ++deactivations;
    old(m);
  });
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(GetActiveWindow(), form);
  EXPECT_TRUE(combo->Focused());
  Desk().MouseMove(RowPoint(combo, 2));
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(GetActiveWindow(), form);
  EXPECT_TRUE(combo->Focused());
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(combo->Text(), "item 2");
  EXPECT_EQ(GetActiveWindow(), form);
  EXPECT_TRUE(combo->Focused());
  EXPECT_EQ(deactivations, 0);
  Form()->SetWindowProc(old);
}

TEST_F(ComboBoxTest, NearTheBottomOfTheWorkAreaTheListOpensAbove) {
  const TRect work = GetWorkArea();
  Form()->SetBounds(100, work.Bottom - 60, 400, 60);
  auto* combo = Combo(StoredSkin(), 5);
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  const TRect comboScreen = GetWindowRect(combo->Handle());
  const TRect list = GetWindowRect(combo->ListBox()->Handle());
  EXPECT_EQ(list.Bottom, comboScreen.Top);
  EXPECT_EQ(list.Left, comboScreen.Left);
  EXPECT_EQ(list.Height(), 18 * 5 + 2);
  SaveScreen(TRect::FromSize(110, work.Bottom - 160, 140, 160), "combo_open_above");
}

TEST_F(ComboBoxTest, AListThatFitsNeitherBelowNorAboveStaysInTheWorkArea) {
  const TRect work = GetWorkArea();
  Form()->SetBounds(100, work.Top + 300, 400, 60);
  auto* combo = Combo(StoredSkin(), 60);
  combo->SetDropDownCount(40);  // 722 pixels: more than either side offers
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  const TRect list = GetWindowRect(combo->ListBox()->Handle());
  EXPECT_EQ(list.Height(), 18 * 40 + 2);
  EXPECT_GE(list.Top, work.Top);
  EXPECT_EQ(list.Bottom, work.Bottom);
}

TEST_F(ComboBoxTest, PageKeysMoveByDropDownCountPlusOrMinusOne) {
  auto* combo = Combo(StoredSkin(), 30);
  combo->SetItemIndex(20);
  Key(VK_PRIOR);  // needs the focus: a click first
  Click(combo);
  Key(VK_ESCAPE);
  combo->SetItemIndex(20);
  Key(VK_PRIOR);
  EXPECT_EQ(combo->ItemIndex(), 11);
  EXPECT_EQ(combo->Text(), "item 11");
  combo->SetItemIndex(0);
  Key(VK_NEXT);
  EXPECT_EQ(combo->ItemIndex(), 7);
  combo->SetItemIndex(28);
  Key(VK_NEXT);
  EXPECT_EQ(combo->ItemIndex(), 29);
  combo->SetItemIndex(3);
  Key(VK_PRIOR);
  EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ComboBoxTest, ArrowsStepAndAltArrowsOpenAndClose) {
  auto* combo = Combo(StoredSkin(), 4);
  combo->SetTabOrder(0);
  combo->SetFocus();
  Pump();
  clicks = changes = 0;
  Key(VK_DOWN);  // from nothing to the first item
  EXPECT_EQ(combo->ItemIndex(), 0);
  Key(VK_RIGHT);
  Key(VK_DOWN);
  Key(VK_DOWN);
  Key(VK_DOWN);  // stays on the last
  EXPECT_EQ(combo->ItemIndex(), 3);
  Key(VK_UP);
  Key(VK_LEFT);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "item 1");
  EXPECT_EQ(changes, 6);
  Key(VK_DOWN, {TShiftKey::Alt});
  ASSERT_TRUE(combo->DroppedDown());
  Key(VK_DOWN);  // moves through ItemIndex also while open
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(combo->Text(), "item 2");
  Key(VK_UP, {TShiftKey::Alt});
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->ItemIndex(), 2);
  // Picking with the keyboard: open, step, Enter.
  Key(VK_RIGHT, {TShiftKey::Alt});
  ASSERT_TRUE(combo->DroppedDown());
  Key(VK_DOWN);
  Key(VK_RETURN);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "item 3");
  EXPECT_EQ(closeUps, 1);
}

TEST_F(ComboBoxTest, EnterAndEscapeReachTheOpenListBeforeTheFormsButtons) {
  auto* combo = Combo(StoredSkin(), 4);
  auto* ok = NewButton(Form(), "OK", TRect::FromSize(300, 200, 60, 24));
  ok->SetDefault(true);
  auto* cancel = NewButton(Form(), "Cancel", TRect::FromSize(300, 240, 60, 24));
  cancel->SetCancel(true);
  int okClicks = 0, cancelClicks = 0;
  ok->OnClick = [&](TObject*) { ++okClicks; };
  cancel->OnClick = [&](TObject*) { ++cancelClicks; };
  Click(combo);
  Key(VK_ESCAPE);
  EXPECT_EQ(cancelClicks, 0);
  Click(combo);
  Key(VK_RETURN);
  EXPECT_EQ(okClicks, 0);
  EXPECT_FALSE(combo->DroppedDown());
  Key(VK_RETURN);  // closed: the default button takes it
  EXPECT_EQ(okClicks, 1);
}

TEST_F(ComboBoxTest, TheWheelStepsTheSelectionOrOnlyTheOpenListsHighlight) {
  auto* combo = Combo(StoredSkin(), 5);
  Click(combo);
  Key(VK_ESCAPE);
  combo->SetItemIndex(2);
  clicks = changes = 0;
  Desk().MouseMove(ScreenPoint(combo));
  Desk().Wheel(-1);  // towards the user: the next item
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(combo->Text(), "item 3");
  EXPECT_EQ(clicks, 1);
  Desk().Wheel(1);
  Desk().Wheel(1);
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 1);
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  clicks = changes = 0;
  Desk().Wheel(-1);
  Desk().Wheel(-1);
  Pump();
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 3);
  EXPECT_EQ(combo->Text(), "item 1");
  EXPECT_EQ(clicks, 0);
  Desk().Wheel(-5);
  Pump();
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 4);  // within the items
  Key(VK_RETURN);
  EXPECT_EQ(combo->Text(), "item 4");
}

TEST_F(ComboBoxTest, TypedLettersSearchByPrefixAndAPauseStartsANewPrefix) {
  auto* combo = Combo(StoredSkin(), 0);
  combo->Items().Assign({"apple", "Banana", "blue", "Brown", "cherry", "bread"});
  combo->SetFocus();
  Pump();
  Type("b");
  EXPECT_EQ(combo->ItemIndex(), 1);
  RunFor(100);
  Type("r");  // "br" within 500 ms: the first item that begins with it
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(combo->Text(), "Brown");
  EXPECT_EQ(combo->TypedPrefix(), "br");
  RunFor(499);
  Type("e");  // still one prefix: "bre"
  EXPECT_EQ(combo->ItemIndex(), 5);
  RunFor(500);
  Type("b");  // a new prefix, after the current item, wrapping round
  EXPECT_EQ(combo->ItemIndex(), 1);
  RunFor(600);
  Type("b");
  EXPECT_EQ(combo->ItemIndex(), 2);
  RunFor(600);
  Type("b");
  EXPECT_EQ(combo->ItemIndex(), 3);
  RunFor(600);
  Type("x");  // nothing begins with it: nothing changes
  EXPECT_EQ(combo->ItemIndex(), 3);
  combo->SetAutoComplete(false);
  Type("c");
  Type("h");  // without AutoComplete every letter searches alone
  EXPECT_EQ(combo->ItemIndex(), 4);
}

TEST_F(ComboBoxTest, FadeInStopsAtAnOddOpacity) {
  auto* combo = Combo(StoredSkin(), 5);
  combo->SetAlphaBlend(true);
  combo->SetAlphaBlendValue(225);
  combo->SetAlphaBlendAnimation(true);
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(combo->ListBox()->Layered());
  EXPECT_EQ(combo->ListBox()->AppliedOpacity(), 225);
  EXPECT_EQ(GetWindowOpacity(combo->ListBox()->Handle()), 225);
  Key(VK_ESCAPE);
  combo->SetAlphaBlend(false);
  Click(combo);
  EXPECT_FALSE(combo->ListBox()->Layered());
  EXPECT_FALSE(GetWindowExStyle(combo->ListBox()->Handle()) & WS_EX_LAYERED);
}

TEST_F(ComboBoxTest, TheOpenListDescribesItsRowsAndAScriptPicksOne) {
  auto* combo = Combo(StoredSkin(), 12);
  combo->SetName("quality");
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  const TJsonValue list = DescribeWindow(combo->ListBox()->Handle());
  EXPECT_EQ(list["className"].AsString(), "TskPopupListBox");
  EXPECT_EQ(list["items"].Size(), 12u);
  EXPECT_EQ(list["items"].At(3)["text"].AsString(), "item 3");
  EXPECT_EQ(list["items"].At(3)["bounds"]["top"].AsInt(), RowPoint(combo, 3).Y - 9);
  EXPECT_EQ(list["items"].At(8)["bounds"]["top"].AsInt(), 0);   // below the 8 rows shown
  EXPECT_EQ(list["items"].At(8)["bounds"]["bottom"].AsInt(), 0);
  const TWindowTree tree = TWindowTree::Capture();
  const TWindowTree::TEntry* entry = tree.FindClickable("item 3");
  ASSERT_NE(entry, nullptr);
  ClickAt(entry->Bounds.CenterPoint());
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "item 3");
  const TJsonValue node = DescribeControl(combo);
  EXPECT_EQ(node["itemIndex"].AsInt(), 3);
  // The closed combo box lists its items, none of them on screen.
  ASSERT_EQ(node["items"].Size(), 12u);
  EXPECT_EQ(node["items"].At(3)["text"].AsString(), "item 3");
  EXPECT_TRUE(node["items"].At(3)["selected"].AsBool());
  EXPECT_FALSE(node["items"].At(2)["selected"].AsBool());
  EXPECT_EQ(node["items"].At(3)["bounds"]["right"].AsInt(), 0);
  EXPECT_FALSE(node["droppedDown"].AsBool());
  EXPECT_EQ(TWindowTree::Capture().FindClickable("item 4"), nullptr);
  EXPECT_FALSE(TWindowTree::Capture().ShowsText("item 5"));
}

TEST_F(ComboBoxTest, UnskinnedLookFromSystemColours) {
  auto* combo = Combo(nullptr, 3);
  combo->SetItemIndex(0);
  const TRect button = combo->Layout().Button;  // (101, 2, 118, 18)
  EXPECT_EQ(PixelOf(combo, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(combo, 1, 1), ColorToRGB(clBtnFace));
  EXPECT_EQ(PixelOf(combo, 3, 3), ColorToRGB(clWindow));  // not focused: the window colour
  EXPECT_EQ(PixelOf(combo, button.Left, button.Top), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(combo, button.Left + 3, button.Top + 3), ColorToRGB(clBtnFace));
  // The down arrow: its widest row 1 pixel above the centre, its tip 2 below.
  const int32_t cx = button.Left + button.Width() / 2, cy = button.Top + button.Height() / 2;
  EXPECT_EQ(PixelOf(combo, cx - 3, cy - 1), clBlack);
  EXPECT_EQ(PixelOf(combo, cx, cy + 2), clBlack);
  EXPECT_EQ(PixelOf(combo, cx - 1, cy + 2), ColorToRGB(clBtnFace));
  // Hot and pressed parts.
  MoveTo(combo, button.CenterPoint());
  EXPECT_EQ(PixelOf(combo, button.Left, button.Top), RGB(0, 0, 128));
  EXPECT_EQ(PixelOf(combo, button.Left + 3, button.Top + 3), RGB(182, 189, 210));
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(PixelOf(combo, button.Left + 3, button.Top + 3), RGB(133, 147, 181));
  // Focused: the highlight, and the open list shows the remembered item.
  EXPECT_EQ(PixelOf(combo, 5, 4), ColorToRGB(clHighlight));
  SaveScreen(TRect::FromSize(110, 110, 140, 90), "combo_unskinned_pressed");
  Desk().MouseUp();
  Key(VK_ESCAPE);
  combo->SetEnabled(false);
  MoveTo(combo, {0, 30});
  EXPECT_EQ(PixelOf(combo, cx, cy + 2), ColorToRGB(clBtnShadow));
  SaveShot(combo, "combo_unskinned_disabled");
}

TEST_F(ComboBoxTest, SkinnedButtonAndTextAreaLooksComeFromThePicture) {
  TskSkinData* skin = StoredSkin();
  auto* combo = Combo(skin, 3);
  combo->SetItemIndex(1);
  const auto* data = skin->FindControl<TskDataSkinComboBox>("combobox");
  ASSERT_NE(data, nullptr);
  const int32_t pic = data->PictureIndex;
  const TRect button = combo->Layout().Button;
  const TRect area = combo->Layout().TextArea;
  // Normal: the button is the frame image's own (right piece of skinrect).
  EXPECT_EQ(PixelOf(combo, button.Left + 5, 5),
            PicturePixel(*skin, pic, data->SkinRect.Left + data->ButtonRect.Left + 5, data->SkinRect.Top + 5));
  // Text area, not focused: itemrect; its fixed left piece, then the tiles.
  EXPECT_EQ(PixelOf(combo, area.Left, area.Top + 8), PicturePixel(*skin, pic, data->ItemRect.Left, data->ItemRect.Top + 8));
  MoveTo(combo, button.CenterPoint());
  EXPECT_EQ(PixelOf(combo, button.Left + 5, 5),
            PicturePixel(*skin, pic, data->ActiveButtonRect.Left + 5, data->ActiveButtonRect.Top + 5));
  SaveScreen(TRect::FromSize(110, 110, 140, 40), "combo_skinned_hot");
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(PixelOf(combo, button.Left + 5, 5),
            PicturePixel(*skin, pic, data->DownButtonRect.Left + 5, data->DownButtonRect.Top + 5));
  // Focused text area: the focused look.
  EXPECT_EQ(PixelOf(combo, area.Left + 1, area.Top + 8),
            PicturePixel(*skin, pic, data->FocusItemRect.Left + 1, data->FocusItemRect.Top + 8));
  SaveScreen(TRect::FromSize(110, 110, 140, 100), "combo_skinned_pressed_open");
  Desk().MouseUp();
  Key(VK_ESCAPE);
  combo->SetEnabled(false);
  Pump();
  EXPECT_EQ(PixelOf(combo, button.Left + 5, 5),
            PicturePixel(*skin, pic, data->UnEnabledButtonRect.Left + 5, data->UnEnabledButtonRect.Top + 5));
  SaveShot(combo, "combo_skinned_disabled");
}

TEST_F(ComboBoxTest, KeepingItsSizeTheButtonIsComposedFromResizeButton) {
  TskSkinData* skin = StoredSkin();
  auto* combo = Combo(skin, 3);
  combo->SetUseSkinSize(false);
  combo->SetBounds(20, 20, 96, 19);
  combo->SetItemIndex(2);
  const auto* button = skin->FindControl<TskDataSkinButtonControl>("resizebutton");
  ASSERT_NE(button, nullptr);
  const TRect r = combo->Layout().Button;  // (77, 0, 96, 19)
  ASSERT_EQ(r, (TRect{77, 0, 96, 19}));
  const int32_t pic = button->PictureIndex;
  // The corners of the normal look stay; the arrow in its font colour, centred.
  EXPECT_EQ(PixelOf(combo, r.Left, r.Top), PicturePixel(*skin, pic, button->SkinRect.Left, button->SkinRect.Top));
  EXPECT_EQ(PixelOf(combo, r.Right - 1, r.Bottom - 1),
            PicturePixel(*skin, pic, button->SkinRect.Right - 1, button->SkinRect.Bottom - 1));
  const int32_t cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
  EXPECT_EQ(PixelOf(combo, cx, cy + 2), button->FontColor);
  MoveTo(combo, r.CenterPoint());
  EXPECT_EQ(PixelOf(combo, r.Left, r.Top), PicturePixel(*skin, pic, button->ActiveSkinRect.Left, button->ActiveSkinRect.Top));
  EXPECT_EQ(PixelOf(combo, cx, cy + 2), button->ActiveFontColor);
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(PixelOf(combo, r.Left, r.Top), PicturePixel(*skin, pic, button->DownSkinRect.Left, button->DownSkinRect.Top));
  EXPECT_EQ(PixelOf(combo, cx, cy + 3), button->DownFontColor);  // one pixel lower
  SaveScreen(TRect::FromSize(110, 110, 110, 90), "combo_resizebutton_pressed");
  Desk().MouseUp();
  Pump();
}

// Presses a letter key that types its character, as a keyboard does.
void TypeKey(THeadlessBackend& desk, uint32_t vk, const std::string& text) {
  desk.KeyDown(vk);
  desk.Text(text);
  desk.KeyUp(vk);
}

TEST_F(ComboBoxTest, EditStyleCompletesTypedTextAndStepsThroughTheItems) {
  auto* combo = Combo(StoredSkin(), 0);
  combo->Items().Assign({"apple", "banana", "blueberry", "cherry"});
  combo->SetStyle(TskSkinCustomComboBoxStyle::bscbEditStyle);
  TskCustomEdit* edit = combo->Edit();
  ASSERT_NE(edit, nullptr);
  EXPECT_FALSE(combo->TabStop());
  const TRect area = combo->Layout().TextArea;
  EXPECT_EQ(edit->Left(), area.Left);
  EXPECT_EQ(edit->Width(), area.Width());
  EXPECT_EQ(edit->Top(), area.Top + area.Height() / 2 - edit->Height() / 2);
  combo->SetFocus();
  Pump();
  EXPECT_TRUE(edit->Focused());  // the combo box hands its focus on

  TypeKey(Desk(), 'B', "b");
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), "banana");
  EXPECT_EQ(combo->Text(), "banana");
  EXPECT_EQ(edit->SelStart(), 1);  // the completed part is selected
  EXPECT_EQ(edit->SelLength(), 5);
  RunFor(200);
  TypeKey(Desk(), 'L', "l");  // replaces the selection: "bl"
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 2);
  EXPECT_EQ(edit->Text(), "blueberry");
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 7);

  Key(VK_UP);
  EXPECT_EQ(edit->Text(), "banana");
  EXPECT_EQ(edit->SelLength(), 6);  // all of it
  Key(VK_DOWN);
  Key(VK_DOWN);
  EXPECT_EQ(combo->Text(), "cherry");
  Key(VK_DOWN, {TShiftKey::Alt});
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_TRUE(edit->Focused());
  Key(VK_PRIOR);  // moves the open list's highlight only
  EXPECT_EQ(combo->ListBox()->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), "cherry");
  Key(VK_RETURN);
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(edit->Text(), "apple");
  EXPECT_EQ(combo->Text(), "apple");
  EXPECT_EQ(closeUps, 1);
  SaveShot(combo, "combo_edit_style");

  // Typed text that no item begins with stays as it is.
  edit->SelectAll();
  RunFor(300);
  TypeKey(Desk(), 'Z', "z");
  Pump();
  EXPECT_EQ(combo->Text(), "z");
  combo->SetStyle(TskSkinCustomComboBoxStyle::bscbFixedStyle);
  EXPECT_EQ(combo->Edit(), nullptr);
  EXPECT_TRUE(combo->TabStop());
}

// A made-up skin whose combo box names its own list entry, with rows of
// `rowHeight`.
std::string ComboWithList(const std::string& listName, int32_t rowHeight) {
  const std::string row = std::to_string(rowHeight);
  return SkinDefinition(
      {{"combobox", "combobox",
        "pictureindex=0\nskinrect=0,0,60,20\nlefttoppoint=3,0\nrighttoppoint=40,0\nclientrect=2,2,40,18\n"
        "buttonrect=41,0,60,20\nlistboxname=" + listName + "\n"},
       {listName, "listbox",
        "pictureindex=0\nskinrect=0,20,30,50\nlefttoppoint=3,3\nrighttoppoint=27,3\nleftbottompoint=3,27\n"
        "rightbottompoint=27,27\nclientrect=2,2,28,28\nitemrect=30,0,50," + row + "\nvscrollbarname=\n"}});
}

TEST_F(ComboBoxTest, TheListTakesTheEntryTheComboBoxNamesAndFollowsSkinChanges) {
  TBitmap picture(60, 60);
  picture.Fill(clWhite);
  TskSkinData* skin = MadeUpSkin(ComboWithList("biglist", 25), {picture});
  auto* combo = Combo(skin, 3);
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(combo->ListBox()->SkinDataName(), "biglist");
  EXPECT_EQ(combo->ListBox()->Height(), 30 - 26 + 25 * 3);
  Key(VK_ESCAPE);
  // A skin change reaches the list, which is no control of the form.
  Reload(*skin, ComboWithList("smalllist", 15), {picture});
  EXPECT_EQ(combo->ListBox()->SkinDataName(), "smalllist");
  Click(combo);
  EXPECT_EQ(combo->ListBox()->Height(), 30 - 26 + 15 * 3);
  Key(VK_ESCAPE);
  // Without the skin data both are unskinned.
  skin->Free();
  Pump();
  EXPECT_EQ(combo->Layout().Button, (TRect{101, 2, 118, 18}));
  Click(combo);
  EXPECT_FALSE(combo->ListBox()->Skinned());
  EXPECT_EQ(combo->ListBox()->Height(), 20 * 3 + 4);
}

TEST_F(ComboBoxTest, AUiScriptOpensTheListAndPicksByTextAndByKeys) {
  auto* combo = Combo(StoredSkin(), 12);
  const TPoint at = ScreenPoint(combo);
  const std::string text = "expect-no-text \"item 7\"\n"
                           "click " + std::to_string(at.X) + " " + std::to_string(at.Y) + "\n"
                           "expect-text \"item 7\"\n"
                           "click-text \"item 7\"\n"
                           "expect-text \"item 7\"\n"
                           "key Alt+Down\n"
                           "key Down\n"
                           "key Enter\n"
                           "expect-text \"item 8\"\n"
                           "expect-no-text \"item 0\"\n";
  TScript script;
  TScriptError error;
  ASSERT_TRUE(ParseScript(text, "combo.tms", script, error)) << error.Message;
  std::ostringstream log;
  TScriptRunner runner(std::move(script), Desk(), log);
  runner.Start();
  Application().Run();
  runner.ProgramEnded();
  EXPECT_EQ(runner.ExitStatus(), 0) << log.str();
  EXPECT_EQ(closeUps, 2);
  EXPECT_EQ(changes, 2);
}

TEST_F(ComboBoxTest, PicturesAndDrawingHooksReplaceTheItemsText) {
  auto* images = new TImageList(Form());
  images->SetSize(12, 12);
  for (TColor c : {clRed, clLime, clBlue}) {
    TBitmap square(12, 12);
    square.Fill(c);
    images->Add(square);
  }
  auto* combo = Combo(nullptr, 3);
  combo->SetImages(images);
  combo->SetItemIndex(2);
  // Text area (2, 2, 100, 18); the picture at the text rectangle's left (2
  // pixels in), vertically centred.
  EXPECT_EQ(InkOf(combo, clBlue), (TRect{4, 4, 16, 16}));
  combo->SetImageIndex(0);
  EXPECT_EQ(InkOf(combo, clRed), (TRect{4, 4, 16, 16}));
  EXPECT_TRUE(InkOf(combo, clBlue).IsEmpty());
  combo->OnComboBoxDrawItem = [](TObject*, TCanvas& c, int32_t index, int32_t w, int32_t h, const TRect&,
                                 TOwnerDrawState) {
    c.Brush() = TBrush{index == 2 ? clYellow : clBlack, TBrushStyle::Solid};
    c.FillRect({0, 0, w, h});
  };
  combo->Invalidate();
  EXPECT_EQ(InkOf(combo, clYellow), (TRect{2, 2, 100, 18}));
  combo->OnListBoxDrawItem = [](TObject*, TCanvas& c, int32_t index, int32_t w, int32_t h, const TRect&,
                                TOwnerDrawState) {
    c.Brush() = TBrush{index == 1 ? clLime : clWhite, TBrushStyle::Solid};
    c.FillRect({0, 0, w, h});
  };
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  const TRect inner = combo->ListBox()->ListBox()->BoundsRect();
  EXPECT_EQ(InkOf(combo->ListBox(), clLime), (TRect{inner.Left, inner.Top + 20, inner.Right, inner.Top + 40}));
  // Hiding the combo box closes its list.
  combo->Hide();
  EXPECT_FALSE(combo->DroppedDown());
}

TEST_F(ComboBoxTest, TheListsCaptionCheckButtonClosesWithAcceptance) {
  auto* combo = Combo(nullptr, 6);
  combo->SetListBoxCaptionMode(true);
  combo->SetListBoxCaption("分辨率");
  combo->SetItemIndex(0);
  Click(combo);
  ASSERT_TRUE(combo->DroppedDown());
  EXPECT_EQ(combo->ListBox()->Height(), 20 * 6 + 4 + 20);
  Desk().MouseMove(RowPoint(combo, 4));
  Pump();
  ASSERT_EQ(combo->ListBox()->ItemIndex(), 4);
  SaveScreen(TRect::FromSize(110, 110, 140, 180), "combo_open_caption");
  const TRect check = combo->ListBox()->CaptionButtonRect(TskListCaptionButton::Check);
  ClickAt(combo->ListBox()->ClientToScreen(check.CenterPoint()));
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_EQ(combo->Text(), "item 4");
  EXPECT_EQ(closeUps, 1);
  EXPECT_TRUE(combo->Focused());
}

TEST_F(ComboBoxTest, AnotherProgramTakingTheFocusClosesTheListWithoutAcceptance) {
  auto* combo = Combo(StoredSkin(), 5);
  combo->SetItemIndex(1);
  Desk().MouseMove(ScreenPoint(combo));
  Desk().MouseDown();
  Pump();
  Desk().MouseMove(RowPoint(combo, 3));
  Pump();
  ASSERT_TRUE(combo->DragSelection());
  Desk().ActivateOtherApplication();
  Pump();
  EXPECT_FALSE(combo->DroppedDown());
  EXPECT_FALSE(combo->DragSelection());
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(closeUps, 0);
  Desk().MouseUp();
  Pump();
}

}  // namespace
}  // namespace tsm
