#pragma once
// TskSkinDirTreeView: the folder dialog's tree of folders, rooted at the
// desktop (see TskShellFolder for the namespace). A node's children are read
// when it is first expanded (hourglass meanwhile) and sorted; a node shows
// an expander while the file system says it has sub-folders. Two external
// skinned scroll bars move it.
//
// Keys: Up/Down, Home/End, PageUp/PageDown move the selection; Right expands
// (or steps to the first child), Left collapses (or steps to the parent),
// "+" and "-" expand and collapse; typing selects the next shown folder
// whose name starts with what was typed. A click on an expander toggles it,
// a click on a node selects it, a double click toggles it; the wheel scrolls.
//
// Nodes on screen are clickable items of the window tree (click-text).

#include <cstdint>
#include <string>
#include <vector>

#include "framework/controls/CustomControl.h"
#include "skincontrols/SkinnedControl.h"
#include "skinforms/TskShellFolder.h"
#include "skinforms/TypeAhead.h"
#include "skinforms/ViewLinks.h"

namespace tsm {

class TImageList;
class TskSkinData;
class TskSkinScrollBar;

class TskSkinDirTreeView : public TCustomControl, public ISkinnedControl {
 public:
  static constexpr int32_t kIndent = 19;

  explicit TskSkinDirTreeView(TComponent* owner);

  // The skin only re-lays the tree out on a change (it draws in the
  // window's colours).
  TskSkinData* SkinData() const override { return m_links.SkinData(); }
  void SetSkinData(TskSkinData* skin);
  void PrepareSkinChange() override {}
  void ApplySkinChange() override;
  void SetScrollBars(TskSkinScrollBar* horizontal, TskSkinScrollBar* vertical);

  // --- Selection ---
  // The selected node's item (the desktop when nothing was selected yet).
  const TskShellFolder& Selected() const;
  // The selected node's file-system path; empty for the computer.
  const std::string& SelectedPath() const { return Selected().Path(); }
  // Expands the chain of ancestors from the root and selects the folder.
  // Raises Exception "Error setting path: \"<path>\"" when path is not an
  // existing folder.
  void SetSelectedPath(const std::string& path);
  // Selects the computer node and expands it.
  void SelectComputer();
  // Reads the selected node's children again (after a new folder), keeping
  // it expanded.
  void RefreshSelected();

  // --- Nodes shown (rows, top to bottom) ---
  int32_t RowCount() const { return static_cast<int32_t>(m_rows.size()); }
  const TskShellFolder& RowItem(int32_t row) const;
  int32_t RowLevel(int32_t row) const;
  bool RowExpanded(int32_t row) const;
  bool RowHasExpander(int32_t row) const;
  int32_t SelectedRow() const;
  void SelectRow(int32_t row);
  void SetRowExpanded(int32_t row, bool expanded);
  int32_t RowHeight() const;
  // The row's rectangle in client coordinates.
  TRect RowRect(int32_t row) const;
  int32_t TopRow() const { return m_top; }

  TNotifyEvent OnChange;

 protected:
  void BeforeDestruction() override;
  void Notification(TComponent* component, TOperation operation) override;
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
  void DescribeState(TStateDescription& state) override;

 private:
  struct TNode {
    TskShellFolder Item;
    int32_t Parent = -1;
    int32_t Level = 0;
    std::vector<int32_t> Children;
    bool Read = false;
    bool Expanded = false;
    bool HasChildren = false;
  };
  int32_t AddNode(const TskShellFolder& item, int32_t parent);
  void ReadChildren(int32_t node);
  void Expand(int32_t node, bool expanded);
  void RebuildRows();
  void SelectNode(int32_t node);
  int32_t RowOfNode(int32_t node) const;
  void ScrollToRow(int32_t row);
  void SetTop(int32_t top, int32_t left);
  int32_t VisibleRows() const;
  int32_t TextLeft(int32_t row) const;
  int32_t ContentWidth();
  void UpdateScrollBars();

  TskViewLinks m_links;  // the skin and the scroll bars
  std::vector<TNode> m_nodes;   // node 0: the desktop
  std::vector<int32_t> m_rows;  // shown nodes, top to bottom
  int32_t m_selected = 0;
  int32_t m_top = 0;
  int32_t m_left = 0;
  TImageList* m_images = nullptr;
  TskTypeAhead m_typeAhead;
};

}  // namespace tsm
