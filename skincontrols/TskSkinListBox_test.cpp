// The skinned list box on a form: where the inner list and the bars go with
// the stored skin and without a skin, the height for some rows, selecting
// with the mouse, the keys and typing, scrolling with the wheel and the bar,
// long items, the caption row, the item looks pixel by pixel and what the
// list tells the window tree.

#include "skincontrols/TskSkinListBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/controls/StateDescription.h"
#include "framework/graphics/ImageList.h"
#include "framework/scripting/WindowTree.h"
#include "platform/window/VirtualKeys.h"
#include "skin/TskDataSkinControl.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skincontrols/tests/SkinControlTestSupport.h"

namespace tsm {
namespace {

class ListBoxTest : public SkinControlTest {
 protected:
  TskSkinListBox* List(TskSkinData* skin, int32_t items, TRect bounds = TRect::FromSize(20, 20, 200, 150)) {
    auto* list = new TskSkinListBox(Form());
    list->SetParent(Form());
    if (skin) list->SetSkinData(skin);
    list->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    std::vector<std::string> texts;
    for (int32_t i = 0; i < items; ++i) texts.push_back("line " + std::to_string(i));
    list->Items().Assign(texts);
    list->OnClick = [this](TObject*) { ++clicks; };
    list->OnDblClick = [this](TObject*) { ++doubleClicks; };
    Pump();
    return list;
  }
  // The centre of a row of the inner list (client coordinates of the list box).
  static TPoint Row(TskSkinListBox* list, int32_t row) {
    TskListBox* inner = list->ListBox();
    return {inner->Left() + inner->Width() / 2, inner->Top() + row * inner->ItemHeight() + inner->ItemHeight() / 2};
  }
  int clicks = 0, doubleClicks = 0;
};

TEST_F(ListBoxTest, TheStoredSkinHoldsTheListInItsClientAndTheBarAtItsRightEdge) {
  auto* list = List(StoredSkin(), 5);
  EXPECT_EQ(list->ItemHeight(), 18);
  EXPECT_EQ(list->ListBox()->BoundsRect(), (TRect{1, 1, 199, 149}));
  EXPECT_FALSE(list->HasVScrollBar());
  list->Items().Assign(std::vector<std::string>(20, "x"));
  ASSERT_TRUE(list->HasVScrollBar());
  EXPECT_EQ(list->VScrollBar()->BoundsRect(), (TRect{180, 1, 199, 149}));
  EXPECT_EQ(list->ListBox()->BoundsRect(), (TRect{1, 1, 180, 149}));
  EXPECT_EQ(list->VScrollBar()->SkinDataName(), "vscrollbar");
  EXPECT_TRUE(list->VScrollBar()->Skinned());
  EXPECT_EQ(list->VScrollBar()->PageSize(), 8);
  EXPECT_EQ(list->VScrollBar()->LargeChange(), 8);
  list->SetRowCount(6);
  EXPECT_EQ(list->Height(), 18 * 6 + 2);
  SaveShot(list, "listbox_skinned");
}

TEST_F(ListBoxTest, WithoutSkinTheFrameIsOnePixelAndTheBarNineteenWide) {
  auto* list = List(nullptr, 20, TRect::FromSize(20, 20, 160, 104));
  EXPECT_EQ(list->ItemHeight(), 20);
  ASSERT_TRUE(list->HasVScrollBar());
  EXPECT_EQ(list->VScrollBar()->BoundsRect(), (TRect{140, 1, 159, 103}));
  EXPECT_EQ(list->ListBox()->BoundsRect(), (TRect{2, 2, 140, 102}));
  EXPECT_EQ(list->VisibleRows(), 5);
  EXPECT_FALSE(list->VScrollBar()->Skinned());
  list->SetRowCount(3);
  EXPECT_EQ(list->Height(), 64);
  list->SetCaptionMode(true);
  list->SetRowCount(3);
  EXPECT_EQ(list->Height(), 84);
  EXPECT_EQ(list->ListBox()->Top(), 22);
  list->SetRowCount(0);  // leaves the height
  EXPECT_EQ(list->Height(), 84);
  EXPECT_EQ(PixelOf(list, 0, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(PixelOf(list, 1, 50), ColorToRGB(clBtnFace));
  SaveShot(list, "listbox_unskinned_caption");
}

TEST_F(ListBoxTest, ClicksKeysAndTypingSelectAndRaiseOnClick) {
  auto* list = List(StoredSkin(), 20);
  list->Items().Put(13, "Orange");
  Desk().Click(list->ClientToScreen(Row(list, 2)));
  Pump();
  EXPECT_EQ(list->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(list->ListBox()->Focused());
  Key(VK_DOWN);
  EXPECT_EQ(list->ItemIndex(), 3);
  Key(VK_NEXT);  // a page less one item
  EXPECT_EQ(list->ItemIndex(), 10);
  Key(VK_END);
  EXPECT_EQ(list->ItemIndex(), 19);
  EXPECT_EQ(list->TopIndex(), 12);
  EXPECT_EQ(list->VScrollBar()->Position(), 12);
  Key(VK_HOME);
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->TopIndex(), 0);
  Type("o");
  EXPECT_EQ(list->ItemIndex(), 13);
  EXPECT_EQ(clicks, 6);
  list->SetItemIndex(4);  // from code: no event
  EXPECT_EQ(clicks, 6);
  RunFor(600);
  Desk().Click(list->ClientToScreen(Row(list, 1)));
  Desk().Click(list->ClientToScreen(Row(list, 1)));
  Pump();
  EXPECT_EQ(doubleClicks, 1);
}

TEST_F(ListBoxTest, TheWheelAndTheBarScrollWithoutChangingTheSelection) {
  auto* list = List(StoredSkin(), 30);
  list->SetItemIndex(1);
  Desk().Click(list->ClientToScreen(Row(list, 1)));
  Pump();
  Desk().Wheel(-1);
  Pump();
  EXPECT_EQ(list->TopIndex(), 3);
  EXPECT_EQ(list->VScrollBar()->Position(), 3);
  Desk().Wheel(-20);
  Pump();
  EXPECT_EQ(list->TopIndex(), 22);
  EXPECT_EQ(list->ItemIndex(), 1);
  // The bar's up button scrolls one row.
  TskSkinScrollBar* bar = list->VScrollBar();
  Desk().Click(bar->ClientToScreen({bar->Width() / 2, 5}));
  Pump();
  EXPECT_EQ(list->TopIndex(), 21);
  EXPECT_EQ(list->ItemIndex(), 1);
}

TEST_F(ListBoxTest, LongItemsGetAHorizontalBarBesideTheVerticalOne) {
  auto* list = List(StoredSkin(), 20, TRect::FromSize(20, 20, 120, 120));
  list->Items().Put(3, std::string(60, 'W'));
  EXPECT_FALSE(list->HasHScrollBar());
  list->SetHorizontalExtent(true);
  ASSERT_TRUE(list->HasHScrollBar());
  ASSERT_TRUE(list->HasVScrollBar());
  EXPECT_TRUE(list->HScrollBar()->Both());
  EXPECT_EQ(list->HScrollBar()->SkinDataName(), "bothhscrollbar");
  EXPECT_EQ(list->HScrollBar()->BoundsRect(), (TRect{1, 100, 119, 119}));
  EXPECT_EQ(list->VScrollBar()->BoundsRect(), (TRect{100, 1, 119, 100}));
  EXPECT_GT(list->ListBox()->ScrollWidth(), list->ListBox()->ClientWidth());
  list->HScrollBar()->SetPosition(40);
  EXPECT_EQ(list->ListBox()->HorizontalOffset(), 40);
  SaveShot(list, "listbox_both_bars");
  list->Items().Put(3, "short");
  EXPECT_FALSE(list->HasHScrollBar());
  EXPECT_EQ(list->ListBox()->HorizontalOffset(), 0);
}

TEST_F(ListBoxTest, TheCaptionRowsButtonsScrollAndCheck) {
  auto* list = List(nullptr, 20, TRect::FromSize(20, 20, 160, 124));
  list->SetCaptionMode(true);
  list->SetCaption("选择");
  int checks = 0;
  list->OnCheckButtonClick = [&](TObject*) { ++checks; };
  const TRect check = list->CaptionButtonRect(TskListCaptionButton::Check);
  const TRect down = list->CaptionButtonRect(TskListCaptionButton::Down);
  EXPECT_EQ(check, (TRect{140, 2, 158, 20}));
  EXPECT_EQ(down, (TRect{122, 2, 140, 20}));
  Click(list, down.CenterPoint());
  Click(list, down.CenterPoint());
  EXPECT_EQ(list->TopIndex(), 2);
  Click(list, list->CaptionButtonRect(TskListCaptionButton::Up).CenterPoint());
  EXPECT_EQ(list->TopIndex(), 1);
  // A press on the button released elsewhere does nothing.
  Desk().MouseMove(ScreenPoint(list, check.CenterPoint()));
  Desk().MouseDown();
  Pump();
  EXPECT_EQ(PixelOf(list, check.Left, check.Top), RGB(0, 0, 128));
  Desk().MouseMove(ScreenPoint(list, {5, 60}));
  Desk().MouseUp();
  Pump();
  EXPECT_EQ(checks, 0);
  Click(list, check.CenterPoint());
  EXPECT_EQ(checks, 1);
  SaveShot(list, "listbox_caption");
}

TEST_F(ListBoxTest, ItemLooksComeFromTheSkinOrTheSystemColours) {
  TskSkinData* skin = StoredSkin();
  auto* list = List(skin, 5);
  list->SetItemIndex(1);
  const auto* data = skin->FindControl<TskDataSkinListBox>("listbox");
  ASSERT_NE(data, nullptr);
  // Row 0: itemrect; row 1 (selected, not focused): activeitemrect; each
  // pixel of the fixed left piece as in the picture.
  const TPoint inner = list->ListBox()->BoundsRect().TopLeft();
  EXPECT_EQ(PixelOf(list, inner.X + 0, inner.Y + 9),
            PicturePixel(*skin, data->PictureIndex, data->ItemRect.Left, data->ItemRect.Top + 9));
  EXPECT_EQ(PixelOf(list, inner.X + 1, inner.Y + 18 + 9),
            PicturePixel(*skin, data->PictureIndex, data->ActiveItemRect.Left + 1, data->ActiveItemRect.Top + 9));
  // Focused: focusitemrect for the selected item.
  Desk().Click(list->ClientToScreen(Row(list, 1)));
  Pump();
  EXPECT_EQ(PixelOf(list, inner.X + 1, inner.Y + 18 + 9),
            PicturePixel(*skin, data->PictureIndex, data->FocusItemRect.Left + 1, data->FocusItemRect.Top + 9));
  SaveShot(list, "listbox_items_skinned");

  auto* plain = List(nullptr, 5, TRect::FromSize(230, 20, 150, 104));
  plain->SetItemIndex(2);
  EXPECT_EQ(PixelOf(plain, 5, 2 + 40 + 1), ColorToRGB(clHighlight));
  EXPECT_EQ(PixelOf(plain, 5, 2 + 20 + 1), ColorToRGB(clWindow));
  EXPECT_EQ(PixelOf(plain, 5, 2 + 100 - 1), ColorToRGB(clWindow));  // below the items
  // The selected row's text is light on the highlight, no black ink.
  const TBitmap pixels = PixelsOf(plain);
  int ink = 0, dark = 0;
  for (int32_t y = 42; y < 62; ++y)
    for (int32_t x = 2; x < 148; ++x) {
      const TColor c = pixels.GetPixel(x, y);
      ink += c != ColorToRGB(clHighlight);
      dark += c == ColorToRGB(clWindowText);
    }
  SaveShot(plain, "listbox_items_unskinned");
  EXPECT_GT(ink, 10);
  EXPECT_EQ(dark, 0);
  // Disabled: grey text everywhere, the selection on the button face.
  plain->SetEnabled(false);
  EXPECT_EQ(PixelOf(plain, 5, 2 + 40 + 1), ColorToRGB(clBtnFace));
  EXPECT_TRUE(InkOf(plain, ColorToRGB(clWindowText)).IsEmpty());
  EXPECT_FALSE(InkOf(plain, ColorToRGB(clGrayText)).IsEmpty());
}

TEST_F(ListBoxTest, PicturesStandBeforeTheTextsAndOnDrawItemReplacesThem) {
  auto* images = new TImageList(Form());
  images->SetSize(12, 12);
  for (TColor c : {clRed, clLime, clBlue}) {
    TBitmap square(12, 12);
    square.Fill(c);
    images->Add(square);
  }
  auto* list = List(nullptr, 3, TRect::FromSize(20, 20, 150, 64));
  list->SetImages(images);
  EXPECT_EQ(InkOf(list, clRed), (TRect{2, 2 + 4, 14, 2 + 16}));
  EXPECT_EQ(InkOf(list, clBlue), (TRect{2, 42 + 4, 14, 42 + 16}));
  list->SetImageIndex(1);
  EXPECT_TRUE(InkOf(list, clRed).IsEmpty());
  EXPECT_EQ(InkOf(list, clLime), (TRect{2, 2 + 4, 14, 42 + 16}));
  int32_t drawn = 0;
  list->OnDrawItem = [&](TObject*, TCanvas& c, int32_t index, int32_t w, int32_t h, const TRect&, TOwnerDrawState) {
    ++drawn;
    c.Brush() = TBrush{index == 1 ? clYellow : clWindow, TBrushStyle::Solid};
    c.FillRect({0, 0, w, h});
  };
  list->ListBox()->Invalidate();
  EXPECT_EQ(InkOf(list, clYellow), (TRect{2, 22, 148, 42}));
  EXPECT_TRUE(InkOf(list, clLime).IsEmpty());
  EXPECT_GE(drawn, 3);
  images->Free();  // the list forgets it
  EXPECT_EQ(list->Images(), nullptr);
}

TEST_F(ListBoxTest, TheListTellsTheWindowTreeItsShownRows) {
  auto* list = List(StoredSkin(), 20);
  list->SetName("files");
  list->SetTopIndex(3);
  list->SetItemIndex(4);
  const TJsonValue node = DescribeControl(list);
  EXPECT_EQ(node["itemCount"].AsInt(), 20);
  EXPECT_EQ(node["itemIndex"].AsInt(), 4);
  EXPECT_EQ(node["topIndex"].AsInt(), 3);
  // Every item is listed; the rows shown (8 whole ones and a part of the
  // ninth, from line 3) have their rectangles, the others an empty one.
  const TJsonValue& items = node["items"];
  ASSERT_EQ(items.Size(), 20u);
  const auto height = [&items](size_t i) {
    return items.At(i)["bounds"]["bottom"].AsInt() - items.At(i)["bounds"]["top"].AsInt();
  };
  for (size_t i = 0; i < 20; ++i) {
    EXPECT_EQ(items.At(i)["text"].AsString(), "line " + std::to_string(i));
    EXPECT_EQ(items.At(i)["selected"].AsBool(), i == 4) << i;
    const int32_t expected = i < 3 || i > 11 ? 0 : i == 11 ? 4 : 18;
    EXPECT_EQ(height(i), expected) << i;
  }
  const TWindowTree tree = TWindowTree::Capture();
  const TWindowTree::TEntry* row = tree.FindClickable("line 5");
  ASSERT_NE(row, nullptr);
  const TPoint origin = list->ListBox()->ClientToScreen({0, 0});
  EXPECT_EQ(row->Bounds, (TRect{origin.X, origin.Y + 36, origin.X + 179, origin.Y + 54}));
  EXPECT_EQ(tree.FindClickable("line 2"), nullptr);   // scrolled out
  EXPECT_EQ(tree.FindClickable("line 12"), nullptr);  // below the last row
  Desk().Click(row->Bounds.CenterPoint());
  Pump();
  EXPECT_EQ(list->ItemIndex(), 5);
}

TEST_F(ListBoxTest, SortedItemsAndRemovingTheSelectedOne) {
  auto* list = List(nullptr, 0);
  list->SetSorted(true);
  list->Items().Add("pear");
  list->Items().Add("Apple");
  EXPECT_EQ(list->Items().Add("banana"), 1);
  list->SetItemIndex(2);
  EXPECT_EQ(list->Items()[list->ItemIndex()], "pear");
  list->Items().Delete(2);
  EXPECT_EQ(list->ItemIndex(), -1);
  list->SetItemIndex(7);
  EXPECT_EQ(list->ItemIndex(), -1);
}

}  // namespace
}  // namespace tsm
