#include "skinforms/TskSkinSelectDirectoryDialog.h"

#include "framework/forms/Application.h"
#include "platform/os/FileSystem.h"
#include "platform/os/PathInfo.h"
#include "skin/TskSkinData.h"
#include "skinforms/TskSelDirDlgForm.h"
#include "skinforms/TskSkinDirTreeView.h"

namespace tsm {

TskSkinSelectDirectoryDialog::TskSkinSelectDirectoryDialog(TComponent* owner) : TComponent(owner) {}

void TskSkinSelectDirectoryDialog::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::Remove) m_skins.Removed(component);
}

bool TskSkinSelectDirectoryDialog::Execute() {
  TskDialogLook look{m_skins.Frame(), m_skins.Controls(), DialogMinWidth, DialogMinHeight, AlphaBlend, AlphaBlendAnimation,
                     AlphaBlendValue};
  const TFreeOnExit<TskSelDirDlgForm> form(new TskSelDirDlgForm(&Application(), ShowToolBar, look, m_defaultFont));
  form->SetCaption(Title);
  if (!Directory.empty() && DirectoryExists(Directory))
    form->Tree().SetSelectedPath(AbsolutePath(Directory));
  else
    form->Tree().SelectComputer();
  form->SetDialogSize(DialogWidth, DialogHeight, 280, 280);
  form->AfterConstruction();
  if (OnShowForm) OnShowForm(*form);
  const bool accepted = form->RunModal() == mrOk;
  DialogWidth = form->ClientWidth();
  DialogHeight = form->ClientHeight();
  if (accepted) Directory = form->Tree().SelectedPath();
  return accepted;
}

}  // namespace tsm
