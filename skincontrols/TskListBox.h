#pragma once
// TskListBox: the plain list inside a skinned list box — a windowed list of
// texts with one fixed item height, drawn item by item by its owner
// (OnDrawItem) into a bitmap of the item's size, one selected item at most.
// It scrolls by whole items (TopIndex) and, for long items, by pixels
// (HorizontalOffset up to ScrollWidth); it has no scroll bars of its own:
// its owner places skinned bars beside it and follows OnScroll.
//
// The user: a left press selects the item under the pointer (taking the
// focus first when FocusOnPress), moving with the button held selects the
// item under the pointer (one item further up or down when the pointer is
// above or below the list); the arrows, Page Up/Down (a page less one
// item), Home and End move the selection; typed characters search by
// prefix (TskTypedPrefix: letters typed within 500 ms of each other make
// one prefix); the wheel scrolls three rows a notch. Every selection the
// user makes raises OnSelect (also when it did not change); SetItemIndex
// from code raises nothing.

#include <cstdint>
#include <functional>

#include "framework/base/EnumSet.h"
#include "framework/controls/CustomControl.h"
#include "skincontrols/ListBoxMath.h"
#include "skincontrols/TskListItems.h"

namespace tsm {

enum class TOwnerDrawStateFlag : uint8_t { odSelected, odFocused, odDisabled };
using TOwnerDrawState = TEnumSet<TOwnerDrawStateFlag>;

// Draws item `index` onto canvas, a bitmap of the item's size (rect: 0, 0,
// item width, item height).
using TskDrawListItem =
    std::function<void(TCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state)>;
// Draws what lies under the list where no item is (rect in client
// coordinates, on a canvas of the client's size).
using TskDrawListBackground = std::function<void(TCanvas& canvas, const TRect& rect)>;

class TskListBox : public TCustomControl {
 public:
  explicit TskListBox(TComponent* owner);

  TskListItems& Items() { return m_items; }
  const TskListItems& Items() const { return m_items; }
  int32_t ItemCount() const { return m_items.Count(); }

  // -1: none. Setting an item scrolls it into view; any index out of the
  // items selects nothing.
  int32_t ItemIndex() const { return m_itemIndex; }
  void SetItemIndex(int32_t index);

  // The first row shown, within 0 ... count - rows.
  int32_t TopIndex() const { return m_topIndex; }
  void SetTopIndex(int32_t index);

  int32_t ItemHeight() const { return m_itemHeight; }
  // Values below 1 are taken as 1.
  void SetItemHeight(int32_t height);
  // Whole rows that fit the client height.
  int32_t VisibleRows() const;

  // Width of the content for horizontal scrolling (0: the client's width);
  // items are drawn that wide and shifted left by HorizontalOffset.
  int32_t ScrollWidth() const { return m_scrollWidth; }
  void SetScrollWidth(int32_t width);
  int32_t HorizontalOffset() const { return m_horizontalOffset; }
  void SetHorizontalOffset(int32_t offset);

  // The row of an item in client coordinates (empty when it is not shown);
  // the item under a client point (-1 when none).
  TRect ItemRect(int32_t index) const;
  int32_t ItemAtPos(TPoint p) const;

  bool FocusOnPress() const { return m_focusOnPress; }
  void SetFocusOnPress(bool on) { m_focusOnPress = on; }

  TskDrawListItem OnDrawItem;
  TskDrawListBackground OnDrawBackground;
  // The items changed (before OnScroll).
  TNotifyEvent OnItemsChange;
  // The top index, the horizontal offset, the rows or the items changed:
  // scroll bars beside the list follow.
  TNotifyEvent OnScroll;
  // The user selected an item (mouse, keys, typing).
  TNotifyEvent OnSelect;

 protected:
  void Paint() override;
  void WMEraseBkgnd(TMessage& m) override;
  void WMGetDlgCode(TMessage& m) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  bool DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) override;
  void FocusGained() override;
  void FocusLost() override;
  void Resized() override;

 private:
  void ItemsChanged();
  // Selection by the user: select, scroll into view, OnSelect.
  void SelectByUser(int32_t index);
  void DrawDefaultItem(TCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state);
  void Scrolled();

  TskListItems m_items;
  int32_t m_itemIndex = -1;
  int32_t m_topIndex = 0;
  int32_t m_itemHeight = 16;
  int32_t m_scrollWidth = 0;
  int32_t m_horizontalOffset = 0;
  bool m_focusOnPress = true;
  TskTypedPrefix m_typed;
};

}  // namespace tsm
