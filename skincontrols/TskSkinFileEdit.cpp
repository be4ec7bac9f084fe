#include "skincontrols/TskSkinFileEdit.h"

#include "skin/TskSkinData.h"
#include "skinforms/TskSkinOpenDialog.h"

namespace tsm {

TskSkinFileEdit::TskSkinFileEdit(TComponent* owner) : TskSkinEdit(owner) {
  SetControlStyle(ControlStyle() - TControlStyle{TControlStyleFlag::SetCaption});
  SetButtonMode(true);
  SetSkinDataName("buttonedit");
  m_dialog = new TskSkinOpenDialog(this);
  OnButtonClick = [this](TObject*) { OpenDialog(); };
}

const std::string& TskSkinFileEdit::Filter() const { return m_dialog->Filter; }

void TskSkinFileEdit::SetFilter(const std::string& filter) { m_dialog->Filter = filter; }

void TskSkinFileEdit::Notification(TComponent* component, TOperation operation) {
  TskSkinEdit::Notification(component, operation);
  if (operation == TOperation::Remove) m_skins.Removed(component);
}

void TskSkinFileEdit::OpenDialog() {
  m_dialog->FileName = Text();
  m_dialog->SetSkinData(m_skins.Frame());
  m_dialog->SetCtrlSkinData(m_skins.Controls());
  m_dialog->LVHeaderSkinDataName = LVHeaderSkinDataName;
  if (m_dialog->Execute()) SetText(m_dialog->FileName);
}

}  // namespace tsm
