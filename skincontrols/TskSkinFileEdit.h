#pragma once
// TskSkinFileEdit: a skinned button edit ("buttonedit") whose button opens
// its own skinned open-file dialog: the dialog starts at the edit's text,
// wears DlgSkinData (frame) and DlgCtrlSkinData (controls), and an accepted
// file becomes the edit's text (OnChange); a cancelled dialog changes
// nothing. Assigning OnButtonClick replaces that for good — the edit then
// never opens its dialog, and Filter only reaches the unused dialog.

#include <string>

#include "skincontrols/TskSkinEdit.h"

#include "skinforms/DialogSkins.h"

namespace tsm {

class TskSkinOpenDialog;

class TskSkinFileEdit : public TskSkinEdit {
 public:
  explicit TskSkinFileEdit(TComponent* owner);

  // The built-in dialog's Filter.
  const std::string& Filter() const;
  void SetFilter(const std::string& filter);
  // Not owned; cleared when freed.
  TskSkinData* DlgSkinData() const { return m_skins.Frame(); }
  void SetDlgSkinData(TskSkinData* skin) { m_skins.SetFrame(*this, skin); }
  TskSkinData* DlgCtrlSkinData() const { return m_skins.Controls(); }
  void SetDlgCtrlSkinData(TskSkinData* skin) { m_skins.SetControls(*this, skin); }
  std::string LVHeaderSkinDataName = "resizebutton";

  TskSkinOpenDialog& Dialog() const { return *m_dialog; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void OpenDialog();

  TskSkinOpenDialog* m_dialog = nullptr;
  TskDialogSkins m_skins;
};

}  // namespace tsm
