#include "skinforms/TskSkinSelectDirectoryDialog.h"

#include "framework/forms/Application.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskSelDirDlgForm.h"
#include "skinforms/TskSkinDirTreeView.h"

namespace tsm {

TskSkinSelectDirectoryDialog::TskSkinSelectDirectoryDialog(TComponent* owner) : TComponent(owner) {}

void TskSkinSelectDirectoryDialog::SetSkinData(TskSkinData* skin) {
  if (skin == m_skinData) return;
  if (m_skinData && m_skinData != m_ctrlSkinData) m_skinData->RemoveFreeNotification(this);
  m_skinData = skin;
  if (skin) skin->FreeNotification(this);
}

void TskSkinSelectDirectoryDialog::SetCtrlSkinData(TskSkinData* skin) {
  if (skin == m_ctrlSkinData) return;
  if (m_ctrlSkinData && m_ctrlSkinData != m_skinData) m_ctrlSkinData->RemoveFreeNotification(this);
  m_ctrlSkinData = skin;
  if (skin) skin->FreeNotification(this);
}

void TskSkinSelectDirectoryDialog::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::Remove) return;
  if (component == m_skinData) m_skinData = nullptr;
  if (component == m_ctrlSkinData) m_ctrlSkinData = nullptr;
}

bool TskSkinSelectDirectoryDialog::Execute() {
  TskDialogLook look{m_skinData, m_ctrlSkinData, DialogMinWidth, DialogMinHeight, AlphaBlend, AlphaBlendAnimation,
                     AlphaBlendValue};
  auto* form = new TskSelDirDlgForm(&Application(), ShowToolBar, look, m_defaultFont);
  bool accepted = false;
  try {
    form->SetCaption(Title);
    if (!Directory.empty() && DirectoryExists(Directory))
      form->Tree().SetSelectedPath(AbsolutePath(Directory));
    else
      form->Tree().SelectComputer();
    form->SetDialogSize(DialogWidth, DialogHeight, 280, 280);
    form->AfterConstruction();
    if (OnShowForm) OnShowForm(*form);
    accepted = form->RunModal() == mrOk;
    DialogWidth = form->ClientWidth();
    DialogHeight = form->ClientHeight();
    if (accepted) Directory = form->Tree().SelectedPath();
  } catch (...) {
    form->Free();
    throw;
  }
  form->Free();
  return accepted;
}

}  // namespace tsm
