#pragma once
// TskSkinCustomComboBox: the skinned drop-down list — a painted control (not
// a native combo box) that shows the selected item of its list in a text
// area beside a drop-down button and opens a skinned popup list
// (TskPopupListBox) under itself, or above itself near the bottom of the
// work area. Data: the skin's "combobox" entry (TskDataSkinComboBox); the
// list uses the entry named by its listboxname. TskSkinComboBox publishes
// it.
//
// Styles: bscbFixedStyle (the text area is painted; the user only picks
// items) and bscbEditStyle (an inner edit shows and edits the text).
//
// Selection and text:
//   ItemIndex := v   the list's index := v (anything out of the items: -1);
//                    with an item selected Text := its text; the remembered
//                    index := the list's index; repaint; OnClick (on every
//                    assignment, also without a change)
//   Text             the control's caption; OnChange whenever it really
//                    changes. The fixed-style text area paints
//                    Items[ItemIndex] (the remembered index while the list
//                    is open), not Text.
//   DropDown         nothing without items; OnDropDown; the list gets the
//                    combo box's width (or ListBoxWidth) and
//                    min(DropDownCount, count) rows, its top index becomes
//                    the selected item; it shows below the combo box, above
//                    it when the work area ends first, clamped into the
//                    work area when it fits neither way.
//   CloseUp(Accept)  hides the list; with Accept the highlighted item
//                    becomes the selection (Text, OnClick), otherwise the
//                    highlight goes back to the remembered index; OnCloseUp
//                    only with Accept.
//
// Mouse (fixed style), as explicit states:
//   idle --press on button or text area--> drag selection (list opens,
//        the combo box holds the capture)
//   drag selection --pointer over the list--> entered list (the row under
//        the pointer is highlighted); above or below the list (with a
//        vertical bar): auto-scroll, one item every 25 ms (timer 1)
//   drag selection --release--> after entering the list: CloseUp(Accept =
//        released over the list); otherwise the list stays open (a click)
//   open list --press on it--> drag selection with entered list (the
//        press itself never reaches the list)
//   any state --capture lost (WM_CANCELMODE)--> drag selection and
//        auto-scroll end
//   A press on another control (CM_CANCELMODE), the loss of the focus, a
//   press on the form's frame: CloseUp(false).
//
// Keys (fixed style, after OnKeyDown): Enter / Escape close an open list
// with / without acceptance; Page Up goes back DropDownCount + 1 items, Page
// Down forward DropDownCount - 1; Left / Up and Right / Down step one item;
// Alt+Up / Alt+Left close, Alt+Down / Alt+Right open the list. Steps go
// through ItemIndex, also while the list is open. The wheel steps one item
// (towards the user: the next one): through ItemIndex while the list is
// hidden, only the highlight while it is open. Typed characters search by
// prefix (AutoComplete: letters typed within 500 ms make one prefix).
//
// Looks (skinned: the frame, the button's hot, pressed and disabled looks,
// the text area's item look, or "resizebutton" at any size without
// UseSkinSize; unskinned: system colours) are drawn from the state above; a
// disabled combo box shows its text in the grey-text colour.

#include <cstdint>
#include <string>

#include "skin/TskDataSkinControl.h"
#include "skincontrols/ComboBoxLook.h"
#include "skincontrols/ComboBoxMath.h"
#include "skincontrols/ListBoxMath.h"
#include "skincontrols/TskPopupListBox.h"
#include "skincontrols/TskSkinCustomControl.h"

namespace tsm {

class TImageList;
class TskCustomEdit;

enum class TskSkinCustomComboBoxStyle : uint8_t { bscbEditStyle, bscbFixedStyle };

enum class TskComboAutoScroll : uint8_t { None, Up, Down };

class TskSkinCustomComboBox : public TskSkinCustomControl {
 public:
  // "combobox", 120 x 20, tab stop, UseSkinSize, Font "Arial" 14; the
  // popup list is created hidden.
  explicit TskSkinCustomComboBox(TComponent* owner);

  // --- Items and selection ---
  TskListItems& Items() { return m_list->Items(); }
  const TskListItems& Items() const { return m_list->Items(); }
  int32_t ItemCount() const { return m_list->ItemCount(); }
  int32_t ItemIndex() const { return m_list->ItemIndex(); }
  void SetItemIndex(int32_t index);
  bool Sorted() const { return m_list->Sorted(); }
  void SetSorted(bool on) { m_list->SetSorted(on); }

  TskSkinCustomComboBoxStyle Style() const { return m_style; }
  void SetStyle(TskSkinCustomComboBoxStyle style);
  int32_t DropDownCount() const { return m_dropDownCount; }
  // Values <= 0 are ignored.
  void SetDropDownCount(int32_t count);
  bool AutoComplete() const { return m_autoComplete; }
  void SetAutoComplete(bool on) { m_autoComplete = on; }
  bool HideSelection() const { return m_hideSelection; }
  void SetHideSelection(bool on);
  bool UseSkinSize() const { return m_useSkinSize; }
  void SetUseSkinSize(bool on);

  // --- The list ---
  int32_t ListBoxWidth() const { return m_listBoxWidth; }
  void SetListBoxWidth(int32_t width) { m_listBoxWidth = width; }
  bool ListBoxUseSkinFont() const { return m_list->UseSkinFont(); }
  void SetListBoxUseSkinFont(bool on) { m_list->SetUseSkinFont(on); }
  bool ListBoxUseSkinItemHeight() const { return m_list->UseSkinItemHeight(); }
  void SetListBoxUseSkinItemHeight(bool on) { m_list->SetUseSkinItemHeight(on); }
  ui::TFont& ListBoxDefaultFont() { return m_list->DefaultFont(); }
  int32_t ListBoxDefaultItemHeight() const { return m_list->DefaultItemHeight(); }
  void SetListBoxDefaultItemHeight(int32_t height) { m_list->SetDefaultItemHeight(height); }
  bool ListBoxCaptionMode() const { return m_list->CaptionMode(); }
  void SetListBoxCaptionMode(bool on) { m_list->SetCaptionMode(on); }
  const std::string& ListBoxCaption() const { return m_list->Caption(); }
  void SetListBoxCaption(const std::string& caption) { m_list->SetCaption(caption); }
  ui::TFont& ListBoxDefaultCaptionFont() { return m_list->DefaultCaptionFont(); }
  TAlignment ListBoxCaptionAlignment() const { return m_list->CaptionAlignment(); }
  void SetListBoxCaptionAlignment(TAlignment a) { m_list->SetCaptionAlignment(a); }
  bool HorizontalExtent() const { return m_list->HorizontalExtent(); }
  void SetHorizontalExtent(bool on) { m_list->SetHorizontalExtent(on); }
  bool AlphaBlend() const { return m_list->AlphaBlend(); }
  void SetAlphaBlend(bool on) { m_list->SetAlphaBlend(on); }
  uint8_t AlphaBlendValue() const { return m_list->AlphaBlendValue(); }
  void SetAlphaBlendValue(uint8_t value) { m_list->SetAlphaBlendValue(value); }
  bool AlphaBlendAnimation() const { return m_list->AlphaBlendAnimation(); }
  void SetAlphaBlendAnimation(bool on) { m_list->SetAlphaBlendAnimation(on); }

  // Pictures beside the items (the text area and the list): ImageIndex >= 0
  // uses that picture for every item, otherwise item i uses picture i.
  TImageList* Images() const { return m_images; }
  void SetImages(TImageList* images);
  int32_t ImageIndex() const { return m_imageIndex; }
  void SetImageIndex(int32_t index);

  // --- Opening and closing ---
  void DropDown();
  void CloseUp(bool accept);
  bool DroppedDown() const { return m_list->Shown(); }
  TskPopupListBox* ListBox() const { return m_list; }
  // The inner edit of the edit style (null in fixed style).
  TskCustomEdit* Edit() const { return m_edit; }

  // --- Run-time state ---
  TskComboLayout Layout();
  bool ButtonHot() const { return m_buttonHot; }
  bool ButtonPressed() const { return m_buttonPressed; }
  int32_t RememberedIndex() const { return m_rememberedIndex; }
  bool DragSelection() const { return m_dragSelection; }
  bool EnteredList() const { return m_enteredList; }
  TskComboAutoScroll AutoScrollMode() const { return m_autoScroll; }
  const std::string& TypedPrefix() const { return m_typed.Text(); }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;
  // Given to the list's OnDrawItem when the list opens.
  TskDrawSkinItemEvent OnListBoxDrawItem;
  // Replaces the drawing of the selected item in the text area.
  TskDrawSkinItemEvent OnComboBoxDrawItem;

  void ReadSkinData() override;
  void PrepareSkinChange() override;
  void ApplySkinChange() override;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  void WndProc(TMessage& message) override;
  void DescribeState(TStateDescription& state) override;
  void DrawFallbackImage(ui::TBitmap& image) override;
  void DrawSkinImage(ui::TBitmap& image) override;
  void FitSizeToSkin(int32_t& width, int32_t& height) override;
  void UpdateWindowRegion() override;

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseLeave() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  bool DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) override;
  void WMGetDlgCode(TMessage& m) override;
  void FocusGained() override;
  void FocusLost() override;
  void TextChanged() override;
  void FontChanged() override;
  void EnabledChanged() override;
  void VisibleChanged() override;
  void Resized() override;

 private:
  static constexpr uint32_t kAutoScrollTimer = 1;
  static constexpr uint32_t kAutoScrollInterval = 25;
  static constexpr uint64_t kEditSearchInterval = 200;

  // The inner list box's messages (hooked): presses start drag selection.
  void ListWndProc(TMessage& m);
  void ListPress(TPoint p);
  void HotTrack(int32_t x, int32_t y);
  void DragMove(TPoint p);
  void EndDragSelection();
  void SetAutoScroll(TskComboAutoScroll mode);
  void StopAutoScroll();
  void AutoScrollTick();
  void CMCancelMode(TMessage& m);
  // One item forward or back from a key or the wheel.
  void StepItem(int32_t delta, bool highlightOnly);

  TskComboLookState LookState() const;
  void DrawItemText(TCanvas& canvas, int32_t index, const TRect& textRect, int32_t width, int32_t height,
                    bool focused);
  int32_t ShownIndex() const;

  // Edit style.
  void CreateEdit();
  void FreeEdit();
  void PlaceEdit();
  void ApplyEditFont();
  void EditChanged();
  void EditKeyDown(uint16_t& key, TShiftState shift);
  void EditKeyUp(uint16_t& key, TShiftState shift);

  TskPopupListBox* m_list = nullptr;
  TWndMethod m_listProc;
  TskCustomEdit* m_edit = nullptr;
  TskDataSkinComboBox m_data{""};

  TskSkinCustomComboBoxStyle m_style = TskSkinCustomComboBoxStyle::bscbFixedStyle;
  int32_t m_dropDownCount = 8;
  bool m_autoComplete = true;
  bool m_hideSelection = true;
  bool m_useSkinSize = true;
  int32_t m_listBoxWidth = 0;
  TImageList* m_images = nullptr;
  int32_t m_imageIndex = -1;

  bool m_buttonHot = false;
  bool m_buttonPressed = false;
  int32_t m_rememberedIndex = -1;
  bool m_dragSelection = false;
  bool m_enteredList = false;
  TskComboAutoScroll m_autoScroll = TskComboAutoScroll::None;
  TskTypedPrefix m_typed;
  uint64_t m_lastEditSearch = 0;
  bool m_editTextSync = false;
};

}  // namespace tsm
