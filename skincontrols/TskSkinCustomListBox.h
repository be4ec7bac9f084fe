#pragma once
// TskSkinCustomListBox: the skinned list box — a frame painted from the
// skin's "listbox" data (TskDataSkinListBox; Corners mode, any size), an
// inner list (TskListBox: items of one height, drawn by this control) and up
// to two skinned scroll bars beside it, plus an optional caption row.
// TskSkinListBox publishes it; the combo box's drop-down list
// (TskPopupListBox) stands on it.
//
// Parts (ListBoxMath.h, LayoutListBox): skinned, the skin's client
// rectangle grown with the control holds the inner list, the vertical bar
// at its right edge (the width of the bar's skin) and the horizontal bar
// along its bottom; unskinned, a one-pixel button-shadow frame on button
// face, the inner list from (2, 2), a 19-pixel bar at x = W - 20. The
// vertical bar (skin data name vscrollbarname of the list's data) is shown
// exactly while there are more items than whole rows; its range follows the
// items, its position the top index, its page and large change the rows.
// The horizontal bar (hscrollbarname, or bothhscrollbarname beside a
// vertical bar) only with HorizontalExtent, while the widest item does not
// fit.
//
// Items: the item height is the height of the skin's itemrect while
// skinned with UseSkinItemHeight, else DefaultItemHeight. Each item is drawn
// into a bitmap of its size: its look (ListBoxLook.h), then OnDrawItem when
// assigned, else its picture (Images: ImageIndex >= 0 for every item, else
// item i uses picture i) and its text in the font of the control rule
// (UseSkinFont: the list data's fontname, fontheight, fontstyle; else
// DefaultFont).
//
// Caption row (CaptionMode): unskinned a DefaultCaptionHeight-pixel band
// above the items with Caption in DefaultCaptionFont (CaptionAlignment) and
// three buttons at its right end: up and down (scroll one row) and check
// (OnCheckButtonClick); skinned the same in the skin's captionrect and
// button rectangles, with the caption font of the list data (nothing when
// the skin has no captionrect).
//
// Events: OnClick when the user selects an item (mouse, keys, typing),
// OnDblClick on a double click in the list.

#include <cstdint>
#include <functional>
#include <string>

#include "framework/graphics/Font.h"
#include "skin/TskDataSkinControl.h"
#include "skincontrols/ListBoxLook.h"
#include "skincontrols/TskListBox.h"
#include "skincontrols/TskSkinCustomControl.h"

namespace tsm {

class TImageList;
class TskSkinScrollBar;

// Drawing of one item (list rows, the combo box's text area): the canvas of
// a bitmap of the item's size, the item, the size, the rectangle for the
// text, the state. Assigned, it replaces the picture and the text.
using TskDrawSkinItemEvent = std::function<void(TObject* sender, TCanvas& Cnvs, int32_t Index, int32_t ItemWidth,
                                                int32_t ItemHeight, const TRect& TxtRect, TOwnerDrawState State)>;

// The caption row's buttons.
enum class TskListCaptionButton : uint8_t { None, Up, Down, Check };

class TskSkinCustomListBox : public TskSkinCustomControl {
 public:
  // "listbox", 120 x 100, no tab stop of its own (the inner list takes the
  // focus).
  explicit TskSkinCustomListBox(TComponent* owner);

  // --- Items ---
  TskListItems& Items() { return m_list->Items(); }
  const TskListItems& Items() const { return m_list->Items(); }
  int32_t ItemCount() const { return m_list->ItemCount(); }
  int32_t ItemIndex() const { return m_list->ItemIndex(); }
  void SetItemIndex(int32_t index) { m_list->SetItemIndex(index); }
  int32_t TopIndex() const { return m_list->TopIndex(); }
  void SetTopIndex(int32_t index) { m_list->SetTopIndex(index); }
  bool Sorted() const { return Items().Sorted(); }
  void SetSorted(bool on) { Items().SetSorted(on); }

  // --- Rows ---
  // The item height in use (see above).
  int32_t ItemHeight() const;
  bool UseSkinItemHeight() const { return m_useSkinItemHeight; }
  void SetUseSkinItemHeight(bool on);
  int32_t DefaultItemHeight() const { return m_defaultItemHeight; }
  // Values below 1 are ignored.
  void SetDefaultItemHeight(int32_t height);
  // The rows the height was last set for (0: never).
  int32_t RowCount() const { return m_rowCount; }
  // Sets the height for n rows (ListBoxHeightForRows: unskinned n x item
  // height + 4, + the caption row; skinned skin height - client height + n
  // x item height; + the horizontal bar when the width calls for one);
  // n <= 0 leaves the height.
  void SetRowCount(int32_t rows);
  int32_t VisibleRows() const { return m_list->VisibleRows(); }

  // --- Pictures and long items ---
  TImageList* Images() const { return m_images; }
  void SetImages(TImageList* images);
  int32_t ImageIndex() const { return m_imageIndex; }
  void SetImageIndex(int32_t index);
  bool HorizontalExtent() const { return m_horizontalExtent; }
  void SetHorizontalExtent(bool on);

  // --- Caption row ---
  bool CaptionMode() const { return m_captionMode; }
  void SetCaptionMode(bool on);
  ui::TFont& DefaultCaptionFont() { return m_defaultCaptionFont; }
  TAlignment CaptionAlignment() const { return m_captionAlignment; }
  void SetCaptionAlignment(TAlignment alignment);
  int32_t DefaultCaptionHeight() const { return m_defaultCaptionHeight; }
  void SetDefaultCaptionHeight(int32_t height);

  // --- Parts ---
  TskListBox* ListBox() const { return m_list; }
  // The bars; each is shown only while it is needed.
  TskSkinScrollBar* VScrollBar() const { return m_vbar; }
  TskSkinScrollBar* HScrollBar() const { return m_hbar; }
  bool HasVScrollBar() const;
  bool HasHScrollBar() const;
  // Places the inner list and the bars for the current size, items and
  // skin, and sets the bars' ranges ("the scroll bars refreshed").
  void UpdateScrollBars();
  // The caption row and its buttons (control coordinates; empty without).
  TRect CaptionRect();
  TRect CaptionButtonRect(TskListCaptionButton button);

  TskDrawSkinItemEvent OnDrawItem;
  TNotifyEvent OnCheckButtonClick;

  void ReadSkinData() override;
  void SetSkinData(TskSkinData* data) override;
  void PrepareSkinChange() override;
  void ApplySkinChange() override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void DescribeState(TStateDescription& state) override;
  void DrawFallbackImage(ui::TBitmap& image) override;
  void DrawSkinImage(ui::TBitmap& image) override;
  void DefaultFontChanged() override;
  void Resized() override;
  void EnabledChanged() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseLeave() override;

  // The item drawing of the inner list (look, then event or picture and
  // text).
  void DrawItem(TCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state);
  const TskDataSkinListBox& SkinListData() const { return m_data; }

 private:
  void DrawListBackground(TCanvas& canvas, const TRect& rect);
  void DrawCaption(ui::TBitmap& image);
  void ListScrolled();
  void ApplyItemHeight();
  void SelectItemFont(ui::TFont& font) const;
  // The width the widest item needs (measured again after a change of the
  // items, the font, the skin or the pictures).
  int32_t WidestItem();
  // Bar names for the current skin (empty unskinned).
  void BindBars();
  int32_t BarThickness(TskSkinScrollBar* bar, bool vertical);
  void CaptionButtonFired(TskListCaptionButton button);

  TskListBox* m_list = nullptr;
  TskSkinScrollBar* m_vbar = nullptr;
  TskSkinScrollBar* m_hbar = nullptr;
  TskDataSkinListBox m_data{""};
  TskListItemSkin m_itemSkin;

  bool m_useSkinItemHeight = true;
  int32_t m_defaultItemHeight = 20;
  int32_t m_rowCount = 0;
  TImageList* m_images = nullptr;
  int32_t m_imageIndex = -1;
  bool m_horizontalExtent = false;
  bool m_captionMode = false;
  ui::TFont m_defaultCaptionFont{"Arial", 14};
  TAlignment m_captionAlignment = TAlignment::taLeftJustify;
  int32_t m_defaultCaptionHeight = 20;
  TskListCaptionButton m_hotButton = TskListCaptionButton::None;
  TskListCaptionButton m_pressedButton = TskListCaptionButton::None;
  bool m_layingOut = false;
  int32_t m_widest = -1;  // -1: to be measured
};

}  // namespace tsm
