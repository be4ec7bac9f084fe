#include "skinforms/TskSkinOpenDialog.h"

#include <algorithm>

#include "framework/forms/Application.h"
#include "platform/core/ProgramFolder.h"
#include "platform/os/FileSystem.h"
#include "platform/os/FolderListing.h"
#include "platform/os/PathInfo.h"
#include "skin/TskSkinData.h"
#include "skincontrols/TskSkinEdit.h"
#include "skinforms/TskOpenDlgForm.h"
#include "skinforms/TskSkinFileListView.h"
#include "skinforms/TskSkinFilterComboBox.h"

namespace tsm {

TskSkinOpenDialog::TskSkinOpenDialog(TComponent* owner) : TComponent(owner) {}

void TskSkinOpenDialog::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::Remove) m_skins.Removed(component);
}

std::string TskSkinOpenDialog::StartFolder() const {
  const std::string folder = ParentFolder(FileName);
  if (!folder.empty() && DirectoryExists(folder)) return AbsolutePath(folder);
  if (!InitialDir.empty() && DirectoryExists(InitialDir)) return AbsolutePath(InitialDir);
  return AbsolutePath(ProgramFolder());
}

bool TskSkinOpenDialog::Execute() {
  TskOpenDialogSettings settings;
  settings.Look = {m_skins.Frame(), m_skins.Controls(), DialogMinWidth, DialogMinHeight, AlphaBlend, AlphaBlendAnimation,
                   AlphaBlendValue};
  settings.DefaultFont = &m_defaultFont;
  settings.HeaderSkinDataName = LVHeaderSkinDataName;
  settings.CtrlAlphaBlend = CtrlAlphaBlend;
  settings.CtrlAlphaBlendValue = CtrlAlphaBlendValue;
  settings.CtrlAlphaBlendAnimation = CtrlAlphaBlendAnimation;
  settings.CheckFileExists = CheckFileExists;
  settings.MultiSelection = MultiSelection;
  const TFreeOnExit<TskOpenDlgForm> form(new TskOpenDlgForm(&Application(), settings));
  form->SetCaption(Title);
  form->SetViewStyle(m_viewStyle);
  form->OnFolderChange = [this](TObject*) {
    if (OnFolderChange) OnFolderChange(this);
  };
  // The filter first, then its mask on the list, then the folder.
  TskSkinFilterComboBox& filter = form->FilterCombo();
  filter.SetFilter(Filter);
  if (filter.ItemCount() > 0) filter.SetItemIndex(std::clamp(FilterIndex - 1, 0, filter.ItemCount() - 1));
  form->List().SetMask(filter.Mask());
  std::optional<TskShellFolder> start = TskShellFolder::FromPath(StartFolder());
  form->ShowFolder(start ? *start : TskShellFolder::Computer());
  // A proposed file that is listed becomes the current item.
  const std::string name = FileNamePart(FileName);
  for (int32_t i = 0; !name.empty() && i < form->List().Count(); ++i)
    if (FileNamePart(form->List().Item(i).Path()) == name) form->List().SetItemIndex(i);
  form->NameEdit().SetText(DisplayFileName(name));
  form->SetDialogSize(DialogWidth, DialogHeight, 450, 290);
  form->AfterConstruction();
  if (OnShowForm) OnShowForm(*form);
  const bool accepted = form->RunModal() == mrOk;
  FilterIndex = filter.ItemIndex() + 1;
  DialogWidth = form->ClientWidth();
  DialogHeight = form->ClientHeight();
  m_viewStyle = form->List().ViewStyle();
  if (accepted) {
    FileName = form->AcceptedFile();
    m_files = form->AcceptedFiles();
  }
  return accepted;
}

}  // namespace tsm
