#pragma once
// TskSkinDirectoryEdit: a skinned button edit ("buttonedit") whose button
// opens its own skinned folder dialog at the edit's text; an accepted folder
// becomes the text (OnChange), a cancelled dialog changes nothing. Assigning
// OnButtonClick replaces that for good.

#include "skincontrols/TskSkinEdit.h"

#include "skinforms/DialogSkins.h"

namespace tsm {

class TskSkinSelectDirectoryDialog;

class TskSkinDirectoryEdit : public TskSkinEdit {
 public:
  explicit TskSkinDirectoryEdit(TComponent* owner);

  // Not owned; cleared when freed.
  TskSkinData* DlgSkinData() const { return m_skins.Frame(); }
  void SetDlgSkinData(TskSkinData* skin) { m_skins.SetFrame(*this, skin); }
  TskSkinData* DlgCtrlSkinData() const { return m_skins.Controls(); }
  void SetDlgCtrlSkinData(TskSkinData* skin) { m_skins.SetControls(*this, skin); }

  TskSkinSelectDirectoryDialog& Dialog() const { return *m_dialog; }

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void OpenDialog();

  TskSkinSelectDirectoryDialog* m_dialog = nullptr;
  TskDialogSkins m_skins;
};

}  // namespace tsm
