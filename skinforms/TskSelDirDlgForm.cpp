#include "skinforms/TskSelDirDlgForm.h"

#include "platform/os/FileSystem.h"
#include "platform/os/FolderListing.h"
#include "platform/os/PathInfo.h"
#include "platform/window/VirtualKeys.h"
#include "skincontrols/TskSkinButton.h"
#include "skincontrols/TskSkinEdit.h"
#include "skincontrols/TskSkinPanel.h"
#include "skincontrols/TskSkinScrollBar.h"
#include "skinforms/DialogTexts.h"
#include "skinforms/TskSkinDirTreeView.h"

namespace tsm {

TskSelDirDlgForm::TskSelDirDlgForm(TComponent* owner, bool showToolBar, const TskDialogLook& look,
                                   const ui::TFont& treeFont)
    : TskDialogForm(owner) {
  ApplyLook(look);
  TskSkinData* skin = look.CtrlSkinData;
  SetClientSize(280, 280);
  HandleNeeded();

  if (showToolBar) {
    m_toolBar = AddPanel(this, "toolpanel", TAlign::alTop, 25, false);
    m_edit = new TskSkinEdit(this);
    m_edit->SetSkinDataName("tooledit");
    m_edit->SetParent(m_toolBar);
    m_edit->SetSkinData(skin);
    // Enter in the edit is the edit's (it selects the typed folder).
    TWndMethod editProc = m_edit->WindowProc();
    m_edit->SetWindowProc([this, editProc](TMessage& m) {
      if (m.Msg == CM_WANTSPECIALKEY && m.WParam == VK_RETURN) {
        m.Result = 1;
        return;
      }
      editProc(m);
    });
    m_edit->OnKeyPress = [this](TObject*, char32_t& key) {
      if (key == 13) {
        key = 0;
        EditEnter();
      }
    };
    m_newFolder = AddToolButton(m_toolBar, "toolbutton", TskToolGlyph::NewFolder, 27,
                                DialogText(skin, "MSG_BTN_NEWFOLDER_HINT", "创建新文件夹"));
    m_newFolder->OnClick = [this](TObject*) { MakeNewFolder(); };
    m_toolBar->OnResize = [this](TObject*) { PlaceToolBar(); };
  }

  TskSkinPanel* bottom = AddPanel(this, "panel", TAlign::alBottom, 50, false);
  m_ok = AddButton(bottom, DialogText(skin, "MSG_BTN_OK", "确定"), TRect::FromSize(20, 15, 70, 25), mrNone);
  m_ok->SetDefault(true);
  m_ok->OnClick = [this](TObject*) { Accept(); };
  m_cancel = AddButton(bottom, DialogText(skin, "MSG_BTN_CANCEL", "取消"), TRect::FromSize(100, 15, 70, 25), mrCancel);
  m_cancel->SetCancel(true);

  TskSkinScrollBar* horizontal = nullptr;
  TskSkinScrollBar* vertical = nullptr;
  TskSkinPanel* view = AddViewPanel(this, horizontal, vertical);
  m_tree = new TskSkinDirTreeView(this);
  m_tree->SetFont(treeFont);
  m_tree->SetParent(view);
  m_tree->SetAlign(TAlign::alClient);
  m_tree->SetSkinData(skin);
  m_tree->SetScrollBars(horizontal, vertical);
  m_tree->OnChange = [this](TObject*) { SelectionChanged(); };
  if (m_toolBar) PlaceToolBar();
  SetActiveControl(m_tree);
}

void TskSelDirDlgForm::PlaceToolBar() {
  const int32_t w = m_toolBar->ClientWidth();
  m_newFolder->SetBounds(w - 27, 0, 27, 25);
  m_edit->SetBounds(0, 0, std::max(0, w - 27 - 5), 25);
}

void TskSelDirDlgForm::SelectionChanged() {
  if (m_edit) m_edit->SetText(DisplayFileName(m_tree->SelectedPath()));
}

void TskSelDirDlgForm::EditEnter() {
  const std::string typed = m_edit->Text();
  if (typed.empty() || !DirectoryExists(typed)) return;
  m_tree->SetSelectedPath(AbsolutePath(typed));
}

void TskSelDirDlgForm::Accept() {
  // The computer has no folder of its own: nothing to hand back.
  if (!m_tree->Selected().HasPath()) return;
  SetModalResult(mrOk);
}

void TskSelDirDlgForm::MakeNewFolder() {
  const std::string folder = m_tree->SelectedPath();
  if (TskDialogForm::MakeNewFolder(folder, DialogText(ControlSkin(), "MSG_NEWFOLDER", "新文件夹")))
    m_tree->RefreshSelected();
}

}  // namespace tsm
