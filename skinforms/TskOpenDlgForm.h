#pragma once
// TskOpenDlgForm: the window of the open dialog (450 x 290 by default),
// laid out as it follows resizing:
//
//   tool bar ("toolpanel", 25 high): 10 pixels, "查找范围:" (63 x 14), the
//     folder combo box ("toolcombobox", else "combobox") up to the buttons;
//     from the right 10 pixels, new folder, up, back (27 x 25, "toolbutton")
//     and the view menu button (37 x 25, "toolmenubutton")
//   a framed panel with the file list and its two scroll bars (19 wide)
//   a bottom panel 80 high: "文件名称:" at (10, 10) and "文件类型:" at
//     (10, 45); the name edit at (73, 7) and the type combo box at (73, 42),
//     both the client width - 157 wide; 打开 at (width - 80, 10) and 取消 at
//     (width - 80, 45), 70 x 25
//
// The name edit has the focus at the start. Accepting (打开, Enter in the
// list on a file, a double click on a file, Enter in the name edit) takes
// the name edit's text: the current list item's file when the text is that
// item's name (so names that are not UTF-8 keep their bytes), an absolute
// path as it is, else a name in the folder shown. With CheckFileExists only
// an existing file is accepted (otherwise the dialog stays); without it any
// name in an existing folder is. Enter in the name edit first: text with
// "*" becomes the list's mask; a path or a name of an existing folder shows
// that folder; anything else is accepted as above. Escape cancels (2).
//
// Every folder shown goes onto the history unless it is the last entry or
// Back showed it; Back drops the last entry (the folder shown) and shows
// the one before it. Up shows the folder above; New folder makes
// "<folder>/新文件夹" when it does not exist; the view menu switches the
// list's style.

#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "skinforms/FileListLayout.h"
#include "skinforms/TskDialogForm.h"
#include "skinforms/TskShellFolder.h"

namespace tsm {

class TskSkinButton;
class TskSkinEdit;
class TskSkinFileListView;
class TskSkinFilterComboBox;
class TskSkinPanel;
class TskSkinPopupMenu;
class TskSkinShellComboBox;
class TskSkinStdLabel;
class TMenuItem;

struct TskOpenDialogSettings {
  TskDialogLook Look;
  const ui::TFont* DefaultFont = nullptr;  // buttons, folder combo box, list
  std::string HeaderSkinDataName = "resizebutton";
  bool CtrlAlphaBlend = false;
  uint8_t CtrlAlphaBlendValue = 225;
  bool CtrlAlphaBlendAnimation = false;
  bool CheckFileExists = true;
  bool MultiSelection = false;
};

class TskOpenDlgForm : public TskDialogForm {
 public:
  TskOpenDlgForm(TComponent* owner, const TskOpenDialogSettings& settings);

  TskSkinFileListView& List() const { return *m_list; }
  TskSkinShellComboBox& FolderCombo() const { return *m_folderCombo; }
  TskSkinFilterComboBox& FilterCombo() const { return *m_filterCombo; }
  TskSkinEdit& NameEdit() const { return *m_nameEdit; }
  TskSkinButton& OpenButton() const { return *m_open; }
  TskSkinButton& CancelButton() const { return *m_cancel; }
  TskSkinButton& BackButton() const { return *m_back; }
  TskSkinButton& UpButton() const { return *m_up; }
  TskSkinButton& NewFolderButton() const { return *m_newFolder; }
  TskSkinButton& ViewButton() const { return *m_view; }
  TskSkinPopupMenu& ViewMenu() const { return *m_viewMenu; }
  TskSkinStdLabel& LookInLabel() const { return *m_lookIn; }

  // Shows a folder in the list (and the combo box), with the history.
  void ShowFolder(const TskShellFolder& folder);
  const std::vector<TskShellFolder>& History() const { return m_history; }
  void GoBack();
  void GoUp();
  void MakeNewFolder();
  void SetViewStyle(TskViewStyle style);

  // The accept button's action; true when the dialog closed accepted.
  bool Accept();
  // Enter in the name edit.
  void NameEntered();
  // After an accepted run: the file, and every file selected.
  const std::string& AcceptedFile() const { return m_accepted; }
  const std::vector<std::string>& AcceptedFiles() const { return m_acceptedFiles; }

  // The shown folder changed, or the list's current item.
  TNotifyEvent OnFolderChange;

 private:
  void PlaceToolBar();
  void PlaceBottom();
  void ListFolderChanged();
  void ListItemChanged();
  // The path the name edit's text stands for (see above); empty for none.
  std::string PathOfName(const std::string& text) const;
  bool AcceptPath(const std::string& path);
  void PopupViewMenu();

  bool m_checkFileExists = true;
  TskSkinPanel* m_toolBar = nullptr;
  TskSkinStdLabel* m_lookIn = nullptr;
  TskSkinShellComboBox* m_folderCombo = nullptr;
  TskSkinButton* m_back = nullptr;
  TskSkinButton* m_up = nullptr;
  TskSkinButton* m_newFolder = nullptr;
  TskSkinButton* m_view = nullptr;
  TskSkinPopupMenu* m_viewMenu = nullptr;
  TMenuItem* m_viewItems[4] = {};
  TskSkinFileListView* m_list = nullptr;
  TskSkinPanel* m_bottom = nullptr;
  TskSkinStdLabel* m_nameLabel = nullptr;
  TskSkinStdLabel* m_typeLabel = nullptr;
  TskSkinEdit* m_nameEdit = nullptr;
  TskSkinFilterComboBox* m_filterCombo = nullptr;
  TskSkinButton* m_open = nullptr;
  TskSkinButton* m_cancel = nullptr;

  std::vector<TskShellFolder> m_history;
  bool m_goingBack = false;
  std::string m_accepted;
  std::vector<std::string> m_acceptedFiles;
};

}  // namespace tsm
