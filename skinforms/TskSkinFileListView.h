#pragma once
// TskSkinFileListView: the open dialog's list of one folder — its folders
// (always) and the files that match the mask — in four view styles (large
// icons, small icons, list, details; geometry in FileListLayout.h), driven
// by two external skinned scroll bars. The details view has column headers
// drawn from the skin's LVHeaderSkinDataName section (a button section;
// plain raised headers without it): 名称, 大小, 类型, 修改日期 for a folder
// of the file system, the name alone for the desktop and the computer.
//
// Keys: arrows, Home, End, PageUp, PageDown move the current item (with
// Shift they extend the selection when MultiSelect is on); Enter or a double
// click on a folder enters it, on a file raises OnFileActivate; Backspace
// goes up one level; F5 reads the folder again; typing selects the next item
// whose name starts with what was typed (a pause of a second starts anew).
// A click selects (Ctrl toggles and Shift extends with MultiSelect); the
// wheel scrolls.
//
// The list tells the window tree its folder, style and selection, and its
// items on screen as clickable items (click-text picks a file).

#include <cstdint>
#include <string>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "skincontrols/SkinnedControl.h"
#include "skinforms/FileListLayout.h"
#include "skinforms/TskShellFolder.h"
#include "skinforms/TypeAhead.h"
#include "skinforms/ViewLinks.h"

namespace tsm {

class TImageList;
class TskDataSkinButtonControl;
class TskSkinData;
class TskSkinScrollBar;
namespace ui {
class TBitmap;
}

using TskFileActivateEvent = std::function<void(TObject* sender, const TskShellFolder& item)>;

class TskSkinFileListView : public TCustomControl, public ISkinnedControl {
 public:
  explicit TskSkinFileListView(TComponent* owner);

  // --- Skin (the column headers) ---
  TskSkinData* SkinData() const override { return m_links.SkinData(); }
  void SetSkinData(TskSkinData* skin);
  const std::string& HeaderSkinDataName() const { return m_headerSkinDataName; }
  void SetHeaderSkinDataName(const std::string& name);
  void PrepareSkinChange() override {}
  void ApplySkinChange() override;

  // The bars the list drives (cleared when they are freed).
  void SetScrollBars(TskSkinScrollBar* horizontal, TskSkinScrollBar* vertical);

  // --- The folder ---
  const TskShellFolder& Folder() const { return m_folder; }
  // Shows a folder (read now, hourglass meanwhile); the first item becomes
  // current; OnFolderChange follows.
  void SetFolder(const TskShellFolder& folder);
  // Reads the shown folder again, keeping the current item by its path.
  void RefreshFolder();
  // Shows the folder one level up (false at the desktop).
  bool GoUp();
  // The file-system path of the shown folder (empty for the computer).
  const std::string& FolderPath() const { return m_folder.Path(); }
  bool FolderReadable() const { return m_readable; }

  // Patterns separated by ";" or "|" (see TFileMaskList); raises
  // EInvalidMask for a malformed one and keeps the old mask then.
  const std::string& Mask() const { return m_mask; }
  void SetMask(const std::string& mask);

  TskViewStyle ViewStyle() const { return m_style; }
  void SetViewStyle(TskViewStyle style);
  bool MultiSelect() const { return m_multiSelect; }
  void SetMultiSelect(bool on);

  // --- Items ---
  int32_t Count() const { return static_cast<int32_t>(m_items.size()); }
  const TskShellFolder& Item(int32_t index) const { return m_items.at(static_cast<size_t>(index)); }
  // The current item (-1: none).
  int32_t ItemIndex() const { return m_current; }
  // Makes an item current and the only selected one, scrolled into view;
  // OnItemChange when it changed.
  void SetItemIndex(int32_t index);
  bool Selected(int32_t index) const;
  std::vector<int32_t> SelectedIndices() const;
  // The current item's path when it is a file, else empty.
  std::string SelectedPath() const;
  // The index of the item with this display name (first), or -1.
  int32_t IndexOfName(const std::string& displayName) const;

  // --- Scrolling and geometry (client coordinates) ---
  TPoint ScrollOffset() const { return m_offset; }
  void SetScrollOffset(TPoint offset);
  int32_t HeaderHeight() const;
  TRect ItemClientRect(int32_t index) const;
  TskFileListLayout Layout() const;
  std::vector<std::string> ColumnTitles() const;

  TNotifyEvent OnFolderChange;
  TNotifyEvent OnItemChange;
  TskFileActivateEvent OnFileActivate;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
  void WndProc(TMessage& m) override;
  void Paint() override;
  void Resized() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void DblClick() override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyPress(char32_t& key) override;
  bool DoMouseWheel(TShiftState shift, int32_t delta, TPoint pos) override;
  void WMGetDlgCode(TMessage& m) override;
  void WMEraseBkgnd(TMessage& m) override { m.Result = 1; }
  void FocusGained() override { Invalidate(); }
  void FocusLost() override { Invalidate(); }
  void FontChanged() override;
  void DescribeState(TStateDescription& state) override;

 private:
  struct TColumn {
    std::string Title;
    int32_t Width;
    bool RightAligned;
  };
  void Fill();
  void Relayout();
  void UpdateScrollBars();
  void ScrollBarChanged();
  TPoint ClampOffset(TPoint offset) const;
  // Makes index current; extend: select from the anchor; toggle: flip it.
  void MoveTo(int32_t index, bool extend, bool toggle);
  void Activate(int32_t index);
  int32_t ItemAt(TPoint client) const;
  std::vector<TColumn> Columns() const;
  // The skin's section for the column headers; null without one.
  const TskDataSkinButtonControl* HeaderData() const;
  std::string CellText(int32_t index, size_t column) const;
  void DrawHeader(TCanvas& canvas, int32_t width);
  void DrawItem(TCanvas& canvas, const TskFileListLayout& layout, int32_t index, TPoint origin);
  void TypeAhead(char32_t ch);

  std::string m_headerSkinDataName = "resizebutton";
  TskViewLinks m_links;  // the skin and the scroll bars

  TskShellFolder m_folder = TskShellFolder::Computer();
  bool m_readable = true;
  std::string m_mask = "*.*";
  TskViewStyle m_style = TskViewStyle::vsList;
  bool m_multiSelect = false;
  std::vector<TskShellFolder> m_items;
  std::vector<bool> m_selected;
  std::vector<int32_t> m_textWidths;
  int32_t m_widestText = 0;
  int32_t m_current = -1;
  int32_t m_anchor = -1;
  TPoint m_offset;
  TImageList* m_small = nullptr;
  TImageList* m_large = nullptr;
  TskTypeAhead m_typeAhead;
};

}  // namespace tsm
