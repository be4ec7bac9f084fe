#pragma once
// TskSelDirDlgForm: the window of the folder dialog (280 x 280 by default):
//
//   tool bar ("toolpanel", 25 high, only with ShowToolBar): an edit
//     ("tooledit") showing the selected folder's path, 5 pixels, the
//     new-folder button (27 x 25, "toolbutton")
//   a framed panel with the folder tree and its two scroll bars (19 wide)
//   a bottom panel 50 high: 确定 at (20, 15) and 取消 at (100, 15), 70 x 25
//
// 确定 is the default button; it closes the dialog only while the selected
// node has a folder of its own (never for the computer). 取消 and Escape
// close it with 2. Enter in the edit selects the typed folder when it
// exists. The new-folder button creates "<selected folder>/新文件夹" when the
// selected node has an absolute path and no such folder exists yet, then
// reads the node again; a folder that cannot be made raises EInOutError
// "Unable to create folder '<path>': <reason>".

#include <string>

#include "skinforms/TskDialogForm.h"

namespace tsm {

class TskSkinButton;
class TskSkinDirTreeView;
class TskSkinEdit;
class TskSkinPanel;
class TskSkinScrollBar;
namespace ui {
class TFont;
}

class TskSelDirDlgForm : public TskDialogForm {
 public:
  TskSelDirDlgForm(TComponent* owner, bool showToolBar, const TskDialogLook& look, const ui::TFont& treeFont);

  TskSkinDirTreeView& Tree() const { return *m_tree; }
  // Null without the tool bar.
  TskSkinEdit* PathEdit() const { return m_edit; }
  TskSkinButton* NewFolderButton() const { return m_newFolder; }
  TskSkinButton& OkButton() const { return *m_ok; }
  TskSkinButton& CancelButton() const { return *m_cancel; }

  // What the buttons do.
  void Accept();
  void MakeNewFolder();

 private:
  void PlaceToolBar();
  void SelectionChanged();
  void EditEnter();

  TskSkinPanel* m_toolBar = nullptr;
  TskSkinEdit* m_edit = nullptr;
  TskSkinButton* m_newFolder = nullptr;
  TskSkinDirTreeView* m_tree = nullptr;
  TskSkinButton* m_ok = nullptr;
  TskSkinButton* m_cancel = nullptr;
};

}  // namespace tsm
