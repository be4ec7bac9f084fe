#include "skincontrols/TskSkinDirectoryEdit.h"

#include "skin/TskSkinData.h"
#include "skinforms/TskSkinSelectDirectoryDialog.h"

namespace tsm {

TskSkinDirectoryEdit::TskSkinDirectoryEdit(TComponent* owner) : TskSkinEdit(owner) {
  SetControlStyle(ControlStyle() - TControlStyle{TControlStyleFlag::SetCaption});
  SetButtonMode(true);
  SetSkinDataName("buttonedit");
  m_dialog = new TskSkinSelectDirectoryDialog(this);
  OnButtonClick = [this](TObject*) { OpenDialog(); };
}

void TskSkinDirectoryEdit::Notification(TComponent* component, TOperation operation) {
  TskSkinEdit::Notification(component, operation);
  if (operation == TOperation::Remove) m_skins.Removed(component);
}

void TskSkinDirectoryEdit::OpenDialog() {
  m_dialog->Directory = Text();
  m_dialog->SetSkinData(m_skins.Frame());
  m_dialog->SetCtrlSkinData(m_skins.Controls());
  if (m_dialog->Execute()) SetText(m_dialog->Directory);
}

}  // namespace tsm
